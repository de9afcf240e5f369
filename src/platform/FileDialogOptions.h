// What the Open and Save As file dialogs are opened with: the one request of both, made by code
// that knows nothing of Windows (Save As) as well as by the window.
#pragma once

#include <string>

namespace vantrel {

struct FileDialogOptions {
  std::string title;
  std::string initialFolder;  // the save dialog takes the file's full path here, unchanged
  std::string fileName;       // proposed by the open dialog; the save dialog starts blank
  std::string filterName = "All Files (*.*)";
  std::string filterPattern = "*.*";
  bool centerOnOwner = true;
};

}  // namespace vantrel
