#include "platform/status.h"

#include <windows.h>

namespace platform {

Status Status::Failed(std::string action, unsigned long code) {
  Status status;
  status.action_ = std::move(action);
  // A failure must never look like success, even if the code got lost.
  status.code_ = code == 0 ? ERROR_GEN_FAILURE : code;
  return status;
}

Status Status::LastError(std::string action) { return Failed(std::move(action), GetLastError()); }

bool Status::notFound() const {
  return code_ == ERROR_FILE_NOT_FOUND || code_ == ERROR_PATH_NOT_FOUND;
}

std::string Status::Message() const {
  if (ok()) return {};
  return action_ + ".\n\n" + SystemErrorText(code_);
}

std::string SystemErrorText(unsigned long code) {
  char buffer[512] = {};
  DWORD length = FormatMessageA(FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS, nullptr,
                                code, 0, buffer, sizeof buffer, nullptr);
  std::string text(buffer, length);
  while (!text.empty() && (text.back() == '\n' || text.back() == '\r' || text.back() == ' ')) {
    text.pop_back();
  }
  if (text.empty()) text = "System error " + std::to_string(code) + ".";
  return text;
}

std::string Quoted(const std::string& path) { return "\"" + path + "\""; }

}  // namespace platform
