// rtd_state.h: the viewer's window state. The window procedure (main_win.cpp) writes it
// in answer to input; the drawing (render_win.cpp) reads it for every frame; the menus
// (menus_win.cpp) and the pictures written to files (batch_win.cpp) read it too.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "rtd/assembly_steps.h"
#include "rtd/camera.h"
#include "rtd/options.h"
#include "rtd/scene.h"
#include "rtd/texts.h"
#include "rtd/view_state.h"
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

extern ViewState view;  // changed by commands (commands.h), read by the drawing
// The drawing's names for parts of the view.
inline Camera& camera = view.camera;
inline Visibility& visibility = view.visibility;
inline int& explodeStep = view.explodeStep;
inline bool& lightingOn = view.lightingOn;
inline bool& edgesOn = view.edgesOn;

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

// window_win.cpp: the viewer's window class and its windows, shown or hidden.
extern const char windowClassName[];
HWND createWindow(HINSTANCE instance, int width, int height, DWORD style, bool withMenu);

// main_win.cpp
// Every change of state goes through here: menus, caption and picture follow it.
void refresh();

// menus_win.cpp: the menu bar from the menu table, labels and checks from the state.
void buildMenus();

// batch_win.cpp
// The Save picture command: a file dialog, then the window's picture into a BMP file; the
// outcome is left in the status note for the caller's refresh.
void savePicture();
// The batch form: one picture into options.pictureName; the exit code.
int renderBatch(HINSTANCE instance);
// The benchmark: options.benchFrames timed frames in the shown window; the exit code.
int runBenchmark();

// build_up_win.cpp: the build-up mode's plans and the slide of one piece.
extern BuildUpPlans buildUpPlans;  // from scene, made by planScene
const BuildUpSteps& currentBuildUpSteps();  // of the mode chosen (free or box)
// After the file is read: the plans, and buildOrder from them.
void planScene();
// After every command: a step of the build-up starts its slide, a change of mode takes the
// other order, and the view's fit follows the explode step and the build-up.
void followBuildUp(int countBefore, bool boxModeBefore);
void onSlideTimer();  // WM_TIMER of the slide
// The sliding piece into a frame's offsets or drawn solids (either may be null).
void addSlide(std::vector<Vec3>* offsets, std::vector<bool>* drawn);
// --step K: the problem when K is beyond the last step ("" when none), and the start there.
std::string buildUpStepProblem();
void startAtStep();
