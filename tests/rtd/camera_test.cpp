// The camera: the start view matches the main program's upper picture, mouse actions move
// the picture as the hand does, and picking rays go back through the pixels they came
// from in both projections.
#include <gtest/gtest.h>

#include <cstring>

#include "rtd/camera.h"

namespace {

// The puzzle box in mesh units: cells of 10 centred on multiples of 10.
const Fit boxFit = {{20, 15, 10}, 35.355339059327378};
const Viewport window = {800, 600};

Vec3 screenStep(const Camera& c, Vec3 from, Vec3 step)
{
    return projectToPixel(c, boxFit, window, from + step) - projectToPixel(c, boxFit, window, from);
}

}  // namespace

TEST(Camera, StartViewIsTheUpperPictureLookingAtCorner543WithYUp)
{
    const Camera c = upperPictureCamera();
    EXPECT_FALSE(c.perspective);
    const Vec3 e = eyeDirection(c);
    // Looking from outside the three high faces: the eye lies beyond x, y and z.
    EXPECT_GT(e.x, 0);
    EXPECT_GT(e.y, 0);
    EXPECT_GT(e.z, 0);
    // One cell along x, y, z on the screen, compared with the picture's (24, 3), (0, -24)
    // and (-9, 8) up to a common scale.
    const Vec3 corner = {-5, -5, -5};
    const Vec3 sx = screenStep(c, corner, {10, 0, 0});
    const Vec3 sy = screenStep(c, corner, {0, 10, 0});
    const Vec3 sz = screenStep(c, corner, {0, 0, 10});
    const double scale = -sy.y / 24.0;
    ASSERT_GT(scale, 0);
    EXPECT_NEAR(sy.x, 0, 1e-9);
    EXPECT_NEAR(sx.x / scale, 24, 0.5);
    EXPECT_NEAR(sx.y / scale, 3, 0.5);
    EXPECT_NEAR(sz.x / scale, -9, 0.5);
    EXPECT_NEAR(sz.y / scale, 8, 0.5);
    // The corner (5,4,3) is the nearest box corner, in front of all others.
    const double nearDepth = projectToPixel(c, boxFit, window, {45, 35, 25}).z;
    for (int i = 0; i < 7; i++) {
        const Vec3 other = {i & 1 ? 45.0 : -5.0, i & 2 ? 35.0 : -5.0, i & 4 ? 25.0 : -5.0};
        EXPECT_LT(nearDepth, projectToPixel(c, boxFit, window, other).z) << i;
    }
    // The box fits the window with the centre in the middle.
    const Vec3 middle = projectToPixel(c, boxFit, window, boxFit.centre);
    EXPECT_NEAR(middle.x, 400, 1e-6);
    EXPECT_NEAR(middle.y, 300, 1e-6);
    for (int i = 0; i < 8; i++) {
        const Vec3 p = projectToPixel(c, boxFit, window, {i & 1 ? 45.0 : -5.0, i & 2 ? 35.0 : -5.0, i & 4 ? 25.0 : -5.0});
        EXPECT_GT(p.x, 0);
        EXPECT_LT(p.x, 800);
        EXPECT_GT(p.y, 0);
        EXPECT_LT(p.y, 600);
        EXPECT_GT(p.z, -1);
        EXPECT_LT(p.z, 1);
    }
}

TEST(Camera, StandardViewsLookAlongTheAxes)
{
    struct Case {
        StandardView view;
        Vec3 eye;
    };
    const Case cases[] = {{StandardView::front, {0, 0, 1}}, {StandardView::back, {0, 0, -1}},
                          {StandardView::right, {1, 0, 0}}, {StandardView::left, {-1, 0, 0}},
                          {StandardView::top, {0, 1, 0}},   {StandardView::bottom, {0, -1, 0}}};
    for (const Case& k : cases) {
        const Vec3 e = eyeDirection(standardView(k.view, true));
        EXPECT_NEAR(e.x, k.eye.x, 1e-12);
        EXPECT_NEAR(e.y, k.eye.y, 1e-12);
        EXPECT_NEAR(e.z, k.eye.z, 1e-12);
        EXPECT_TRUE(standardView(k.view, true).perspective);
    }
    const Vec3 up = eyeDirection(upperPictureCamera()), low = eyeDirection(lowerPictureCamera());
    EXPECT_NEAR(up.x, -low.x, 1e-12);
    EXPECT_NEAR(up.y, -low.y, 1e-12);
    EXPECT_NEAR(up.z, -low.z, 1e-12);
    // From the front, x goes right and y goes up on the screen.
    const Camera front = standardView(StandardView::front, false);
    EXPECT_GT(screenStep(front, boxFit.centre, {1, 0, 0}).x, 0);
    EXPECT_LT(screenStep(front, boxFit.centre, {0, 1, 0}).y, 0);
}

TEST(Camera, PanMovesThePictureWithTheMouseAndZoomScalesAboutTheCentre)
{
    for (bool perspective : {false, true}) {
        Camera c = upperPictureCamera();
        c.perspective = perspective;
        const Vec3 before = projectToPixel(c, boxFit, window, boxFit.centre);
        const Camera moved = pan(c, boxFit, window, 37, -12);
        const Vec3 after = projectToPixel(moved, boxFit, window, boxFit.centre);
        EXPECT_NEAR(after.x - before.x, 37, 1e-6) << perspective;
        EXPECT_NEAR(after.y - before.y, -12, 1e-6) << perspective;

        const Vec3 corner = {45, 35, 25};
        const Vec3 s1 = screenStep(c, boxFit.centre, corner - boxFit.centre);
        const Camera closer = zoomBy(c, 2);
        EXPECT_NEAR(closer.zoom, 1.15 * 1.15, 1e-12);
        const Vec3 mid = projectToPixel(closer, boxFit, window, boxFit.centre);
        EXPECT_NEAR(mid.x, 400, 1e-6);
        if (!perspective) {
            const Vec3 s2 = screenStep(closer, boxFit.centre, corner - boxFit.centre);
            EXPECT_NEAR(s2.x / s1.x, 1.15 * 1.15, 1e-9);
        }
    }
    EXPECT_DOUBLE_EQ(zoomBy(upperPictureCamera(), 1000).zoom, maxZoom);
    EXPECT_DOUBLE_EQ(zoomBy(upperPictureCamera(), -1000).zoom, minZoom);
}

TEST(Camera, OrbitTurnsAboutTheCentreAndStopsAtThePoles)
{
    const Camera start = upperPictureCamera();
    Camera c = orbit(start, 100, 0);
    EXPECT_NEAR(c.pitch, start.pitch, 1e-12);
    EXPECT_NEAR(c.yaw, start.yaw - 50, 1e-12);
    // Dragging right moves the front of the scene to the right.
    const Camera front = standardView(StandardView::front, false);
    const Vec3 frontPoint = {20, 15, 30};
    EXPECT_GT(projectToPixel(orbit(front, 20, 0), boxFit, window, frontPoint).x,
              projectToPixel(front, boxFit, window, frontPoint).x);
    // A full turn comes back to the same picture.
    c = orbit(start, 720, 0);
    EXPECT_NEAR(projectToPixel(c, boxFit, window, {45, 35, 25}).x, projectToPixel(start, boxFit, window, {45, 35, 25}).x,
                1e-6);
    EXPECT_DOUBLE_EQ(orbit(start, 0, 10000).pitch, 90.0);
    EXPECT_DOUBLE_EQ(orbit(start, 0, -10000).pitch, -90.0);
    // The centre stays where it was.
    const Vec3 m = projectToPixel(orbit(start, 33, 71), boxFit, window, boxFit.centre);
    EXPECT_NEAR(m.x, 400, 1e-6);
    EXPECT_NEAR(m.y, 300, 1e-6);
}

TEST(Camera, HomeAfterDragsAndZoomIsExactlyTheStartView)
{
    const Camera start = upperPictureCamera();
    Camera c = pan(zoomBy(orbit(orbit(start, 80, 40), -13, 7), 2), boxFit, window, -100, -50);
    c = standardView(StandardView::upper, c.perspective);
    // Bit for bit, so that the picture is the first frame again and not merely close to it.
    EXPECT_EQ(c.yaw, start.yaw);
    EXPECT_EQ(c.pitch, start.pitch);
    EXPECT_EQ(c.zoom, start.zoom);
    EXPECT_EQ(c.panX, start.panX);
    EXPECT_EQ(c.panY, start.panY);
    EXPECT_EQ(c.perspective, start.perspective);
    const Matrix4 a = multiply(projectionMatrix(c, boxFit, window), viewMatrix(c, boxFit, window));
    const Matrix4 b = multiply(projectionMatrix(start, boxFit, window), viewMatrix(start, boxFit, window));
    EXPECT_EQ(std::memcmp(a.m, b.m, sizeof a.m), 0);
}

TEST(Camera, PixelRaysPassThroughThePointsThatProjectToThem)
{
    const Vec3 points[] = {{45, 35, 25}, {-5, 0, 12}, {20, 15, 10}, {3, -7, 40}};
    for (bool perspective : {false, true}) {
        for (int variant = 0; variant < 3; variant++) {
            Camera c = upperPictureCamera();
            c.perspective = perspective;
            if (variant == 1) c = pan(zoomBy(orbit(c, 40, -25), 1.5), boxFit, window, 30, 20);
            if (variant == 2) c = standardView(StandardView::top, perspective);
            const Viewport tall = {300, 700};
            for (const Viewport& v : {window, tall}) {
                for (const Vec3& p : points) {
                    const Vec3 px = projectToPixel(c, boxFit, v, p);
                    const Ray r = pixelRay(c, boxFit, v, px.x, px.y);
                    // Distance of p from the ray.
                    const Vec3 d = p - r.origin;
                    const Vec3 off = d - r.direction * dot(d, r.direction);
                    EXPECT_NEAR(length(off), 0, 1e-6) << perspective << variant;
                    EXPECT_GT(dot(d, r.direction), 0) << "the point lies in front of the eye";
                }
            }
        }
    }
}

TEST(Camera, BothProjectionsShowTheCentrePlaneAlike)
{
    Camera c = upperPictureCamera();
    const Vec3 right = {c.yaw, 0, 0};
    (void)right;
    // A point in the plane through the centre facing the eye.
    const Vec3 e = eyeDirection(c);
    const Vec3 side = normalised(cross({0, 1, 0}, e));
    const Vec3 p = boxFit.centre + side * 20;
    const Vec3 ortho = projectToPixel(c, boxFit, window, p);
    c.perspective = true;
    const Vec3 persp = projectToPixel(c, boxFit, window, p);
    EXPECT_NEAR(ortho.x, persp.x, 1e-6);
    EXPECT_NEAR(ortho.y, persp.y, 1e-6);
}
