// options.h: the viewer's command line.
//   rtd [-flat] [-noedges] FILE.slp                  the window
//   rtd -o PICTURE.png [-w W -h H] [...] FILE.slp     one picture (PNG, or BMP for any name
//                                                     not ending in .png), no window, then exit
//   rtd -bench N [...] FILE.slp                       N frames timed, median on stdout
//   --step K (with any form)                          the build-up after K steps
//   --box (with any form)                             the build-up into the box (without
//                                                     --step: the filled box)
// The converter runs "rtd NAME" without quotes, so words after the first file name are
// taken as part of a name with blanks, except the options' own names: "rtd f.slp -o
// p.bmp" renders f.slp as well.
#pragma once

#include <string>
#include <vector>

// What was wrong with the first argument that could not be used.
enum class OptionProblem {
    none,
    unknown,      // no such option
    needsNumber,  // a number option without a whole number in its range after it
    needsName,    // -o without a file name after it
};

struct Options {
    std::string fileName;
    std::string pictureName;  // -o
    bool batch = false;       // -o was given: one picture or an error, never a window
    int width = 800, height = 600;  // of the batch picture
    bool flat = false;    // lighting off: one exact colour per solid
    bool edges = true;
    int benchFrames = 0;  // -bench
    int buildUpStep = -1;  // --step: the build-up after this many steps; -1: none
    bool box = false;      // --box: the build-up goes into the box
    OptionProblem problem = OptionProblem::none;
    std::string badOption;  // the option of the problem
    int low = 0, high = 0;  // the range of a number option with a problem
};

// Number options take whole numbers within these limits.
constexpr int maxPictureSide = 8192;
constexpr int maxBenchFrames = 100000;
constexpr int maxBuildUpStep = 100000;  // checked against the plan once the file is read

Options parseOptions(const std::vector<std::string>& arguments);
