#include "core/rules/row_compare.h"

#include "core/rules/channel_cell_rules.h"

#include <algorithm>
#include <cstdint>

namespace {

int compareNumbers(float a, float b)
{
    return a < b ? -1 : (b < a ? 1 : 0);
}

float asUnsigned(std::int32_t value)
{
    return static_cast<float>(static_cast<std::uint32_t>(value));
}

// Weight of a character ignoring case: punctuation and other symbols first (in
// their code order), then digits, then letters.
int primaryWeight(unsigned char c)
{
    if (c >= '0' && c <= '9')
        return 0x200 + (c - '0');
    if (c >= 'a' && c <= 'z')
        return 0x300 + (c - 'a');
    if (c >= 'A' && c <= 'Z')
        return 0x300 + (c - 'A');
    return c;
}

bool isLower(unsigned char c)
{
    return c >= 'a' && c <= 'z';
}

} // namespace

int CompareNames(std::string_view a, std::string_view b)
{
    const std::size_t n = std::min(a.size(), b.size());
    for (std::size_t i = 0; i < n; ++i) {
        const int wa = primaryWeight(static_cast<unsigned char>(a[i]));
        const int wb = primaryWeight(static_cast<unsigned char>(b[i]));
        if (wa != wb)
            return wa < wb ? -1 : 1;
    }
    if (a.size() != b.size())
        return a.size() < b.size() ? -1 : 1;
    for (std::size_t i = 0; i < n; ++i) {
        const bool la = isLower(static_cast<unsigned char>(a[i]));
        const bool lb = isLower(static_cast<unsigned char>(b[i]));
        if (a[i] != b[i] && la != lb)
            return la ? -1 : 1;
    }
    return 0;
}

int CompareChannels(const SateChannel& a, const SateChannel& b, int column)
{
    using namespace channel_column;
    switch (column) {
    case kNumber:
        return compareNumbers(a.number, b.number);
    case kName:
        return CompareNames(a.nameText(), b.nameText());
    case kFrequency:
        return compareNumbers(static_cast<float>(a.frequency), static_cast<float>(b.frequency));
    case kBandwidth:
        return compareNumbers(static_cast<float>(a.bandwidth), static_cast<float>(b.bandwidth));
    case kSymbolRate:
        return compareNumbers(static_cast<float>(a.symbolRate), static_cast<float>(b.symbolRate));
    default:
        return 0;
    }
}

int ComparePlans(const CComonOrbitune& a, const CComonOrbitune& b, int column)
{
    switch (column) {
    case 0:
        return compareNumbers(a.number, b.number);
    case 1:
        return CompareNames(a.nameText(), b.nameText());
    case 3:
        return compareNumbers(a.longitude, b.longitude);
    case 4:
        return compareNumbers(asUnsigned(a.lnbLow), asUnsigned(b.lnbLow));
    case 5:
        return compareNumbers(asUnsigned(a.lnbHigh), asUnsigned(b.lnbHigh));
    default:
        return 0;
    }
}
