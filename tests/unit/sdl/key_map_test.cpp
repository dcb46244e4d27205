#include <gtest/gtest.h>

#include <SDL.h>

#include "backends/sdl/key_map.h"

TEST(KeyMap, WindowsVirtualKeyCodes)
{
    EXPECT_EQ(virtualKeyFor(SDLK_ESCAPE), 0x1B);
    EXPECT_EQ(virtualKeyFor(SDLK_a), 'A');
    EXPECT_EQ(virtualKeyFor(SDLK_z), 'Z');
    EXPECT_EQ(virtualKeyFor(SDLK_7), '7');
    EXPECT_EQ(virtualKeyFor(SDLK_RETURN), 0x0D);
    EXPECT_EQ(virtualKeyFor(SDLK_F12), 0x7B);
    EXPECT_EQ(virtualKeyFor(SDLK_KP_5), 0x65);
    EXPECT_EQ(virtualKeyFor(SDLK_LEFT), 0x25);
    EXPECT_EQ(virtualKeyFor(SDLK_APPLICATION), -1);
}
