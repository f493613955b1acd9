#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

// Values as spreadsheets and web pages write them, turned into the texts the
// lists' cells take; a text they do not know stays as it is, for the cell's
// rule to judge.
namespace pasted_value {

// A decimal comma as a point, when the text has no point of its own.
std::string decimalPoint(std::string_view text);

// The choice a text names: a choice spelled in any case, or a common spelling
// of it ("H" and "Horizontal" for "HORIZ/LEFT", "DVB-S2" for "DVB_S2", "yes"
// for "Enable", "E" for "East").
std::string choiceOf(std::string_view text, const std::vector<std::string>& choices);

// A roll-off as "0.35", "0,35", "35%" or "35".
std::string rollOffText(std::string_view text);

// A symbol rate in MS/s; 1000 and more are taken as kS/s.
std::string symbolRateText(std::string_view text);

// A position such as "19.2E", "19.2 °W" or "-5.0": the degrees, and whether
// it is East where the text tells. Only a hemisphere letter, a degree sign
// and a leading minus are taken off; the degrees are the rest as it stands,
// for the longitude's rule to judge ("1/2" stays "1/2").
struct Position {
    std::string degrees;
    std::optional<bool> east;
};
Position positionOf(std::string_view text);

} // namespace pasted_value
