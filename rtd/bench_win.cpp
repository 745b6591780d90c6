// bench_win.cpp: frames of a turning scene, each timed from the first GL call to the end
// of SwapBuffers.
#include "rtd/bench_win.h"

#include <algorithm>
#include <cstdio>

#include "rtd/palette.h"

int runBenchmark(Renderer& renderer, RtdViewer viewer, const RtdScene& scene, int frames)
{
    std::vector<double> times;
    long drawnPixels = 0;
    const Overlay none;
    for (int frame = 0; frame < frames; frame++) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) DispatchMessageA(&msg);
        viewer.camera = orbit(viewer.camera, 2, 0);
        double start = secondsNow();
        const FrameView view = frameView(viewer, scene, viewer.client, start);
        drawFrame(renderer, view, none);
        if (frame == 0) {
            const std::vector<uint8_t> rgb = readFrame(view.viewport);
            for (size_t i = 0; i + 2 < rgb.size(); i += 3)
                if (Rgb8{rgb[i], rgb[i + 1], rgb[i + 2]} != backgroundColour) drawnPixels++;
            start = secondsNow();  // reading back is not part of a frame
            drawFrame(renderer, view, none);
        }
        SwapBuffers(renderer.dc);
        glFinish();
        times.push_back((secondsNow() - start) * 1000.0);
    }
    if (times.empty()) return 1;
    std::sort(times.begin(), times.end());
    const char* name = reinterpret_cast<const char*>(glGetString(GL_RENDERER));
    std::printf("rtd frames %d at %dx%d, renderer %s: median %.2f ms, min %.2f ms, max %.2f ms, drawn pixels %ld\n",
                int(times.size()), viewer.client.width, viewer.client.height, name ? name : "?",
                times[times.size() / 2], times.front(), times.back(), drawnPixels);
    std::fflush(stdout);
    return drawnPixels > 0 ? 0 : 1;
}
