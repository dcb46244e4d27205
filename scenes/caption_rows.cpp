#include "scenes/caption_rows.h"

// No GL here: make-data links these tables without drawing anything.

const SheetRow textRowTable[textRowCount] = {
    {0.0f, 0.119f},      {0.119f, 0.238f},  {0.238f, 0.3613f},    {0.3613f, 0.4824f},
    {0.4824f, 0.6015f},  {0.6015f, 0.7246f}, {0.7246f, 0.84375f}, {0.84375f, 0.9668f},
};

const SheetRow greetRowTable[greetRowCount] = {
    {0.0f, 0.121f},     {0.121f, 0.2382f},  {0.2382f, 0.3652f}, {0.3691f, 0.4804f},
    {0.4882f, 0.6015f}, {0.6093f, 0.7246f}, {0.7246f, 0.8457f}, {0.8457f, 0.9648f},
    {0.0f, 0.121f},     {0.121f, 0.2402f},  {0.2402f, 0.3613f}, {0.3613f, 0.4824f},
    {0.4824f, 0.6035f}, {0.6035f, 0.7246f}, {0.7246f, 0.8574f}, {0.8574f, 0.9765f},
};

const SheetRow creditRowTable[creditRowCount] = {
    {0.0f, 0.2421f},
    {0.2421f, 0.4882f},
    {0.4882f, 0.7422f},
    {0.7422f, 1.0f},
};
