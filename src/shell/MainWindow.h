// The main window "Vantrel": the loaded document in two lists with the
// counters around them, every command as a button and a menu item, and the
// routing of each command to its operation.
#pragma once

#include <windows.h>

#include <array>
#include <cstdint>
#include <exception>
#include <memory>
#include <string>

#include "core/DocumentUi.h"
#include "core/Find.h"
#include "core/HostsDocument.h"
#include "core/OutOfMemory.h"
#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/Gdi.h"
#include "platform/Menus.h"
#include "platform/ShutdownBlock.h"
#include "platform/TranslucentForm.h"
#include "save/SaveOptionsWindow.h"
#include "save/SaveUi.h"
#include "shell/MainLayout.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/WaitWindow.h"

namespace vantrel {

class FileSystem;
class ManifestBootstrap;

class MainWindow : public BaseWindow<MainWindow>, public DocumentUi, public SaveUi {
 public:
  static constexpr const char* kClassName = "VantrelMainWindow";
  static constexpr const char* kCaption = "Vantrel";
  static constexpr int kClientWidthTwips = 9975;
  static constexpr int kClientHeightTwips = 7335;
  static constexpr UINT_PTR kTimer1 = 1;
  // From the manifest writer to the relaunch: long enough for the window to
  // load and show first.
  static constexpr UINT kRelaunchDelayMs = 500;

  MainWindow();
  ~MainWindow() override;

  // The visual-style bootstrap that creating the window runs; the program
  // gives it one before Create. Without one the window runs none.
  void UseBootstrap(ManifestBootstrap& bootstrap) { bootstrap_ = &bootstrap; }
  // Creates the window, runs the bootstrap, then creates the controls and
  // menus; the window stays hidden.
  bool Create(HINSTANCE instance);
  // For the message loop: accelerators, Tab, access keys and the default
  // button. Returns true when the message was handled.
  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  // State that the operations and the tests read.
  HostsDocument& Document() { return doc_; }
  HWND Control(int id) const { return controls_[id]; }
  const MenuBar& Menus() const { return menu_; }
  int DefaultButton() const { return defaultButton_; }
  HWND WaitWindowHandle() const { return wait_.Handle(); }
  // The comments list's rows: the comments, or one placeholder row when the
  // file had none; nothing without a document.
  int32_t CommentRowCount() const;
  Text CommentRow(int32_t i) const;

  // The main window's member of the document.
  std::string HostsFolder = "%systemroot%\\system32\\drivers\\etc\\";

  // Start-up: the Windows version, the translucency object, the window's
  // initial texts and timers, then the show.
  void Startup();
  // The same for a system of that name (what WindowsVersionName reports).
  void Startup(const std::string& versionName);

  // The visual-style bootstrap: the probe on creation, the writer, and the
  // relaunch when Timer1 ticks.
  void CheckVisualStyle();
  void WriteNewManifest();
  void RelaunchWhenReady();
  bool Timer1Running() const { return timer1Running_; }

  // The commands, as the buttons and menu items run them.
  void cmdOpen_Click();
  void cmdSaveAs_Click();
  void mnuClose_Click();
  void mnuExit_Click();
  void Form_Unload();
  void cmdRemDup_Click();
  void cmdAdd_Click();
  void cmdChange_Click();
  void cmdDelete_Click();
  void mnuUndo_Click();
  void cmdCountHost_Click();
  void cmdNotepad_Click();
  void SetTransparency(int menuId);
  void mnuOnTop_Click();
  void mnuContents_Click();
  void mnuAbout_Click();
  void ComboFind_GotFocus();
  void ComboFind_LostFocus();
  void ComboFind_KeyPress(int keyCode);

  // SaveUi
  void ResetToNoDocument() override;
  SaveChoice ShowSaveOptions(const SaveChoice& preset) override;
  std::optional<std::string> ShowSaveDialog(const SaveDialogRequest& request) override;
  void EndProgram() override;

  // The file system saving writes through; tests put in their own.
  void UseFileSystem(FileSystem& fs) { fs_ = &fs; }
  bool Ended() const { return ended_; }
  COLORREF FindTextColor() const { return findTextColor_; }
  const FindState& Find() const { return find_; }
  const CTranslucentForm* Translucency() const { return translucency_.get(); }
  int OnTopState = 0;  // -1 while always on top

 private:
  // DocumentUi
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void Tell(const std::string& caption, const std::string& text, Icon icon) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial) override;
  void SetUndo(const std::string& caption, bool enabled) override;
  void SetCounts(const std::string& before, const std::string& removed,
                 const std::string& left) override;
  void EnableEntryList() override;
  void EntriesChanged() override;
  void SetBusy(bool busy) override;
  void RunInWaitWindow(const std::function<void()>& job) override;
  void SetJobCaption(const std::string& caption) override;
  void SetProgressRange(int32_t minimum, int32_t maximum) override;
  void SetProgressMax(int32_t maximum) override;
  void SetProgress(int32_t value) override;
  void StartTiming() override;
  void TimeControl() override;

  void OnCreate();
  void OnCommand(int id, int code);
  // The end of the Windows session: the unsaved-changes prompt when the
  // system asks, the end of the program when the session ends.
  BOOL OnQueryEndSession();
  void OnEndSession(bool ending);
  void SubclassFindBox();
  static LRESULT CALLBACK FindEditProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam,
                                       UINT_PTR id, DWORD_PTR data);
  void SyncFindHistory();
  bool FindFocusMovesWithin() const;
  bool OnDrawItem(const DRAWITEMSTRUCT& item);
  void OnMeasureItem(MEASUREITEMSTRUCT& item);
  void DrawGraphicalButton(const DRAWITEMSTRUCT& item);
  void DrawListItem(const DRAWITEMSTRUCT& item);

  // The open operation and its steps.
  void OpenOperation();
  FileSystem& Files();
  bool ChooseFileToOpen(std::string& path);
  void LoadFile(const std::string& path);
  void ShowLoadedState(const std::string& labelIP);
  // The enabled state of each command and list that depends on the
  // document: the document's commands only while a file is loaded.
  struct CommandState {
    int id;
    bool menu;  // a menu item, not a control
    bool enabled;
  };
  using CommandStates = std::array<CommandState, 16>;
  static CommandStates CommandStatesFor(const HostsDocument& doc);
  void ApplyCommandStates();
  void FailOpen(const std::string& path, const std::string& reason);
  // After an operation ran out of memory, which left the document as it
  // was: the normal pointer, the elapsed time shown before, and a message
  // saying what could not be done (text, then detail on a line of its own).
  void TellOutOfMemory(const char* caption, const char* text, const std::string& detail = {});
  // Runs a command; when it runs out of memory (its operation has left the
  // document as it was), says so in the command's own caption.
  template <class Command>
  void RunCommand(const char* caption, const char* noMemoryText, Command&& command) {
    if (RanOutOfMemory(command)) TellOutOfMemory(caption, noMemoryText);
  }
  static constexpr const char* kNoMemoryToSave =
      "There is not enough memory to save the Host File. The file on disk was not changed.";
  // Ends the timing of `clock` and shows the elapsed time in Label7.
  void ShowElapsed(JobClock& clock);

  void SetDefaultButton(int id);
  void SetText(int id, const std::string& text);
  void Enable(int id, bool enabled);

  HostsDocument doc_;
  char timeBefore_[32] = {};  // Label7 before the running job emptied it
  bool timing_ = false;       // a job is being timed
  ControlSet controls_;
  MenuBar menu_;
  WaitWindow wait_;
  JobClock clock_;  // the main window's own timing, of the empty-file path
  Font font_;
  Font listFont_;
  Font boldFont_;
  HICON openPicture_ = nullptr;
  HICON saveAsPicture_ = nullptr;
  int defaultButton_ = 0;
  bool busy_ = false;
  bool ended_ = false;
  HWND focusBeforeDeactivation_ = nullptr;
  bool inSessionQuery_ = false;      // the query's prompt is showing
  bool sessionMayEnd_ = false;       // the user let the session end ...
  int32_t answeredChangeCount_ = 0;  // ... with this many changes
  ShutdownBlock shutdownBlock_;
  FileSystem* fs_ = nullptr;
  ManifestBootstrap* bootstrap_ = nullptr;
  bool timer1Running_ = false;
  FindState find_;
  size_t historyShown_ = 0;
  bool findShowsPlaceholder_ = true;
  HWND findFocusTo_ = nullptr;  // the window the find box is losing the focus to
  COLORREF findTextColor_ = GetSysColor(COLOR_GRAYTEXT);
  std::unique_ptr<CTranslucentForm> translucency_;
  SaveOptionsWindow saveOptions_;
  HelpWindow help_;
  AboutWindow about_;
};

}  // namespace vantrel
