// framebuffer_win.h: an offscreen colour and depth buffer for OpenGL, drawn into instead of
// the window and then copied to it or read back. Framebuffer objects are GL 3.0, and
// opengl32 exports only 1.1, so their functions are looked up in the current context.
#pragma once

#include <windows.h>

#include <GL/gl.h>

#include "rtd/camera.h"

struct Framebuffer {
    GLuint frame = 0, buffers[2] = {0, 0};  // colour, depth
    Viewport size = {0, 0};
};

// The context's framebuffer functions; usable is false when it lacks any of them.
struct FramebufferFunctions {
    bool usable = false;
    void(APIENTRY* genFramebuffers)(GLsizei, GLuint*) = nullptr;
    void(APIENTRY* genRenderbuffers)(GLsizei, GLuint*) = nullptr;
    void(APIENTRY* bindFramebuffer)(GLenum, GLuint) = nullptr;
    void(APIENTRY* bindRenderbuffer)(GLenum, GLuint) = nullptr;
    void(APIENTRY* renderbufferStorage)(GLenum, GLenum, GLsizei, GLsizei) = nullptr;
    void(APIENTRY* framebufferRenderbuffer)(GLenum, GLenum, GLenum, GLuint) = nullptr;
    GLenum(APIENTRY* checkStatus)(GLenum) = nullptr;
    void(APIENTRY* blitFramebuffer)(GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLint, GLbitfield,
                                    GLenum) = nullptr;
};

// Looks the functions up in the current context.
FramebufferFunctions framebufferFunctions();
// Binds the buffer for drawing, first making it (or giving it a new size) where needed.
// resized tells whether its contents were lost. False, with the window's buffer bound,
// when the buffer cannot be made (or the context has no framebuffer objects); the caller
// then draws into the window.
bool bindFramebufferOf(const FramebufferFunctions& gl, Framebuffer& buffer, Viewport viewport, bool* resized = nullptr);
// Copies the buffer's colours into the window's draw buffer, and binds the window again.
void copyFramebufferToWindow(const FramebufferFunctions& gl, const Framebuffer& buffer, Viewport viewport);
// Binds the window's own buffers again.
void bindWindowBuffer(const FramebufferFunctions& gl);
