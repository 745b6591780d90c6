// render_win.cpp: OpenGL drawing with the fixed-function pipeline, which Mesa's software
// renderer runs quickly: one set of vertex arrays for all solids, drawn in the runs that
// frame.h works out, one headlight, outline edges pulled in front of the faces by a
// polygon offset, and the window's own area as rectangles and bitmap font lists. With
// lighting off and dithering off every pixel of a solid has exactly its colour. The
// window's frames are drawn into a framebuffer object in steps of bounded time, so that a
// scene of thousands of overlapping solids builds up while the window still takes input.
#include "rtd/render_win.h"

#include <algorithm>
#include <limits>

#include "rtd/palette.h"

namespace {

// Per step of a window frame: input waits at most about this long.
constexpr double stepSeconds = 0.04;
constexpr double pieceSeconds = 0.01;

void loadMatrix(GLenum mode, const Matrix4& m)
{
    glMatrixMode(mode);
    glLoadMatrixd(m.m);
}

void clearFrame(Viewport viewport)
{
    glViewport(0, 0, viewport.width, viewport.height);
    glDisable(GL_DITHER);
    glClearColor(backgroundColour.r / 255.0f, backgroundColour.g / 255.0f, backgroundColour.b / 255.0f, 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
}

// Matrices and light of the scene; the caller has set the viewport and cleared.
void beginScene(const FrameView& view)
{
    loadMatrix(GL_PROJECTION, projectionMatrix(view.camera, view.fit, view.viewport));
    glMatrixMode(GL_MODELVIEW);
    // The light is set with an identity matrix, so it stays at the eye.
    glLoadIdentity();
    const GLfloat light[4] = {0.35f, 0.55f, 1.0f, 0.0f};
    const GLfloat ambient[4] = {0.32f, 0.32f, 0.32f, 1};
    const GLfloat diffuse[4] = {0.72f, 0.72f, 0.72f, 1};
    const GLfloat none[4] = {0, 0, 0, 1};
    glLightfv(GL_LIGHT0, GL_POSITION, light);
    glLightfv(GL_LIGHT0, GL_AMBIENT, none);
    glLightfv(GL_LIGHT0, GL_DIFFUSE, diffuse);
    glLightfv(GL_LIGHT0, GL_SPECULAR, none);
    glLightModelfv(GL_LIGHT_MODEL_AMBIENT, ambient);
    glEnable(GL_LIGHT0);
    glColorMaterial(GL_FRONT_AND_BACK, GL_AMBIENT_AND_DIFFUSE);
    glEnable(GL_COLOR_MATERIAL);
    glShadeModel(GL_SMOOTH);
    glEnable(GL_DEPTH_TEST);
    glDepthFunc(GL_LEQUAL);
    loadMatrix(GL_MODELVIEW, viewMatrix(view.camera, view.fit, view.viewport));
    glEnableClientState(GL_VERTEX_ARRAY);
}

void beginPass(const DrawArrays& a, const FrameView& view, int pass)
{
    if (pass == 0) {
        if (view.lighting) {
            glEnable(GL_LIGHTING);
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, a.normals.data());
        } else {
            glDisable(GL_LIGHTING);
        }
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, a.colours.data());
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        glVertexPointer(3, GL_FLOAT, 0, a.positions.data());
    } else {
        glDisable(GL_POLYGON_OFFSET_FILL);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisable(GL_LIGHTING);
        glColor3ub(edgeColour.r, edgeColour.g, edgeColour.b);
        glVertexPointer(3, GL_FLOAT, 0, a.edgePoints.data());
    }
}

void endScene()
{
    glDisable(GL_POLYGON_OFFSET_FILL);
    glDisableClientState(GL_NORMAL_ARRAY);
    glDisableClientState(GL_COLOR_ARRAY);
    glDisableClientState(GL_VERTEX_ARRAY);
    glDisable(GL_LIGHTING);
}

// Draws at most limit triangles or segments from where p stands; true when all are drawn.
bool drawScene(const DrawArrays& a, const FrameView& view, const std::vector<DrawRun>& runs, FrameProgress& p,
               long limit)
{
    if (p.pass < 2) beginPass(a, view, p.pass);
    while (p.pass < 2 && limit > 0) {
        if (p.pass == 1 && !view.edges) {
            p.pass = 2;
            break;
        }
        if (p.run >= runs.size()) {
            p = {p.pass + 1, 0, 0};
            if (p.pass == 1) beginPass(a, view, 1);
            continue;
        }
        const DrawRun& r = runs[p.run];
        const SolidRange &first = a.solids[size_t(r.first)], &last = a.solids[size_t(r.last)];
        const int per = p.pass == 0 ? 3 : 2;
        const long begin = p.pass == 0 ? first.firstCorner : first.firstEdgePoint;
        const long end = p.pass == 0 ? last.firstCorner + last.cornerCount : last.firstEdgePoint + last.edgePointCount;
        const long count = std::min((end - begin) / per - p.done, limit);
        if (count > 0) {
            glPushMatrix();
            glTranslated(r.offset.x, r.offset.y, r.offset.z);
            glDrawArrays(p.pass == 0 ? GL_TRIANGLES : GL_LINES, GLint(begin + p.done * per), GLsizei(count * per));
            glPopMatrix();
            p.done += count;
            limit -= count;
        }
        if (p.done * per >= end - begin) {
            p.run++;
            p.done = 0;
        }
    }
    return p.pass >= 2;
}

void drawOverlay(const Renderer& r, const Overlay& overlay, Viewport viewport)
{
    if (overlay.rects.empty() && overlay.texts.empty()) return;
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewport.width, viewport.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    for (const OverlayRect& rect : overlay.rects) {
        glColor3ub(rect.colour.r, rect.colour.g, rect.colour.b);
        glRecti(rect.left, rect.top, rect.right, rect.bottom);
    }
    if (r.fontLists)
        for (const OverlayText& t : overlay.texts) {
            // The raster colour is taken when the position is set.
            glColor3ub(t.colour.r, t.colour.g, t.colour.b);
            glRasterPos2i(t.x, t.baseline);
            for (char c : t.text) {
                const unsigned char u = (unsigned char)c;
                // The font lists give the blank no width under Wine: it moves by itself.
                if (u == ' ')
                    glBitmap(0, 0, 0, 0, GLfloat(r.font.advance[u]), 0, nullptr);
                else
                    glCallList(r.fontLists + u);
            }
        }
    glEnable(GL_DEPTH_TEST);
}

}  // namespace

double secondsNow()
{
    LARGE_INTEGER frequency, now;
    QueryPerformanceFrequency(&frequency);
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

bool createGlContext(Renderer& r, HWND window)
{
    r.dc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 24;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(r.dc, &pfd);
    if (!format || !SetPixelFormat(r.dc, format, &pfd)) return false;
    r.context = wglCreateContext(r.dc);
    if (!r.context || !wglMakeCurrent(r.dc, r.context)) return false;
    r.framebuffers = framebufferFunctions();

    // The font of the window's own area: the GUI font's glyphs as bitmap display lists.
    HGDIOBJ old = SelectObject(r.dc, GetStockObject(DEFAULT_GUI_FONT));
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(r.dc, &metrics)) r.font.height = int(metrics.tmHeight), r.font.ascent = int(metrics.tmAscent);
    INT widths[256] = {};
    if (GetCharWidth32A(r.dc, 0, 255, widths))
        for (int c = 0; c < 256; c++) r.font.advance[c] = widths[c];
    SIZE blank = {};
    if (GetTextExtentPoint32A(r.dc, " ", 1, &blank) && blank.cx > 0) r.font.advance[int(' ')] = int(blank.cx);
    r.fontLists = glGenLists(256);
    if (r.fontLists && !wglUseFontBitmapsA(r.dc, 0, 256, r.fontLists)) {
        glDeleteLists(r.fontLists, 256);
        r.fontLists = 0;
    }
    SelectObject(r.dc, old);
    return true;
}

void destroyGlContext(Renderer& r)
{
    wglMakeCurrent(nullptr, nullptr);
    if (r.context) wglDeleteContext(r.context);
    r.context = nullptr;
    r.fontLists = 0;
    r.framebuffers = FramebufferFunctions();
    r.stepped = SteppedFrame();  // its objects went with the context
}

void drawFrame(Renderer& r, const FrameView& view, const Overlay& overlay)
{
    clearFrame(view.viewport);
    beginScene(view);
    FrameProgress all;
    drawScene(r.arrays, view, drawRuns(view.drawn, view.offsets), all, std::numeric_limits<long>::max());
    endScene();
    drawOverlay(r, overlay, view.viewport);
}

bool drawFrameInSteps(Renderer& r, const FrameView& view, const Overlay& overlay)
{
    SteppedFrame& f = r.stepped;
    bool resized = false;
    if (!bindFramebufferOf(r.framebuffers, f.buffer, view.viewport, &resized)) {
        drawFrame(r, view, overlay);
        return true;
    }
    if (resized) f.started = false;
    if (!f.started || !(view == f.view)) {
        clearFrame(view.viewport);
        f.view = view;
        f.progress = FrameProgress();
        f.started = true;
        f.finished = false;
    }
    glViewport(0, 0, view.viewport.width, view.viewport.height);
    if (!f.finished) {
        beginScene(f.view);
        const std::vector<DrawRun> runs = drawRuns(f.view.drawn, f.view.offsets);
        const double start = secondsNow();
        do {
            const double before = secondsNow();
            f.finished = drawScene(r.arrays, f.view, runs, f.progress, f.piece);
            glFinish();
            // The next piece as large as fits the time of a piece, growing or shrinking
            // at most fourfold, since the cost per triangle varies with its size on screen.
            const double took = std::max(secondsNow() - before, 1e-5);
            f.piece = std::clamp(long(double(f.piece) * pieceSeconds / took), std::max(16L, f.piece / 4),
                                 std::min(1L << 22, f.piece * 4));
        } while (!f.finished && secondsNow() - start < stepSeconds);
        endScene();
    }
    copyFramebufferToWindow(r.framebuffers, f.buffer, view.viewport);
    drawOverlay(r, overlay, view.viewport);
    return f.finished;
}

std::vector<uint8_t> readFrame(Viewport viewport)
{
    std::vector<uint8_t> rgb(size_t(viewport.width) * size_t(viewport.height) * 3);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadBuffer(GL_BACK);
    glReadPixels(0, 0, viewport.width, viewport.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    return rgb;
}

bool drawOffscreen(Renderer& r, const FrameView& view, const Overlay& overlay, std::vector<uint8_t>& rgb)
{
    // Deleting is left to the context's end: the batch form exits right after.
    Framebuffer buffer;
    if (!bindFramebufferOf(r.framebuffers, buffer, view.viewport)) return false;
    drawFrame(r, view, overlay);
    glFinish();
    rgb.assign(size_t(view.viewport.width) * size_t(view.viewport.height) * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, view.viewport.width, view.viewport.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    bindWindowBuffer(r.framebuffers);
    return true;
}
