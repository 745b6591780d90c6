// console.h: what the console programs (the solver, the converter and the 3-D viewer's
// batch form) need from the console they write to, in one place: German texts of code page
// 1252 shown as such, whether a person watches the output, how wide the console is and
// texts kept within it, and whether the console closes with the program. The windowed
// viewer does not use it.
#pragma once

#include <cstdio>
#include <string>

// Remembers the console's output code page and switches it to 1252, the code page of the
// programs' texts; restoreConsole puts the remembered one back, and so does Ctrl+C or the
// closing of the console before that. Both do nothing where there is no console code page:
// on Linux, whose terminals take the texts as UTF-8, or in a program without a console.
void switchConsoleTo1252();
void restoreConsole();

// Writes text of the program's own code page to the stream (the standard output or error)
// so that a console shows it right whatever code page it has: to a console as UTF-16, to a
// file or a pipe byte for byte. For a program that does not own the console it may write
// to (the batch form of a windowed program), whose code page it should not switch.
void writeUnswitchedText(std::FILE* stream, const std::string& text);

// Whether the stream goes to a console or terminal, where a person reads it.
bool isTerminal(std::FILE* stream);

// The columns of the console or terminal that the stream goes to, after which a line
// breaks; 80 where that cannot be told (a file, a pipe).
int consoleColumns(std::FILE* stream);

// The columns that a text of the program's own encoding takes: one a byte in code page
// 1252 (Windows), one a character in UTF-8 (Linux).
int textColumns(const std::string& text);

// The text with each line that would reach the last of the columns broken between words,
// each piece after the first indented as its line is. A word longer than a line stays
// whole.
std::string wrapToColumns(const std::string& text, int columns);

// Writes text to the stream, on a console or terminal wrapped to its width, so that no
// line breaks within a word; to a file or a pipe as it is.
void writeConsoleText(std::FILE* stream, const std::string& text);

// True when the program runs in a console of its own that closes as it ends, and a person
// reads it there: it is the console's only process (started in a new console or from the
// desktop, not from a shell), and its standard input, output and error are all that
// console. Never on Linux, where a terminal outlives the programs it runs.
bool consoleClosesWithProgram();

// Waits until a key is pressed in the console, or the seconds have passed. Keys pressed
// before do not count.
void waitForKey(int seconds);
