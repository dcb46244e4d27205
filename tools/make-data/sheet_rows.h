#pragma once

// The lettering sheets are cut into horizontal strips by the caption cards:
// each strip runs from t = top to t = bottom of the texture (0 is the first
// image row, 1 the last). These are the strips the cards cut, so every line
// of lettering must stay inside its own.
struct SheetBand {
    float top;
    float bottom;
};

// "TEXT": eight lines. Lines 0 and 1 also tile the two scrolling walls.
extern const SheetBand textSheetBands[8];
// Sixteen greetings: 0 to 7 on "GREETS1", 8 to 15 on "GREETS2". Some leave gaps.
extern const SheetBand greetSheetBands[16];
// "CREDITS": four lines.
extern const SheetBand creditSheetBands[4];

// The walls repeat a line every so many units with 24-unit-wide quads, so
// only the middle spacing / 24 of the line shows before its neighbour's
// copy covers it: the second wall tiles line 0 every 11.6 units, the first
// tiles line 1 every 8.4.
constexpr float wallTileFraction[2] = {11.6f / 24.0f, 8.4f / 24.0f};
