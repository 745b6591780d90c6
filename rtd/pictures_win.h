// pictures_win.h: pictures into files: the Save picture command of the window, and the
// batch form, which renders one picture without showing a window.
#pragma once

#include <windows.h>

#include <string>

#include "rtd/options.h"
#include "rtd/render_win.h"
#include "rtd/viewer.h"

// A file dialog (PNG offered first), then the window's frame into that file; the note for
// the caption, "" when the dialog was cancelled.
std::string savePicture(HWND owner, Renderer& renderer, const FrameView& view, const Overlay& overlay,
                        const Options& options, Language language);

// The batch form: one picture into options.pictureName, or a message on the error stream;
// the exit code. openHiddenWindow makes the window whose context draws the picture.
int runBatch(const Options& options, const RtdScene& scene, const RtdViewer& viewer,
             HWND (*openHiddenWindow)(int width, int height));
