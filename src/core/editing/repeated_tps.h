#pragma once

#include "core/model/comon_orbitune.h"

#include <vector>

// TPs of a plan that repeat another: the same polarization and frequencies
// less than 1 MHz apart (the same-TP rule of the import).
struct RepeatedTp {
    int slot = 0;    // the later TP
    int repeats = 0; // the earlier TP it repeats

    friend bool operator==(const RepeatedTp&, const RepeatedTp&) = default;
};

// In slot order, each TP that is the same as an earlier one that is kept,
// with the first such one; the TPs not listed are the ones kept. Removing the
// listed TPs leaves no two TPs the same.
std::vector<RepeatedTp> repeatedTps(const CComonOrbitune& plan);
