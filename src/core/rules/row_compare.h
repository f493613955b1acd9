#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/sate_channel.h"

#include <string_view>

// The orderings of the two lists' header sorts, ascending: negative when `a`
// comes first, positive when `b` does, 0 when the column gives no order.
// Numbers compare as single-precision values; names in dictionary order.
int CompareChannels(const SateChannel& a, const SateChannel& b, int column);
int ComparePlans(const CComonOrbitune& a, const CComonOrbitune& b, int column);

// Dictionary order of two names, upper and lower case distinguished:
// punctuation before digits before letters, a letter in either case before the
// next letter; names equal but for case put lower case first ("a" < "A" < "b").
int CompareNames(std::string_view a, std::string_view b);
