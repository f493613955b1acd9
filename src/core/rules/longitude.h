#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

// Orbital positions as text, for the plan pane, the plan files, the meter
// frames and the tools alike. The decimal point is always ".", whatever the
// process locale.
namespace longitude {

// The text fields of the Q24 and Q9100 files and of the plan header frame:
// six characters and a terminator.
inline constexpr std::size_t kFieldSize = 7;
inline constexpr std::size_t kMaxChars = kFieldSize - 1;

// The degrees with one decimal, rounded as "%.1f" rounds: "19.2", "160.0".
std::string degreesText(float degrees);

// The degrees with one decimal and the hemisphere letter: "19.2E", "160.0W".
std::string hemisphereText(float degrees, bool east);

// The text of the files' longitude field: hemisphereText, its number cut so
// that the text never exceeds six characters and always ends with the letter.
std::string fileText(float degrees, bool east);

// The text of the plan header frame: one decimal zero-padded to three integer
// digits, then the letter ("005.0E", "013.0W", "160.0E"). The padding follows
// the rounded value, so 9.96 gives "010.0E". A value beyond 999.9, which no
// plan holds, is cut as fileText cuts it.
std::string frameText(float degrees, bool east);

// Writes `text` (at most six characters of it) into a zeroed field.
void store(std::string_view text, std::span<std::uint8_t, kFieldSize> field);

// The text of `bytes` up to its first zero byte, or all of them.
std::string_view textOf(std::span<const std::uint8_t> bytes);

// The number at the start of `text`: blanks, a sign, then digits with a
// decimal point (and an exponent); the parse ends at the first character that
// cannot continue the number, so "19.2E" gives 19.2 and "12.3.4" gives 12.3.
// Nothing when there is no number or it is not finite.
std::optional<double> leadingNumber(std::string_view text);

// leadingNumber narrowed to single precision, as plans store it; 0 when there
// is no number or it does not fit a float.
float parseDegrees(std::string_view text);

} // namespace longitude
