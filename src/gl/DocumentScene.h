#pragma once

#include "document/Document.h"
#include "gl/SceneRenderer.h"

namespace tervane {

/// The program-wide values of a document that a scene build reads.
[[nodiscard]] inline SceneValues SceneValuesOf(const Document& document) {
    SceneValues values;
    values.SceneKind = document.SceneKind();
    values.AxisTitleX = document.AxisTitleX();
    values.AxisTitleY = document.AxisTitleY();
    values.AxisTitleZ = document.AxisTitleZ();
    values.AnimationFrames = document.AnimationFrames();
    values.Sampling = document.Sampling();
    if (document.ShowRoots()) values.Roots = document.ShownRoots();
    return values;
}

} // namespace tervane
