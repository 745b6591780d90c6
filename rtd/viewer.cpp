// viewer.cpp: the viewer's operations on its state, and what a frame, the caption and the
// window's own area show of it.
#include "rtd/viewer.h"

#include <algorithm>

#include "rtd/caption.h"
#include "rtd/commands.h"

namespace {

Effects changed() { return {true, true}; }

Effects redrawOnly()
{
    Effects e;
    e.redraw = true;
    return e;
}

int solidCount(const RtdScene& scene) { return int(scene.file.solids.size()); }

// Whether the build-up has brought the solid in (always, while it is off).
bool builtIn(const RtdViewer& viewer, const RtdScene& scene, int solid)
{
    if (viewer.buildUp.count < 0) return true;
    const BuildUpPlacement p = placementAfter(currentPlan(viewer, scene), viewer.buildUp.count);
    return size_t(solid) < p.in.size() && p.in[size_t(solid)];
}

Fit fitAt(const RtdViewer& viewer, const RtdScene& scene, double now)
{
    // The box as drawn outside the build-up: every solid at its exploded place.
    Box box = emptyBox;
    const double factor = explodeFactor(viewer.explodeStep);
    for (size_t i = 0; i < scene.solidBoxes.size(); i++)
        grow(box, shifted(scene.solidBoxes[i], scene.explodeDirections[i] * factor));
    return buildUpFit(viewer.buildUp, currentPlan(viewer, scene), scene.solidBoxes, box, now);
}

Effects stepThroughBuildUp(RtdViewer& viewer, const RtdScene& scene, int direction, double now)
{
    // A piece arrives at its place in the box, not at an exploded one.
    viewer.explodeStep = 0;
    stepBuildUp(viewer.buildUp, currentPlan(viewer, scene), direction, now);
    Effects e = changed();
    e.startTimer = slideRunning(viewer.buildUp, now);
    return e;
}

}  // namespace

bool operator==(const Effects& a, const Effects& b)
{
    return a.redraw == b.redraw && a.menusAndCaption == b.menusAndCaption && a.startTimer == b.startTimer &&
           a.stopTimer == b.stopTimer && a.captureMouse == b.captureMouse && a.releaseMouse == b.releaseMouse &&
           a.savePicture == b.savePicture && a.showHelp == b.showHelp && a.exitProgram == b.exitProgram;
}

RtdScene loadScene(const std::string& fileName)
{
    if (!fileName.empty()) return sceneOf(readSlpFile(fileName));
    SlpScene none;
    none.noteCount = 0;
    return sceneOf(std::move(none));
}

RtdScene sceneOf(SlpScene file)
{
    RtdScene s;
    s.usable = !sceneIsEmpty(file);
    s.plans = planBuildUp(file.solids);
    for (const SlpSolid& solid : file.solids) s.solidBoxes.push_back(solidBounds(solid));
    s.explodeDirections = explodeDirections(file.solids);
    s.file = std::move(file);
    return s;
}

RtdViewer startViewer(const RtdScene& scene, const Options& options)
{
    RtdViewer v;
    v.shown.assign(scene.file.solids.size(), true);
    v.lightingOn = !options.flat;
    v.edgesOn = options.edges;
    v.boxMode = options.box;
    const BuildUpPlan& plan = currentPlan(v, scene);
    if (options.buildUpStep >= 0 && options.buildUpStep <= int(plan.moves.size()))
        jumpBuildUp(v.buildUp, plan, options.buildUpStep);
    return v;
}

Effects runCommand(RtdViewer& v, const RtdScene& scene, int command, double now)
{
    // Looking closer or further keeps the last action's note, as dragging does.
    switch (command) {
    case commandZoomIn: v.camera = zoomBy(v.camera, 1); return redrawOnly();
    case commandZoomOut: v.camera = zoomBy(v.camera, -1); return redrawOnly();
    case commandHelp: {
        Effects e;
        e.showHelp = true;
        return e;
    }
    default: break;
    }
    const int solid = command - commandSolidFirst;
    if (solid >= 0 && solid < solidCount(scene) && size_t(solid) < v.shown.size()) {
        if (!builtIn(v, scene, solid)) return nothingToDo;
        v.statusText.clear();
        v.shown[size_t(solid)] = !v.shown[size_t(solid)];
        return changed();
    }
    if (command >= commandViewFirst && command < commandViewFirst + 8) {
        v.statusText.clear();
        v.camera = standardView(StandardView(command - commandViewFirst), v.camera.perspective);
        return changed();
    }
    const std::string note = v.statusText;
    v.statusText.clear();
    Effects e = changed();
    switch (command) {
    case commandSave:
        e = {};
        e.savePicture = true;
        return e;
    case commandExit:
        e = {};
        e.exitProgram = true;
        return e;
    case commandPerspective: v.camera.perspective = !v.camera.perspective; break;
    case commandEdges: v.edgesOn = !v.edgesOn; break;
    case commandLighting: v.lightingOn = !v.lightingOn; break;
    case commandLegend: v.legendOn = !v.legendOn; break;
    case commandExplodeMore: v.explodeStep = std::min(v.explodeStep + 1, maxExplodeStep); break;
    case commandExplodeLess: v.explodeStep = std::max(v.explodeStep - 1, 0); break;
    case commandExplodeOff: v.explodeStep = 0; break;
    case commandBuildUpNext: return stepThroughBuildUp(v, scene, +1, now);
    case commandBuildUpPrevious: return stepThroughBuildUp(v, scene, -1, now);
    case commandBuildUpEnd: jumpBuildUp(v.buildUp, currentPlan(v, scene), -1); break;
    case commandBuildUpBox:
        // The other plan from the same count on, without a slide.
        v.boxMode = !v.boxMode;
        if (v.buildUp.count >= 0) jumpBuildUp(v.buildUp, currentPlan(v, scene), v.buildUp.count);
        break;
    case commandShowAll: v.shown.assign(v.shown.size(), true); break;
    case commandHideAll: v.shown.assign(v.shown.size(), false); break;
    case commandOnlyThis: {
        const int picked = solidUnderMouse(v, scene, now);
        if (picked >= 0) {
            v.shown.assign(v.shown.size(), false);
            v.shown[size_t(picked)] = true;
        }
        break;
    }
    case commandGerman: v.language = Language::german; break;
    case commandEnglish: v.language = Language::english; break;
    default: v.statusText = note; return nothingToDo;
    }
    return e;
}

Effects keyPressed(RtdViewer& viewer, const RtdScene& scene, int key, bool shift, bool control, double now)
{
    const int command = commandForKey(key, shift, control);
    return command == commandNone ? nothingToDo : runCommand(viewer, scene, command, now);
}

Effects buttonPressed(RtdViewer& v, int button, int x, int y)
{
    v.dragButton = button;
    v.dragX = v.mouseX = x;
    v.dragY = v.mouseY = y;
    Effects e;
    e.captureMouse = true;
    return e;
}

Effects buttonReleased(RtdViewer& v)
{
    Effects e;
    e.releaseMouse = v.dragButton != 0;
    v.dragButton = 0;
    return e;
}

Effects captureLost(RtdViewer& v)
{
    v.dragButton = 0;
    return nothingToDo;
}

Effects mouseMoved(RtdViewer& v, const RtdScene& scene, int x, int y, double now)
{
    v.mouseX = x;
    v.mouseY = y;
    const int dx = x - v.dragX, dy = y - v.dragY;
    if (!v.dragButton || (dx == 0 && dy == 0)) return nothingToDo;
    v.dragX = x;
    v.dragY = y;
    v.camera = v.dragButton == 1 ? orbit(v.camera, dx, dy) : pan(v.camera, fitAt(v, scene, now), v.client, dx, dy);
    return redrawOnly();
}

Effects wheelTurned(RtdViewer& v, double notches)
{
    v.camera = zoomBy(v.camera, notches);
    return redrawOnly();
}

Effects clientResized(RtdViewer& v, int width, int height)
{
    v.client = {std::max(1, width), std::max(1, height)};
    return redrawOnly();
}

Effects timerTicked(RtdViewer& v, double now)
{
    Effects e = redrawOnly();
    e.stopTimer = !slideRunning(v.buildUp, now);
    endSlide(v.buildUp, now);
    return e;
}

bool commandChecked(const RtdViewer& v, const RtdScene& scene, int command)
{
    const int solid = command - commandSolidFirst;
    if (solid >= 0 && size_t(solid) < v.shown.size()) return v.shown[size_t(solid)] && builtIn(v, scene, solid);
    switch (command) {
    case commandPerspective: return v.camera.perspective;
    case commandEdges: return v.edgesOn;
    case commandLighting: return v.lightingOn;
    case commandLegend: return v.legendOn;
    case commandBuildUpBox: return v.boxMode;
    case commandGerman: return v.language == Language::german;
    case commandEnglish: return v.language == Language::english;
    default: return false;
    }
}

bool commandEnabled(const RtdViewer& v, const RtdScene& scene, int command)
{
    const int solid = command - commandSolidFirst;
    return solid < 0 || solid >= solidCount(scene) || builtIn(v, scene, solid);
}

const BuildUpPlan& currentPlan(const RtdViewer& viewer, const RtdScene& scene)
{
    return planFor(scene.plans, viewer.boxMode);
}

FrameView frameView(const RtdViewer& v, const RtdScene& scene, Viewport viewport, double now)
{
    const size_t n = scene.file.solids.size();
    const BuildUpPlacement p = buildUpAt(v.buildUp, currentPlan(v, scene), n, now);
    FrameView f = {v.camera, fitAt(v, scene, now), viewport, v.lightingOn, v.edgesOn, {}, {}};
    const double factor = explodeFactor(v.explodeStep);
    for (size_t i = 0; i < n; i++) {
        f.drawn.push_back(i < v.shown.size() && v.shown[i] && p.in[i]);
        f.offsets.push_back(scene.explodeDirections[i] * factor + p.offsets[i]);
    }
    return f;
}

int solidUnderMouse(const RtdViewer& v, const RtdScene& scene, double now)
{
    if (v.mouseX < 0 || v.mouseY < 0) return -1;
    const FrameView f = frameView(v, scene, v.client, now);
    const Ray ray = pixelRay(f.camera, f.fit, f.viewport, v.mouseX + 0.5, v.mouseY + 0.5);
    return pickSolid(scene.file.solids, f.offsets, f.drawn, ray);
}

std::string viewerProblems(const RtdViewer& v, const RtdScene& scene, const Options& options)
{
    // --step counts the steps of the mode the command line asked for, whichever M shows now.
    return problemTextFor(v.language, options, scene.file, int(planFor(scene.plans, options.box).moves.size()));
}

std::string viewerBuildUpLine(const RtdViewer& v, const RtdScene& scene)
{
    return buildUpStatus(v.language, currentPlan(v, scene), v.buildUp.count, v.boxMode);
}

std::string viewerCaption(const RtdViewer& v, const RtdScene& scene, const Options& options)
{
    return captionFor({v.language, options.fileName, viewerBuildUpLine(v, scene), viewerProblems(v, scene, options),
                       v.statusText});
}

OverlayContent overlayContent(const RtdViewer& v, const RtdScene& scene, const std::string& problems,
                              const FrameView& f)
{
    OverlayContent c = {problems, buildUpNote(v.language, currentPlan(v, scene), v.buildUp.count), {}};
    if (!v.legendOn) return c;
    for (size_t i = 0; i < scene.file.solids.size(); i++) {
        if (scene.solidBoxes[i].empty) continue;
        const Vec3 colour = scene.file.solids[i].colour;
        c.legend.push_back({{uint8_t(colourByte(colour.x)), uint8_t(colourByte(colour.y)), uint8_t(colourByte(colour.z))},
                            std::to_string(i + 1),
                            f.drawn[i]});
    }
    return c;
}
