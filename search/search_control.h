// search_control.h: the values that the window thread and the search thread share. Each is
// a 32-bit atomic read and written whole, without locks: the search thread reads the
// criteria and the rotations switch afresh for every record and variant, so a change on the
// window thread takes effect for the records tested after it (relaxed order is enough for
// those). Portable: the search logic and its tests use these without <windows.h>.
#pragma once

#include <atomic>
#include <cstdint>

#include "search/filter_table.h"

// The search button's captions: a pass runs; the criteria changed since the last pass
// began; they did not.
constexpr const char captionSearching[] = "Suche ...";
constexpr const char captionChanged[] = "Suchen!";
constexpr const char captionUnchanged[] = "Suchen";

// The "mit Rotationen" switch: test all four variants, not only a. Window thread writes.
extern std::atomic<int32_t> withRotations;
// The criteria changed since the search last took them; set by the window thread, cleared
// by the search thread when a pass starts.
extern std::atomic<int32_t> criteriaChanged;
// A pass runs (0): set by the search thread as a pass begins, cleared as it ends. The
// search button's caption only shows it.
extern std::atomic<int32_t> searchRunning;

// The search thread's protocol with the window thread (start values in brackets):
// idle (0): nothing to do; set by the thread, cleared by a search start.
extern std::atomic<int32_t> searchIdle;
// idle announced (1): the thread has told the window thread that it is idle; the solver
// launch refuses to start while this is 0.
extern std::atomic<int32_t> searchIdleAnnounced;
// restart requested (0): set by a search start, cleared by the thread as the pass begins.
extern std::atomic<int32_t> searchRestartRequested;
// search file open (0): the thread holds its own handle of the table during a pass; the
// solver launch refuses to start while it is open.
extern std::atomic<int32_t> searchFileOpen;
