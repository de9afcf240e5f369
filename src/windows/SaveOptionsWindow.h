// The "Save Options " dialog: the address every entry is written with and
// whether the comments go back in. Closed by its frame, it reads as Cancel.
#pragma once

#include <string>

#include "platform/ModalWindow.h"
#include "save/SaveUi.h"

namespace vantrel {

class SaveOptionsWindow : public ModalWindow {
 public:
  static constexpr const char* kClassName = "VantrelSaveOptions";
  static constexpr const char* kCaption = "Save Options ";
  static constexpr const char* kMissingChoice = "Please choose a Save option before proceeding.";
  static constexpr const char* kMissingChoiceCaption = "Save Options";

  enum : int { Frame1 = 101, Option1, Option2, Option3, Command1, Command2, Check1, Frame2 };
  enum : int { Label1 = Frame2 + 1, Label2, Text1, Text2 };

  SaveOptionsWindow();

  // In: the controls' state when shown. Out: Option1 to Option3 as 1 to 3,
  // 0 when cancelled; Check1 as the comments (off when closed by its frame).
  SaveChoice Choice;

  // Example lines for an address: address, two spaces, a host name, CR LF.
  static std::string ExampleText(const char* address);

 private:
  void OnCreate() override;
  void OnShow() override;
  void OnEnd() override;
  void OnActivate() override;
  bool OnCommand(int id, int code) override;
  void OnCancel() override;
  SaveOption SelectedOption() const;
};

}  // namespace vantrel
