#pragma once

#include "core/model/sate_channel.h"

#include <cstddef>
#include <span>
#include <vector>

// Which TPs a plan takes when a meter's limit leaves some out. A finder
// identifies a satellite by locking TPs in each band and polarization its LNB
// gives, so the TPs cover those quadrants first (vertical low, vertical high,
// horizontal low, horizontal high; the C band as one band), then spread over
// each quadrant's frequencies.

// A TP offered to a plan, and how well the source says the meter can use it:
// 0 as the source gives it, higher when the source leaves more to guess (a
// code rate left to the receiver).
struct TpCandidate {
    SateChannel tp;
    int rank = 0;
};

// Whether each candidate is taken, when the plan holding `held` has room for
// `room` more. All are taken when they fit. Otherwise each quadrant the plan
// does not cover yet takes one TP, its best-ranked one nearest the middle of
// the quadrant's frequencies; then the quadrants take one more each in turn,
// every TP of a rank before any of the next, each the one farthest from the
// TPs its quadrant holds (the lower frequency on a tie).
std::vector<bool> chooseTps(std::span<const TpCandidate> candidates, std::span<const SateChannel> held,
                            std::size_t room);
