#pragma once

#include <string_view>

// The program's file and product versions, as the About box shows them.
inline constexpr std::string_view kFileVersion = "1.0.16.1";
inline constexpr std::string_view kProductVersion = "1.0.163.1";
