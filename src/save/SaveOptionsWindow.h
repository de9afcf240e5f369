// The "Save Options " dialog: before each save the user picks the address
// every entry is written with and whether the comment lines go back into
// the file. The choice stays in the controls after the dialog hides itself;
// closing it by its frame destroys it, which reads as Cancel.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/FixedWindow.h"
#include "platform/Gdi.h"
#include "platform/ModalLoop.h"

namespace vantrel {

class SaveOptionsWindow : public ModalForm<SaveOptionsWindow> {
 public:
  static constexpr const char* kClassName = "VantrelSaveOptions";
  static constexpr const char* kCaption = "Save Options ";
  static constexpr const char* kMissingChoice = "Please choose a Save option before proceeding.";
  static constexpr const char* kMissingChoiceCaption = "Save Options";
  static constexpr int kExampleLineCount = 13;

  // Control identifiers.
  enum : int {
    Frame1 = 101,
    Option1,
    Option2,
    Option3,
    Command1,
    Command2,
    Check1,
    Frame2,
    Label1,
    Label2,
    Text1,
    Text2,
  };

  // Option1 selected, Option2 and Option3 cleared, Check1 ticked. When the
  // window is not loaded the preset waits for its creation.
  void Preset();

  // 1, 2 or 3 for the first selected option button, 0 when none is (the
  // user cancelled, or closed the window).
  int SelectedOption() const;
  // Check1 ticked: the comment lines are written too.
  bool CommentsChecked() const;

  HWND Control(int id) const { return hwnd_ ? controls_[id] : nullptr; }

  // The example lines shown for an address: address, two spaces and a
  // sample host name, each line ending in CR LF.
  static std::string ExampleText(const char* address);

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 private:
  struct Choice {
    int option = 0;
    bool comments = false;
  };

  friend class ModalForm<SaveOptionsWindow>;
  void Form_Load(HWND mainWindow);
  void Form_Activate();
  void Command1_Click();
  void Command2_Click();
  void Apply(const Choice& choice);
  bool Checked(int id) const;

  ControlSet controls_;
  FocusMemory focus_;
  Font windowFont_, frameFont_, labelFont_, exampleFont_;
  std::optional<Choice> pendingPreset_;
};

}  // namespace vantrel
