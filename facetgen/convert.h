// convert.h: converting one placement file into an SLP file and showing it.
#pragma once

#include <cstdint>
#include <cstdio>
#include <string>

#include "facetgen/map_file.h"

// The run's settings, changed only while the command line is walked.
struct Settings {
    char mapFileName[nameBufferSize];
    char viewerProgram[nameBufferSize];  // empty: start no viewer
    int deleteAfterViewing;
};

Settings defaultSettings();

// The SLP name: a final ".pos" in any case (after at least one other character) becomes
// ".slp"; any other name gets ".slp" appended, so the output never takes the input's
// name. False when the name or its SLP name would not fit 259 characters.
bool formSlpName(const char* name, char (&slpName)[nameBufferSize]);

enum class PlacementLineKind { skipped, incomplete, outOfRange, placement };

struct PlacementLine {
    int32_t pieceNumber;
    FloatTransform placement;
};

// "%d" and twelve "%f". A line without a leading number, or with a negative one, is
// skipped; one with fewer than twelve numbers after its piece number is incomplete; one
// with nan, an infinity or a number beyond single precision is out of range.
PlacementLineKind parsePlacementLine(const char* line, PlacementLine& parsed);

// Every line of the placement stream, each usable one appending its piece's mesh to out.
// A mesh that is the output file itself (outName, when given) is not read. False when a
// write to out failed (a full disk): the conversion stops there, since nothing after it
// could be kept either.
bool convertPlacementStream(std::FILE* in, std::FILE* out, const char* outName);

// The command interpreter that system() hands the viewer command to.
enum class CommandInterpreter { posixShell, cmd };

// The viewer command "%s %s" of the viewer program and the SLP name, the name quoted so
// that the interpreter gives it to the viewer as one argument and runs nothing in it:
// in single quotes for the POSIX shell, in double quotes for cmd (the whole line once
// more in double quotes, which cmd /c takes off again, so that a viewer program that
// is itself quoted keeps its quotes). False when the name cannot be quoted for cmd: it
// holds a double quote, '%' or '!' (which cmd expands even inside quotes) or a control
// character.
bool formViewerCommand(const char* viewerProgram, const char* slpName,
                       CommandInterpreter interpreter, std::string& command);

// Converts, runs the viewer on the result and deletes it if asked; reports failures on
// the standard error stream and returns. An SLP file that could not be written whole, or
// whose placement file broke off while it was read, is deleted and not shown.
void convertPlacementFile(const char* name, const Settings& settings);
