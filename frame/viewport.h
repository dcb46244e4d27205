#pragma once
#include <cstdint>

struct ProjectionSettings {
    float nearPlane = 0.01f;
    float farPlane = 10000.0f;
};

struct Letterbox {
    int32_t x = 0;
    int32_t y = 0;
    int32_t width = 0;
    int32_t height = 0;
};

// The largest centred 16:10 rectangle inside a width x height client area.
Letterbox fitLetterbox(int32_t width, int32_t height);

// The ratio of an aspect code, or -1 for AspectNone and unknown codes.
float aspectRatioOf(int32_t aspect);

// Letterboxed viewport and the show's perspective between the projection's
// planes. False, with nothing changed, for an unknown aspect or a zero height.
bool setupViewport(int32_t aspect, int32_t width, int32_t height, const ProjectionSettings& projection);
