#pragma once

#include <cstdint>
#include <span>
#include <string>
#include <string_view>

// Plan and transponder names are 8-bit bytes. They are shown as Latin-1, which
// maps every byte to one character and back without loss. Texts here are UTF-8.
namespace names {

// The characters of a fixed name field up to its first zero byte (or the whole
// field when it has none), as UTF-8 text.
std::string toText(std::span<const char> field);

// Stores `text` into `field`: at most `maxChars` characters and a terminating
// zero, every later byte zero. Characters outside Latin-1 become '?'.
void fromText(std::string_view text, std::span<char> field, std::size_t maxChars = 8);

// Copies a name from a byte field of a file or frame: the bytes up to the first
// zero, at most `maxChars` of them; every later byte of `field` zero. Never reads
// past `source`.
void copyField(std::span<const std::uint8_t> source, std::span<char> field, std::size_t maxChars = 8);

// UTF-8 text to Latin-1 bytes and back; characters outside Latin-1 become '?'.
std::string latin1ToUtf8(std::string_view latin1);
std::string utf8ToLatin1(std::string_view utf8);

// Number of characters of a UTF-8 text.
std::size_t charCount(std::string_view utf8);

} // namespace names
