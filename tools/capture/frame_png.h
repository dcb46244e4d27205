#pragma once
#include <cstdint>
#include <string>

// Reads the current back buffer (width x height from the window's corner)
// and writes it top row first as an RGB PNG. False when the file cannot be written.
bool writeBackBufferPng(const std::string& path, int32_t width, int32_t height);
