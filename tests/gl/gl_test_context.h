#pragma once
#include <cstdint>

struct DemoContext;

// Opens (once per test program) a real window and GL context through the
// backend, with the entry points loaded, and returns the context record that
// holds it. Size is fixed at the first call. Needs DISPLAY (make test starts Xvfb).
// The GL tests and the frame benchmark share it.
DemoContext& glTestContext(int32_t width = 1280, int32_t height = 800);
