#include "core/editing/pasted_values.h"

#include "core/rules/channel_cell_rules.h"
#include "core/rules/decimal_text.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <cstdint>

namespace pasted_value {

namespace {

constexpr std::uint64_t kKiloSymbolsFrom = 1000; // a symbol rate this large is in kS/s
constexpr std::string_view kDegreeSign = "\u00B0";

std::string upper(std::string_view text)
{
    std::string out;
    for (const char c : text)
        out.push_back(static_cast<char>(std::toupper(static_cast<unsigned char>(c))));
    return out;
}

std::string withoutBlanks(std::string_view text)
{
    std::string out;
    for (const char c : text)
        if (c != ' ' && c != '-' && c != '_')
            out.push_back(c);
    return out;
}

struct Alias {
    std::string_view spelled; // upper case, without blanks, "-" and "_"
    std::string_view choice;
};

constexpr std::array kChannelAliases{
    Alias{"YES", "Enable"},     Alias{"Y", "Enable"},         Alias{"ON", "Enable"},
    Alias{"1", "Enable"},       Alias{"TRUE", "Enable"},      Alias{"ENABLED", "Enable"},
    Alias{"NO", "Disable"},     Alias{"N", "Disable"},        Alias{"OFF", "Disable"},
    Alias{"0", "Disable"},      Alias{"FALSE", "Disable"},    Alias{"DISABLED", "Disable"},
    Alias{"DVBS", "DVB_S"},     Alias{"S", "DVB_S"},          Alias{"DVBS2", "DVB_S2"},
    Alias{"S2", "DVB_S2"},      Alias{"PSK8", "8PSK"},        Alias{"H", "HORIZ/LEFT"},
    Alias{"HOR", "HORIZ/LEFT"}, Alias{"HORIZ", "HORIZ/LEFT"}, Alias{"HORIZONTAL", "HORIZ/LEFT"},
    Alias{"L", "HORIZ/LEFT"},   Alias{"LEFT", "HORIZ/LEFT"},  Alias{"V", "VERT/RIGHT"},
    Alias{"VER", "VERT/RIGHT"}, Alias{"VERT", "VERT/RIGHT"},  Alias{"VERTICAL", "VERT/RIGHT"},
    Alias{"R", "VERT/RIGHT"},   Alias{"RIGHT", "VERT/RIGHT"}, Alias{"E", "East"},
    Alias{"W", "West"},
};

} // namespace

std::string decimalPoint(std::string_view text)
{
    std::string out(text);
    if (out.find('.') == std::string::npos && std::count(out.begin(), out.end(), ',') == 1)
        std::replace(out.begin(), out.end(), ',', '.');
    return out;
}

std::string choiceOf(std::string_view text, const std::vector<std::string>& choices)
{
    const std::string spelled = upper(text);
    for (const std::string& choice : choices)
        if (upper(choice) == spelled)
            return choice;
    const std::string bare = withoutBlanks(spelled);
    for (const Alias& alias : kChannelAliases)
        if (alias.spelled == bare && std::find(choices.begin(), choices.end(), alias.choice) != choices.end())
            return std::string(alias.choice);
    return std::string(text);
}

std::string rollOffText(std::string_view text)
{
    std::string number = decimalPoint(text);
    const bool percent = !number.empty() && number.back() == '%';
    if (percent)
        number.pop_back();
    if (!IsNumericText(number))
        return std::string(text);
    const decimal::Scaled hundredths = decimal::scale(number, 2);
    const std::uint64_t value = percent || hundredths.value >= 100 ? decimal::scale(number, 0).value : hundredths.value;
    return decimal::formatScaled(static_cast<std::int64_t>(value), 2);
}

std::string symbolRateText(std::string_view text)
{
    const std::string number = decimalPoint(text);
    if (!IsNumericText(number) || decimal::scale(number, 0).value < kKiloSymbolsFrom)
        return number;
    return decimal::formatScaled(static_cast<std::int64_t>(decimal::scale(number, 6).value), 9);
}

Position positionOf(std::string_view text)
{
    std::string number = decimalPoint(text);
    const auto trimEnd = [&number] {
        while (!number.empty() && number.back() == ' ')
            number.pop_back();
    };
    trimEnd();
    std::optional<bool> east;
    const char last =
        number.empty() ? '\0' : static_cast<char>(std::toupper(static_cast<unsigned char>(number.back())));
    if (last == 'E' || last == 'W') {
        east = last == 'E';
        number.pop_back();
        trimEnd();
    }
    if (number.ends_with(kDegreeSign)) {
        number.erase(number.size() - kDegreeSign.size());
        trimEnd();
    }
    if (!number.empty() && number.front() == '-') {
        east = false;
        number.erase(0, 1);
    }
    return {number, east};
}

} // namespace pasted_value
