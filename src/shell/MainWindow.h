// The main window "Vantrel": the loaded document in two lists with the
// counters around them, every command as a button and a menu item, and the
// routing of each command to its operation.
#pragma once

#include <windows.h>

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

class MainWindow : public BaseWindow<MainWindow>, public SaveUi {
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

  // Given before Create; without one no visual-style check runs.
  void UseBootstrap(ManifestBootstrap& bootstrap) { bootstrap_ = &bootstrap; }
  // Creates the hidden window, runs the bootstrap, then the controls.
  bool Create(HINSTANCE instance);
  // Accelerators, Tab, access keys and the default button; true when handled.
  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  HostsDocument& Document() { return doc_; }
  HWND Control(int id) const { return controls_[id]; }
  const MenuBar& Menus() const { return menu_; }
  int DefaultButton() const { return defaultButton_; }
  HWND WaitWindowHandle() const { return wait_.Handle(); }
  // The comments, or one placeholder row when the file had none.
  int32_t CommentRowCount() const;
  Text CommentRow(int32_t i) const;
  const std::string& HostsFolder() const { return hostsFolder_; }
  int OnTopState() const { return onTopState_; }  // -1 while always on top

  // Before the first show, for this system or one of that name.
  void Startup();
  void Startup(const std::string& versionName);

  // The visual-style probe on creation, the writer, the relaunch on Timer1.
  void CheckVisualStyle();
  void WriteNewManifest();
  void RelaunchWhenReady();
  bool Timer1Running() const { return timer1Running_; }

  // The commands that the buttons and menu items run.
  void OpenFile();
  void SaveFileAs();
  void CloseFile();
  void ExitFromMenu();
  void CloseWindow();
  void RemoveDuplicates();
  void AddNewEntry();
  void ChangeSelectedEntry();
  void DeleteSelectedEntry();
  void UndoLastChange();
  void CountUnmodifiedHosts();
  void OpenInNotepad();
  void SetTransparency(int menuId);
  void ToggleAlwaysOnTop();
  void ShowHelpContents();
  void ShowAbout();
  void FindBoxGotFocus();
  void FindBoxLostFocus();
  void FindBoxKeyPress(int keyCode);

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

 private:
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

  FileSystem& Files();
  void LoadFile(const std::string& path);
  void ShowLoadedState(const std::string& labelIP);
  void ApplyCommandStates();
  void FailOpen(const std::string& path, const std::string& reason);
  // After an operation ran out of memory, leaving the document as it was:
  // the normal pointer, the time shown before, and text, then detail.
  void TellOutOfMemory(const char* caption, const char* text, const std::string& detail = {});
  // Runs a command; running out of memory is told in its own caption.
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
  std::string hostsFolder_ = "%systemroot%\\system32\\drivers\\etc\\";
  int onTopState_ = 0;
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
