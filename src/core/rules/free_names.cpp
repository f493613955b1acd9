#include "core/rules/free_names.h"

#include <algorithm>

namespace {

constexpr int kLastNumber = 255;
constexpr std::size_t kMaxNameChars = 8;

// The first `count` characters of a UTF-8 text.
std::string firstChars(std::string_view text, std::size_t count)
{
    std::size_t end = 0;
    for (std::size_t chars = 0; end < text.size(); ++end) {
        const bool continuation = (static_cast<unsigned char>(text[end]) & 0xC0U) == 0x80U;
        if (!continuation && chars++ == count)
            break;
    }
    return std::string(text.substr(0, end));
}

} // namespace

std::string lowestFreeName(std::string_view prefix, const std::function<bool(const std::string&)>& taken)
{
    std::string name;
    for (int n = 1; n <= kLastNumber; ++n) {
        name = std::string(prefix) + std::to_string(n);
        if (!taken(name))
            break;
    }
    return name;
}

std::string uniqueName(std::string_view name, const std::function<bool(const std::string&)>& taken)
{
    if (!taken(std::string(name)))
        return std::string(name);
    const std::string_view stem = name.substr(0, name.find_last_not_of("0123456789") + 1);
    std::string found;
    for (int n = 1; n <= kLastNumber; ++n) {
        const std::string number = std::to_string(n);
        found = firstChars(stem, kMaxNameChars - std::min(kMaxNameChars, number.size())) + number;
        if (!taken(found))
            break;
    }
    return found;
}

std::string freePlanName(const PlanList& plans)
{
    return lowestFreeName("Plan", [&plans](const std::string& name) {
        return std::any_of(plans.begin(), plans.end(), [&](const CComonOrbitune& p) { return p.nameText() == name; });
    });
}

std::string freeChannelName(const CComonOrbitune& plan)
{
    const auto used = plan.usedChannels();
    return lowestFreeName("TP", [&used](const std::string& name) {
        return std::any_of(used.begin(), used.end(), [&](const SateChannel& tp) { return tp.nameText() == name; });
    });
}
