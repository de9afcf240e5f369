#include "shell/MainLayout.h"

#include <windows.h>

namespace vantrel {

namespace {

// Left, top, width, height in twips, relative to the frame that holds the
// control; a line of width 2 pixels is 30 twips thick. Whether a command's
// button or menu item starts usable comes from the window's command table.
constexpr ControlDef kControls[] = {
    // The toolbar strip; its border lies outside the client area.
    {kFrame1, "Frame1", Kind::Frame, "", -120, -120, 14295, 1215, 13},
    {kCmdOpen, "cmdOpen", Kind::Graphical, "&Open...", 240, 240, 1095, 855, 0, kFrame1},
    {kCmdSaveAs, "cmdSaveAs", Kind::Graphical, "&Save As...", 1440, 240, 1095, 855, 1, kFrame1},
    {kCmdAdd, "cmdAdd", Kind::Graphical, "&Add", 2760, 240, 1095, 855, 2, kFrame1},
    {kCmdChange, "cmdChange", Kind::Graphical, "&Change", 3960, 240, 1095, 855, 3, kFrame1},
    {kCmdDelete, "cmdDelete", Kind::Graphical, "&Delete", 5160, 240, 1095, 855, 4, kFrame1},
    {kCmdRemDup, "cmdRemDup", Kind::Graphical, "&Remove Duplicates", 6480, 240, 1095, 855, 5,
     kFrame1},
    {kLabel9, "Label9", Kind::Label, "Find:", 7800, 480, 2055, 255, 28, kFrame1},
    {kComboFind, "ComboFind", Kind::Combo, "type query here", 7800, 720, 2175, 360, 6, kFrame1,
     WS_DISABLED},
    {kLine2, "Line2", Kind::Line, "", 2640, 240, 30, 840, -1, kFrame1},
    {kLine3, "Line3", Kind::Line, "", 6360, 240, 30, 840, -1, kFrame1},
    {kLine4, "Line4", Kind::Line, "", 7680, 240, 30, 840, -1, kFrame1},

    // The current file.
    {kFrame2, "Frame2", Kind::Frame, "Current Host File Loaded:", 120, 1200, 9735, 1215, 14},
    {kLabel6, "Label6", Kind::Label, "none", 240, 240, 9375, 495, 15, kFrame2, SS_NOPREFIX},
    {kLabelIP, "LabelIP", Kind::Label, "", 240, 840, 8775, 255, 26, kFrame2, SS_NOPREFIX},
    {kLine5, "Line5", Kind::Line, "", 240, 840, 9240, 30, -1, kFrame2, 0, COLOR_ACTIVECAPTION},

    // The two lists.
    {kLabel4, "Label4", Kind::Label, "Entries Found in Host File", 120, 2520, 2775, 255, 24},
    {kList1, "List1", Kind::VirtualList, "", 120, 2760, 3015, 3570, 7},
    {kLabel8, "Label8", Kind::Label, "Comments Found in Host File", 3240, 2520, 2775, 255, 25},
    {kListComments, "List_Comments", Kind::VirtualList, "", 3240, 2760, 3015, 3570, 12},

    // The summary.
    {kFrame3, "Frame3", Kind::Frame, "Summary", 6360, 2640, 3495, 3690, 16},
    {kLabel5, "Label5", Kind::Label, "Number of Hosts in File", 120, 360, 2895, 255, 17, kFrame3},
    {kText1, "Text1", Kind::Text, "", 120, 600, 3255, 375, 10, kFrame3, ES_READONLY},
    {kLabel1, "Label1", Kind::Label, "Number of Duplicate Hosts Removed", 120, 1200, 3255, 255, 18,
     kFrame3},
    {kText2, "Text2", Kind::Text, "", 120, 1440, 3255, 375, 19, kFrame3, ES_READONLY},
    {kLabel2, "Label2", Kind::Label, "Number of Hosts left after Duplicates Removed", 120, 2160,
     3255, 255, 20, kFrame3},
    {kText3, "Text3", Kind::Text, "", 120, 2400, 3255, 375, 21, kFrame3},
    {kLabel3, "Label3", Kind::Label, "Time taken to process", 120, 3120, 2655, 255, 22, kFrame3},
    {kLabel7, "Label7", Kind::Label, "Time", 120, 3360, 2415, 255, 23, kFrame3},

    // Other options.
    {kFrame4, "Frame4", Kind::Frame, "Other Options", 120, 6360, 9735, 855, 27},
    {kCmdCountHost, "cmdCountHost", Kind::Graphical, "Count &Unmodified Host File", 120, 360, 2655,
     375, 8, kFrame4},
    {kText6, "Text6", Kind::Text, "", 2880, 360, 2775, 375, 11, kFrame4, ES_READONLY},
    {kLine1, "Line1", Kind::Line, "", 5760, 360, 30, 360, -1, kFrame4},
    {kCmdNotepad, "cmdNotepad", Kind::Graphical, "Open Unmodified Host File with &Notepad", 5880,
     360, 3735, 375, 9, kFrame4},
};

constexpr MenuDef kMenu[] = {
    {0, 0, "mnuFile", "&File", nullptr, true, false},
    {1, kMnuOpen, "mnuOpen", "&Open...", "Ctrl+O", true, false},
    {1, kMnuClose, "mnuClose", "&Close", nullptr, true, false},
    {1, 0, "mnuDashOpen", "-", nullptr, true, false},
    {1, kMnuSaveAs, "mnuSaveAs", "&Save As...", "Ctrl+S", true, false},
    {1, 0, "mnudash1", "-", nullptr, true, false},
    {1, kMnuExit, "mnuExit", "&Exit", "Ctrl+Q", true, false},
    {0, 0, "mnuEdit", "&Edit", nullptr, true, false},
    {1, kMnuUndo, "mnuUndo", "&Undo", "Ctrl+Z", true, false},
    {1, 0, "mnuDashUndo", "-", nullptr, true, false},
    {1, kMnuAdd, "mnuAdd", "&Add", "Ctrl+A", true, false},
    {1, kMnuChange, "mnuChange", "&Change", "Ctrl+C", true, false},
    {1, kMnuDelete, "mnuDelete", "&Delete", "Ctrl+D", true, false},
    {1, 0, "mnuDash2", "-", nullptr, true, false},
    {1, kMnuRemDup, "mnuRemDup", "&Remove Duplicates", "Ctrl+R", true, false},
    {0, 0, "mnuWindow", "&Window", nullptr, true, false},
    {1, kMnuTransparent, "mnuTransparent", "&Transparency", nullptr, false, false},
    {2, kMnuNone, "mnuNone", "&None", nullptr, true, true},
    {2, 0, "mnuDash3", "-", nullptr, true, false},
    {2, kMnuTen, "mnuTen", "&10%", nullptr, true, false},
    {2, kMnuTwenty, "mnuTwenty", "&20%", nullptr, true, false},
    {2, kMnuThirty, "mnuThirty", "&30%", nullptr, true, false},
    {2, kMnuForty, "mnuForty", "&40%", nullptr, true, false},
    {2, kMnuFifty, "mnuFifty", "&50%", nullptr, true, false},
    {2, kMnuSixty, "mnuSixty", "&60%", nullptr, true, false},
    {2, kMnuSeventy, "mnuSeventy", "&70%", nullptr, true, false},
    {2, kMnuEighty, "mnuEighty", "&80%", nullptr, true, false},
    {2, kMnuNinety, "mnuNinety", "&90%", nullptr, true, false},
    {1, kMnuOnTop, "mnuOnTop", "&Always On Top", nullptr, true, false},
    {0, 0, "mnuHelp", "&Help", nullptr, true, false},
    {1, kMnuContents, "mnuContents", "&Help Contents...", nullptr, true, false},
    {1, kMnuAbout, "mnuAbout", "&About...", nullptr, true, false},
};

}  // namespace

std::span<const ControlDef> MainControls() { return kControls; }
std::span<const MenuDef> MainMenuTable() { return kMenu; }

}  // namespace vantrel
