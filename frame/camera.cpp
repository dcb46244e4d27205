#include "frame/camera.h"

#include <cmath>

#include "gl/gl.h"

Camera cameraFor(float orbitPhase, float rollAngle, float sinceHit)
{
    Camera camera;
    const double pulse = 1.0 - static_cast<double>(sinceHit);
    const double phase = orbitPhase;
    // Only the sideways sine goes through a float before it is scaled.
    const float swayX = static_cast<float>(std::sin(phase));
    camera.eye[0] = static_cast<float>(swayX * 0.5 * pulse);
    camera.eye[1] = static_cast<float>(std::sin(1.2 * phase) * 0.35 * pulse);
    // The pulse scales the angle, so at rest the eye sits at 6.25 whatever the phase.
    camera.eye[2] = static_cast<float>(std::cos(pulse * phase) * 1.25 + 5.0);
    camera.roll = rollAngle;
    return camera;
}

void applyCamera(const Camera& camera)
{
    glLoadIdentity();
    glRotatef(camera.roll, 0.0f, 0.0f, -1.0f);
    gluLookAt(camera.eye[0], camera.eye[1], camera.eye[2], camera.centre[0], camera.centre[1], camera.centre[2],
              0.0, 1.0, 0.0);
}
