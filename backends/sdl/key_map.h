#pragma once

// The Windows virtual-key code of an SDL key, or -1 for keys we do not map.
int virtualKeyFor(int sdlKeycode);
