#pragma once

#include <cstdint>
#include <span>
#include <string>

// The longitude text of the Q24 and Q9100 files: the degrees with one decimal
// followed by "E" or "W", in a 7-byte field that also holds the terminator.
namespace longitude_text {

inline constexpr std::size_t kFieldSize = 7;

// "19.2E", "160.0W". A number too wide for the field keeps its first
// characters, so the text never exceeds 6 characters and always ends with the
// letter. The decimal point is always ".", whatever the process locale.
std::string format(float longitude, bool east);

// Writes the text into a zeroed 7-byte field.
void store(float longitude, bool east, std::span<std::uint8_t, kFieldSize> field);

// The decimal number at the start of the field's text (blanks and a sign
// allowed, the parse ending at the first character that cannot continue it), as
// float32; 0 when there is none or it does not fit a float. Never reads past the
// field.
float parse(std::span<const std::uint8_t, kFieldSize> field);

// Whether the field's text, up to its terminator, holds one of `letters`.
bool contains(std::span<const std::uint8_t, kFieldSize> field, std::string_view letters);

} // namespace longitude_text
