#include "scene/QuatMath.h"
#include "scene/SceneOrientation.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <numbers>

namespace tervane {
namespace {

using Three = std::array<float, 3>;

// Reference Hamilton product a ⊗ b (apply b, then a), written independently of the code.
Quat Hamilton(const Quat& a, const Quat& b) {
    return {a[3] * b[0] + a[0] * b[3] + a[1] * b[2] - a[2] * b[1],
            a[3] * b[1] - a[0] * b[2] + a[1] * b[3] + a[2] * b[0],
            a[3] * b[2] + a[0] * b[1] - a[1] * b[0] + a[2] * b[3],
            a[3] * b[3] - a[0] * b[0] - a[1] * b[1] - a[2] * b[2]};
}

Quat Normalized(Quat q) {
    const float m = std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]);
    for (float& e : q)
        e /= m;
    return q;
}

// Rotates v by unit quaternion q as q v q*.
Three Rotate(const Quat& q, const Three& v) {
    const Quat p = Hamilton(Hamilton(q, {v[0], v[1], v[2], 0}), {-q[0], -q[1], -q[2], q[3]});
    return {p[0], p[1], p[2]};
}

// Applies a matrix stored in glMultMatrixf order (column-major) to v.
Three Apply(const RotMatrix& m, const Three& v) {
    return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2], m[1] * v[0] + m[5] * v[1] + m[9] * v[2],
            m[2] * v[0] + m[6] * v[1] + m[10] * v[2]};
}

void ExpectQuatNear(const Quat& actual, const Quat& expected, float tolerance = 1e-6f) {
    for (int i = 0; i < 4; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

void ExpectNear3(const Three& actual, const Three& expected, float tolerance = 1e-5f) {
    for (int i = 0; i < 3; ++i)
        EXPECT_NEAR(actual[i], expected[i], tolerance) << "element " << i;
}

TEST(ArcSinTest, MatchesArcSineIncludingTheExactEnd) {
    for (float x : {0.0f, 0.25f, 0.5f, 0.70710678f, 0.9f, 0.999f, -0.5f}) {
        EXPECT_NEAR(ArcSin(x), std::asin(x), 1e-6f) << x;
    }
    EXPECT_EQ(ArcSin(1.0f), 1.570796326794895f);
}

TEST(ProjectToSphereTest, SphereInsideHyperbolaOutside) {
    struct Row {
        float x, y, z;
    };
    const float t = 0.5f * 1000 / 1414;
    const Row rows[] = {
        {0, 0, 0.5f},     {0.2f, 0, std::sqrt(0.25f - 0.04f)},
        {0, -0.3f, 0.4f}, {0.3f, 0.4f, t * t / 0.5f},
        {-1, 0, t * t},   {3, 4, t * t / 5},
    };
    for (const Row& row : rows) {
        EXPECT_NEAR(ProjectToSphere(0.5f, row.x, row.y), row.z, 1e-6f) << row.x << ", " << row.y;
    }
}

TEST(ProjectToSphereTest, SurfaceIsContinuousWhereSphereMeetsHyperbola) {
    const float edge = 0.5f * 0.7071f;
    const float inside = ProjectToSphere(0.5f, edge - 1e-4f, 0);
    const float outside = ProjectToSphere(0.5f, edge + 1e-4f, 0);
    EXPECT_NEAR(inside, outside, 1e-3f);
}

TEST(NormalizeQuatTest, Table) {
    struct Row {
        Quat in, out;
    };
    const Row rows[] = {
        {{0, 0, 0, 0}, {0, 0, 0, 0}},
        {{0, 0, 0, 2}, {0, 0, 0, 1}},
        {{1, 1, 1, 1}, {0.5f, 0.5f, 0.5f, 0.5f}},
        {{3, 0, -4, 0}, {0.6f, 0, -0.8f, 0}},
    };
    for (const Row& row : rows) {
        Quat q = row.in;
        NormalizeQuat(q);
        ExpectQuatNear(q, row.out);
    }
}

TEST(AddQuatsTest, AppliesFirstThenSecondAndRenormalises) {
    const Quat samples[] = {
        {0, 0, 0, 1},
        AxisToQuat({1, 0, 0, 0}, 0.3f),
        AxisToQuat({0, 1, 0, 0}, -1.2f),
        AxisToQuat({1, 2, 3, 0}, 2.5f),
        {0.1f, -0.2f, 0.3f, 2.0f}, // not unit: the sum is normalised anyway
    };
    for (const Quat& q1 : samples) {
        for (const Quat& q2 : samples) {
            ExpectQuatNear(AddQuats(q1, q2), Normalized(Hamilton(q2, q1)));
        }
    }
    ExpectQuatNear(AddQuats({0, 0, 0, 2}, {0, 0, 0, 3}), {0, 0, 0, 1});
    ExpectQuatNear(AddQuats({0, 0, 0, 0}, {0, 0, 0, 0}), {0, 0, 0, 0});
}

TEST(BuildRotMatrixTest, ExactEntries) {
    const float h = std::sqrt(0.5f);
    struct Row {
        Quat q;
        RotMatrix m;
    };
    const Row rows[] = {
        {{0, 0, 0, 1}, {1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        {{0, 0, h, h}, {0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1}},
        {{h, 0, 0, h}, {1, 0, 0, 0, 0, 0, -1, 0, 0, 1, 0, 0, 0, 0, 0, 1}},
        {{0, 1, 0, 0}, {-1, 0, 0, 0, 0, 1, 0, 0, 0, 0, -1, 0, 0, 0, 0, 1}},
    };
    for (const Row& row : rows) {
        const RotMatrix m = BuildRotMatrix(row.q);
        for (int i = 0; i < 16; ++i)
            EXPECT_NEAR(m[i], row.m[i], 1e-6f) << "entry " << i;
    }
}

// The matrix turns the scene by the inverse of q, which the reversed track-ball axis makes up for.
TEST(BuildRotMatrixTest, RotatesByTheConjugate) {
    const Quat samples[] = {AxisToQuat({1, 2, 3, 0}, 0.7f), AxisToQuat({-1, 0, 1, 0}, 2.9f),
                            AxisToQuat({0, 1, 0, 0}, -0.4f)};
    const Three vectors[] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}, {0.3f, -2, 5}};
    for (const Quat& q : samples) {
        const Quat conjugate{-q[0], -q[1], -q[2], q[3]};
        for (const Three& v : vectors)
            ExpectNear3(Apply(BuildRotMatrix(q), v), Rotate(conjugate, v));
    }
}

TEST(TrackballTest, NoMovementOrNoModeIsIdentity) {
    for (int mode : {0, 1, 2, 3, 4, 7}) {
        ExpectQuatNear(Trackball(0.3f, -0.2f, 0.3f, -0.2f, mode), {0, 0, 0, 1});
        ExpectQuatNear(Trackball(0, 0, 0, 0, mode), {0, 0, 0, 1});
    }
    for (int mode : {0, 5, -1})
        ExpectQuatNear(Trackball(0, 0, 0.2f, 0.1f, mode), {0, 0, 0, 1});
}

TEST(TrackballTest, AxisAndSignPerMode) {
    struct Row {
        const char* name;
        float p1x, p1y, p2x, p2y;
        int mode;
        Three axis;
    };
    const Row rows[] = {
        {"ball, right", 0, 0, 0.2f, 0, kRotateTrackball, {0, -1, 0}},
        {"ball, up", 0, 0, 0, 0.2f, kRotateTrackball, {1, 0, 0}},
        {"X, right", 0, 0, 0.2f, 0, kRotateAboutX, {0, 0, 1}},
        {"X, left", 0, 0, -0.2f, 0, kRotateAboutX, {0, 0, -1}},
        {"X, straight up turns negative", 0, 0, 0, 0.2f, kRotateAboutX, {0, 0, -1}},
        {"Y, up", 0, 0, 0, 0.2f, kRotateAboutY, {1, 0, 0}},
        {"Y, down", 0, 0, 0, -0.2f, kRotateAboutY, {-1, 0, 0}},
        {"Z, left", 0, 0, -0.2f, 0, kRotateAboutZ, {0, 1, 0}},
        {"Z, right", 0, 0, 0.2f, 0, kRotateAboutZ, {0, -1, 0}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Quat q = Trackball(row.p1x, row.p1y, row.p2x, row.p2y, row.mode);
        // sin(phi / 2) is the chord between the two sphere points over the diameter.
        const Three p1{row.p1x, row.p1y, ProjectToSphere(0.5f, row.p1x, row.p1y)};
        const Three p2{row.p2x, row.p2y, ProjectToSphere(0.5f, row.p2x, row.p2y)};
        const float chord = std::hypot(p1[0] - p2[0], p1[1] - p2[1], p1[2] - p2[2]);
        ExpectQuatNear(q, {row.axis[0] * chord, row.axis[1] * chord, row.axis[2] * chord,
                           std::sqrt(1 - chord * chord)});
    }
}

TEST(TrackballTest, LongDragIsClampedToHalfATurn) {
    const Quat q = Trackball(-1, 0, 1, 0, kRotateAboutX);
    ExpectQuatNear(q, {0, 0, 1, 0});
}

// Each standard view turns one coordinate axis (X along GL z, Y along GL x, Z along GL y)
// towards the viewer, who looks down −z.
TEST(StandardViewTest, WhichAxisFacesTheViewer) {
    struct Row {
        StandardView view;
        Three glAxis;
    };
    for (const Row& row : {Row{StandardView::Front, {0, 0, 1}}, Row{StandardView::Right, {1, 0, 0}},
                           Row{StandardView::Top, {0, 1, 0}}}) {
        const RotMatrix m = BuildRotMatrix(QuatFromSceneAngles(StandardViewAngles(row.view)));
        ExpectNear3(Apply(m, row.glAxis), {0, 0, 1}, 1e-4f);
    }
}

TEST(StandardViewTest, IsoComposesPitchThenYaw) {
    const float rad = 3.1416f / 180;
    const Quat pitch = AxisToQuat({1, 0, 0, 0}, -15 * rad);
    const Quat yaw = AxisToQuat({0, 1, 0, 0}, 45 * rad);
    ExpectQuatNear(QuatFromSceneAngles(StandardViewAngles(StandardView::ISO)),
                   Normalized(Hamilton(yaw, pitch)));
}

TEST(StandardViewTest, RollComesFirst) {
    const float rad = 3.1416f / 180;
    const Quat roll = AxisToQuat({0, 0, 1, 0}, 30 * rad);
    const Quat pitch = AxisToQuat({1, 0, 0, 0}, 20 * rad);
    const Quat yaw = AxisToQuat({0, 1, 0, 0}, -70 * rad);
    ExpectQuatNear(QuatFromSceneAngles({30, 20, -70}),
                   Normalized(Hamilton(yaw, Hamilton(pitch, roll))));
}

TEST(DragStepTest, ZoomFactor) {
    struct Row {
        float lastY, y;
        int height;
        float factor;
    };
    const Row rows[] = {
        {300, 200, 200, 0.5f}, // up by half the height: the cross-section halves
        {100, 200, 200, 1.5f}, {100, 100, 200, 1.0f}, {300, 100, 200, 0.0f}, {100, 50, 0, 1.0f},
    };
    for (const Row& row : rows) {
        EXPECT_FLOAT_EQ(ZoomStepFactor(row.lastY, row.y, row.height), row.factor)
            << row.lastY << " -> " << row.y;
    }
}

TEST(DragStepTest, MoveDelta) {
    struct Row {
        float lastX, lastY, x, y;
        int width, height;
        float dx, dy;
    };
    const Row rows[] = {
        {10, 50, 410, 50, 400, 200, 1, 0}, // full width to the right
        {10, 150, 10, 100, 400, 200, 0, 0.25f},
        {200, 100, 100, 150, 400, 200, -0.25f, -0.25f},
        {10, 10, 50, 50, 0, 200, 0, 0},
    };
    for (const Row& row : rows) {
        const MoveStep step =
            MoveStepDelta(row.lastX, row.lastY, row.x, row.y, row.width, row.height);
        EXPECT_FLOAT_EQ(step.dx, row.dx);
        EXPECT_FLOAT_EQ(step.dy, row.dy);
    }
}

TEST(SceneOrientationTest, RotationStepMapsPixelsAndComposes) {
    SceneOrientation orientation;
    orientation.SetRotateMode(kRotateTrackball);
    const Quat start = AxisToQuat({0, 1, 0, 0}, 0.5f);
    orientation.SetCurQuat(start);
    // Pixels (200, 100) -> (240, 80) on 400 × 200 are (0, 0) -> (0.2, 0.2) with y up.
    orientation.RotationStep(200, 100, 240, 80, 400, 200);
    const Quat step = Trackball(0, 0, 0.2f, 0.2f, kRotateTrackball);
    ExpectQuatNear(orientation.LastQuat(), step);
    ExpectQuatNear(orientation.CurQuat(), AddQuats(step, start));
    EXPECT_TRUE(orientation.Rotated());
}

TEST(SceneOrientationTest, StillStepIsIdentityButCountsAsRotated) {
    SceneOrientation orientation;
    orientation.SetRotateMode(kRotateAboutX);
    orientation.RotationStep(50, 60, 50, 60, 400, 200);
    EXPECT_EQ(orientation.LastQuat(), (Quat{0, 0, 0, 1}));
    EXPECT_EQ(orientation.CurQuat(), (Quat{0, 0, 0, 1}));
    EXPECT_TRUE(orientation.Rotated());
}

TEST(SceneOrientationTest, EmptyPictureLeavesOrientationIntact) {
    SceneOrientation orientation;
    orientation.SetRotateMode(kRotateTrackball);
    orientation.RotationStep(0, 0, 10, 10, 0, 0);
    EXPECT_EQ(orientation.CurQuat(), (Quat{0, 0, 0, 1}));
    EXPECT_FALSE(orientation.Rotated());
}

TEST(SceneOrientationTest, LongDragStaysUnitLength) {
    SceneOrientation orientation;
    orientation.SetRotateMode(kRotateTrackball);
    float x = 200, y = 100;
    for (int i = 0; i < 2000; ++i) {
        const float nx = 200 + 150 * std::cos(i * 0.05f);
        const float ny = 100 + 80 * std::sin(i * 0.07f);
        orientation.RotationStep(x, y, nx, ny, 400, 200);
        x = nx;
        y = ny;
    }
    const Quat& q = orientation.CurQuat();
    EXPECT_NEAR(std::sqrt(q[0] * q[0] + q[1] * q[1] + q[2] * q[2] + q[3] * q[3]), 1.0f, 1e-5f);
}

TEST(SceneOrientationTest, MatrixSourceFollowsRotatedFlag) {
    SceneOrientation orientation;
    const SceneAngles iso = StandardViewAngles(StandardView::ISO);
    const Quat isoQuat = QuatFromSceneAngles(iso);

    // Unrotated: the angles rule and become the start of the next drag.
    EXPECT_EQ(orientation.OrientationMatrix(iso), BuildRotMatrix(isoQuat));
    EXPECT_EQ(orientation.CurQuat(), isoQuat);

    orientation.SetRotateMode(kRotateAboutY);
    orientation.RotationStep(200, 100, 200, 60, 400, 200);
    const Quat dragged = orientation.CurQuat();
    ExpectQuatNear(dragged, AddQuats(orientation.LastQuat(), isoQuat));

    // Rotated: the angles are ignored.
    EXPECT_EQ(orientation.OrientationMatrix(StandardViewAngles(StandardView::Top)),
              BuildRotMatrix(dragged));
    EXPECT_EQ(orientation.CurQuat(), dragged);

    // A standard view clears the flag and takes over again.
    orientation.ClearRotated();
    const SceneAngles top = StandardViewAngles(StandardView::Top);
    EXPECT_EQ(orientation.OrientationMatrix(top), BuildRotMatrix(QuatFromSceneAngles(top)));
    EXPECT_EQ(orientation.CurQuat(), QuatFromSceneAngles(top));
}

} // namespace
} // namespace tervane
