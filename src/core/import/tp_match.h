#pragma once

#include "core/model/sate_channel.h"

// How TPs are grouped and compared when they are imported.

// The band of a TP's frequency: C band below 10700 MHz (the lowest frequency
// a universal Ku LNB receives), Ku low band up to 11700 MHz (where it switches
// to its high oscillator), Ku high band from there.
enum class Band { C, KuLow, KuHigh };
Band bandOf(const SateChannel& tp);

// Whether two TPs are the same transponder: the same polarization and
// frequencies less than 1 MHz apart.
bool sameTp(const SateChannel& a, const SateChannel& b);
