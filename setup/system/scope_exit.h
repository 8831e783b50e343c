#pragma once
// Runs a clean-up on every way out of a scope, also when an error passes through.
#include <utility>

namespace sys {

template <typename F> class ScopeExit {
  public:
    explicit ScopeExit(F f) : f_(std::move(f)) {}
    ~ScopeExit() { f_(); }
    ScopeExit(const ScopeExit&) = delete;
    ScopeExit& operator=(const ScopeExit&) = delete;

  private:
    F f_;
};

} // namespace sys
