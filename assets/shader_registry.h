#pragma once

// Named shader objects and programs. Filled in with the asset loader.
struct ShaderRegistry {
};
