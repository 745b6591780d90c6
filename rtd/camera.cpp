// camera.cpp: camera arithmetic. Orthographic and perspective views show the same area at
// the centre's depth, so that switching the projection keeps the picture's size.
#include "rtd/camera.h"

#include <algorithm>

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr double degrees = pi / 180.0;
// Room around the fitted sphere.
constexpr double fitMargin = 1.08;
constexpr double orbitDegreesPerPixel = 0.5;
constexpr double zoomPerNotch = 1.15;

// The upper picture draws a cell step along x as (24, 3) pixels, along y as (0, -24) and
// along z as (-9, 8), y pointing down on the screen. Its rows (24, 0, -9) and (-3, 24, -8)
// are orthogonal; their cross product (216, 219, 576) points from the box towards the eye.
constexpr Vec3 upperEye = {216, 219, 576};

Matrix4 identity()
{
    Matrix4 r = {};
    r.m[0] = r.m[5] = r.m[10] = r.m[15] = 1;
    return r;
}

// Rotation rows of the view: world -> eye space, without translation.
void viewAxes(const Camera& c, Vec3& right, Vec3& up, Vec3& back)
{
    const double y = c.yaw * degrees, p = c.pitch * degrees;
    back = {std::cos(p) * std::sin(y), std::sin(p), std::cos(p) * std::cos(y)};
    right = {std::cos(y), 0, -std::sin(y)};
    up = cross(back, right);
}

double aspectOf(Viewport v) { return v.height > 0 && v.width > 0 ? double(v.width) / v.height : 1.0; }

}  // namespace

Camera upperPictureCamera()
{
    const Vec3 e = normalised(upperEye);
    return {std::atan2(e.x, e.z) / degrees, std::asin(e.y) / degrees, 1.0, 0.0, 0.0, false};
}

Camera lowerPictureCamera()
{
    Camera c = upperPictureCamera();
    c.yaw += 180.0;
    c.pitch = -c.pitch;
    return c;
}

Camera standardView(StandardView view, bool perspective)
{
    Camera c = upperPictureCamera();
    switch (view) {
    case StandardView::upper: break;
    case StandardView::lower: c = lowerPictureCamera(); break;
    case StandardView::front: c.yaw = 0, c.pitch = 0; break;
    case StandardView::back: c.yaw = 180, c.pitch = 0; break;
    case StandardView::right: c.yaw = 90, c.pitch = 0; break;
    case StandardView::left: c.yaw = -90, c.pitch = 0; break;
    case StandardView::top: c.yaw = 0, c.pitch = 90; break;
    case StandardView::bottom: c.yaw = 0, c.pitch = -90; break;
    }
    c.perspective = perspective;
    return c;
}

Vec3 eyeDirection(const Camera& camera)
{
    Vec3 right, up, back;
    viewAxes(camera, right, up, back);
    return back;
}

double viewHalfHeight(const Camera& camera, const Fit& fit, Viewport viewport)
{
    double h = std::max(fit.radius, 1e-6) * fitMargin / std::clamp(camera.zoom, minZoom, maxZoom);
    // A window taller than wide must fit the sphere across its width.
    const double aspect = aspectOf(viewport);
    if (aspect < 1) h /= aspect;
    return h;
}

double eyeDistance(const Camera& camera, const Fit& fit, Viewport viewport)
{
    if (camera.perspective) return viewHalfHeight(camera, fit, viewport) / std::tan(verticalFieldOfView * degrees / 2);
    // Far enough to have an exploded scene in front of the eye.
    return 6 * std::max(fit.radius, 1e-6);
}

Matrix4 viewMatrix(const Camera& camera, const Fit& fit, Viewport viewport)
{
    Vec3 right, up, back;
    viewAxes(camera, right, up, back);
    const Vec3 rows[3] = {right, up, back};
    const Vec3 t = {-camera.panX, -camera.panY, -eyeDistance(camera, fit, viewport)};
    Matrix4 r = identity();
    for (int i = 0; i < 3; i++) {
        r.m[0 + i] = (&rows[i].x)[0];
        r.m[4 + i] = (&rows[i].x)[1];
        r.m[8 + i] = (&rows[i].x)[2];
    }
    // Translation: t - R * centre.
    const double c[3] = {dot(right, fit.centre), dot(up, fit.centre), dot(back, fit.centre)};
    r.m[12] = t.x - c[0];
    r.m[13] = t.y - c[1];
    r.m[14] = t.z - c[2];
    return r;
}

Matrix4 projectionMatrix(const Camera& camera, const Fit& fit, Viewport viewport)
{
    const double aspect = aspectOf(viewport);
    const double h = viewHalfHeight(camera, fit, viewport);
    const double d = eyeDistance(camera, fit, viewport);
    const double reach = 5 * std::max(fit.radius, 1e-6);
    Matrix4 p = {};
    if (camera.perspective) {
        const double n = std::max(d - reach, d * 0.02), f = d + reach;
        const double top = n * h / d, rightEdge = top * aspect;
        p.m[0] = n / rightEdge;
        p.m[5] = n / top;
        p.m[10] = -(f + n) / (f - n);
        p.m[11] = -1;
        p.m[14] = -2 * f * n / (f - n);
    } else {
        const double n = d - reach, f = d + reach;
        p.m[0] = 1 / (h * aspect);
        p.m[5] = 1 / h;
        p.m[10] = -2 / (f - n);
        p.m[14] = -(f + n) / (f - n);
        p.m[15] = 1;
    }
    return p;
}

Matrix4 multiply(const Matrix4& a, const Matrix4& b)
{
    Matrix4 r = {};
    for (int col = 0; col < 4; col++)
        for (int row = 0; row < 4; row++) {
            double s = 0;
            for (int k = 0; k < 4; k++) s += a.m[k * 4 + row] * b.m[col * 4 + k];
            r.m[col * 4 + row] = s;
        }
    return r;
}

Vec3 projectToPixel(const Camera& camera, const Fit& fit, Viewport viewport, Vec3 point)
{
    const Matrix4 m = multiply(projectionMatrix(camera, fit, viewport), viewMatrix(camera, fit, viewport));
    double clip[4];
    for (int row = 0; row < 4; row++)
        clip[row] = m.m[row] * point.x + m.m[4 + row] * point.y + m.m[8 + row] * point.z + m.m[12 + row];
    const double w = clip[3] != 0 ? clip[3] : 1e-12;
    return {(clip[0] / w + 1) * 0.5 * viewport.width, (1 - clip[1] / w) * 0.5 * viewport.height, clip[2] / w};
}

Ray pixelRay(const Camera& camera, const Fit& fit, Viewport viewport, double px, double py)
{
    Vec3 right, up, back;
    viewAxes(camera, right, up, back);
    const double aspect = aspectOf(viewport);
    const double h = viewHalfHeight(camera, fit, viewport);
    const double d = eyeDistance(camera, fit, viewport);
    const double nx = 2 * px / std::max(viewport.width, 1) - 1;
    const double ny = 1 - 2 * py / std::max(viewport.height, 1);
    // Eye space: the eye at the origin looking along -z; the centre at (-pan, -d).
    Vec3 origin, direction;
    if (camera.perspective) {
        origin = {0, 0, 0};
        direction = {nx * h * aspect, ny * h, -d};
    } else {
        origin = {nx * h * aspect, ny * h, 0};
        direction = {0, 0, -1};
    }
    // Back to the scene: undo the translation, then the rotation (its transpose).
    const Vec3 shifted = {origin.x + camera.panX, origin.y + camera.panY, origin.z + d};
    const Vec3 worldOrigin = fit.centre + right * shifted.x + up * shifted.y + back * shifted.z;
    const Vec3 worldDirection = normalised(right * direction.x + up * direction.y + back * direction.z);
    return {worldOrigin, worldDirection};
}

Camera orbit(Camera camera, int dx, int dy)
{
    // Dragging to the right turns the scene to the right, so the eye goes left.
    camera.yaw -= dx * orbitDegreesPerPixel;
    camera.yaw = std::fmod(camera.yaw, 360.0);
    camera.pitch = std::clamp(camera.pitch + dy * orbitDegreesPerPixel, -90.0, 90.0);
    return camera;
}

Camera pan(Camera camera, const Fit& fit, Viewport viewport, int dx, int dy)
{
    // One pixel of the mouse moves the scene one pixel at the centre's depth.
    const double perPixel = 2 * viewHalfHeight(camera, fit, viewport) / std::max(viewport.height, 1);
    camera.panX -= dx * perPixel;
    camera.panY += dy * perPixel;
    return camera;
}

Camera zoomBy(Camera camera, double notches)
{
    camera.zoom = std::clamp(camera.zoom * std::pow(zoomPerNotch, notches), minZoom, maxZoom);
    return camera;
}
