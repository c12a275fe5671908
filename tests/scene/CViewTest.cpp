#include "scene/CView.h"

#include <gtest/gtest.h>

#include <array>
#include <cmath>
#include <limits>
#include <stdexcept>

namespace tervane {
namespace {

using Three = std::array<float, 3>;

Three Eye(const CView& view) {
    return {view.EyePos().x, view.EyePos().y, view.EyePos().z};
}
Three Ref(const CView& view) {
    return {view.RefPos().x, view.RefPos().y, view.RefPos().z};
}

TEST(CViewTest, DefaultCamera) {
    CView view;
    EXPECT_EQ(Eye(view), (Three{0, 0, 1000}));
    EXPECT_EQ(Ref(view), (Three{0, 0, 0}));
    EXPECT_EQ(view.ProjectType(), kProjectOrtho);
    EXPECT_EQ(view.VolWidth(), 40.0f);
    EXPECT_EQ(view.VolHeight(), 40.0f);
}

TEST(CViewTest, VecUpIndexRange) {
    CView view;
    for (int bad : {-1, 3, 4}) {
        EXPECT_THROW((void)view.VecUp(bad), std::out_of_range) << bad;
        EXPECT_THROW(view.SetVecUp(bad, 1), std::out_of_range) << bad;
    }
    view.SetVecUp(2, 5.0f);
    EXPECT_EQ(view.VecUp(2), 5.0f);
}

TEST(CViewTest, SetScreen) {
    struct Row {
        int width, height;
        float storedHeight;
    };
    for (const Row& row : {Row{400, 200, 200}, Row{300, 0, 1}, Row{1, 1, 1}}) {
        CView view;
        const Viewport viewport = view.SetScreen(row.width, row.height);
        EXPECT_EQ(viewport.x, 0);
        EXPECT_EQ(viewport.y, 0);
        EXPECT_EQ(viewport.width, row.width);
        EXPECT_EQ(viewport.height, row.height); // the viewport keeps the real height
        EXPECT_EQ(view.ScreenWidth(), static_cast<float>(row.width));
        EXPECT_EQ(view.ScreenHeight(), row.storedHeight);
    }
    CView view;
    view.SetScreenHeight(0.0f);
    EXPECT_EQ(view.ScreenHeight(), 1.0f);
}

TEST(CViewTest, SetViewRectTakesWidthFromAspect) {
    CView view;
    view.SetScreen(400, 200);
    view.SetViewRect(123.0f, 5.0f);
    EXPECT_EQ(view.VolHeight(), 5.0f);
    EXPECT_EQ(view.VolWidth(), 10.0f);
}

TEST(CViewTest, Zoom) {
    struct Row {
        float factor;
        float width, height;
    };
    const float nan = std::numeric_limits<float>::quiet_NaN();
    const float inf = std::numeric_limits<float>::infinity();
    const Row rows[] = {
        {0.5f, 20, 20},   {2.0f, 80, 80}, {1.0f, 40, 40},  {0.0f, 40, 40}, {-1.0f, 40, 40},
        {nan, 40, 40},    {inf, 40, 40},  {1e38f, 40, 40}, // would overflow: refused
        {1e-45f, 40, 40},                                  // would underflow: refused
    };
    for (const Row& row : rows) {
        CView view;
        view.Zoom(row.factor);
        EXPECT_EQ(view.VolWidth(), row.width) << row.factor;
        EXPECT_EQ(view.VolHeight(), row.height) << row.factor;
    }
}

TEST(CViewTest, RepeatedZoomNeverLosesThePicture) {
    CView view;
    for (int i = 0; i < 500; ++i)
        view.Zoom(0.5f);
    EXPECT_GT(view.VolHeight(), 0.0f);
    view.Zoom(2.0f);
    EXPECT_GT(view.VolHeight(), 0.0f);
    for (int i = 0; i < 500; ++i)
        view.Zoom(2.0f);
    EXPECT_TRUE(std::isfinite(view.VolHeight()));
    EXPECT_TRUE(std::isfinite(view.VolWidth()));
}

TEST(CViewTest, ZoomAll) {
    struct Row {
        const char* name;
        CBox box;
        float width, height;
        Three ref, eye;
    };
    const Row rows[] = {
        {"wide box", {-2, 2, -1, 1, 0, 0}, 8, 4, {0, 0, 0}, {0, 0, 1000}},
        {"centred at 5", {4, 6, 4, 6, 4, 6}, 4, 2, {5, 5, 5}, {5, 5, 1005}},
        {"tall box", {0, 1, 0, 3, 0, 2}, 6, 3, {0.5f, 1.5f, 1}, {0.5f, 1.5f, 1001}},
        {"deep box wins", {0, 1, 0, 1, -4, 4}, 16, 8, {0.5f, 0.5f, 0}, {0.5f, 0.5f, 1000}},
        {"single point keeps size", {1, 1, 2, 2, 3, 3}, 40, 40, {1, 2, 3}, {1, 2, 1003}},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CView view;
        view.SetScreen(400, 200);
        view.SetVolWidth(40);
        view.ZoomAll(row.box);
        EXPECT_FLOAT_EQ(view.VolWidth(), row.width);
        EXPECT_FLOAT_EQ(view.VolHeight(), row.height);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(Ref(view)[i], row.ref[i]);
            EXPECT_FLOAT_EQ(Eye(view)[i], row.eye[i]);
        }
    }
}

TEST(CViewTest, ZoomToFitDoublesTheFittedSection) {
    CView view;
    view.SetScreen(400, 200);
    view.ZoomAll(CBox{-2, 2, -1, 1, 0, 0});
    view.Zoom(2.0f);
    EXPECT_EQ(view.VolHeight(), 8.0f);
    EXPECT_EQ(view.VolWidth(), 16.0f);
}

TEST(CViewTest, ZoomAllOfEmptySceneBoxChangesNothing) {
    CView view;
    view.SetScreen(400, 200);
    view.ZoomAll(CBox{9999999, -9999999, 9999999, -9999999, 9999999, -9999999});
    EXPECT_EQ(view.VolWidth(), 40.0f);
    EXPECT_EQ(view.VolHeight(), 40.0f);
    EXPECT_EQ(Ref(view), (Three{0, 0, 0}));
    EXPECT_EQ(Eye(view), (Three{0, 0, 1000}));
}

TEST(CViewTest, MoveView) {
    struct Row {
        float dx, dy;
        Three shift;
    };
    // Cross-section 40 × 20: the scene follows the mouse, so the camera moves against it.
    const Row rows[] = {
        {0.5f, 0, {-20, 0, 0}},    {0, 0.5f, {0, -10, 0}}, {1, 0, {-40, 0, 0}},
        {-0.25f, 1, {10, -20, 0}}, {0, 0, {0, 0, 0}},
    };
    for (const Row& row : rows) {
        CView view;
        view.SetVolHeight(20);
        view.RefPos().x = 3;
        view.EyePos().x = 3;
        view.MoveView(row.dx, row.dy);
        for (int i = 0; i < 3; ++i) {
            EXPECT_FLOAT_EQ(Ref(view)[i], (i == 0 ? 3 : 0) + row.shift[i]) << row.dx << row.dy;
            EXPECT_FLOAT_EQ(Eye(view)[i], (i == 0 ? 3 : i == 2 ? 1000 : 0) + row.shift[i]);
        }
    }
}

TEST(CViewTest, MoveViewWithEyeOnReferencePointStaysFinite) {
    CView view;
    view.EyePos() = view.RefPos();
    view.MoveView(0.5f, 0.5f);
    EXPECT_EQ(Eye(view), (Three{0, 0, 0}));
    EXPECT_EQ(Ref(view), (Three{0, 0, 0}));
}

TEST(CViewTest, OrthographicProjection) {
    CView view;
    view.SetScreen(400, 200);
    view.SetViewRect(0, 10);
    view.EyePos() = CMarker{}.Init(1, 2, 1003);
    view.RefPos() = CMarker{}.Init(1, 2, 3);
    const ProjectionSetup setup = view.Projection(CBox{});
    EXPECT_EQ(setup.kind, ProjectionKind::Orthographic);
    EXPECT_EQ(setup.left, -10.0f);
    EXPECT_EQ(setup.right, 10.0f);
    EXPECT_EQ(setup.bottom, -5.0f);
    EXPECT_EQ(setup.top, 5.0f);
    EXPECT_FLOAT_EQ(setup.nearPlane, 0.001f);
    EXPECT_EQ(setup.farPlane, 2000.0f);
    EXPECT_EQ(setup.eye, (Three{1, 2, 1003}));
    EXPECT_EQ(setup.centre, (Three{1, 2, 3}));
    EXPECT_EQ(setup.up, (Three{0, 1, 0}));
    EXPECT_EQ(view.Volleft(), -10.0f);
    EXPECT_EQ(view.VolRight(), 10.0f);
    EXPECT_EQ(view.VolBottom(), -5.0f);
    EXPECT_EQ(view.VolTop(), 5.0f);
}

TEST(CViewTest, UnknownProjectTypeLeavesIdentityButKeepsLookAt) {
    CView view;
    view.SetProjectType(3);
    const ProjectionSetup setup = view.Projection(CBox{});
    EXPECT_EQ(setup.kind, ProjectionKind::Identity);
    EXPECT_EQ(setup.eye, (Three{0, 0, 1000}));
    EXPECT_EQ(view.Volleft(), -20.0f);
}

TEST(CViewTest, PerspectiveNearPlaneFollowsSceneExtent) {
    struct Row {
        CBox box;
        float nearPlane;
    };
    const Row rows[] = {
        {{0, 12, 0, 1, 0, 1}, 988},      {{0, 1, -3, 9, 0, 1}, 988},
        {{0, 1, 0, 1, 0, 12}, 988},      {{-0.5f, 0.5f, -0.5f, 0.5f, 0, 0}, 999},
        {{0, 999.5f, 0, 1, 0, 1}, 0.5f},
    };
    for (const Row& row : rows) {
        CView view;
        view.SetProjectType(kProjectPerspective);
        const ProjectionSetup setup = view.Projection(row.box);
        EXPECT_EQ(setup.kind, ProjectionKind::Perspective);
        EXPECT_FLOAT_EQ(setup.nearPlane, row.nearPlane);
        EXPECT_EQ(setup.farPlane, 2000.0f);
        EXPECT_EQ(setup.eye, (Three{0, 0, 1000}));
        EXPECT_EQ(setup.left, -20.0f);
        EXPECT_FLOAT_EQ(view.VolNear(), 0.01f);
        // Later orthographic frames clip at what the perspective frame left behind.
        view.SetProjectType(kProjectOrtho);
        EXPECT_FLOAT_EQ(view.Projection(CBox{}).nearPlane, 0.01f);
    }
}

// Depth of p in front of the eye, looking from eye to centre.
float Depth(const ProjectionSetup& s, const Three& p) {
    Three v{s.centre[0] - s.eye[0], s.centre[1] - s.eye[1], s.centre[2] - s.eye[2]};
    const float len = std::sqrt(v[0] * v[0] + v[1] * v[1] + v[2] * v[2]);
    float d = 0;
    for (int i = 0; i < 3; ++i)
        d += (p[i] - s.eye[i]) * v[i] / len;
    return d;
}

// After "Zoom to Fit" every corner of the scene box must lie inside the frustum, also for
// scenes too large for the fixed eye distance.
TEST(CViewTest, PerspectiveKeepsFittedSceneVisible) {
    for (float m : {12.0f, 500.0f, 999.0f, 1000.0f, 1500.0f, 5000.0f, 1e6f}) {
        SCOPED_TRACE(m);
        const float h = m / 2;
        const CBox box{100 - h, 100 + h, -h, h, 50 - h, 50 + h};
        CView view;
        view.SetScreen(300, 200);
        view.SetProjectType(kProjectPerspective);
        view.ZoomAll(box);
        view.Zoom(2.0f);
        const ProjectionSetup s = view.Projection(box);
        ASSERT_GT(s.nearPlane, 0.0f);
        ASSERT_GT(s.farPlane, s.nearPlane);
        EXPECT_EQ(s.centre, (Three{100, 0, 50}));
        EXPECT_FLOAT_EQ(view.VolNear(), 0.01f);
        for (float x : {box.MinX, box.MaxX})
            for (float y : {box.MinY, box.MaxY})
                for (float z : {box.MinZ, box.MaxZ}) {
                    const float depth = Depth(s, {x, y, z});
                    EXPECT_GE(depth, s.nearPlane * (1 - 1e-6f));
                    EXPECT_LE(depth, s.farPlane);
                    // The view looks down −z with y up, so x and y are the screen axes.
                    const float sx = (x - s.eye[0]) * s.nearPlane / depth;
                    const float sy = (y - s.eye[1]) * s.nearPlane / depth;
                    EXPECT_LE(std::abs(sx), s.right * (1 + 1e-6f));
                    EXPECT_LE(std::abs(sy), s.top * (1 + 1e-6f));
                }
    }
}

TEST(CViewTest, LargeScenePerspectiveBacksOffTheEyeOnly) {
    CView view;
    view.SetProjectType(kProjectPerspective);
    const ProjectionSetup s = view.Projection(CBox{0, 1000, 0, 1, 0, 1});
    EXPECT_EQ(s.nearPlane, 1000.0f); // the near plane stays 1000 in front of the reference point
    EXPECT_EQ(s.eye, (Three{0, 0, 2000}));
    EXPECT_EQ(s.farPlane, 3000.0f);
    // The camera itself is untouched, so pans and fits keep working from the stored eye.
    EXPECT_EQ(Eye(view), (Three{0, 0, 1000}));
}

} // namespace
} // namespace tervane

namespace tervane {
namespace {

// An orthographic frame keeps the whole scene between its near and far planes: a box stretched
// by one huge value must not vanish behind them; ordinary boxes keep the planes as they were.
TEST(CViewTest, OrthographicDepthRangeHoldsTheScene) {
    struct Row {
        CBox box;
        float nearPlane, farPlane;
    } const rows[] = {
        {CBox{-2, 2, -2, 2, -2, 2}, 0.001f, 2000.0f},
        {CBox{-2, 2, 0, 900, -2, 2}, 0.001f, 2000.0f},
        {CBox{-2, 2, -2, 2, 0, 1.7e7f}, 1000.0f - 1.7e7f, 1000.0f + 1.7e7f},
        {CBox{-3e4f, 2, -2, 2, -2, 2}, 1000.0f - 30002.0f, 1000.0f + 30002.0f},
    };
    for (const Row& row : rows) {
        CView view;
        view.ZoomAll(row.box);
        const ProjectionSetup setup = view.Projection(row.box);
        EXPECT_EQ(setup.kind, ProjectionKind::Orthographic);
        EXPECT_FLOAT_EQ(setup.nearPlane, row.nearPlane);
        EXPECT_FLOAT_EQ(setup.farPlane, row.farPlane);
    }
}

} // namespace
} // namespace tervane
