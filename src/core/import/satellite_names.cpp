#include "core/import/satellite_names.h"

#include <algorithm>
#include <array>
#include <vector>

namespace {

constexpr std::size_t kNameChars = 8;
constexpr std::size_t kLeastFamilyChars = 3;
constexpr std::string_view kDegreeSign = "\u00B0";
constexpr std::array<std::string_view, 4> kBandWords{"c", "ku", "ka", "band"};

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

bool isAsciiLetter(char c)
{
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

bool isWordChar(char c)
{
    return isDigit(c) || isAsciiLetter(c);
}

bool isAscii(char c)
{
    return static_cast<unsigned char>(c) < 0x80;
}

char lower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

// The length of a position starting at `at` ("19.2E", "13,0 E", "5°W"), or 0.
std::size_t positionLength(std::string_view text, std::size_t at)
{
    std::size_t i = at;
    const auto digits = [&] {
        const std::size_t start = i;
        while (i < text.size() && isDigit(text[i]))
            ++i;
        return i - start;
    };
    if (digits() == 0)
        return 0;
    bool marked = false;
    if (i < text.size() && (text[i] == '.' || text[i] == ',')) {
        ++i;
        if (digits() == 0)
            return 0;
        marked = true;
    }
    if (text.substr(i).starts_with(kDegreeSign)) {
        i += kDegreeSign.size();
        marked = true;
    }
    if (!marked)
        return 0;
    if (i < text.size() && text[i] == ' ')
        ++i;
    if (i >= text.size() || (lower(text[i]) != 'e' && lower(text[i]) != 'w'))
        return 0;
    ++i;
    if (i < text.size() && isWordChar(text[i]))
        return 0;
    return i - at;
}

// The text without its positions.
std::string withoutPositions(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size();) {
        const bool wordStart = i == 0 || !isWordChar(text[i - 1]);
        const std::size_t length = wordStart ? positionLength(text, i) : 0;
        if (length > 0) {
            out.push_back(' ');
            i += length;
        } else {
            out.push_back(text[i++]);
        }
    }
    return out;
}

// The words of a text, band words left out.
std::vector<std::string> wordsOf(std::string_view text)
{
    std::vector<std::string> words;
    std::string word;
    const auto endWord = [&] {
        std::string key;
        for (const char c : word)
            key.push_back(lower(c));
        if (!word.empty() && std::find(kBandWords.begin(), kBandWords.end(), key) == kBandWords.end())
            words.push_back(word);
        word.clear();
    };
    for (const char c : text) {
        if (isWordChar(c))
            word.push_back(c);
        else if (isAscii(c))
            endWord();
    }
    endWord();
    return words;
}

std::string joined(const std::vector<std::string>& words, std::size_t from, std::size_t to)
{
    std::string out;
    for (std::size_t i = from; i < to; ++i)
        out += words[i];
    return out;
}

} // namespace

std::string satellitePlanName(std::string_view satellite)
{
    const std::string text = withoutPositions(satellite);
    std::vector<std::string> words;
    for (std::size_t start = 0; start <= text.size() && words.empty();) {
        const std::size_t slash = std::min(text.find('/', start), text.size());
        words = wordsOf(std::string_view(text).substr(start, slash - start));
        start = slash + 1;
    }
    const auto firstDigit = std::find_if(words.begin(), words.end(), [](const std::string& word) {
        return std::any_of(word.begin(), word.end(), isDigit);
    });
    const auto split = static_cast<std::size_t>(firstDigit - words.begin());
    std::string family = joined(words, 0, split);
    if (split == words.size())
        return family.substr(0, kNameChars);
    std::string tail = joined(words, split, words.size());
    const std::size_t familyKeeps = std::min(family.size(), kLeastFamilyChars);
    if (family.size() + tail.size() > kNameChars && tail.size() > kNameChars - familyKeeps) {
        tail = words[split];
        for (std::size_t i = split + 1; i < words.size(); ++i)
            tail.push_back(words[i].front());
        tail.resize(std::min(tail.size(), kNameChars - familyKeeps));
    }
    family.resize(std::min(family.size(), kNameChars - tail.size()));
    return family + tail;
}
