// view_bench.cpp: the time of one full repaint of the drawing area with solution 17c, at
// zoom 1 and at zoom 3, under Wine: the probe repaints the area inside the program and
// reports the median of repaintCount repaints. Fails only when the pictures are wrong after
// all those repaints. Runs on the GUI driver's main and harness (tools/bench-view.sh).
//   kubo_view_bench.exe <run folder>
#include <cstdio>
#include <string>

#include "shell/command_ids.h"
#include "tests/gui/harness.h"
#include "tests/gui/view_pictures.h"
#include "tests/support/real_solutions.h"

namespace {

constexpr int repaintCount = 200;

}  // namespace

SCENARIO(view_repaint)
{
    Program program;
    if (startOnRealTable(program, "viewtime", true)) {
        typeChars(program, control(program, idSolutionNumber), "17c");
        for (int zoom : {1, 3}) {
            selectZoomOf(program, zoom);
            const ViewSetup s = viewSetupFor(viewClientWidth, viewClientHeight, zoom);
            const std::string reply = probe(program, "repaint " + windowHex(program.window) + " " +
                                                         std::to_string(repaintCount) + " " +
                                                         std::to_string(s.layout.viewLeft) + " 0 " +
                                                         std::to_string(viewClientWidth) + " " +
                                                         std::to_string(viewClientHeight));
            std::printf("view repaint, zoom %d: %s\n", zoom, reply.c_str());
            CHECK(reply.compare(0, 10, "median_us=") == 0);
            Sleep(60);
            const Capture cap = captureClient(program.window);
            checkPieceEdges(cap, realSolutions()[16], 2, {0, 0, 0}, s.view, +1);
            checkPieceEdges(cap, realSolutions()[16], 2, {0, 0, 0}, s.view, -1);
        }
        CHECK_EQ(closeProgram(program), 0L);
    }
    endProgram(program);
}
