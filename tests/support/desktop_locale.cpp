#include "support/desktop_locale.h"

#include <clocale>
#include <cstdio>
#include <cstdlib>

bool takeDesktopLocale()
{
    if (std::setlocale(LC_ALL, "") != nullptr)
        return true;
    const char* wanted = std::getenv("LC_ALL");
    std::fprintf(stderr, "the locale %s is not installed; scripts/install-deps.sh generates it\n",
                 wanted != nullptr ? wanted : "of the environment");
    return false;
}
