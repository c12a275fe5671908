#pragma once

#include "scene/CMaterial.h"

namespace tervane {

/// Material number whose preset glows: graphs with it track the emission instead of the diffuse
/// colour.
inline constexpr int kNeonMaterial = 5;

/// Issues a material for front and back faces in the order diffuse, specular, shininess,
/// emission, ambient.
void IssueMaterial(const MaterialSetup& setup);

/// Loads preset number into material (numbers outside 1..13 keep its values) and issues it.
void SetMaterial(CMaterial& material, int number);

/// What graphs do before drawing with per-vertex colours: colour tracking on for front and back
/// faces, of the emission for material kNeonMaterial and of the diffuse colour otherwise, then a
/// fresh CMaterial with the preset issued. The tracked component thus comes from the vertex
/// colours and the preset supplies the rest. The state is left set for the caller's drawing.
void ApplyGraphMaterial(int materialNumber);

/// What the coordinate-system panels do: diffuse colour tracking for front and back faces, both
/// faces filled, then a fresh CMaterial with the preset issued. The state is left set.
void ApplyPanelMaterial(int materialNumber);

} // namespace tervane
