#pragma once

// Full-screen quads in their own orthographic projection, independent of the
// camera. Both leave the modelview matrix selected and change neither
// blending nor texturing.

// One quad in the colour interpolated at t between the from and to values.
void drawFadeQuad(float fromRed, float fromGreen, float fromBlue, float toRed, float toGreen, float toBlue,
                  float fromAlpha, float toAlpha, float t);

// The same quad in the show's background colour (RGBA), laid down right after the clear.
void drawBackgroundQuad(const float* backgroundColour);
