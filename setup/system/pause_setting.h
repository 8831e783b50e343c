#pragma once

namespace sys {

// The pause after each installed file and step, in milliseconds: 50 unless the setup was built
// with another SETUP_PAUSE_MS.
unsigned PauseMilliseconds();

} // namespace sys
