#pragma once

#include <array>

namespace tervane {

/// Quaternion (x, y, z, w); also the layout of the three-float vectors it is built from.
using Quat = std::array<float, 4>;
/// 4×4 matrix in the element order glMultMatrixf reads.
using RotMatrix = std::array<float, 16>;

/// Track-ball radius in the −1..1 drag coordinates.
inline constexpr float kTrackballRadius = 0.5f;

/// Rotation modes of a drag: free track ball or a turn about one named axis.
inline constexpr int kRotateTrackball = 1;
inline constexpr int kRotateAboutX = 2;
inline constexpr int kRotateAboutY = 3;
inline constexpr int kRotateAboutZ = 4;

/// Arc sine through the arc tangent, exact π/2 at 1 where the quotient would divide by zero.
[[nodiscard]] float ArcSin(float x);

/// Height of the track-ball surface over (x, y): a sphere near the centre, a hyperbolic sheet
/// outside, so drags beyond the ball still turn smoothly.
[[nodiscard]] float ProjectToSphere(float r, float x, float y);

/// Rotation by phi radians about axis (elements 0..2; normalised here, never zero).
[[nodiscard]] Quat AxisToQuat(Quat axis, float phi);

/// Scales q to unit length; the zero quaternion stays zero.
void NormalizeQuat(Quat& q);

/// Rotation q1 followed by q2, renormalised every time so drift never accumulates.
[[nodiscard]] Quat AddQuats(const Quat& q1, const Quat& q2);

/// Matrix of q, multiplied onto the model-view matrix at the head of the scene.
[[nodiscard]] RotMatrix BuildRotMatrix(const Quat& q);

/// Rotation of one drag step from p1 to p2 (both in −1..1, y up) for the given rotate mode;
/// the identity when nothing moved or the mode is not one of the four.
[[nodiscard]] Quat Trackball(float p1x, float p1y, float p2x, float p2y, int rotateMode);

} // namespace tervane
