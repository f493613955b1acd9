#pragma once

#include "core/device/hid_backend.h"
#include "core/device/transfer_observer.h"

#include <optional>
#include <string>
#include <vector>

// A string table entry with the texts its %s and %d take, in turn.
struct MeterMessage {
    MessageId id{};
    std::vector<std::string> args;

    friend bool operator==(const MeterMessage&, const MeterMessage&) = default;
};

// The message for a meter that `open` did not bring up, with the advice that
// fits its kind: for a device node the user may not open, its path, the reason
// and the udev rule; for a socket meter, what answered at its address; for
// no meter at all, `notFoundId` (144 from the ribbon commands, 112 from the
// dialogs).
MeterMessage meterMissingMessage(const std::optional<HidOpenFailure>& unopened, MessageId notFoundId);

// Whether message `id` is about the meter (it missing, its state, where it
// stopped answering), as opposed to the plans: the command-line tool puts the
// meter's name before these.
bool isMeterMessage(MessageId id);

// The report of a transfer that stopped short: the meter missing (as
// meterMissingMessage with 112), or where the meter stopped answering or
// answered what is no answer.
MeterMessage transferStopMessage(const TransferStop& stop);
