#pragma once

// The band material derived from one palette colour; values above 1 are
// meant and go to GL as they are.
struct BandMaterial {
    float ambient[4];
    float diffuse[4];
    float specular[4];
};

BandMaterial bandMaterialFor(double r, double g, double b);

// Loads the values of GL_LIGHT0 that the band lighting reads. Call with the
// camera matrix current so that the light stays put in the world.
void setupBandLight();

// Sets the band material for both faces from one palette colour (0..1).
void setBandMaterial(double r, double g, double b);
