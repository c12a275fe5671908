#include "scene/QuatMath.h"

#include "scene/detail/VecMath.h"

#include <cmath>

namespace tervane {

using namespace detail;

float ArcSin(float x) {
    if (x == 1.0f) return 1.570796326794895f;
    const double xd = x;
    return static_cast<float>(std::atan(xd / std::sqrt(1.0 - xd * xd)));
}

float ProjectToSphere(float r, float x, float y) {
    const float d = std::sqrt(x * x + y * y);
    if (r * 7071.0f / 10000.0f > d) return std::sqrt(r * r - d * d);
    const float t = r * 1000.0f / 1414.0f;
    return t * t / d;
}

Quat AxisToQuat(Quat axis, float phi) {
    VecNormal(axis);
    const float s = std::sin(phi / 2.0f);
    return {axis[0] * s, axis[1] * s, axis[2] * s, std::cos(phi / 2.0f)};
}

void NormalizeQuat(Quat& q) {
    float m = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    if (m == 0.0f) m = 1.0f;
    for (float& e : q)
        e /= m;
}

Quat AddQuats(const Quat& q1, const Quat& q2) {
    Quat t1 = q1;
    VecScale(t1, q2[3]);
    Quat t2 = q2;
    VecScale(t2, q1[3]);
    const Quat t3 = VecCross(q2, q1);
    Quat d = VecAdd(VecAdd(t1, t2), t3);
    d[3] = q1[3] * q2[3] - VecDot(q1, q2);
    NormalizeQuat(d);
    return d;
}

RotMatrix BuildRotMatrix(const Quat& q) {
    RotMatrix m{};
    m[0] = 1.0f - 2.0f * (q[1] * q[1] + q[2] * q[2]);
    m[1] = 2.0f * (q[0] * q[1] - q[2] * q[3]);
    m[2] = 2.0f * (q[2] * q[0] + q[1] * q[3]);
    m[4] = 2.0f * (q[0] * q[1] + q[2] * q[3]);
    m[5] = 1.0f - 2.0f * (q[2] * q[2] + q[0] * q[0]);
    m[6] = 2.0f * (q[1] * q[2] - q[0] * q[3]);
    m[8] = 2.0f * (q[2] * q[0] - q[1] * q[3]);
    m[9] = 2.0f * (q[1] * q[2] + q[0] * q[3]);
    m[10] = 1.0f - 2.0f * (q[1] * q[1] + q[0] * q[0]);
    m[15] = 1.0f;
    return m;
}

Quat Trackball(float p1x, float p1y, float p2x, float p2y, int rotateMode) {
    constexpr Quat kIdentity{0.0f, 0.0f, 0.0f, 1.0f};
    if (p1x == p2x && p1y == p2y) return kIdentity;

    const Quat p1{p1x, p1y, ProjectToSphere(kTrackballRadius, p1x, p1y), 0.0f};
    const Quat p2{p2x, p2y, ProjectToSphere(kTrackballRadius, p2x, p2y), 0.0f};

    // The named axes are those of the coordinate system: X runs along GL z, Y along GL x and
    // Z along GL y. In the single-axis modes the sign comes from one drag direction only.
    Quat axis{};
    switch (rotateMode) {
    case kRotateTrackball:
        axis = VecCross(p2, p1);
        break;
    case kRotateAboutX:
        axis = {0.0f, 0.0f, p1x < p2x ? 1.0f : -1.0f, 0.0f};
        break;
    case kRotateAboutY:
        axis = {p1y < p2y ? 1.0f : -1.0f, 0.0f, 0.0f, 0.0f};
        break;
    case kRotateAboutZ:
        axis = {0.0f, p1x > p2x ? 1.0f : -1.0f, 0.0f, 0.0f};
        break;
    default:
        return kIdentity;
    }
    // A zero axis has no direction; normalising it would poison the orientation with NaN for good.
    if (!(VecLength(axis) > 0.0f)) return kIdentity;

    float t = VecLength(VecSub(p1, p2)) / (2.0f * kTrackballRadius);
    if (t > 1.0f) t = 1.0f;
    if (t < -1.0f) t = -1.0f;
    const float phi = 2.0f * ArcSin(t);
    return AxisToQuat(axis, phi);
}

} // namespace tervane
