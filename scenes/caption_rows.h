#pragma once

// One line of a lettering sheet, in texture t (0 = first image row): the
// strip a caption card cuts. make-data lays its lettering out in the same
// strips, so this is the one table both the cards and the pictures use.
struct SheetRow {
    float top;
    float bottom;
};

constexpr int textRowCount = 8;    // rows 0 and 1 also tile the two walls
constexpr int greetRowCount = 16;  // rows 0..7 on "GREETS1", 8..15 on "GREETS2"; some leave gaps
constexpr int creditRowCount = 4;
extern const SheetRow textRowTable[textRowCount];
extern const SheetRow greetRowTable[greetRowCount];
extern const SheetRow creditRowTable[creditRowCount];
