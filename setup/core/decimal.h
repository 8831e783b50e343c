#pragma once
// Decimal text to and from double, done here rather than by the C library: its formatting and
// parsing bring some 40 KB into the setup executable for two small jobs. The results are those of
// printf("%.*f") and strtod.
#include <string>
#include <string_view>

namespace core {

// The value with `decimals` (0 to 3) digits after the point, rounded exactly as printf rounds the
// binary value (ties to even); a negative value keeps its sign even when it rounds to zero.
std::string FormatFixed(double value, int decimals);

// The number at the start of `text` ([sign] digits [. digits] [e [sign] digits], point as decimal
// separator), or 0 when it starts with none, correctly rounded.
double ParseDecimal(std::string_view text);

} // namespace core
