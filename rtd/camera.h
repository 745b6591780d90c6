// camera.h: the orbiting camera of the viewer and the matrices it gives OpenGL. The camera
// turns about the centre of the scene with the y axis kept upright (yaw about y, then
// pitch), is moved sideways by panning and scaled by zooming; picking casts the ray
// through a pixel back into the scene with the same numbers.
#pragma once

#include "rtd/vec.h"

struct Camera {
    double yaw;    // degrees about the y axis; 0 looks along -z
    double pitch;  // degrees above the x-z plane, -90..90
    double zoom;   // 1 = the scene fills the view
    double panX, panY;  // in scene units, in the view plane
    bool perspective;
};

inline bool operator==(const Camera& a, const Camera& b)
{
    return a.yaw == b.yaw && a.pitch == b.pitch && a.zoom == b.zoom && a.panX == b.panX && a.panY == b.panY &&
           a.perspective == b.perspective;
}

// The sphere that the view is fitted to.
struct Fit {
    Vec3 centre;
    double radius;
};

inline bool operator==(const Fit& a, const Fit& b) { return a.centre == b.centre && a.radius == b.radius; }

struct Viewport {
    int width, height;
};

inline bool operator==(Viewport a, Viewport b) { return a.width == b.width && a.height == b.height; }

// Column-major, as glLoadMatrixd takes it.
struct Matrix4 {
    double m[16];
};

struct Ray {
    Vec3 origin, direction;
};

constexpr double verticalFieldOfView = 30.0;  // degrees, perspective projection
constexpr double minZoom = 0.05, maxZoom = 50.0;

// The start view: looking at the box corner (5,4,3) from outside it, y up, as the
// dimetric upper picture of the main program shows the box.
Camera upperPictureCamera();
// Its counterpart through the corner (0,0,0).
Camera lowerPictureCamera();

enum class StandardView { upper, lower, front, back, right, left, top, bottom };
// The camera looking at the scene along a standard direction; zoom, pan and projection
// are reset, except the projection kind, which is kept.
Camera standardView(StandardView view, bool perspective);

// Direction from the scene centre towards the eye.
Vec3 eyeDirection(const Camera& camera);

// Half the height of what the view shows at the centre's depth, in scene units.
double viewHalfHeight(const Camera& camera, const Fit& fit, Viewport viewport);
// Distance of the eye from the centre along eyeDirection.
double eyeDistance(const Camera& camera, const Fit& fit, Viewport viewport);

Matrix4 viewMatrix(const Camera& camera, const Fit& fit, Viewport viewport);
Matrix4 projectionMatrix(const Camera& camera, const Fit& fit, Viewport viewport);
Matrix4 multiply(const Matrix4& a, const Matrix4& b);
// A scene point to window pixels (x right, y down from the top-left corner).
Vec3 projectToPixel(const Camera& camera, const Fit& fit, Viewport viewport, Vec3 point);
// The ray through the centre of a pixel, in scene coordinates.
Ray pixelRay(const Camera& camera, const Fit& fit, Viewport viewport, double px, double py);

// Mouse actions, in pixels of movement.
Camera orbit(Camera camera, int dx, int dy);
Camera pan(Camera camera, const Fit& fit, Viewport viewport, int dx, int dy);
// notches: wheel steps, positive away from the user (closer).
Camera zoomBy(Camera camera, double notches);
