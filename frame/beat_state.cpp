#include "frame/beat_state.h"

const float stepDepthTable[beatStepCount] = {-4.0f, -3.5f, -3.0f, -2.5f, -2.0f, -2.5f, -3.0f, -3.5f, -4.0f};
const float stepScaleTable[beatStepCount] = {0.7f, 0.8f, 0.9f, 1.1f, 1.3f, 1.6f, 1.9f, 2.3f, 2.7f};
