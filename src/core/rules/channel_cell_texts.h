#pragma once

#include "core/model/sate_channel.h"

#include <string>

// What each cell of the transponder list shows for a record. Column 0, the
// row's position, is the pane's own; every other column is answered here.
std::string ChannelCellText(const SateChannel& tp, int column);
