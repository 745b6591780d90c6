// texts.h: every text the viewer shows, in German (the default) and English, code page
// 1252. Switching the language relabels menus, caption and messages from these tables.
// Menu labels carry no shortcut: the menus add the key from the key table (commands.h).
#pragma once

#include <string>

#include "rtd/slp.h"

enum class Language { german, english };

enum class Text {
    caption,
    menuFile,
    savePicture,
    exitProgram,
    menuView,
    viewUpper,
    viewLower,
    viewFront,
    viewBack,
    viewRight,
    viewLeft,
    viewTop,
    viewBottom,
    perspective,
    edges,
    lighting,
    explodeMore,
    explodeLess,
    explodeOff,
    buildUpNext,
    buildUpPrevious,
    buildUpEnd,
    menuObjects,
    showAllSolids,
    hideAllSolids,
    onlyThisSolid,
    solidFallbackName,  // "%d": the solid's number
    menuLanguage,
    german,
    english,
    menuHelp,
    helpEntry,
    helpCaption,
    helpText,
    problemCannotOpen,  // "%s": the file name
    problemEmpty,
    problemBinary,
    problemNoFacets,
    problemBadNumber,         // "%d": line
    problemWrongCornerCount,  // "%d": line, "%d": corner count
    problemLongLine,          // "%d": line
    problemTruncated,         // "%d": line
    problemUnknownLine,       // "%d": line
    moreProblems,             // "%d": how many more
    noFileGiven,
    badOption,   // "%s": the option
    optionNeedsNumber,  // "%s": the option, "%d" to "%d": its range
    optionNeedsName,    // "%s": the option
    noOpenGl,
    pictureSaved,       // "%s": the file name
    pictureNotSaved,    // "%s": the file name
    buildUpStatus,      // "%d" of "%d"
    planStepStatus,     // "%d" of "%d", "%s": what the move does
    pieceFromSide,      // "%s": the solid's number, "%s": the side it comes from
    interlockedSolids,  // "%s": the solids' numbers
    buildUpBox,
    stepOutOfRange,     // "%d": the step asked for, "%d": the last step
    pictureFilter,      // file dialog filter, pairs separated by '|'
    problemTooLarge,          // "%s": the file name, "%d": the limit in MiB
    problemTooManyCorners,    // "%d": line, "%d": corner count, "%d": the limit
    problemTooManyTriangles,  // "%d": line, "%d": the limit
    problemTooManySolids,     // "%d": line, "%d": the limit
    buildUpFree,        // after the build-up's line: the mode
    buildUpIntoBox,
    colourLegend,
    pictureIsInput,     // "%s": the picture's name
    moveStepStatus,     // "%d" of "%d", "%s": what the step of the packing plan does
    // The steps of a packing plan: "%s" the solid's number or the solids' ("2 und 9"),
    // then "%s" the one-cell move or the side it comes from, where the text has one.
    pieceInFromSide,
    pieceCellMove,
    piecesCellMove,
    groupInTogether,
    pieceLaidOutside,
    pieceCellMoveOutside,
    piecesCellMoveOutside,
    pieceJoinsOutside,
    piecesJoinOutside,
    listAnd,            // between the last two numbers of a list
    boundReachedNote,   // "%lu": the states per search
    textCount
};

const char* text(Language language, Text id);

// The problem in the language, its line number and detail filled in.
std::string describeNote(Language language, const SlpNote& note, const std::string& fileName);
// Lines for the window's own area: every kept note, then how many were not kept.
std::string describeProblems(Language language, const SlpScene& scene, const std::string& fileName);
// A menu entry for a solid: its name, or "Baustein N" when it has none; '&' doubled.
std::string solidMenuName(Language language, const std::string& name, int index);
