#include "error_text.h"

namespace core {

std::string WithFullStop(std::string message) {
    // A double-byte character's bytes are all above '.', so looking at the last byte is enough.
    if (!message.empty() && static_cast<unsigned char>(message.back()) > '.') message += '.';
    return message;
}

} // namespace core
