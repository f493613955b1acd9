#include "core/files/plans_json.h"

#include "core/model/name_text.h"
#include "core/model/unique_ids.h"
#include "core/rules/free_names.h"

#include <nlohmann/json.hpp>

#include <cmath>
#include <limits>
#include <optional>
#include <set>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

using nlohmann::json;

namespace {

json channelJson(const SateChannel& c)
{
    return json{{"number", c.number},         {"name", c.nameText()},     {"enabled", c.enabled},
                {"signalType", c.signalType}, {"reserved1", c.reserved1}, {"reserved2", c.reserved2},
                {"frequency", c.frequency},   {"bandwidth", c.bandwidth}, {"symbolRate", c.symbolRate},
                {"reserved3", c.reserved3},   {"codeRate", c.codeRate},   {"modulation", c.modulation},
                {"rollOff", c.rollOff},       {"pilots", c.pilots},       {"polarization", c.polarization},
                {"lnbLo", c.lnbLo},           {"id", c.id.toString()}};
}

json planJson(const CComonOrbitune& p)
{
    json channels = json::array();
    for (const auto& c : p.usedChannels())
        channels.push_back(channelJson(c));
    return json{{"tag", p.tag},
                {"flag", p.flag},
                {"number", p.number},
                {"name", p.nameText()},
                {"countByte", p.countByte},
                {"lnbLow", p.lnbLow},
                {"lnbHigh", p.lnbHigh},
                {"longitude", p.longitude},
                {"isEast", p.isEast},
                {"id", p.id.toString()},
                {"channelCount", p.channelCount},
                {"channelCapacity", p.channelCapacity},
                {"channelsAdded", p.channelsAdded},
                {"channels", channels}};
}

// A failure of one key, with where it sits.
struct JsonError : std::runtime_error {
    using std::runtime_error::runtime_error;
};

// Reads the members of one object, naming the object in every error.
class Fields {
public:
    Fields(const json& object, std::string where) : object_(object), where_(std::move(where))
    {
        if (!object_.is_object())
            throw JsonError(where_ + ": expected an object");
    }

    bool has(const char* key) const { return object_.contains(key); }

    template <typename T> void integer(const char* key, T& value) const
    {
        if (!has(key))
            return;
        const json& v = object_.at(key);
        if (!v.is_number_integer())
            fail(key, "expected an integer");
        constexpr auto lo = static_cast<long long>(std::numeric_limits<T>::min());
        constexpr auto hi = static_cast<unsigned long long>(std::numeric_limits<T>::max());
        bool fits = false;
        if (v.is_number_unsigned()) {
            fits = v.get<unsigned long long>() <= hi;
        } else {
            const auto s = v.get<long long>();
            fits = s >= lo && (s < 0 || static_cast<unsigned long long>(s) <= hi);
        }
        if (!fits)
            fail(key, "out of range " + std::to_string(lo) + " to " + std::to_string(hi));
        value =
            v.is_number_unsigned() ? static_cast<T>(v.get<unsigned long long>()) : static_cast<T>(v.get<long long>());
    }

    void number(const char* key, float& value) const
    {
        if (!has(key))
            return;
        const json& v = object_.at(key);
        if (!v.is_number())
            fail(key, "expected a number");
        const double d = v.get<double>();
        if (!std::isfinite(d) || std::fabs(d) > std::numeric_limits<float>::max())
            fail(key, "out of range");
        value = static_cast<float>(d);
    }

    // Stores the name and answers the text the document gave.
    std::string name(const char* key, std::span<char> field) const
    {
        const json& v = object_.at(key);
        if (!v.is_string())
            fail(key, "expected a text");
        const std::string text = v.get<std::string>();
        if (names::utf8ToLatin1(text).size() > 8 || text.find('\0') != std::string::npos)
            fail(key, "more than 8 characters");
        names::fromText(text, field);
        return text;
    }

    void guid(const char* key, Guid& id) const
    {
        const json& v = object_.at(key);
        const auto parsed = v.is_string() ? Guid::fromString(v.get<std::string>()) : std::nullopt;
        if (!parsed)
            fail(key, "expected a GUID text");
        id = *parsed;
    }

    const json& at(const char* key) const { return object_.at(key); }

    [[noreturn]] void fail(const char* key, const std::string& what) const
    {
        throw JsonError(where_ + ", key \"" + key + "\": " + what);
    }

private:
    const json& object_;
    std::string where_;
};

// The lowest free name among the names a document gives.
std::string freeName(std::string_view prefix, const std::set<std::string>& used)
{
    return lowestFreeName(prefix, [&used](const std::string& name) { return used.contains(name); });
}

// Where a name stands in the document, for the notice that it changed.
struct NamePlace {
    std::size_t plan = 0; // from 1
    std::size_t tp = 0;   // from 1; 0 for the plan's own name
};

void noteChangedName(const NamePlace& place, const std::string& given, const std::string& stored,
                     std::vector<Notice>& renamed)
{
    if (given == stored)
        return;
    if (place.tp == 0)
        renamed.push_back({msg::kPlanNameChanged, {std::to_string(place.plan), given, stored}});
    else
        renamed.push_back({msg::kTpNameChanged, {std::to_string(place.plan), std::to_string(place.tp), given, stored}});
}

SateChannel readChannel(const json& object, const std::string& where, NamePlace place, std::set<std::string>& names,
                        std::vector<Notice>& renamed)
{
    const Fields f(object, where);
    SateChannel c = SateChannel::withAddDefaults(static_cast<std::uint8_t>(place.tp), "");
    if (f.has("name")) {
        const std::string given = f.name("name", c.name);
        noteChangedName(place, given, c.nameText(), renamed);
    } else {
        c.setNameText(freeName("TP", names));
    }
    names.insert(c.nameText());
    f.integer("number", c.number);
    f.integer("enabled", c.enabled);
    f.integer("signalType", c.signalType);
    f.integer("reserved1", c.reserved1);
    f.integer("reserved2", c.reserved2);
    f.integer("frequency", c.frequency);
    f.integer("bandwidth", c.bandwidth);
    f.integer("symbolRate", c.symbolRate);
    f.integer("reserved3", c.reserved3);
    f.integer("codeRate", c.codeRate);
    f.integer("modulation", c.modulation);
    f.integer("rollOff", c.rollOff);
    f.integer("pilots", c.pilots);
    f.integer("polarization", c.polarization);
    f.integer("lnbLo", c.lnbLo);
    if (f.has("id"))
        f.guid("id", c.id);
    return c;
}

// Names given in the document, so that generated names avoid them.
std::set<std::string> givenNames(const json& array)
{
    std::set<std::string> names;
    if (!array.is_array())
        return names;
    for (const auto& item : array)
        if (item.is_object() && item.contains("name") && item.at("name").is_string())
            names.insert(item.at("name").get<std::string>());
    return names;
}

CComonOrbitune readPlan(const json& object, const std::string& where, std::size_t planNumber, std::int32_t& counter,
                        std::set<std::string>& planNames, std::vector<Notice>& renamed)
{
    const Fields f(object, where);
    CComonOrbitune p = CComonOrbitune::withAddDefaults(0, "");
    if (f.has("name")) {
        const std::string given = f.name("name", p.name);
        noteChangedName({planNumber, 0}, given, p.nameText(), renamed);
    } else {
        p.setNameText(freeName("Plan", planNames));
    }
    planNames.insert(p.nameText());
    if (f.has("number")) {
        f.integer("number", p.number);
    } else {
        if (counter == std::numeric_limits<std::int32_t>::max())
            f.fail("number", "no number left after nextPlanNumber");
        ++counter;
        p.number = static_cast<std::uint8_t>(counter);
    }
    f.integer("tag", p.tag);
    f.integer("flag", p.flag);
    f.integer("countByte", p.countByte);
    f.integer("lnbLow", p.lnbLow);
    f.integer("lnbHigh", p.lnbHigh);
    f.number("longitude", p.longitude);
    f.integer("isEast", p.isEast);
    if (f.has("id"))
        f.guid("id", p.id);

    if (f.has("channels")) {
        const json& channels = f.at("channels");
        if (!channels.is_array())
            f.fail("channels", "expected an array");
        if (channels.size() > static_cast<std::size_t>(CComonOrbitune::kSlotCount))
            f.fail("channels", "more than 255 TPs");
        std::set<std::string> tpNames = givenNames(channels);
        for (std::size_t k = 0; k < channels.size(); ++k)
            p.appendChannel(readChannel(channels[k], where + ", TP " + std::to_string(k + 1), {planNumber, k + 1},
                                        tpNames, renamed));
    }
    p.channelsAdded = p.channelCount;
    std::int32_t count = p.channelCount;
    f.integer("channelCount", count);
    if (count != p.channelCount)
        f.fail("channelCount", "differs from the number of channels");
    std::int32_t capacity = CComonOrbitune::kSlotCount;
    f.integer("channelCapacity", capacity);
    if (capacity != CComonOrbitune::kSlotCount)
        f.fail("channelCapacity", "must be 255");
    f.integer("channelsAdded", p.channelsAdded);
    return p;
}

} // namespace

std::string encodePlansJson(std::int32_t nextPlanNumber, const PlanList& plans)
{
    json list = json::array();
    for (const auto& p : plans)
        list.push_back(planJson(p));
    return json{{"nextPlanNumber", nextPlanNumber}, {"plans", list}}.dump(2, ' ', false,
                                                                          json::error_handler_t::replace) +
           "\n";
}

namespace {

// Builds the document from the parser's events, keeping at most 255 plans of
// its "plans" array and at most 255 TPs of each plan's "channels" array. What
// it drops is counted as it passes and never built, so that no document,
// however many plans it holds, takes more time or memory than its text and
// the plans the list can hold.
class LimitedDocument : public nlohmann::json_sax<json> {
public:
    bool null() override { return add(json(nullptr)); }
    bool boolean(bool value) override { return add(json(value)); }
    bool number_integer(number_integer_t value) override { return add(json(value)); }
    bool number_unsigned(number_unsigned_t value) override { return add(json(value)); }
    bool number_float(number_float_t value, const string_t&) override { return add(json(value)); }
    bool string(string_t& value) override { return add(json(std::move(value))); }
    bool binary(binary_t& value) override { return add(json::binary(std::move(value))); }
    bool start_object(std::size_t) override { return open(json::object(), false); }
    bool start_array(std::size_t) override { return open(json::array(), true); }
    bool end_object() override { return close(); }
    bool end_array() override { return close(); }
    bool key(string_t& name) override
    {
        key_ = std::move(name);
        return true;
    }
    bool parse_error(std::size_t, const std::string&, const nlohmann::detail::exception&) override { return false; }

    json& document() { return document_; }
    int plansDropped() const { return plansDropped_; }
    // The first plan (from 0) among those kept whose TPs were dropped.
    std::optional<int> overfullPlan() const { return overfullPlan_; }

private:
    // One open object or array: where it is built (none when dropped), what
    // it is to the document, and how many elements it had so far.
    struct Open {
        json* value = nullptr;
        bool plans = false;    // the document's "plans" array
        bool plan = false;     // an element of it
        bool channels = false; // a plan's "channels" array
        int elements = 0;
    };

    // Counts a new element of the open array or object and answers where it
    // goes, or none when it is dropped.
    json* place(json&& value)
    {
        if (open_.empty()) {
            document_ = std::move(value);
            return &document_;
        }
        Open& parent = open_.back();
        ++parent.elements;
        if (parent.value == nullptr)
            return nullptr;
        if (parent.plans && parent.elements > PlanList::kMaxPlans) {
            ++plansDropped_;
            return nullptr;
        }
        if (parent.channels && parent.elements > CComonOrbitune::kSlotCount) {
            const int plan = open_[open_.size() - 3].elements - 1;
            if (!overfullPlan_ && plan < PlanList::kMaxPlans)
                overfullPlan_ = plan;
            return nullptr;
        }
        if (parent.value->is_array()) {
            parent.value->push_back(std::move(value));
            return &parent.value->back();
        }
        json& member = (*parent.value)[key_];
        member = std::move(value);
        return &member;
    }

    bool add(json&& value)
    {
        place(std::move(value));
        return true;
    }

    bool open(json&& empty, bool array)
    {
        const bool inDocument = open_.size() == 1 && open_.front().value == &document_ && document_.is_object();
        const bool inPlans = !open_.empty() && open_.back().plans;
        const bool inPlan = !open_.empty() && open_.back().plan;
        Open opened;
        opened.plans = array && inDocument && key_ == "plans";
        opened.plan = inPlans;
        opened.channels = array && inPlan && key_ == "channels";
        opened.value = place(std::move(empty));
        open_.push_back(opened);
        return true;
    }

    bool close()
    {
        open_.pop_back();
        return true;
    }

    json document_;
    std::vector<Open> open_;
    std::string key_;
    int plansDropped_ = 0;
    std::optional<int> overfullPlan_;
};

} // namespace

PlansJsonResult decodePlansJson(std::string_view text)
{
    PlansJsonResult result;
    LimitedDocument limited;
    if (!json::sax_parse(text.begin(), text.end(), &limited)) {
        result.error = "malformed JSON";
        return result;
    }
    if (const auto overfull = limited.overfullPlan()) {
        result.error = "plan " + std::to_string(*overfull + 1) + ", key \"channels\": more than 255 TPs";
        return result;
    }
    result.plansNotTaken = limited.plansDropped();
    const json& document = limited.document();
    try {
        const Fields top(document, "document");
        top.integer("nextPlanNumber", result.nextPlanNumber);
        if (top.has("plans")) {
            const json& plans = top.at("plans");
            if (!plans.is_array())
                top.fail("plans", "expected an array");
            std::set<std::string> planNames = givenNames(plans);
            for (std::size_t i = 0; i < plans.size(); ++i) {
                std::string where = "plan " + std::to_string(i + 1);
                if (plans[i].is_object() && plans[i].contains("name") && plans[i].at("name").is_string())
                    where += " (\"" + plans[i].at("name").get<std::string>() + "\")";
                result.plans.push_back(
                    readPlan(plans[i], where, i + 1, result.nextPlanNumber, planNames, result.renamed));
            }
        }
        freshenRepeatedIds(result.plans);
    } catch (const JsonError& e) {
        result.plans.clear();
        result.renamed.clear();
        result.error = e.what();
    }
    return result;
}
