#include "support/ScriptedModal.h"

#include <cstring>

namespace vantrel::test {

int ScriptedModal::Message(HWND owner, const std::string& text, const std::string& caption,
                           UINT type) {
  asked_.push_back(
      {Asked::What::Message, caption, text, type, {}, 0, {}, owner && IsWindowVisible(owner)});
  if (messages_.empty()) {
    unanswered_ = true;
    return IDCANCEL;
  }
  const int answer = messages_.front();
  messages_.pop_front();
  return answer;
}

std::string ScriptedModal::Input(HWND, const std::string& prompt, const std::string& title,
                                 const std::string& initial) {
  asked_.push_back({Asked::What::Input, title, prompt, 0, initial, 0, {}});
  if (inputs_.empty()) {
    unanswered_ = true;
    return {};
  }
  std::string answer = inputs_.front();
  inputs_.pop_front();
  return answer;
}

BOOL ScriptedModal::File(Asked::What what, OPENFILENAMEA* s) {
  Asked asked{what,
              s->lpstrTitle ? s->lpstrTitle : "",
              {},
              s->Flags,
              s->lpstrInitialDir ? s->lpstrInitialDir : "",
              s->lStructSize,
              s->lpstrFile ? s->lpstrFile : ""};
  asked_.push_back(asked);
  if (files_.empty()) {
    unanswered_ = true;
    return FALSE;
  }
  const std::string path = files_.front();
  files_.pop_front();
  if (path.empty() || !s->lpstrFile || path.size() + 1 > s->nMaxFile) return FALSE;
  std::memcpy(s->lpstrFile, path.c_str(), path.size() + 1);
  const size_t slash = path.find_last_of("\\/");
  s->nFileOffset = static_cast<WORD>(slash == std::string::npos ? 0 : slash + 1);
  const size_t dot = path.find_last_of('.');
  s->nFileExtension =
      static_cast<WORD>(dot == std::string::npos || dot < s->nFileOffset ? 0 : dot + 1);
  return TRUE;
}

BOOL ScriptedModal::OpenFileName(OPENFILENAMEA* settings) {
  return File(Asked::What::Open, settings);
}
BOOL ScriptedModal::SaveFileName(OPENFILENAMEA* settings) {
  return File(Asked::What::Save, settings);
}

}  // namespace vantrel::test
