// The frame's numbered services that the program's code calls.
//
// Service 0 and 1: the file search. The program keeps the search in a variable of its own and
// passes it by address; each call returns the next entry's bare name.
// Service 2 (make an array writable before changing it) needs nothing here: the program's arrays
// are frame::Array values, never shared with constant data, so writing one never touches a
// literal.
// Service 3: the program's clean-up routine, which the runtime runs once when the program ends.
#pragma once

#include <cstdint>
#include <functional>

#include "frame/values.h"

namespace frame {

// Service 0. With a pattern, closes the search held in `search` and starts a new one; with an
// empty pattern, continues the held search (no search held: the empty text). Returns the name
// of the next accepted entry, or the empty text when there is none, in which case the search is
// closed and `search` becomes 0. An entry is accepted
//  - with `allFiles`: when it is not a folder;
//  - else with attributeMask & 0x37 == 0: only when it has no attributes at all;
//  - else: when it has at least one of the attributes in attributeMask & 0x37.
// Each call tests entries with the mask and flag it is given.
Text FindFileEntry(const Text& pattern, int32_t attributeMask, bool allFiles, uint32_t& search);

// Service 1: closes a file search (nothing to do for 0).
void CloseFileSearch(uint32_t search);

// Service 3: registers the program's clean-up routine, replacing an earlier one.
using CleanupRoutine = std::function<void()>;
void RegisterCleanupRoutine(CleanupRoutine routine);

// Runs the registered clean-up routine, at most once however often (or re-entrantly) it is
// called: the runtime calls it at shutdown, on the normal end and on the fatal-error path alike.
void RunCleanupRoutine();

}  // namespace frame
