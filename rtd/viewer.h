// viewer.h: everything the viewer's window knows, in one portable state, and what an
// operation on it asks of the window. The window file owns one RtdViewer and the RtdScene
// read at the start; input and commands are the plain functions below, which return the
// window's chores as Effects; the drawing takes a FrameView and an OverlayContent made
// from the state. Whatever moves by itself (a slide of the build-up) is asked at a time
// given in seconds on the window's clock.
#pragma once

#include <string>
#include <vector>

#include "rtd/build_up.h"
#include "rtd/build_up_plan.h"
#include "rtd/camera.h"
#include "rtd/frame.h"
#include "rtd/options.h"
#include "rtd/overlay.h"
#include "rtd/slp.h"
#include "rtd/texts.h"

// What the viewer works out from its file once, before the first frame.
struct RtdScene {
    SlpScene file;
    bool usable;  // something to draw
    BuildUpPlans plans;
    std::vector<Box> solidBoxes;         // per solid
    std::vector<Vec3> explodeDirections; // per solid
};

// The scene of the file (readSlpFile: a file that cannot be read, or is larger than
// maxSlpFileBytes, gives one note). An empty name gives an empty scene and no note.
RtdScene loadScene(const std::string& fileName);
RtdScene sceneOf(SlpScene file);

struct RtdViewer {
    Camera camera = upperPictureCamera();
    Viewport client = {1, 1};
    std::vector<bool> shown;  // per solid, as the menu would check them outside the build-up
    BuildUp buildUp;
    bool boxMode = false;     // the build-up goes into the box open at the top, else free
    int explodeStep = 0;
    bool lightingOn = true, edgesOn = true, legendOn = false;
    Language language = Language::german;
    std::string statusText;   // the last action's note in the caption, "" when none
    int dragButton = 0;       // 0, or the button (1 left, 2 right) being dragged
    int dragX = 0, dragY = 0; // where the drag was last seen
    int mouseX = -1, mouseY = -1;  // the last mouse position in the client area
};

// What the window does after an operation.
struct Effects {
    bool redraw = false;
    bool menusAndCaption = false;  // rebuilt from the state
    bool startTimer = false, stopTimer = false;  // the timer that asks for the slide's frames
    bool captureMouse = false, releaseMouse = false;
    bool savePicture = false, showHelp = false, exitProgram = false;
};

bool operator==(const Effects& a, const Effects& b);
constexpr Effects nothingToDo = {};

// The state at the start: -flat, -noedges, --box and --step of the command line.
RtdViewer startViewer(const RtdScene& scene, const Options& options);

// A command of the menu or a key (commands.h). Toggling a solid that the build-up has not
// brought in yet does nothing.
Effects runCommand(RtdViewer& viewer, const RtdScene& scene, int command, double now);
Effects keyPressed(RtdViewer& viewer, const RtdScene& scene, int key, bool shift, bool control, double now);
// The left button (1) orbits, the right one (2) pans.
Effects buttonPressed(RtdViewer& viewer, int button, int x, int y);
Effects buttonReleased(RtdViewer& viewer);
Effects captureLost(RtdViewer& viewer);
Effects mouseMoved(RtdViewer& viewer, const RtdScene& scene, int x, int y, double now);
Effects wheelTurned(RtdViewer& viewer, double notches);
Effects clientResized(RtdViewer& viewer, int width, int height);
// The slide's timer: a frame, and the timer's end once the slide is over.
Effects timerTicked(RtdViewer& viewer, double now);

// A menu entry's check mark; the solids' entries are ticked while they are drawn.
bool commandChecked(const RtdViewer& viewer, const RtdScene& scene, int command);
// A menu entry that can be chosen: not the entry of a solid the build-up has not brought in.
bool commandEnabled(const RtdViewer& viewer, const RtdScene& scene, int command);

const BuildUpPlan& currentPlan(const RtdViewer& viewer, const RtdScene& scene);
// Which solids are drawn, where and how, seen in viewport at time now.
FrameView frameView(const RtdViewer& viewer, const RtdScene& scene, Viewport viewport, double now);
// The solid under the mouse, -1 when none.
int solidUnderMouse(const RtdViewer& viewer, const RtdScene& scene, double now);

// Every problem with the call and the file, one a line; "" when none.
std::string viewerProblems(const RtdViewer& viewer, const RtdScene& scene, const Options& options);
// The build-up's line for the caption and for the batch form's output; "" when it is off.
std::string viewerBuildUpLine(const RtdViewer& viewer, const RtdScene& scene);
std::string viewerCaption(const RtdViewer& viewer, const RtdScene& scene, const Options& options);
// The window's own area: the problems, the build-up's note and the legend when it is on,
// which marks the solids that frame draws.
OverlayContent overlayContent(const RtdViewer& viewer, const RtdScene& scene, const std::string& problems,
                              const FrameView& frame);
