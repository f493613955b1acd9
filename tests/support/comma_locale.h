#pragma once

#include <string>

// Switches the C library's locale to one whose decimal separator is a comma
// (German), as the editor's toolkit does on such a desktop, and switches it
// back when it goes. `active()` tells whether the machine has such a locale;
// scripts/install-deps.sh generates it.
class CommaLocale {
public:
    CommaLocale();
    ~CommaLocale();
    CommaLocale(const CommaLocale&) = delete;
    CommaLocale& operator=(const CommaLocale&) = delete;

    bool active() const { return active_; }

private:
    std::string previous_;
    bool active_ = false;
};
