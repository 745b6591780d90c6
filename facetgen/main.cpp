// main.cpp: facetgen's entry. The console shows the program's code page 1252 texts for
// the whole run and gets its own code page back on the way out.
#include "facetgen/cli.h"
#include "facetgen/platform.h"

int main(int argc, char** argv)
{
    switchConsoleTo1252();
    const int exitCode = runFacetgen(argc, argv);
    restoreConsole();
    return exitCode;
}
