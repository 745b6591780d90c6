// record_match.h: whether one solution record, seen in one whole-box orientation, meets
// the filter criteria: every piece with active criteria must cover each of its cells.
// Pure; each criterion is read whole once, as it stands at the moment (the window thread
// may change the criteria while a pass runs).
#pragma once

#include "model/placement.h"
#include "search/filter_table.h"

// The test stops at the first piece that misses a cell; the other cells of that piece are
// still looked at, the later pieces are not. Words that name no piece are skipped.
bool recordMatches(const SolutionRecord& record, const FilterCriteria& criteria, int variant);

// Whether any criterion of the table is active.
bool anyCriterionActive(const FilterCriteria& criteria);
