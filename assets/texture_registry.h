#pragma once

// Named textures. The records and operations are filled in with the asset loader.
struct TextureRegistry {
};
