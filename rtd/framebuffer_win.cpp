// framebuffer_win.cpp: the framebuffer objects of the stepped window frames and of the
// batch form's picture, with their GL 3.0 functions looked up once per context.
#include "rtd/framebuffer_win.h"

namespace {

using GenFn = void(APIENTRY*)(GLsizei, GLuint*);
using BindFn = void(APIENTRY*)(GLenum, GLuint);
using StorageFn = void(APIENTRY*)(GLenum, GLenum, GLsizei, GLsizei);
using AttachFn = void(APIENTRY*)(GLenum, GLenum, GLenum, GLuint);
using StatusFn = GLenum(APIENTRY*)(GLenum);
using BlitFn = void(APIENTRY*)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield, GLenum);
constexpr GLenum glFramebuffer = 0x8D40, glRenderbuffer = 0x8D41, glColorAttachment0 = 0x8CE0,
                 glDepthAttachment = 0x8D00, glDepthComponent24 = 0x81A6, glRgba8 = 0x8058,
                 glFramebufferComplete = 0x8CD5, glReadFramebuffer = 0x8CA8, glDrawFramebuffer = 0x8CA9;

template <typename F>
F glFunction(const char* name)
{
    return reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

struct Functions {
    bool tried = false, usable = false;
    GenFn genFramebuffers, genRenderbuffers;
    BindFn bindFramebuffer, bindRenderbuffer;
    StorageFn renderbufferStorage;
    AttachFn framebufferRenderbuffer;
    StatusFn checkStatus;
    BlitFn blitFramebuffer;
} gl;

}  // namespace

bool framebuffersAvailable()
{
    if (!gl.tried) {
        gl.tried = true;
        gl.genFramebuffers = glFunction<GenFn>("glGenFramebuffers");
        gl.bindFramebuffer = glFunction<BindFn>("glBindFramebuffer");
        gl.genRenderbuffers = glFunction<GenFn>("glGenRenderbuffers");
        gl.bindRenderbuffer = glFunction<BindFn>("glBindRenderbuffer");
        gl.renderbufferStorage = glFunction<StorageFn>("glRenderbufferStorage");
        gl.framebufferRenderbuffer = glFunction<AttachFn>("glFramebufferRenderbuffer");
        gl.checkStatus = glFunction<StatusFn>("glCheckFramebufferStatus");
        gl.blitFramebuffer = glFunction<BlitFn>("glBlitFramebuffer");
        gl.usable = gl.genFramebuffers && gl.bindFramebuffer && gl.genRenderbuffers && gl.bindRenderbuffer &&
                    gl.renderbufferStorage && gl.framebufferRenderbuffer && gl.checkStatus && gl.blitFramebuffer;
    }
    return gl.usable;
}

bool bindFramebufferOf(Framebuffer& buffer, Viewport viewport, bool* resized)
{
    if (resized) *resized = false;
    if (!framebuffersAvailable()) return false;
    if (!buffer.frame) {
        gl.genFramebuffers(1, &buffer.frame);
        gl.genRenderbuffers(2, buffer.buffers);
    }
    gl.bindFramebuffer(glFramebuffer, buffer.frame);
    if (buffer.size.width == viewport.width && buffer.size.height == viewport.height) return true;
    if (resized) *resized = true;
    buffer.size = viewport;
    gl.bindRenderbuffer(glRenderbuffer, buffer.buffers[0]);
    gl.renderbufferStorage(glRenderbuffer, glRgba8, viewport.width, viewport.height);
    gl.framebufferRenderbuffer(glFramebuffer, glColorAttachment0, glRenderbuffer, buffer.buffers[0]);
    gl.bindRenderbuffer(glRenderbuffer, buffer.buffers[1]);
    gl.renderbufferStorage(glRenderbuffer, glDepthComponent24, viewport.width, viewport.height);
    gl.framebufferRenderbuffer(glFramebuffer, glDepthAttachment, glRenderbuffer, buffer.buffers[1]);
    if (gl.checkStatus(glFramebuffer) == glFramebufferComplete) return true;
    buffer.size = {0, 0};
    gl.bindFramebuffer(glFramebuffer, 0);
    return false;
}

void copyFramebufferToWindow(const Framebuffer& buffer, Viewport viewport)
{
    gl.bindFramebuffer(glReadFramebuffer, buffer.frame);
    gl.bindFramebuffer(glDrawFramebuffer, 0);
    gl.blitFramebuffer(0, 0, viewport.width, viewport.height, 0, 0, viewport.width, viewport.height,
                       GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl.bindFramebuffer(glFramebuffer, 0);
}

void bindWindowBuffer()
{
    if (framebuffersAvailable()) gl.bindFramebuffer(glFramebuffer, 0);
}
