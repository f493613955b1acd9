#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

// A 16-byte identity of a plan or a transponder, stored exactly as on disk.
struct Guid {
    std::array<std::uint8_t, 16> bytes{};

    friend bool operator==(const Guid&, const Guid&) = default;
    friend auto operator<=>(const Guid&, const Guid&) = default;

    bool isNull() const;

    // 16 random bytes marked as an RFC 4122 version 4 identity. Thread-safe.
    static Guid generate();

    // 8-4-4-4-12 lowercase hex, the first three groups read little-endian from
    // the stored bytes (the usual Windows rendering of a GUID).
    std::string toString() const;
    static std::optional<Guid> fromString(std::string_view text);
};
