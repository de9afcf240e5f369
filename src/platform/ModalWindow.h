// The program's own fixed-size modal windows, built the way dialog boxes are:
// controls from a table, Enter presses the default button, Escape cancels,
// and the window runs its own message loop with its owner disabled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <vector>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/DefaultButtonTracker.h"
#include "platform/Gdi.h"

namespace vantrel {

struct FixedWindowDef {
  const char* className;
  const char* caption;
  DWORD style;
  DWORD exStyle;
  int clientWidth;  // twips
  int clientHeight;
};

// The size of the window's frame around its client area.
SIZE FrameSize(const FixedWindowDef& window);

struct ModalWindowDef {
  FixedWindowDef window;
  std::span<const ControlDef> controls;
  FontDef font;       // of every control not given another font in OnCreate
  int defaultButton;  // the button Enter presses
  POINT offset;       // twips from the main window's frame corner, where it is created
};

class ModalWindow : public BaseWindow<ModalWindow> {
 public:
  explicit ModalWindow(const ModalWindowDef& def) : def_(def) {}
  // Destroyed here, so that no message reaches a derived part already gone.
  ~ModalWindow() override;

  // Creates the window beside mainWindow unless it exists already.
  void Load(HWND mainWindow);
  // Loads the window and shows it modally until it ends.
  void ShowModal(HWND mainWindow);

  HWND Control(int id) const { return hwnd_ ? controls_[id] : nullptr; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  // Creates the window at a screen point.
  bool Create(HWND owner, POINT at);
  // Shows the window and runs messages until it hides itself or is
  // destroyed; `owner` is disabled meanwhile, then activated again.
  void RunModal(HWND owner);
  // After the controls are created.
  virtual void OnCreate() {}
  // Before and after each showing; after it the window may be destroyed.
  virtual void OnShow() {}
  virtual void OnEnd() {}
  // Every time the window becomes active.
  virtual void OnActivate() {}
  // A control's notification; true when it was handled.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  // Escape, or the button with the IDCANCEL identifier.
  virtual void OnCancel() { End(); }
  // Called before the common handling; true when handled, with `result`.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  // Enables the owner, then hides the window, which ends its modal showing.
  void End();
  void SetFont(std::initializer_list<int> ids, const FontDef& font);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);

  ControlSet controls_;

 private:
  // Keeps the focus on the control that had it across activations.
  void RestoreFocus(bool active);
  // Before the window hides or is destroyed, on every way out: Windows
  // activates the owner then, where a disabled one would let it activate
  // another program's window.
  void EnableOwner();

  const ModalWindowDef& def_;
  DefaultButtonTracker defaultButtons_;
  HWND disabledOwner_ = nullptr;  // disabled by the running modal showing
  HWND lastFocus_ = nullptr;      // the control that had the focus when the window went inactive
  std::vector<Font> fonts_;
};

}  // namespace vantrel
