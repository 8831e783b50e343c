#include "decimal.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>

namespace core {
namespace {

// Decimal digits of the whole number mantissa * 2^exponent (exponent >= 0), through base-10^9 limbs.
std::string WholeDigits(std::uint64_t mantissa, int exponent) {
    std::vector<std::uint32_t> limbs; // least significant first
    for (std::uint64_t m = mantissa; m > 0; m /= 1000000000)
        limbs.push_back(static_cast<std::uint32_t>(m % 1000000000));
    for (int i = 0; i < exponent; ++i) {
        std::uint32_t carry = 0;
        for (std::uint32_t& limb : limbs) {
            const std::uint32_t doubled = limb * 2 + carry;
            limb = doubled % 1000000000;
            carry = doubled / 1000000000;
        }
        if (carry) limbs.push_back(carry);
    }
    if (limbs.empty()) return "0";
    std::string digits = std::to_string(limbs.back());
    for (size_t i = limbs.size() - 1; i-- > 0;) {
        const std::string part = std::to_string(limbs[i]);
        digits += std::string(9 - part.size(), '0') + part;
    }
    return digits;
}

constexpr double kExactPowersOfTen[] = {1e0,  1e1,  1e2,  1e3,  1e4,  1e5,  1e6,  1e7,
                                        1e8,  1e9,  1e10, 1e11, 1e12, 1e13, 1e14, 1e15,
                                        1e16, 1e17, 1e18, 1e19, 1e20, 1e21, 1e22};

} // namespace

std::string FormatFixed(double value, int decimals) {
    std::uint64_t bits;
    std::memcpy(&bits, &value, sizeof bits);
    const bool negative = bits >> 63;
    const int biased = static_cast<int>((bits >> 52) & 0x7FF);
    std::uint64_t mantissa = bits & ((std::uint64_t{1} << 52) - 1);
    if (biased != 0) mantissa |= std::uint64_t{1} << 52;
    const int exponent = (biased != 0 ? biased : 1) - 1075; // value = mantissa * 2^exponent
    if (biased == 0x7FF) return (bits & ((std::uint64_t{1} << 52) - 1)) ? "nan" : negative ? "-inf" : "inf";

    std::string digits; // the rounded value times 10^decimals
    if (exponent >= 0) {
        digits = WholeDigits(mantissa, exponent) + std::string(decimals, '0');
    } else {
        std::uint64_t scaled = mantissa; // below 2^53 * 10^3 < 2^63
        for (int i = 0; i < decimals; ++i)
            scaled *= 10;
        std::uint64_t quotient = 0; // from a shift of 64 on, below half a unit of the last digit
        const int shift = -exponent;
        if (shift < 64) {
            quotient = scaled >> shift;
            const std::uint64_t rest = scaled & ((std::uint64_t{1} << shift) - 1);
            const std::uint64_t half = std::uint64_t{1} << (shift - 1);
            if (rest > half || (rest == half && (quotient & 1))) ++quotient;
        }
        digits = std::to_string(quotient);
    }
    if (digits.size() <= static_cast<size_t>(decimals)) digits.insert(0, decimals + 1 - digits.size(), '0');
    std::string text = negative ? "-" : "";
    text += digits.substr(0, digits.size() - decimals);
    if (decimals > 0) text += "." + digits.substr(digits.size() - decimals);
    return text;
}

double ParseDecimal(std::string_view text) {
    size_t i = 0;
    const bool negative = i < text.size() && text[i] == '-';
    if (i < text.size() && (text[i] == '-' || text[i] == '+')) ++i;
    std::uint64_t significand = 0;
    int significantDigits = 0, scale = 0, digits = 0;
    const auto isDigit = [&](size_t at) { return at < text.size() && text[at] >= '0' && text[at] <= '9'; };
    const auto take = [&](char c, bool afterPoint) {
        ++digits;
        if (significantDigits == 0 && c == '0') {
            if (afterPoint) --scale;
            return;
        }
        if (significantDigits < 19) {
            significand = significand * 10 + static_cast<std::uint64_t>(c - '0');
            ++significantDigits;
            if (afterPoint) --scale;
        } else {
            ++significantDigits;
            if (!afterPoint) ++scale;
        }
    };
    for (; isDigit(i); ++i)
        take(text[i], false);
    if (i < text.size() && text[i] == '.')
        for (++i; isDigit(i); ++i)
            take(text[i], true);
    if (digits == 0) return 0;
    const size_t numberEnd = i;
    if (i < text.size() && (text[i] == 'e' || text[i] == 'E')) {
        size_t j = i + 1;
        const bool negativeExponent = j < text.size() && text[j] == '-';
        if (j < text.size() && (text[j] == '-' || text[j] == '+')) ++j;
        if (isDigit(j)) {
            int exponent = 0;
            for (; isDigit(j); ++j)
                exponent = std::min(exponent * 10 + (text[j] - '0'), 100000);
            scale += negativeExponent ? -exponent : exponent;
            i = j;
        }
    }
    double value;
    if (significand == 0) {
        value = 0;
    } else if (significantDigits <= 15 && scale >= -22 && scale <= 22) {
        // Both operands are exact, so the one rounding of the product or quotient is the correct one.
        const double whole = static_cast<double>(significand);
        value = scale < 0 ? whole / kExactPowersOfTen[-scale] : whole * kExactPowersOfTen[scale];
    } else {
        // Long or far-scaled numbers are rare here; the C library's plain reader takes them.
        value = std::atof(std::string(text.substr(0, std::max(numberEnd, i))).c_str());
        return value;
    }
    return negative ? -value : value;
}

} // namespace core
