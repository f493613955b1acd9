#pragma once

#include <array>
#include <cstddef>

// One Gauss coefficient pair of a spherical harmonic field model: degree n,
// order m, the main field g and h (nT) at the epoch and their secular
// variation (nT per year).
struct GaussCoefficient {
    int n;
    int m;
    double g;
    double h;
    double gDot;
    double hDot;
};

namespace wmm2025 {

inline constexpr int kDegree = 12;
// Every (n, m) with 1 <= n <= 12 and 0 <= m <= n.
inline constexpr std::size_t kCoefficientCount = 90;
inline constexpr double kEpoch = 2025.0;
// The model holds for decimal years from the epoch up to, not including, this.
inline constexpr double kValidUntil = 2030.0;

extern const std::array<GaussCoefficient, kCoefficientCount> kCoefficients;

} // namespace wmm2025
