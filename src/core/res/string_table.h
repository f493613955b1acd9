#pragma once

#include "core/res/string_ids.h"

#include <span>
#include <string>
#include <string_view>
#include <vector>

enum class Language { English, Chinese };

// The user-interface language: Simplified Chinese when the first of LANGUAGE,
// LC_ALL, LC_MESSAGES and LANG that is set names Chinese, English otherwise.
Language systemLanguage();
Language languageFromLocaleName(std::string_view name);

// Text of a string table entry in a language (UTF-8); empty for an unknown id.
std::string_view messageText(MessageId id, Language language);

// The entry with each %s or %d filled, in turn, from `args`.
std::string formatMessage(MessageId id, Language language, std::span<const std::string> args = {});

// A string table entry with its arguments: why a record or a file is left
// out, why a check refuses, what is wrong with a source, a name that had to
// change. The editor and the tool show it in their language.
struct Notice {
    MessageId message;
    std::vector<std::string> args;

    friend bool operator==(const Notice&, const Notice&) = default;
};

std::string noticeText(const Notice& notice, Language language);

// Every id of the table, ascending.
std::vector<MessageId> messageIds();
