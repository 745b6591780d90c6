// framebuffer_win.cpp: the framebuffer objects of the stepped window frames and of the
// batch form's picture, through the functions that the context hands out.
#include "rtd/framebuffer_win.h"

namespace {

constexpr GLenum glFramebuffer = 0x8D40, glRenderbuffer = 0x8D41, glColorAttachment0 = 0x8CE0,
                 glDepthAttachment = 0x8D00, glDepthComponent24 = 0x81A6, glRgba8 = 0x8058,
                 glFramebufferComplete = 0x8CD5, glReadFramebuffer = 0x8CA8, glDrawFramebuffer = 0x8CA9;

template <typename F>
void lookUp(F& function, const char* name)
{
    function = reinterpret_cast<F>(reinterpret_cast<void*>(wglGetProcAddress(name)));
}

}  // namespace

FramebufferFunctions framebufferFunctions()
{
    FramebufferFunctions gl;
    lookUp(gl.genFramebuffers, "glGenFramebuffers");
    lookUp(gl.bindFramebuffer, "glBindFramebuffer");
    lookUp(gl.genRenderbuffers, "glGenRenderbuffers");
    lookUp(gl.bindRenderbuffer, "glBindRenderbuffer");
    lookUp(gl.renderbufferStorage, "glRenderbufferStorage");
    lookUp(gl.framebufferRenderbuffer, "glFramebufferRenderbuffer");
    lookUp(gl.checkStatus, "glCheckFramebufferStatus");
    lookUp(gl.blitFramebuffer, "glBlitFramebuffer");
    gl.usable = gl.genFramebuffers && gl.bindFramebuffer && gl.genRenderbuffers && gl.bindRenderbuffer &&
                gl.renderbufferStorage && gl.framebufferRenderbuffer && gl.checkStatus && gl.blitFramebuffer;
    return gl;
}

bool bindFramebufferOf(const FramebufferFunctions& gl, Framebuffer& buffer, Viewport viewport, bool* resized)
{
    if (resized) *resized = false;
    if (!gl.usable) return false;
    if (!buffer.frame) {
        gl.genFramebuffers(1, &buffer.frame);
        gl.genRenderbuffers(2, buffer.buffers);
    }
    gl.bindFramebuffer(glFramebuffer, buffer.frame);
    if (buffer.size == viewport) return true;
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

void copyFramebufferToWindow(const FramebufferFunctions& gl, const Framebuffer& buffer, Viewport viewport)
{
    gl.bindFramebuffer(glReadFramebuffer, buffer.frame);
    gl.bindFramebuffer(glDrawFramebuffer, 0);
    gl.blitFramebuffer(0, 0, viewport.width, viewport.height, 0, 0, viewport.width, viewport.height,
                       GL_COLOR_BUFFER_BIT, GL_NEAREST);
    gl.bindFramebuffer(glFramebuffer, 0);
}

void bindWindowBuffer(const FramebufferFunctions& gl)
{
    if (gl.usable) gl.bindFramebuffer(glFramebuffer, 0);
}
