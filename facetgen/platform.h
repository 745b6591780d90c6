// platform.h: the converter's few platform services: the console's output code page
// (Windows only; elsewhere there is none), whether two names denote one file, and which
// command interpreter runs the viewer command.
#pragma once

#include "facetgen/convert.h"

// Remembers the console's output code page and switches it to 1252; restoreConsole puts
// the remembered one back. Both do nothing where there is no console code page.
void switchConsoleTo1252();
void restoreConsole();

// True when both names exist and denote the same file.
bool sameFile(const char* a, const char* b);

// True when the name exists and is a directory.
bool isDirectory(const char* name);

// The interpreter behind the standard system function: cmd on Windows, /bin/sh elsewhere.
CommandInterpreter hostInterpreter();
