#include "support/comma_locale.h"

#include <clocale>

CommaLocale::CommaLocale()
{
    if (const char* current = std::setlocale(LC_ALL, nullptr))
        previous_ = current;
    for (const char* name : {"de_DE.UTF-8", "de_DE.utf8", "de_DE"}) {
        if (std::setlocale(LC_ALL, name) != nullptr) {
            active_ = *std::localeconv()->decimal_point == ',';
            return;
        }
    }
}

CommaLocale::~CommaLocale()
{
    std::setlocale(LC_ALL, previous_.c_str());
}
