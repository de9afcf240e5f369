#include "windows/HelpWindow.h"

#include <iterator>

namespace vantrel {

namespace {

using W = HelpWindow;

// Twips; Label1 lies in Frame1 and Label3 in Frame2.
constexpr std::array<ControlDef, 7> kControls{{
    {W::Label2, "Label2", Kind::Label, "Contents", 120, 120, 4215, 255, 4},
    {W::List1, "List1", Kind::List, "", 120, 360, 4455, 5340, 1},
    {W::Frame1, "Frame1", Kind::Frame, "Help", 4680, 240, 6375, 6135, 2},
    {W::Label1, "Label1", Kind::Label, "", 240, 360, 6015, 5535, 3, W::Frame1, SS_NOPREFIX},
    {W::Frame2, "Frame2", Kind::Frame, "Other Help or Questions, contact: ", 120, 5760, 4455, 615,
     5},
    {W::Label3, "Label3", Kind::Label, kSupportAddress, 240, 240, 1455, 255, 6, W::Frame2,
     SS_NOTIFY},
    {W::cmdClose, "cmdClose", Kind::Button, "&Close", 9720, 6480, 1335, 375, 0, 0,
     BS_DEFPUSHBUTTON},
}};

constexpr ModalWindowDef kWindow{
    {W::kClassName, W::kCaption, WS_POPUP | WS_CAPTION | WS_SYSMENU, 0, 11190, 6990},
    kControls,
    {"Tahoma", 9.75},
    W::cmdClose,
    {-700, 350},
};

const std::string kSeparator(128, '-');

// The sample sites the texts show.
#define VANTREL_WEBMAIL "mail.webpost-example.com"
#define VANTREL_REPLACEMENT "www.safe-example.org"

// The items of List1 in order, each topic with its text; headings,
// separators and blank items have none.
struct HelpItem {
  std::string title;
  const char* text = nullptr;
};
const HelpItem kItems[] = {
    {"Host File Properties"},
    {kSeparator},
    {"1. What is a Host File?",
     "The Host File is a file found on all Microsoft Windows operating systems that help "
     "block or redirect sites."},
    {"2. How does a Host File work?",
     "The Host File has 2 sites listed: \r\n"
     "1. The site (usually 127.0.0.1) that you wish to redirect other sites to.\r\n"
     "2. The site that is being redirected.\r\n"
     "\r\n"
     "Example: \r\n"
     "127.0.0.1  " VANTREL_WEBMAIL "\r\n"
     "\r\n"
     "This example sends every visit to " VANTREL_WEBMAIL
     " to 127.0.0.1, your own computer, so the web-mail site can no longer be reached."},
    {"3. Where is the Host File located?",
     "For Windows XP:             C:\\Windows\\System32\\Drivers\\Etc\\\r\n"
     "For Windows 2000:          C:\\WinNT\\System32\\Drivers\\Etc\\\r\n"
     "For Windows 95/98/ME:   C:\\Windows\\\r\n"
     "\r\n"
     "If you are uncertain which Operating System you have, simply search for Host."},
    {"4. What is LocalHost or 127.0.0.1?",
     "Every computer has the ability to host a website.  The way Microsoft Windows was designed, "
     "127.0.0.1 (otherwise known as Localhost), is found on every computer, and it is simply your "
     "computer's website.\r\n"
     "\r\n"
     "Since most people have not configured their computer to host a website, you will receive a "
     "'Page cannot be displayed' error message when redirecting other websites to your own "
     "(127.0.0.1 or LocalHost)."},
    {"5. What are the benefits of having a Host File?",
     "The most common benefit to using a host file is to block websites (especially advertisement "
     "websites).\r\n"
     "\r\n"
     "Benefits to blocking websites include Parental Control, Corporate Control, Advertisement "
     "Control and so on.  The Host file is able to even block pop up advertisements from "
     "occuring."},
    {kSeparator},
    {" "},
    {" "},
    {"Using The Vantrel Program"},
    {kSeparator},
    {"1. Adding a Host File entry",
     "Simply click on Add.  When prompted, fill in the desired website that you wish to "
     "block and press OK."},
    {"2. Changing a Host File entry",
     "First select a Host File entry that you wish to change.  Once the Host File entry is "
     "selected, click on Change. When prompted, fill in the new site that you wish to "
     "change the old Host File entry to and click on OK."},
    {"3. Delete a Host File entry",
     "First select a Host File entry that you wish to delete. Once the Host File entry is "
     "selected, click on Delete."},
    {"4. Remove Duplicates",
     "Simply click on Remove Duplicates.  This will remove all duplicate entries found in "
     "the Host File."},
    {"5. Saving Changes to the Host File",
     "When saving the host file, you will be prompted with the following 3 options: \r\n"
     "\r\n"
     "1.  Save with LocalHost (127.0.0.1)\r\n"
     "2.  Save without LocalHost (0)\r\n"
     "3.  Save with other IP or website\r\n"
     "\r\n"
     "Example of Saving with Localhost: \r\n"
     "127.0.0.1   " VANTREL_WEBMAIL "\r\n"
     "\r\n"
     "Example of Saving without Localhost: \r\n"
     "0   " VANTREL_WEBMAIL "\r\n"
     "\r\n"
     "Example of Saving with other IP or website: \r\n" VANTREL_REPLACEMENT "   " VANTREL_WEBMAIL
     "\r\n"
     "\r\n"
     "After choosing your save options from the 3 listed above simply click Save.  You will then "
     "be prompted to fill in a name for the host file (most likely Host) and click on Save "
     "again.\r\n"
     "\r\n"
     "On the Save Options screen, you have the option to save the host file with or without the "
     "comments.  Simply uncheck 'Save Comments in Host File' if you wish not to save the "
     "comments."},
    {"6. Why save changes with those certain options?",
     "Saving with LocalHost will redirect sites to your computers IP address (127.0.0.1).\r\n"
     "\r\n"
     "If you notice some lag on your computers' performance, you might want to save your host file "
     "without the LocalHost.  The value of Zero (0) will replace the standard 127.0.0.1 that is "
     "normally used in the Host File.  You might see a performance boost when saving without the "
     "LocalHost\r\n"
     "\r\n"
     "If you do not like to see 'Page cannot be displayed' everytime a site is blocked, then you "
     "might want to save your Host File with another Website or IP."},
    {"7. Using the Find Feature",
     "Click on the box to type in the website name that you are looking for.  Then hit the "
     "'enter' key to start the query."},
    {kSeparator},
};
static_assert(std::size(kItems) <= std::tuple_size_v<decltype(HelpWindow::HelpTexts)>);

}  // namespace

HelpWindow::HelpWindow() : MailLinkWindow(kWindow, Label3, cmdClose, kMailSubject) {}

void HelpWindow::OnCreate() {
  MailLinkWindow::OnCreate();
  SetFont({Label2, Frame1}, {"Tahoma", 9.75, true});
  // The topic frame appears with the first activation.
  for (int id : {Frame1, Label1}) ShowWindow(controls_[id], SW_HIDE);
}

void HelpWindow::ShowTopic(const char* caption, const char* text) {
  for (int id : {Frame1, Label1}) ShowWindow(controls_[id], SW_SHOW);
  SetWindowTextA(controls_[Frame1], caption);
  SetWindowTextA(controls_[Label1], text);
}

void HelpWindow::OnActivate() {
  ShowTopic(kNoTopicCaption, kNoTopicText);
  HWND list = controls_[List1];
  SendMessageA(list, LB_RESETCONTENT, 0, 0);
  for (size_t index = 0; index < std::size(kItems); ++index) {
    const HelpItem& item = kItems[index];
    SendMessageA(list, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(item.title.c_str()));
    if (item.text) HelpTexts[index] = item.text;
  }
  SendMessageA(list, LB_SETCURSEL, 0, 0);
  ShowSelectedTopic();
}

void HelpWindow::ShowSelectedTopic() {
  const LRESULT index = SendMessageA(controls_[List1], LB_GETCURSEL, 0, 0);
  if (index < 0 || index >= static_cast<LRESULT>(std::size(kItems))) return;
  const HelpItem& item = kItems[index];
  if (!item.text) {
    ShowTopic(kNoTopicCaption, kNoTopicText);
    return;
  }
  ShowTopic(item.title.c_str(), HelpTexts[static_cast<size_t>(index)].c_str());
}

bool HelpWindow::OnCommand(int id, int code) {
  if (id != List1 || code != LBN_SELCHANGE) return MailLinkWindow::OnCommand(id, code);
  ShowSelectedTopic();
  return true;
}

}  // namespace vantrel
