#pragma once

#include "core/model/comon_orbitune.h"
#include "core/model/sate_channel.h"
#include "core/res/string_ids.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The rules of the transponder list's cells: which choices a drop-down offers
// and how a committed text is checked, converted and stored. Plain functions
// over texts and records; the pane applies what they answer.

// Columns of the transponder list.
namespace channel_column {
inline constexpr int kNumber = 0;
inline constexpr int kName = 1;
inline constexpr int kEnable = 2;
inline constexpr int kSignalType = 3;
inline constexpr int kFrequency = 4;
inline constexpr int kBandwidth = 5;
inline constexpr int kSymbolRate = 6;
inline constexpr int kCodeRate = 7;
inline constexpr int kModulation = 8;
inline constexpr int kRollOff = 9;
inline constexpr int kPolarization = 10;
inline constexpr int kLnbLo = 11;
inline constexpr int kPilots = 12;
inline constexpr int kCount = 13;
// The column headers.
inline constexpr std::array<std::string_view, kCount> kHeaders{
    "TP NO",     "TP Name",    "Enable",   "Signal Type",  "Freq(MHz)", "BW(MHz)", "SR(MS/s)",
    "Code Rate", "Modulation", "Roll off", "Polarization", "LNB_LO",    "Pilots"};
} // namespace channel_column

// The numeric check both panes apply: a non-empty text whose every character
// is a digit, or a "." that is not the first character. Several dots pass;
// the number then ends at the second one.
bool IsNumericText(std::string_view text);

// The name check both panes apply: a non-empty text whose every character is
// in the ASCII range "A" to "z", a digit, a space, "-", "." or "_".
bool IsNameText(std::string_view text);

// A symbol rate in MS/s as kS/s: written with six decimals, cut to three with
// the fourth decimal rounding half up, times 1000. 27.4996 gives 27500.
// Values beyond the 32-bit range saturate; a value that is not finite gives 0.
std::int32_t RoundSymbolRate(double megaSymbols);

// The bandwidth, in 10 kHz units, of a symbol rate given in 10^-9 MS/s with a
// roll-off given in hundredths: (1 + roll-off) x rate, truncated, at least
// 1.40 MHz. Worked out on the exact decimals, so 30 MS/s with 0.35 is 4050.
std::uint32_t BandwidthOfSymbolRate(std::uint64_t nanoMegaSymbols, std::uint64_t rollOffHundredths);

// The texts of the edited row's cells that the rules read.
struct ChannelRowTexts {
    std::string signalType; // "Signal Type" cell
    std::string modulation; // "Modulation" cell
    std::string rollOff;    // "Roll off" cell
};

// The choices of a drop-down column of the row, in order; none for other
// columns or for a type text the column does not know.
std::vector<std::string> ChannelColumnChoices(int column, const ChannelRowTexts& row);

// One cell of the edited row that takes a new text.
struct CellText {
    int column = 0;
    std::string text;

    friend bool operator==(const CellText&, const CellText&) = default;
};

// What the pane does with a committed cell.
struct ChannelCellResult {
    // The answer to the list control: true after an accepted edit, false after
    // a refused one or an unchanged name.
    bool accepted = true;
    // A refused edit: the message to show; nothing is stored and every row is
    // rebuilt afterwards.
    std::optional<MessageId> messageId;
    // The record to store back into the row's slot; none when nothing changes.
    std::optional<SateChannel> record;
    // Cells of the row to set to new texts (the edited cell keeps its committed
    // text unless it is listed here).
    std::vector<CellText> cells;
    // Rebuild every row after storing.
    bool refreshList = false;
};

// The rules for `text` committed in `column` of a row showing `record`, a TP of
// `plan` (whose TP names a new name must not repeat).
ChannelCellResult ChannelCellEdited(int column, std::string_view text, const ChannelRowTexts& row,
                                    const SateChannel& record, const CComonOrbitune& plan);
