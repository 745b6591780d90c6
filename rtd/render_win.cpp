// render_win.cpp: OpenGL drawing of the scene with the fixed-function pipeline, which
// Mesa's software renderer runs quickly: vertex arrays per solid, one headlight, outline
// edges pulled in front of the faces by a polygon offset, and the problem text as bitmap
// font lists. With lighting off and dithering off every pixel of a solid has exactly its
// colour.
#include "rtd/rtd_state.h"

#include <GL/gl.h>

#include <algorithm>

namespace {

GLuint fontLists = 0;
int fontHeight = 16;
int spaceAdvance = 4;  // the font lists give the blank no width under Wine

// Framebuffer objects are GL 3.0; opengl32 exports only 1.1, so they are looked up.
using GenFn = void(APIENTRY*)(GLsizei, GLuint*);
using BindFn = void(APIENTRY*)(GLenum, GLuint);
using StorageFn = void(APIENTRY*)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void(APIENTRY*)(GLenum, GLenum, GLenum, GLuint);
using StatusFn = GLenum(APIENTRY*)(GLenum);
constexpr GLenum glFramebuffer = 0x8D40, glRenderbuffer = 0x8D41, glColorAttachment0 = 0x8CE0,
                 glDepthAttachment = 0x8D00, glDepthComponent24 = 0x81A6, glRgba8 = 0x8058,
                 glFramebufferComplete = 0x8CD5;

template <typename F>
F glFunction(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

const GLfloat background[3] = {40 / 255.0f, 44 / 255.0f, 52 / 255.0f};

void loadMatrix(GLenum mode, const Matrix4& m)
{
    glMatrixMode(mode);
    glLoadMatrixd(m.m);
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
}

void prepareArrays()
{
    arrays.clear();
    for (const SlpSolid& solid : scene.solids) {
        SolidArrays a;
        for (const SlpTriangle& t : solid.triangles)
            for (int k = 0; k < 3; k++) {
                a.positions.insert(a.positions.end(), {float(t.corner[k].x), float(t.corner[k].y), float(t.corner[k].z)});
                a.normals.insert(a.normals.end(), {float(t.normal[k].x), float(t.normal[k].y), float(t.normal[k].z)});
            }
        for (const Segment& s : outlineEdges(solid))
            a.edgePoints.insert(a.edgePoints.end(),
                                {float(s.a.x), float(s.a.y), float(s.a.z), float(s.b.x), float(s.b.y), float(s.b.z)});
        a.colour[0] = (unsigned char)colourByte(solid.colour.x);
        a.colour[1] = (unsigned char)colourByte(solid.colour.y);
        a.colour[2] = (unsigned char)colourByte(solid.colour.z);
        arrays.push_back(std::move(a));
    }
}

std::vector<Vec3> currentOffsets()
{
    std::vector<Vec3> offsets = explodeOffsets(scene.solids, explodeFactor(explodeStep));
    addSlide(&offsets, nullptr);
    return offsets;
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

        const std::vector<Vec3> offsets = currentOffsets();
        const std::vector<bool> drawn = currentDrawn();
        glEnableClientState(GL_VERTEX_ARRAY);
        for (size_t i = 0; i < arrays.size(); i++) {
            if (!drawn[i] || arrays[i].positions.empty()) continue;
            const SolidArrays& a = arrays[i];
            glPushMatrix();
            glTranslated(offsets[i].x, offsets[i].y, offsets[i].z);
            if (lightingOn) {
                glEnable(GL_LIGHTING);
                glEnableClientState(GL_NORMAL_ARRAY);
                glNormalPointer(GL_FLOAT, 0, a.normals.data());
            } else {
                glDisable(GL_LIGHTING);
            }
            glColor3ub(a.colour[0], a.colour[1], a.colour[2]);
            glEnable(GL_POLYGON_OFFSET_FILL);
            glPolygonOffset(1, 1);
            glVertexPointer(3, GL_FLOAT, 0, a.positions.data());
            glDrawArrays(GL_TRIANGLES, 0, GLsizei(a.positions.size() / 3));
            glDisable(GL_POLYGON_OFFSET_FILL);
            glDisableClientState(GL_NORMAL_ARRAY);
            if (edgesOn && !a.edgePoints.empty()) {
                glDisable(GL_LIGHTING);
                glColor3ub(16, 16, 16);
                glVertexPointer(3, GL_FLOAT, 0, a.edgePoints.data());
                glDrawArrays(GL_LINES, 0, GLsizei(a.edgePoints.size() / 3));
            }
            glPopMatrix();
        }
        glDisableClientState(GL_VERTEX_ARRAY);
        glDisable(GL_LIGHTING);
    }
    drawProblemText(viewport);
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
    const auto genFramebuffers = glFunction<GenFn>("glGenFramebuffers");
    const auto bindFramebuffer = glFunction<BindFn>("glBindFramebuffer");
    const auto genRenderbuffers = glFunction<GenFn>("glGenRenderbuffers");
    const auto bindRenderbuffer = glFunction<BindFn>("glBindRenderbuffer");
    const auto renderbufferStorage = glFunction<StorageFn>("glRenderbufferStorage");
    const auto framebufferRenderbuffer = glFunction<AttachFn>("glFramebufferRenderbuffer");
    const auto checkStatus = glFunction<StatusFn>("glCheckFramebufferStatus");
    if (!genFramebuffers || !bindFramebuffer || !genRenderbuffers || !bindRenderbuffer || !renderbufferStorage ||
        !framebufferRenderbuffer || !checkStatus)
        return false;
    GLuint frame = 0, buffers[2] = {0, 0};
    genFramebuffers(1, &frame);
    bindFramebuffer(glFramebuffer, frame);
    genRenderbuffers(2, buffers);
    bindRenderbuffer(glRenderbuffer, buffers[0]);
    renderbufferStorage(glRenderbuffer, glRgba8, viewport.width, viewport.height);
    framebufferRenderbuffer(glFramebuffer, glColorAttachment0, glRenderbuffer, buffers[0]);
    bindRenderbuffer(glRenderbuffer, buffers[1]);
    renderbufferStorage(glRenderbuffer, glDepthComponent24, viewport.width, viewport.height);
    framebufferRenderbuffer(glFramebuffer, glDepthAttachment, glRenderbuffer, buffers[1]);
    const bool complete = checkStatus(glFramebuffer) == glFramebufferComplete;
    if (complete) {
        renderFrame(viewport);
        glFinish();
        rgb.assign(size_t(viewport.width) * size_t(viewport.height) * 3, 0);
        glPixelStorei(GL_PACK_ALIGNMENT, 1);
        glReadPixels(0, 0, viewport.width, viewport.height, GL_RGB, GL_UNSIGNED_BYTE, rgb.data());
    }
    bindFramebuffer(glFramebuffer, 0);
    // Deleting is left to the context's end: the batch form exits right after.
    return complete;
}
