// render_win.h: OpenGL drawing of a frame that the viewer describes (a FrameView for the
// scene, an Overlay for the window's own area), whole or in steps of bounded time, and the
// window's one clock.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include <cstdint>
#include <vector>

#include "rtd/frame.h"
#include "rtd/framebuffer_win.h"
#include "rtd/overlay.h"

// How far a frame drawn in steps has got: the faces of all runs, then their edges.
struct FrameProgress {
    int pass = 0;  // 0 faces, 1 edges, 2 done
    size_t run = 0;
    long done = 0;  // triangles or segments of this run already drawn
};

struct SteppedFrame {
    Framebuffer buffer;
    bool started = false, finished = false;
    FrameView view = {};
    FrameProgress progress;
    long piece = 256;  // triangles or segments per call between two looks at the clock
};

// The window's drawing: its context, its font and the scene's arrays.
struct Renderer {
    HDC dc = nullptr;
    HGLRC context = nullptr;
    FramebufferFunctions framebuffers;
    GLuint fontLists = 0;
    FontMetrics font = {16, 13, {}};
    DrawArrays arrays;
    SteppedFrame stepped;
};

// Seconds on the window's clock: the slides, the frames drawn in steps and the benchmark
// all read this one.
double secondsNow();

// Makes the context of the window current, with the GUI font as bitmap lists. False when
// OpenGL cannot be had; destroyGlContext then still cleans up.
bool createGlContext(Renderer& r, HWND window);
void destroyGlContext(Renderer& r);

// One whole frame into the current draw buffer (the caller swaps or reads it).
void drawFrame(Renderer& r, const FrameView& view, const Overlay& overlay);
// The window's frame, drawn in steps so that input is taken between them: each call goes
// on with the frame (or starts anew when its view has changed) and leaves the picture so
// far in the draw buffer; false while there is more to draw.
bool drawFrameInSteps(Renderer& r, const FrameView& view, const Overlay& overlay);
// The frame just drawn, as RGB rows from the bottom up.
std::vector<uint8_t> readFrame(Viewport viewport);
// One frame drawn offscreen and read back; false without framebuffer objects.
bool drawOffscreen(Renderer& r, const FrameView& view, const Overlay& overlay, std::vector<uint8_t>& rgb);
