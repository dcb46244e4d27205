#pragma once
#include <cstdint>
#include <string>
#include <vector>

// One picture of the program's icon: size x size pixels, RGBA rows top to
// bottom, straight (not premultiplied) alpha.
struct IconImage {
    int size = 0;
    std::vector<uint8_t> rgba;
};

// The sizes Explorer and the taskbar ask for, from the small list view to
// the extra-large one.
extern const int kIconSizes[4];

// The wheel mark at one of kIconSizes, its rim and spokes fitted to that
// size's pixel grid; an empty picture for any other size.
IconImage drawIcon(int size);

// An .ico file holding the pictures in order: the small ones as 32-bit
// bitmaps with their mask, the 256-pixel one as PNG, as Windows expects.
std::vector<unsigned char> encodeIco(const std::vector<IconImage>& images);

// Draws every size and writes them as one .ico; false, after a line on
// stderr, when the file cannot be written.
bool writeIcon(const std::string& path);
