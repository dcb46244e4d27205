#pragma once

#include "scenes/caption_rows.h"

// The lettering sheets are cut into horizontal strips by the caption cards;
// every line of lettering must stay inside its own strip. The strips are the
// cards' own row tables, under the names the picture code uses.
using SheetBand = SheetRow;

// "TEXT": eight lines. Lines 0 and 1 also tile the two scrolling walls.
inline constexpr const SheetBand (&textSheetBands)[textRowCount] = textRowTable;
// Sixteen greetings: 0 to 7 on "GREETS1", 8 to 15 on "GREETS2". Some leave gaps.
inline constexpr const SheetBand (&greetSheetBands)[greetRowCount] = greetRowTable;
// "CREDITS": four lines.
inline constexpr const SheetBand (&creditSheetBands)[creditRowCount] = creditRowTable;

// The walls repeat a line every so many units with 24-unit-wide quads, so
// only the middle spacing / 24 of the line shows before its neighbour's
// copy covers it: the second wall tiles line 0 every 11.6 units, the first
// tiles line 1 every 8.4.
constexpr float wallTileFraction[2] = {11.6f / 24.0f, 8.4f / 24.0f};
