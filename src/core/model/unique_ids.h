#pragma once

#include "core/model/comon_orbitune.h"

#include <span>

// Files written by other tools may repeat an identity or leave it null, and
// the editor finds every record by its id. Gives a fresh id to each plan whose
// id is null or repeats an earlier plan's, and to each used TP slot whose id is
// null or repeats an earlier TP of the same plan. Every other id stays, so a
// well-formed file reads back unchanged.
void freshenRepeatedIds(std::span<CComonOrbitune> plans);
