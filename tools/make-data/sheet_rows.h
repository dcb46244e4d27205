#pragma once

#include "scenes/caption_rows.h"

// The lettering sheets are cut into horizontal strips by the caption cards
// (their row tables); every line of lettering must stay inside its own strip.

// The walls repeat a line every so many units with 24-unit-wide quads, so
// only the middle spacing / 24 of the line shows before its neighbour's
// copy covers it: the second wall tiles line 0 every 11.6 units, the first
// tiles line 1 every 8.4.
constexpr float wallTileFraction[2] = {11.6f / 24.0f, 8.4f / 24.0f};
