#pragma once
#include <string>

// A desktop GLSL 1.10 shader as GLSL ES 3.00 with the same arithmetic: the
// built-in state it reads (gl_ModelViewMatrix, gl_LightSource, gl_Fog ...)
// becomes uniforms and attributes that the GL layer feeds from its state,
// varyings become ins and outs, texture2D becomes texture.
std::string translateDesktopShader(const std::string& source, bool vertexStage);

// The declarations both stages share, for the layer's own program too.
extern const char fixedBuiltinDeclarations[];
