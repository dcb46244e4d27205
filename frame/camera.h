#pragma once

// Where the viewer stands this frame. Rewritten every frame before use.
struct Camera {
    float eye[3] = {0.0f, 0.0f, 6.25f};
    float centre[3] = {0.0f, 0.0f, 0.0f};
    float roll = 0.0f;  // degrees about the viewing axis
};

// The slow roll of the whole show plus a sway that a bass hit starts and
// that dies away as sinceHit recovers to 1.
Camera cameraFor(float orbitPhase, float rollAngle, float sinceHit);

// Loads the camera into the current matrix (the modelview at the composer's call).
void applyCamera(const Camera& camera);
