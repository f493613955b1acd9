#include "core/import/dvbv5_file.h"

#include "core/files/atomic_save.h"
#include "core/files/file_error_message.h"
#include "core/rules/ascii_text.h"

#include <algorithm>
#include <array>
#include <cerrno>
#include <memory>
#include <span>

#include <libdvbv5/dvb-fe.h>
#include <libdvbv5/dvb-file.h>
#include <libdvbv5/dvb-v5-std.h>
#include <sys/mman.h>
#include <unistd.h>

namespace {

using ascii_text::trimmed;
using ascii_text::upper;

// The value the library gives a property that an entry leaves unset.
constexpr std::uint32_t kUnset = 0xFFFFFFFF;
constexpr std::size_t kMaxNumberDigits = 9;

struct FileFree {
    void operator()(dvb_file* file) const { dvb_file_free(file); }
};

// The keys the import reads, with the library's command of each; a command
// without names takes a number.
struct ScanKey {
    std::string_view name;
    std::uint32_t command;
};
constexpr std::array kScanKeys{ScanKey{"DELIVERY_SYSTEM", DTV_DELIVERY_SYSTEM},
                               ScanKey{"FREQUENCY", DTV_FREQUENCY},
                               ScanKey{"SYMBOL_RATE", DTV_SYMBOL_RATE},
                               ScanKey{"INNER_FEC", DTV_INNER_FEC},
                               ScanKey{"MODULATION", DTV_MODULATION},
                               ScanKey{"ROLLOFF", DTV_ROLLOFF},
                               ScanKey{"PILOT", DTV_PILOT},
                               ScanKey{"POLARIZATION", DTV_POLARIZATION}};

bool sameLetters(std::string_view a, std::string_view b)
{
    return a.size() == b.size() &&
           std::equal(a.begin(), a.end(), b.begin(), [](char x, char y) { return upper(x) == upper(y); });
}

bool isKeyChar(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
}

bool isControl(char c)
{
    const auto u = static_cast<unsigned char>(c);
    return (u < 0x20 && c != '\t') || u == 0x7F;
}

// The names the library gives the values of a command, up to the first gap.
std::span<const char* const> namesOf(std::uint32_t command)
{
    const char* const* names = dvb_attr_names(static_cast<int>(command));
    std::size_t count = 0;
    while (names != nullptr && names[count] != nullptr)
        ++count;
    return {names, count};
}

// The value as the library spells it, if it is one the command takes.
std::optional<std::string> spelledValue(std::uint32_t command, std::string_view value)
{
    const auto names = namesOf(command);
    if (names.empty()) {
        const bool number = !value.empty() && value.size() <= kMaxNumberDigits &&
                            std::all_of(value.begin(), value.end(), [](char c) { return c >= '0' && c <= '9'; });
        return number ? std::optional(std::string(value)) : std::nullopt;
    }
    for (const char* name : names)
        if (sameLetters(name, value))
            return std::string(name);
    return std::nullopt;
}

// Checks one file's lines in turn, writing the plain form as it goes.
class ScanChecker {
public:
    explicit ScanChecker(const std::string& file) : file_(file) {}

    ScanText run(std::string_view bytes)
    {
        for (std::size_t start = 0; start < bytes.size() && !result_.problem;) {
            const std::size_t end = std::min(bytes.find('\n', start), bytes.size());
            std::string_view line = bytes.substr(start, end - start);
            if (!line.empty() && line.back() == '\r')
                line.remove_suffix(1);
            ++lineNumber_;
            checkLine(line);
            start = end + 1;
        }
        if (result_.problem)
            result_.text.clear();
        return std::move(result_);
    }

private:
    void refuse(MessageId message, std::vector<std::string> args = {})
    {
        args.insert(args.begin(), {file_, std::to_string(lineNumber_)});
        result_.problem = Notice{message, std::move(args)};
    }

    void checkLine(std::string_view line)
    {
        if (std::any_of(line.begin(), line.end(), isControl))
            return refuse(msg::kScanControlChar);
        if (line.size() > kMaxScanLineChars)
            return refuse(msg::kScanLineTooLong, {std::to_string(kMaxScanLineChars)});
        line = trimmed(line);
        if (line.empty() || line.front() == '#')
            return;
        if (line.front() == '[') {
            if (line.find(']') == std::string_view::npos)
                return refuse(msg::kScanNotLine);
            if (++groups_ > kMaxScanGroups)
                return refuse(msg::kScanTooManyGroups, {std::to_string(kMaxScanGroups)});
            given_.fill(false);
            result_.text += "[CHANNEL]\n";
            return;
        }
        const std::size_t equals = line.find('=');
        const std::string_view key = trimmed(line.substr(0, std::min(equals, line.size())));
        if (equals == std::string_view::npos || key.empty() || !std::all_of(key.begin(), key.end(), isKeyChar))
            return refuse(msg::kScanNotLine);
        if (groups_ == 0)
            return refuse(msg::kScanBeforeGroup);
        const std::string_view value = trimmed(line.substr(equals + 1));
        if (value.size() > kMaxScanValueChars)
            return refuse(msg::kScanValueTooLong, {std::string(key), std::to_string(kMaxScanValueChars)});
        const auto known = std::find_if(kScanKeys.begin(), kScanKeys.end(),
                                        [&](const ScanKey& k) { return sameLetters(k.name, key); });
        if (known == kScanKeys.end())
            return;
        const auto index = static_cast<std::size_t>(known - kScanKeys.begin());
        if (given_[index])
            return refuse(msg::kScanRepeatedKey, {std::string(known->name)});
        given_[index] = true;
        const auto spelled = spelledValue(known->command, value);
        if (!spelled)
            return refuse(msg::kScanBadValue, {std::string(known->name) + " = " + std::string(value)});
        result_.text.append("\t").append(known->name).append(" = ").append(*spelled).append("\n");
    }

    const std::string& file_;
    ScanText result_;
    int lineNumber_ = 0;
    int groups_ = 0;
    std::array<bool, kScanKeys.size()> given_{};
};

// The format's text of a coded value, its number when the format names none,
// nothing when it is unset.
std::string valueText(std::uint32_t command, std::uint32_t value)
{
    if (value == kUnset)
        return {};
    const auto names = namesOf(command);
    if (value < names.size())
        return names[value];
    return std::to_string(value);
}

std::uint64_t numberOf(std::uint32_t value)
{
    return value == kUnset ? 0 : value;
}

Dvbv5Tp tpOf(const dvb_entry& entry)
{
    Dvbv5Tp tp;
    for (unsigned i = 0; i < entry.n_props && i < DTV_MAX_COMMAND; ++i) {
        const std::uint32_t command = entry.props[i].cmd;
        const std::uint32_t value = entry.props[i].u.data;
        switch (command) {
        case DTV_DELIVERY_SYSTEM:
            tp.deliverySystem = valueText(command, value);
            break;
        case DTV_FREQUENCY:
            tp.frequency = numberOf(value);
            break;
        case DTV_SYMBOL_RATE:
            tp.symbolRate = numberOf(value);
            break;
        case DTV_INNER_FEC:
            tp.innerFec = valueText(command, value);
            break;
        case DTV_MODULATION:
            tp.modulation = valueText(command, value);
            break;
        case DTV_ROLLOFF:
            tp.rollOff = valueText(command, value);
            break;
        case DTV_PILOT:
            tp.pilot = valueText(command, value);
            break;
        case DTV_POLARIZATION:
            tp.polarization = valueText(command, value);
            break;
        default:
            break;
        }
    }
    return tp;
}

// A file in memory that the library opens by name, so that it reads exactly
// the checked text and nothing that changed on the disk since.
class MemoryFile {
public:
    explicit MemoryFile(std::string_view text) : fd_(memfd_create("scan", MFD_CLOEXEC))
    {
        for (std::size_t written = 0; fd_ >= 0 && written < text.size();) {
            const ssize_t n = write(fd_, text.data() + written, text.size() - written);
            if (n < 0 && errno == EINTR)
                continue;
            if (n <= 0) {
                close(fd_);
                fd_ = -1;
                break;
            }
            written += static_cast<std::size_t>(n);
        }
    }
    ~MemoryFile()
    {
        if (fd_ >= 0)
            close(fd_);
    }
    MemoryFile(const MemoryFile&) = delete;
    MemoryFile& operator=(const MemoryFile&) = delete;

    bool ok() const { return fd_ >= 0; }
    std::string path() const { return "/proc/self/fd/" + std::to_string(fd_); }

private:
    int fd_;
};

Dvbv5Read problem(MessageId message, std::vector<std::string> args)
{
    return {std::nullopt, Notice{message, std::move(args)}};
}

} // namespace

ScanText checkScanText(std::string_view bytes, const std::string& file)
{
    return ScanChecker(file).run(bytes);
}

Dvbv5Read readDvbv5File(const std::filesystem::path& file)
{
    const std::string path = file.string();
    // A file that is not there is reported as such, whatever its name; one
    // byte past the limit tells a file that is too large from one that fits.
    const auto bytes = readFilePrefix(file, kMaxScanFileBytes + 1);
    if (bytes.error)
        return {std::nullopt, fileErrorMessage(*bytes.error)};
    const auto name = scanFileNameOf(file.filename().string());
    if (!name)
        return problem(msg::kNoPositionInName, {path});
    const auto tenths = static_cast<std::int64_t>(name->position.tenths);
    const auto position = normalisedPosition(name->position.east ? tenths : -tenths);
    if (!position)
        return problem(msg::kPositionRange, {path, positionText(name->position)});
    if (bytes.bytes.size() > kMaxScanFileBytes)
        return problem(msg::kFileTooLarge, {path, std::to_string(kMaxScanFileBytes)});
    auto checked =
        checkScanText(std::string_view(reinterpret_cast<const char*>(bytes.bytes.data()), bytes.bytes.size()), path);
    if (checked.problem)
        return {std::nullopt, std::move(checked.problem)};
    const MemoryFile text(checked.text);
    if (!text.ok())
        return problem(msg::kOpenFileFailed, {path});
    const std::unique_ptr<dvb_file, FileFree> parsed(
        dvb_read_file_format(text.path().c_str(), SYS_UNDEFINED, FILE_DVBV5));
    if (!parsed)
        return problem(msg::kNotScanFile, {path});
    Dvbv5Satellite satellite{name->satellite, *position, path, {}};
    for (const dvb_entry* entry = parsed->first_entry; entry != nullptr; entry = entry->next)
        satellite.tps.push_back(tpOf(*entry));
    return {std::move(satellite), std::nullopt};
}
