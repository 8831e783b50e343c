#pragma once
// An error that the setup raises: its message is the exact text (GBK) that the standard error box
// shows, before the full stop is added.
#include <stdexcept>
#include <string>

namespace core {

class SetupError : public std::runtime_error {
  public:
    explicit SetupError(const std::string& message) : std::runtime_error(message) {}
    // `reason`: the system's own text for why it failed, for the log beside the message.
    SetupError(const std::string& message, const std::string& reason)
        : std::runtime_error(message), reason_(reason) {}
    const std::string& Reason() const { return reason_; }

  private:
    std::string reason_;
};

// A target the setup refuses to write because writing it would reach elsewhere: a link on its way
// or the file itself a link. Unlike a file that cannot be written, it is no sign that the
// application is running, and is always reported as the error it is.
class UnsafeTargetError : public SetupError {
  public:
    using SetupError::SetupError;
};

} // namespace core
