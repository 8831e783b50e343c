#pragma once
// A build the builder refuses: the message names what is wrong and where.
#include <stdexcept>

namespace builder {

class BuildRefused : public std::runtime_error {
  public:
    using std::runtime_error::runtime_error;
};

} // namespace builder
