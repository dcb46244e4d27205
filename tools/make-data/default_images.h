#pragma once
#include <string>
#include <vector>

#include "assets/show_assets.h"
#include "tools/make-data/grey_image.h"

// One of the show's pictures as make-data draws it.
struct DefaultImage {
    const ShowImage* show = nullptr;
    GreyImage picture;
};

// Draws the seven pictures, each at its texture's size, in loading order.
// False, after a line on stderr, when a font is missing.
bool drawDefaultImages(std::vector<DefaultImage>& images);

// The file's own name, without the folder ("overlay.p").
std::string dataFileName(const ShowImage& show);
