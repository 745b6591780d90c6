// render_win.cpp: OpenGL drawing of the scene with the fixed-function pipeline, which
// Mesa's software renderer runs quickly: one set of vertex arrays for all solids, drawn
// in runs of solids that move alike, one headlight, outline edges pulled in front of the
// faces by a polygon offset, and the problem text as bitmap font lists. With lighting
// off and dithering off every pixel of a solid has exactly its colour. The window's
// frames are drawn into a framebuffer object in steps of bounded time, so that a scene
// of thousands of overlapping solids builds up while the window still takes input.
#include "rtd/rtd_state.h"

#include <GL/gl.h>

#include "rtd/framebuffer_win.h"

#include <algorithm>
#include <limits>

namespace {

GLuint fontLists = 0;
int fontHeight = 16;
int spaceAdvance = 4;  // the font lists give the blank no width under Wine

const GLfloat background[3] = {40 / 255.0f, 44 / 255.0f, 52 / 255.0f};

void loadMatrix(GLenum mode, const Matrix4& m)
{
    glMatrixMode(mode);
    glLoadMatrixd(m.m);
}

// The drawing arrays of all solids in file order; arrays[i] tells where solid i lies.
std::vector<float> positions, normals;  // three floats per corner
std::vector<unsigned char> colours;     // three bytes per corner
std::vector<float> edgePoints;          // three floats per segment end

// Consecutive drawn solids that are moved alike are drawn by one call.
struct Run {
    int first, last;
    Vec3 offset;
};

std::vector<Run> drawnRuns(const std::vector<bool>& drawn, const std::vector<Vec3>& offsets)
{
    std::vector<Run> runs;
    for (int i = 0; i < int(arrays.size()); i++) {
        if (size_t(i) >= drawn.size() || !drawn[size_t(i)]) continue;
        const Vec3 o = offsets[size_t(i)];
        Run* last = runs.empty() ? nullptr : &runs.back();
        if (last && last->last == i - 1 && last->offset.x == o.x && last->offset.y == o.y && last->offset.z == o.z)
            last->last = i;
        else
            runs.push_back({i, i, o});
    }
    return runs;
}

// How far a frame has got: the faces of all runs, then their edges, in pieces.
struct Progress {
    int pass = 0;   // 0 faces, 1 edges, 2 done
    size_t run = 0;
    long done = 0;  // triangles or segments of this run already drawn
};

// Matrices and light of the scene; the caller has set the viewport and cleared.
void beginScene(Viewport viewport)
{
    loadMatrix(GL_PROJECTION, projectionMatrix(camera, sceneFit, viewport));
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
    loadMatrix(GL_MODELVIEW, viewMatrix(camera, sceneFit, viewport));
    glEnableClientState(GL_VERTEX_ARRAY);
}

void beginPass(int pass)
{
    if (pass == 0) {
        if (lightingOn) {
            glEnable(GL_LIGHTING);
            glEnableClientState(GL_NORMAL_ARRAY);
            glNormalPointer(GL_FLOAT, 0, normals.data());
        } else {
            glDisable(GL_LIGHTING);
        }
        glEnableClientState(GL_COLOR_ARRAY);
        glColorPointer(3, GL_UNSIGNED_BYTE, 0, colours.data());
        glEnable(GL_POLYGON_OFFSET_FILL);
        glPolygonOffset(1, 1);
        glVertexPointer(3, GL_FLOAT, 0, positions.data());
    } else {
        glDisable(GL_POLYGON_OFFSET_FILL);
        glDisableClientState(GL_NORMAL_ARRAY);
        glDisableClientState(GL_COLOR_ARRAY);
        glDisable(GL_LIGHTING);
        glColor3ub(16, 16, 16);
        glVertexPointer(3, GL_FLOAT, 0, edgePoints.data());
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
bool drawScene(const std::vector<Run>& runs, Progress& p, long limit)
{
    if (p.pass < 2) beginPass(p.pass);
    while (p.pass < 2 && limit > 0) {
        if (p.pass == 1 && !edgesOn) {
            p.pass = 2;
            break;
        }
        if (p.run >= runs.size()) {
            p = {p.pass + 1, 0, 0};
            if (p.pass == 1) beginPass(1);
            continue;
        }
        const Run& r = runs[p.run];
        const SolidArrays &a = arrays[size_t(r.first)], &b = arrays[size_t(r.last)];
        const int per = p.pass == 0 ? 3 : 2;
        const long first = p.pass == 0 ? a.firstCorner : a.firstEdgePoint;
        const long end = p.pass == 0 ? b.firstCorner + b.cornerCount : b.firstEdgePoint + b.edgePointCount;
        const long count = std::min((end - first) / per - p.done, limit);
        if (count > 0) {
            glPushMatrix();
            glTranslated(r.offset.x, r.offset.y, r.offset.z);
            glDrawArrays(p.pass == 0 ? GL_TRIANGLES : GL_LINES, GLint(first + p.done * per), GLsizei(count * per));
            glPopMatrix();
            p.done += count;
            limit -= count;
        }
        if (p.done * per >= end - first) {
            p.run++;
            p.done = 0;
        }
    }
    return p.pass >= 2;
}

double secondsNow()
{
    static LARGE_INTEGER frequency = {};
    if (!frequency.QuadPart) QueryPerformanceFrequency(&frequency);
    LARGE_INTEGER now;
    QueryPerformanceCounter(&now);
    return double(now.QuadPart) / double(frequency.QuadPart);
}

void drawProblemText(Viewport viewport)
{
    if (problemText.empty() || !fontLists) return;
    glDisable(GL_LIGHTING);
    glDisable(GL_DEPTH_TEST);
    glMatrixMode(GL_PROJECTION);
    glLoadIdentity();
    glOrtho(0, viewport.width, viewport.height, 0, -1, 1);
    glMatrixMode(GL_MODELVIEW);
    glLoadIdentity();
    int lines = 1;
    size_t widest = 0, run = 0;
    for (char c : problemText) {
        if (c == '\n') lines++, run = 0;
        else widest = std::max(widest, ++run);
    }
    // A dark panel keeps the text readable over the pieces.
    glColor3ub(90, 20, 20);
    glRecti(4, 4, 16 + int(widest) * fontHeight / 2, 12 + lines * (fontHeight + 2));
    glColor3ub(255, 255, 255);
    int y = 8 + fontHeight - 3;
    size_t start = 0;
    while (start <= problemText.size()) {
        size_t end = problemText.find('\n', start);
        if (end == std::string::npos) end = problemText.size();
        glRasterPos2i(10, y);
        for (size_t i = start; i < end; i++) {
            const unsigned char c = (unsigned char)problemText[i];
            if (c == ' ')
                glBitmap(0, 0, 0, 0, GLfloat(spaceAdvance), 0, nullptr);
            else
                glCallList(fontLists + c);
        }
        y += fontHeight + 2;
        start = end + 1;
    }
    glEnable(GL_DEPTH_TEST);
}

// What a window frame shows; a frame in steps goes on only while this stays the same.
struct FrameKey {
    Camera camera;
    Viewport viewport;
    int explodeStep;
    bool lighting, edges;
    std::vector<bool> drawn;
    // A sliding piece of the build-up and the view fitted to its path move without input.
    std::vector<Vec3> offsets;
    Fit fit;

    bool operator==(const FrameKey& o) const
    {
        const Camera &a = camera, &b = o.camera;
        const auto sameOffsets = [&] {
            if (offsets.size() != o.offsets.size()) return false;
            for (size_t i = 0; i < offsets.size(); i++)
                if (offsets[i].x != o.offsets[i].x || offsets[i].y != o.offsets[i].y || offsets[i].z != o.offsets[i].z)
                    return false;
            return true;
        };
        if (fit.radius != o.fit.radius || fit.centre.x != o.fit.centre.x || fit.centre.y != o.fit.centre.y ||
            fit.centre.z != o.fit.centre.z || !sameOffsets())
            return false;
        return a.yaw == b.yaw && a.pitch == b.pitch && a.zoom == b.zoom && a.panX == b.panX && a.panY == b.panY &&
               a.perspective == b.perspective && viewport.width == o.viewport.width &&
               viewport.height == o.viewport.height && explodeStep == o.explodeStep && lighting == o.lighting &&
               edges == o.edges && drawn == o.drawn;
    }
};

struct SteppedFrame {
    Framebuffer buffer;
    bool started = false, finished = false;
    FrameKey key;
    Progress progress;
    long piece = 256;  // triangles or segments per call between two looks at the clock
} stepped;

}  // namespace

bool createGlContext(HWND window)
{
    windowDc = GetDC(window);
    PIXELFORMATDESCRIPTOR pfd = {};
    pfd.nSize = sizeof pfd;
    pfd.nVersion = 1;
    pfd.dwFlags = PFD_DRAW_TO_WINDOW | PFD_SUPPORT_OPENGL | PFD_DOUBLEBUFFER;
    pfd.iPixelType = PFD_TYPE_RGBA;
    pfd.cColorBits = 24;
    pfd.cDepthBits = 24;
    pfd.iLayerType = PFD_MAIN_PLANE;
    const int format = ChoosePixelFormat(windowDc, &pfd);
    if (!format || !SetPixelFormat(windowDc, format, &pfd)) return false;
    glContext = wglCreateContext(windowDc);
    if (!glContext || !wglMakeCurrent(windowDc, glContext)) return false;

    // The message font: the GUI font's glyphs as bitmap display lists.
    HGDIOBJ font = GetStockObject(DEFAULT_GUI_FONT);
    HGDIOBJ old = SelectObject(windowDc, font);
    TEXTMETRICA metrics = {};
    if (GetTextMetricsA(windowDc, &metrics)) fontHeight = int(metrics.tmHeight);
    SIZE blank = {};
    if (GetTextExtentPoint32A(windowDc, " ", 1, &blank) && blank.cx > 0) spaceAdvance = int(blank.cx);
    fontLists = glGenLists(256);
    if (fontLists && !wglUseFontBitmapsA(windowDc, 0, 256, fontLists)) {
        glDeleteLists(fontLists, 256);
        fontLists = 0;
    }
    SelectObject(windowDc, old);
    return true;
}

void destroyGlContext()
{
    wglMakeCurrent(nullptr, nullptr);
    if (glContext) wglDeleteContext(glContext);
    glContext = nullptr;
    fontLists = 0;
    stepped = SteppedFrame();  // its objects went with the context
}

void prepareArrays()
{
    arrays.clear();
    positions.clear();
    normals.clear();
    colours.clear();
    edgePoints.clear();
    size_t corners = 0;
    for (const SlpSolid& solid : scene.solids) corners += solid.triangles.size() * 3;
    positions.reserve(corners * 3);
    normals.reserve(corners * 3);
    colours.reserve(corners * 3);
    const Vec3 centre = boxCentre(sceneBounds(scene.solids));
    for (const SlpSolid& solid : scene.solids) {
        SolidArrays a;
        a.firstCorner = int(positions.size() / 3);
        const unsigned char colour[3] = {(unsigned char)colourByte(solid.colour.x),
                                         (unsigned char)colourByte(solid.colour.y),
                                         (unsigned char)colourByte(solid.colour.z)};
        for (const SlpTriangle& t : solid.triangles)
            for (int k = 0; k < 3; k++) {
                positions.insert(positions.end(), {float(t.corner[k].x), float(t.corner[k].y), float(t.corner[k].z)});
                normals.insert(normals.end(), {float(t.normal[k].x), float(t.normal[k].y), float(t.normal[k].z)});
                colours.insert(colours.end(), colour, colour + 3);
            }
        a.cornerCount = int(positions.size() / 3) - a.firstCorner;
        a.firstEdgePoint = int(edgePoints.size() / 3);
        for (const Segment& s : outlineEdges(solid))
            edgePoints.insert(edgePoints.end(),
                              {float(s.a.x), float(s.a.y), float(s.a.z), float(s.b.x), float(s.b.y), float(s.b.z)});
        a.edgePointCount = int(edgePoints.size() / 3) - a.firstEdgePoint;
        // As explodeOffsets computes it, once instead of for every frame.
        const Box b = solidBounds(solid);
        a.explodeDirection = b.empty ? Vec3{0, 0, 0} : boxCentre(b) - centre;
        arrays.push_back(a);
    }
}

std::vector<Vec3> currentOffsets()
{
    const double factor = explodeFactor(explodeStep);
    std::vector<Vec3> out;
    out.reserve(arrays.size());
    for (const SolidArrays& a : arrays) out.push_back(a.explodeDirection * factor);
    addSlide(&out, nullptr);
    return out;
}

std::vector<bool> currentDrawn()
{
    std::vector<bool> drawn = drawnSolids(visibility, buildOrder);
    addSlide(nullptr, &drawn);
    return drawn;
}

void renderFrame(Viewport viewport)
{
    glViewport(0, 0, viewport.width, viewport.height);
    glDisable(GL_DITHER);
    glClearColor(background[0], background[1], background[2], 1);
    glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
    if (sceneUsable) {
        beginScene(viewport);
        Progress all;
        drawScene(drawnRuns(currentDrawn(), currentOffsets()), all, std::numeric_limits<long>::max());
        endScene();
    }
    drawProblemText(viewport);
}

namespace {


// Per step of a window frame: input waits at most about this long.
constexpr double stepSeconds = 0.04;
constexpr double pieceSeconds = 0.01;

}  // namespace

bool renderFrameInSteps(Viewport viewport)
{
    SteppedFrame& f = stepped;
    bool resized = false;
    if (!sceneUsable || !bindFramebufferOf(f.buffer, viewport, &resized)) {
        renderFrame(viewport);
        return true;
    }
    if (resized) f.started = false;
    FrameKey key = {camera, viewport, explodeStep, lightingOn, edgesOn, currentDrawn(), currentOffsets(), sceneFit};
    glViewport(0, 0, viewport.width, viewport.height);
    if (!f.started || !(key == f.key)) {
        glDisable(GL_DITHER);
        glClearColor(background[0], background[1], background[2], 1);
        glClear(GL_COLOR_BUFFER_BIT | GL_DEPTH_BUFFER_BIT);
        f.key = std::move(key);
        f.progress = Progress();
        f.started = true;
        f.finished = false;
    }
    if (!f.finished) {
        beginScene(viewport);
        const std::vector<Run> runs = drawnRuns(f.key.drawn, f.key.offsets);
        const double start = secondsNow();
        do {
            const double before = secondsNow();
            f.finished = drawScene(runs, f.progress, f.piece);
            glFinish();
            // The next piece as large as fits the time of a piece, growing or shrinking
            // at most fourfold, since the cost per triangle varies with its size on screen.
            const double took = std::max(secondsNow() - before, 1e-5);
            f.piece = std::clamp(long(double(f.piece) * pieceSeconds / took), std::max(16L, f.piece / 4),
                                 std::min(1L << 22, f.piece * 4));
        } while (!f.finished && secondsNow() - start < stepSeconds);
        endScene();
    }
    copyFramebufferToWindow(f.buffer, viewport);
    drawProblemText(viewport);
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

bool renderOffscreen(Viewport viewport, std::vector<uint8_t>& rgb)
{
    // Deleting is left to the context's end: the batch form exits right after.
    Framebuffer buffer;
    if (!bindFramebufferOf(buffer, viewport)) return false;
    renderFrame(viewport);
    glFinish();
    rgb.assign(size_t(viewport.width) * size_t(viewport.height) * 3, 0);
    glPixelStorei(GL_PACK_ALIGNMENT, 1);
    glReadPixels(0, 0, viewport.width, viewport.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    bindWindowBuffer();
    return true;
}
