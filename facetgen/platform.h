// platform.h: the converter's few platform services: the console's output code page
// (Windows only; elsewhere there is none) and whether two names denote one file.
#pragma once

// Remembers the console's output code page and switches it to 1252; restoreConsole puts
// the remembered one back. Both do nothing where there is no console code page.
void switchConsoleTo1252();
void restoreConsole();

// True when both names exist and denote the same file.
bool sameFile(const char* a, const char* b);

// True when the name exists and is a directory.
bool isDirectory(const char* name);
