// main.cpp: facetgen's entry. The console shows the program's code page 1252 texts for
// the whole run and gets its own code page back on the way out; output that could not be
// written ends the run with exit code 1.
#include "facetgen/cli.h"
#include "facetgen/platform.h"

int main(int argc, char** argv)
{
    switchConsoleTo1252();
    const int exitCode = checkStandardOutput(runFacetgen(argc, argv));
    restoreConsole();
    return exitCode;
}
