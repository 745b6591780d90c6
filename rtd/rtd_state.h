// rtd_state.h: the viewer's window state. The window procedure (main_win.cpp) writes it
// in answer to input; the drawing (render_win.cpp) reads it for every frame.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "rtd/camera.h"
#include "rtd/options.h"
#include "rtd/scene.h"
#include "rtd/texts.h"
#include "rtd/visibility.h"

// Per solid, what OpenGL draws: flat arrays of the triangles and the outline edges.
struct SolidArrays {
    std::vector<float> positions, normals;  // three floats per corner
    std::vector<float> edgePoints;          // three floats per segment end
    unsigned char colour[3];
};

extern HWND mainWindow;
extern HDC windowDc;
extern HGLRC glContext;
extern Options options;

extern SlpScene scene;                  // the file, read once at start
extern std::vector<SolidArrays> arrays; // from scene, for drawing
extern std::vector<int> buildOrder;
extern Fit sceneFit;
extern std::string problemText;         // shown in the window's own area, "" when none
extern bool sceneUsable;                // something to draw

extern Camera camera;
extern Visibility visibility;
extern int explodeStep;
extern bool lightingOn, edgesOn;
extern Language language;
extern std::string statusText;  // the last action's note in the caption

extern Viewport clientSize;
extern int dragButton;  // 0, or the button (1 left, 2 right) being dragged
extern POINT dragFrom;
extern bool dragMoved;
extern POINT mouseAt;  // last mouse position in the client area

// render_win.cpp
bool createGlContext(HWND window);
void destroyGlContext();
void prepareArrays();
// Draws one frame into the current draw buffer (the caller swaps or reads it).
void renderFrame(Viewport viewport);
// The frame just drawn, as RGB rows from the bottom up.
std::vector<uint8_t> readFrame(Viewport viewport);
// Renders one picture offscreen (or into the hidden window) and returns its pixels.
bool renderOffscreen(Viewport viewport, std::vector<uint8_t>& rgb);
std::vector<Vec3> currentOffsets();
std::vector<bool> currentDrawn();
