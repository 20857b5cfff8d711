// The outcome of a file, folder or process operation: success, or what failed,
// on which path, and the system's error code.
#pragma once

#include <string>

namespace platform {

class Status {
 public:
  static Status Ok() { return Status(); }
  // `action` names what was tried, e.g. "Could not copy \"a\" to \"b\"".
  static Status Failed(std::string action, unsigned long code);
  // Failure with the calling thread's last error code.
  static Status LastError(std::string action);

  bool ok() const { return code_ == 0; }
  // A failure because the file or its folder does not exist.
  bool notFound() const;
  unsigned long code() const { return code_; }
  const std::string& action() const { return action_; }
  // The action followed by the system's own description of the code.
  std::string Message() const;

 private:
  unsigned long code_ = 0;
  std::string action_;
};

// The system's text for an error code, without a trailing line break.
std::string SystemErrorText(unsigned long code);

std::string Quoted(const std::string& path);

}  // namespace platform
