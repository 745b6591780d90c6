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

// Per solid, where its triangles and outline edges lie in the drawing arrays that all
// solids share (render_win.cpp), so that a frame takes a few calls however many solids
// there are; and its centre's distance from the scene centre, which exploding scales.
struct SolidArrays {
    int firstCorner, cornerCount;
    int firstEdgePoint, edgePointCount;
    Vec3 explodeDirection;
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
// The window's frame, drawn in steps of a bounded time so that input is taken between
// them: each call goes on with the frame (or starts anew when what it shows has changed)
// and leaves the picture so far in the draw buffer; false while there is more to draw.
bool renderFrameInSteps(Viewport viewport);
// The frame just drawn, as RGB rows from the bottom up.
std::vector<uint8_t> readFrame(Viewport viewport);
// Renders one picture offscreen (or into the hidden window) and returns its pixels.
bool renderOffscreen(Viewport viewport, std::vector<uint8_t>& rgb);
std::vector<Vec3> currentOffsets();
std::vector<bool> currentDrawn();
