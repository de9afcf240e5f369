// The main window "Vantrel".
#pragma once

#include <windows.h>

#include "core/General_Mod.h"
#include "platform/BaseWindow.h"

namespace vantrel {

class MainWindow : public BaseWindow<MainWindow> {
 public:
  static constexpr const char* kClassName = "VantrelMainWindow";
  static constexpr const char* kCaption = "Vantrel";
  // Client area in twips.
  static constexpr int kClientWidthTwips = 9975;
  static constexpr int kClientHeightTwips = 7335;

  bool Create(HINSTANCE instance);
  LRESULT HandleMessage(UINT msg, WPARAM wParam, LPARAM lParam);

  HostsDocument& Document() { return doc_; }

 private:
  HostsDocument doc_;
};

}  // namespace vantrel
