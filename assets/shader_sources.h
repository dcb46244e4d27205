#pragma once
#include <cstddef>

// The texts of the one lighting program "PP": per-pixel light 0 with
// attenuation and a specular term, texture unit 0 on the ambient term, and a
// squared-exponential fog of its own toward the GL fog colour. Everything
// comes from fixed-function state; there are no uniforms to set.
extern const char ppVertexSource[];
extern const char ppFragmentSource[];
extern const size_t ppVertexSourceLength;    // 631 bytes, no terminating line feed
extern const size_t ppFragmentSourceLength;  // 868 bytes
