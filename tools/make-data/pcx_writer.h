#pragma once
#include <vector>

#include "tools/make-data/grey_image.h"

// Encodes a grey picture as an 8-bit, single-plane, run-length PCX file
// (version 5) with a grey 256-entry palette at its end. Empty for a picture
// of odd width, which a PCX line of even length cannot hold unpadded.
std::vector<unsigned char> encodePcx(const GreyImage& image);
