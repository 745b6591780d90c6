// cli.h: the converter's command line, walked strictly from left to right.
#pragma once

// The usage text, in code page 1252.
extern const char usageText[];

void printUsage();

// The whole run except the console code page: exit code 1 without arguments or with an
// unusable map file at the first placement file, 0 otherwise.
int runFacetgen(int argc, char** argv);

// Flushes standard output: when what was written there did not arrive, says so on the
// standard error stream and gives exit code 1, otherwise exitCode.
int checkStandardOutput(int exitCode);
