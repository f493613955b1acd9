#include "core/editing/pasted_columns.h"

#include "core/rules/channel_cell_rules.h"
#include "core/rules/plan_cell_rules.h"

#include <algorithm>
#include <array>
#include <cctype>
#include <map>
#include <string_view>

namespace {

struct Synonyms {
    int column;
    std::vector<std::string_view> names;
};

// Header names, lower case, letters and digits only, without units.
const std::vector<Synonyms>& channelHeaders()
{
    using namespace channel_column;
    static const std::vector<Synonyms> headers{
        {kName, {"tpname", "name", "label"}},
        {kEnable, {"enable", "enabled"}},
        {kSignalType, {"signaltype", "system", "type", "deliverysystem", "standard", "sys"}},
        {kFrequency, {"freq", "frequency", "downlink", "downlinkfrequency"}},
        {kBandwidth, {"bw", "bandwidth"}},
        {kSymbolRate, {"sr", "symbolrate", "srate", "symrate", "symbol"}},
        {kCodeRate, {"coderate", "fec", "innerfec"}},
        {kModulation, {"modulation", "mod", "modulationtype", "mtype"}},
        {kRollOff, {"rolloff", "roll", "ro"}},
        {kPolarization, {"polarization", "polarisation", "pol", "polar", "polarity"}},
        {kLnbLo, {"lnblo"}},
        {kPilots, {"pilots", "pilot"}},
    };
    return headers;
}

const std::vector<Synonyms>& planHeaders()
{
    using namespace plan_column;
    static const std::vector<Synonyms> headers{
        {kName, {"planname", "name", "satellite", "sat", "satname", "satellitename"}},
        {kEastOrWest, {"eastorwest", "eastwest", "hemisphere", "ew", "direction"}},
        {kLongitude, {"longitude", "position", "orbitalposition", "pos", "orbit"}},
        {kLnbLow, {"lnblowosc", "lnblow", "lowosc", "lof1", "lowlof", "lnblof1"}},
        {kLnbHigh, {"lnbhighosc", "lnbhigh", "highosc", "lof2", "highlof", "lnblof2"}},
    };
    return headers;
}

// Lower-case letters and digits of a header, without parts in brackets and
// without a trailing unit: "Freq(MHz)" and "Frequency MHz" give "freq" and
// "frequency".
std::string headerKey(std::string_view header)
{
    std::string key;
    int depth = 0;
    for (const char c : header) {
        if (c == '(' || c == '[')
            ++depth;
        else if ((c == ')' || c == ']') && depth > 0)
            --depth;
        else if (depth == 0 && std::isalnum(static_cast<unsigned char>(c)) != 0)
            key.push_back(static_cast<char>(std::tolower(static_cast<unsigned char>(c))));
    }
    for (const std::string_view unit : {"mhz", "ghz", "khz", "ksyms", "ksymbols", "ksps", "msyms", "msps", "kbaud"})
        if (key.size() > unit.size() && key.ends_with(unit)) {
            key.erase(key.size() - unit.size());
            break;
        }
    return key;
}

// The pasted columns of `known` headers, each list column once, in `applyOrder`.
std::vector<PastedColumn> mapColumns(const std::vector<std::string>& header, const std::vector<Synonyms>& known,
                                     std::span<const int> applyOrder)
{
    std::map<int, PastedColumn> byColumn;
    for (std::size_t i = 0; i < header.size(); ++i) {
        const std::string key = headerKey(header[i]);
        for (const Synonyms& synonyms : known)
            if (std::find(synonyms.names.begin(), synonyms.names.end(), key) != synonyms.names.end())
                byColumn.try_emplace(synonyms.column, PastedColumn{synonyms.column, i, header[i]});
    }
    std::vector<PastedColumn> mapped;
    for (const int column : applyOrder)
        if (const auto found = byColumn.find(column); found != byColumn.end())
            mapped.push_back(found->second);
    return mapped;
}

// The row number columns the lists' copies begin with.
constexpr std::array<std::string_view, 2> kRowNumberHeaders{"tpno", "planid"};

} // namespace

bool knownHeader(std::string_view header)
{
    const std::string key = headerKey(header);
    const auto names = [&key](const std::vector<Synonyms>& known) {
        return std::any_of(known.begin(), known.end(), [&key](const Synonyms& synonyms) {
            return std::find(synonyms.names.begin(), synonyms.names.end(), key) != synonyms.names.end();
        });
    };
    return names(channelHeaders()) || names(planHeaders()) ||
           std::find(kRowNumberHeaders.begin(), kRowNumberHeaders.end(), key) != kRowNumberHeaders.end();
}

std::vector<PastedColumn> channelColumns(const std::vector<std::string>& header, std::span<const int> order)
{
    return mapColumns(header, channelHeaders(), order);
}

std::vector<PastedColumn> planColumns(const std::vector<std::string>& header, std::span<const int> order)
{
    return mapColumns(header, planHeaders(), order);
}
