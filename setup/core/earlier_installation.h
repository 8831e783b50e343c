#pragma once
// The wizard's check for an earlier installation: how the configured and the installed version
// serials compare, and the two questions it asks.
#include <string>

namespace core {

enum class SerialOrder { Equal, ConfiguredOlder, ConfiguredNewer };

// The configured serial as a 32-bit decimal integer ("'%s' is not a valid integer value"), the
// installed one as a floating-point number with the given decimal separator ("'%s' is not a valid
// floating point value").
SerialOrder CompareSerials(const std::string& configured, const std::string& installed,
                           char decimalSeparator);

// Installing the same version again.
std::string ReinstallQuestion(const std::string& caption);
// Installing an older version over a newer one.
std::string OlderVersionQuestion();

} // namespace core
