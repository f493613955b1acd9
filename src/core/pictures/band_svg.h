#pragma once

#include "core/model/comon_orbitune.h"
#include "core/pictures/band_layout.h"
#include "core/res/string_table.h"

#include <string>

// The band picture of a plan as an SVG document `width` pixels wide and as
// tall as its lanes need: a legend, the lanes with a bar per TP (each with its
// cells as a tooltip), the LNB's bands, edges and switch frequency, and the
// frequency axis. Marks as the editor shows them: an orange strip above a bar
// that overlaps another, a red one above a bar that repeats an earlier TP, red
// hatching over a bar its LNB does not receive; a disabled TP's bar is pale
// and dashed. Texts are in `language`.
std::string bandSvg(const CComonOrbitune& plan, const BandLayout& layout, Language language, int width = 1200);

// The height bandSvg gives a layout.
int bandSvgHeight(const BandLayout& layout);
