// The window framework's own error: raised by a refused profile write and by a malformed number in a
// shape file. It ends the running event; the application's event dispatch shows its text.
#pragma once

#include <exception>
#include <string>
#include <utility>

namespace platform {

class FrameworkError : public std::exception {
 public:
  explicit FrameworkError(std::string sjisMessage) : message_(std::move(sjisMessage)) {}
  // The message in Shift-JIS bytes, exactly as the user is shown it.
  const std::string& Message() const noexcept { return message_; }
  const char* what() const noexcept override { return message_.c_str(); }

 private:
  std::string message_;
};

}  // namespace platform
