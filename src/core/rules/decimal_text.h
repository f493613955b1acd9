#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Decimal numbers as the cells show and take them: digits with at most one
// decimal point, no sign and no exponent. Everything here is independent of
// the C locale, which the user interface may have switched.
namespace decimal {

// The leading number of a text: digits, then a point and digits; it ends at the
// first other character or at a second point ("12.3.4" gives "12.3").
std::string_view leadingNumber(std::string_view text);

// The leading number of `text` times 10^decimals, truncated toward zero and
// worked out digit by digit, so that "4.35" with 2 decimals is exactly 435.
// Values beyond kLimit saturate at kLimit. `dropped` tells whether a non-zero
// digit was cut off, so that callers can compare the text exactly with bounds.
struct Scaled {
    static constexpr std::uint64_t kLimit = 1'000'000'000'000'000'000ULL;
    std::uint64_t value = 0;
    bool dropped = false;
};
Scaled scale(std::string_view text, int decimals);

// The leading number of `text` as the nearest double; 0 when there is none and
// infinity when it is too large for a double.
double parse(std::string_view text);

// `value` / 10^decimals written with exactly `decimals` decimals: 435, 2 gives
// "4.35"; -5, 3 gives "-0.005".
std::string formatScaled(std::int64_t value, int decimals);

// `value` rounded to `decimals` decimals, as "%.*f" does in the C locale.
std::string formatFixed(double value, int decimals);

} // namespace decimal
