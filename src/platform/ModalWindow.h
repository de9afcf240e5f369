// The program's own modal windows, built the way dialog boxes are: controls
// from a table, Enter presses the default button, Escape cancels, the focus
// comes back to the control that had it, and the window runs its own message
// loop with its owner disabled.
#pragma once

#include <windows.h>

#include <initializer_list>
#include <span>
#include <vector>

#include "platform/BaseWindow.h"
#include "platform/Controls.h"
#include "platform/FixedWindow.h"
#include "platform/Gdi.h"

namespace vantrel {

// Shows `window` and runs messages until it hides itself or is destroyed;
// `owner` is disabled meanwhile, then enabled and activated again.
void RunModal(HWND window, HWND owner);

struct ModalWindowSpec {
  FixedWindowSpec window;
  std::span<const ControlSpec> controls;
  FontSpec font;      // of every control not given another font in OnCreate
  int defaultButton;  // the button Enter presses
  POINT offset;       // twips from the main window's corner, where it is created
};

class ModalWindow : public BaseWindow<ModalWindow> {
 public:
  explicit ModalWindow(const ModalWindowSpec& spec) : spec_(spec) {}
  // Destroyed here, while the handlers below are still this class's own:
  // destroying sends messages that must not reach a derived part gone.
  ~ModalWindow() override;

  // Creates the window beside mainWindow unless it exists; the window keeps
  // its place for later showings until it is destroyed.
  void Load(HWND mainWindow);
  // Loads the window and shows it modally until it ends.
  void ShowModal(HWND mainWindow);

  HWND Control(int id) const { return hwnd_ ? controls_[id] : nullptr; }

  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

 protected:
  // Creates the window at a screen point; the controls get the spec's font.
  bool Create(HWND owner, POINT at);
  // After the controls are created.
  virtual void OnCreate() {}
  // Before and after each modal showing; after it, the window may have been
  // destroyed (closed by its frame).
  virtual void OnShow() {}
  virtual void OnEnd() {}
  // Every time the window becomes active.
  virtual void OnActivate() {}
  // A control's notification; true when it was handled.
  virtual bool OnCommand(int /*id*/, int /*code*/) { return false; }
  // Escape, or the button with the IDCANCEL identifier.
  virtual void OnCancel() { End(); }
  // Messages the window handles before the common handling; true when
  // handled, with the result in `result`.
  virtual bool OnMessage(UINT, WPARAM, LPARAM, LRESULT&) { return false; }

  // Hides the window, which ends its modal showing.
  void End() { ShowWindow(hwnd_, SW_HIDE); }
  void SetFont(std::initializer_list<int> ids, const FontSpec& font);
  bool Checked(int id) const;
  void SetChecked(int id, bool checked);

  ControlSet controls_;

 private:
  // Keeps the focus on the control that had it across activations, as
  // dialog boxes do.
  void RestoreFocus(bool active);

  const ModalWindowSpec& spec_;
  HWND lastFocus_ = nullptr;  // the control that had the focus when the window went inactive
  std::vector<Font> fonts_;
};

}  // namespace vantrel
