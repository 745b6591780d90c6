// bench_win.h: the frame-time benchmark of the shown window (rtd -bench N).
#pragma once

#include "rtd/render_win.h"
#include "rtd/viewer.h"

// frames timed frames of a turning scene at the window's size; the median and the drawn
// share on stdout. Exit code 1 when nothing was drawn.
int runBenchmark(Renderer& renderer, RtdViewer viewer, const RtdScene& scene, int frames);
