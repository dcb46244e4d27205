#pragma once
#include <cstdint>

struct DemoContext;

// Opens (once per test program) a real window and GL context through the
// backend, with the entry points loaded, and returns the context record that
// holds it. Size is fixed at the first call. Needs DISPLAY (make test starts Xvfb).
// The GL tests and the frame benchmark share it. The tests' window is wider
// than 16:10, so every frame they read has its letterbox bars.
constexpr int32_t testWindowWidth = 1366;
constexpr int32_t testWindowHeight = 800;
DemoContext& glTestContext(int32_t width = testWindowWidth, int32_t height = testWindowHeight);
