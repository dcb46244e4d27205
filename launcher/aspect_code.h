#pragma once
#include <cstdint>

// Aspect ratios, in the order of the launcher's list (16:9 before 16:10).
enum AspectCode : int32_t {
    AspectNone = 0,
    Ratio4x3 = 1,
    Ratio5x4 = 2,
    Ratio16x9 = 3,
    Ratio16x10 = 4,
};
