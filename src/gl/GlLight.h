#pragma once

#include "scene/CLight.h"

namespace tervane {

/// Issues one frame's light: with lighting enabled, GL lights 0 and 1 (light 1 mirrored through
/// the origin, same colours), the light-model ambient and two-sided lighting, and enables
/// lighting and both lights; otherwise disables all three.
///
/// Positions are transformed by the model-view matrix current at the call, so the frame issues
/// the light before the camera and scene orientation (lights then keep their place relative to
/// the viewer).
void IssueLight(const LightSetup& setup);

/// IssueLight with light.Setup().
void SetLight(const CLight& light);

} // namespace tervane
