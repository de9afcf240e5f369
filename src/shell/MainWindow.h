// The main window "Vantrel": the loaded document in two lists with the
// counters around them, and every command as a button and a menu item.
#pragma once

#include <windows.h>

#include <cstdint>
#include <memory>
#include <span>
#include <string>

#include "core/DocumentUi.h"
#include "core/Find.h"
#include "core/HostsDocument.h"
#include "core/OutOfMemory.h"
#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/DefaultButtonTracker.h"
#include "platform/Gdi.h"
#include "platform/Menus.h"
#include "platform/OwnerDraw.h"
#include "platform/WindowTranslucency.h"
#include "platform/WindowsCheck.h"
#include "save/ElevatedSave.h"
#include "save/SaveUi.h"
#include "shell/CommentRows.h"
#include "shell/FindBox.h"
#include "shell/JobProgress.h"
#include "shell/MainLayout.h"
#include "shell/SessionEnd.h"
#include "shell/VisualStyleStart.h"
#include "windows/AboutWindow.h"
#include "windows/HelpWindow.h"
#include "windows/SaveOptionsWindow.h"

namespace vantrel {

class FileSystem;

class MainWindow : public BaseWindow<MainWindow>, public SaveUi {
 public:
  static constexpr const char* kClassName = "VantrelMainWindow";
  static constexpr const char* kCaption = "Vantrel";
  // The window shows and edits a document its owner keeps.
  explicit MainWindow(HostsDocument& document) : doc_(document) {}

  // Given before Create; without one no visual-style check runs.
  void UseBootstrap(ManifestBootstrap& bootstrap) { visualStyle_.Use(bootstrap); }
  // Creates the hidden window, runs the visual-style check, then the controls.
  bool Create(HINSTANCE instance);
  // Before the first show, for this system or one of that name.
  void Startup(const std::string& versionName = WindowsVersionName());
  // Accelerators, Tab, access keys and the default button; true when handled.
  bool PreTranslate(MSG& msg);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);
  // The file system saving writes through; tests put in their own.
  void UseFileSystem(FileSystem& fs) { fs_ = &fs; }
  // How saving starts this program as administrator; tests put in their own.
  void UseElevation(Elevation& elevation) { elevation_ = &elevation; }

  SaveChoice ShowSaveOptions(const SaveChoice& preset) override;
  std::optional<std::string> ShowSaveDialog(const FileDialogOptions& options) override;
  void EndProgram() override;
  Elevation* Elevator() override;

 private:
  bool AskYesNo(const std::string& caption, const std::string& text) override;
  void Tell(const std::string& caption, const std::string& text, Icon icon) override;
  std::string Input(const std::string& prompt, const std::string& title,
                    const std::string& initial) override;
  void RunInWaitWindow(const std::function<void()>& job) override { jobs_.Run(job); }
  void SetJobCaption(const std::string& caption) override { jobs_.SetCaption(caption); }
  void SetProgressRange(int32_t minimum, int32_t maximum) override {
    jobs_.SetRange(minimum, maximum);
  }
  void SetProgress(int32_t value) override { jobs_.SetValue(value); }

  void OnCommand(int id, int code);
  void FindBoxKeyPress(FindKey key);

  // When a command's button and menu item are usable.
  enum class Needs { Nothing, Document, UndoStep };
  // One row per command: the button and the menu item that run it, when
  // they are usable, what runs, and what is told should it run out of memory.
  struct Command {
    int button;  // kNoControl for a command of the menu only
    int menu;    // kNoControl for a command of a button only
    Needs needs;
    void (MainWindow::*run)();
    const char* caption;       // of the out-of-memory message
    const char* noMemoryText;  // null when the command tells that itself
  };
  static std::span<const Command> Commands();
  void EnableCommand(const Command& command, bool enabled);

  // The commands that the buttons and menu items run.
  void OpenFile();
  void SaveFileAs();
  void CloseFile();
  void ExitFromMenu();
  // A command that is one operation on the document.
  template <void (*Edit)(HostsDocument&, DocumentUi&)>
  void RunEdit() {
    Edit(doc_, *this);
  }
  void CloseWindow();
  void CountUnmodifiedHosts();
  void OpenInNotepad();
  void SetTransparency(int menuId);
  void ToggleAlwaysOnTop();
  void ShowHelpContents() { help_.ShowModal(hwnd_); }
  void ShowAbout() { about_.ShowModal(hwnd_); }

  bool OnDrawItem(const DRAWITEMSTRUCT& item);

  FileSystem& Files();
  void LoadFile(const std::string& path);
  // A document just loaded (Label6 its path, Remove Duplicates the default button) or none (Label6
  // "none", Open the default button): the whole window drawn, the counters emptied.
  void ShowDocumentState(const std::string& label6, int defaultButton);
  void ShowNoDocument() { ShowDocumentState("none", kCmdOpen); }
  // Draws what a command may have changed: the lists, mnuUndo, the counts, Label7, LabelIP and
  // the commands' states. Takes no memory.
  void DrawDocument();
  void DrawLists();
  void ApplyCommandStates();
  // After an operation ran out of memory, leaving the document as it was:
  // the normal pointer, and text, then detail.
  void TellOutOfMemory(const char* caption, const char* text, const std::string& detail = {});
  template <class Work>
  void RunCommand(const char* caption, const char* noMemoryText, Work&& work) {
    if (RanOutOfMemory(work)) {
      TellOutOfMemory(caption, noMemoryText);
      return;
    }
    DrawDocument();
  }
  static constexpr const char* kNoMemoryToSave =
      "There is not enough memory to save the Host File. The file on disk was not changed.";
  void SetDefaultButton(int id) { defaultButtons_.SetDefault(id); }
  void SetText(int id, const std::string& text) { SetWindowTextA(controls_[id], text.c_str()); }
  void Enable(int id, bool enabled) { EnableWindow(controls_[id], enabled); }

  HostsDocument& doc_;
  std::string hostsFolder_ = "%systemroot%\\system32\\drivers\\etc\\";
  bool onTop_ = false;         // always on top
  RemovalCounts countsShown_;  // Text3 may be typed into: drawn only when the counts change
  ControlSet controls_;
  MenuBar menu_;
  JobProgress jobs_;
  Font font_;
  Font listFont_;
  Font boldFont_;
  ButtonPicture openPicture_;
  ButtonPicture saveAsPicture_;
  DefaultButtonTracker defaultButtons_;
  bool ended_ = false;
  HWND focusBeforeDeactivation_ = nullptr;
  SessionEnd sessionEnd_;
  FileSystem* fs_ = nullptr;
  Elevation* elevation_ = nullptr;
  std::unique_ptr<Elevation> systemElevation_;
  VisualStyleStart visualStyle_;
  FindBox findBox_;
  std::unique_ptr<WindowTranslucency> translucency_;
  SaveOptionsWindow saveOptions_;
  HelpWindow help_;
  AboutWindow about_;
};

}  // namespace vantrel
