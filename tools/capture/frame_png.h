#pragma once
#include <cstdint>
#include <string>

// Writes packed RGB pixels, bottom row first as GL reads them, as a PNG with
// the top row first. False when the file cannot be written.
bool writeRgbPng(const std::string& path, int32_t width, int32_t height, const uint8_t* bottomUpRgb);
