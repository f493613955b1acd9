#pragma once

#include <string>
#include <string_view>

// The plan name a satellite's name gives, before it is made unique among the
// plans of the list. Databases name satellites for people ("19.2E Astra
// 1KR/1L/1M/1N", "Hotbird-13B", "AMC10_C"); a plan name holds 8 characters,
// so the rule keeps what tells the satellite apart:
//
// 1. Positions are dropped: a number with a decimal point or comma, or with a
//    degree sign, followed by E or W ("19.2E", "13,0 E", "(5°W)"). "13E" alone
//    is a name, as in "Hotbird 13E".
// 2. A "/" separates names of satellites sharing the position: the first of
//    them that leaves a word is kept ("Astra 1KR/1L/1M/1N" is "Astra 1KR").
// 3. The name is cut into words at every character that is not an ASCII
//    letter or digit; characters outside ASCII are dropped within their word.
//    The band words C, Ku, Ka and band (in any case) are dropped.
// 4. The family is the words before the first one that holds a digit, the
//    tail that word and the words after it. Both are written without blanks
//    between their words: "Hot Bird 13B" is "HotBird" and "13B".
// 5. Family and tail together keep to 8 characters: the family gives up its
//    last letters first, keeping at least 3; then the tail's words after its
//    first are cut to their first character, then the tail to what is left.
//    "Astra 1KR" is "Astra1KR", "Hotbird-13B" "Hotbi13B", "Eutelsat 113 West A"
//    "Eut113WA"; a name without a digit is its family's first 8 characters.
//
// The result is empty when nothing is left.
std::string satellitePlanName(std::string_view satellite);
