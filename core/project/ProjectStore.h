// The operations on the stored calculations: store the working record, delete
// and move entries, load the current entry back. A kind that is not a kind
// changes nothing. Telling the user (out of memory, document modified) is
// left to the caller.
#pragma once

#include "core/project/ProjectArrays.h"
#include "core/project/WorkingRecords.h"

// Stores the kind's working record: index -1 appends, anything else
// overwrites the current entry (appends when there is none). A record named
// "-" gets the kind's prefix and its number, in the stored entry and in the
// working record. false when memory ran out: nothing is changed.
bool StoreCurrentCalc(ProjectArrays& project, WorkingRecords& working, int kind, int index);
// Removes the entry; the current entry becomes the one at index, held within
// the entries left.
void DeleteStoredCalc(ProjectArrays& project, int kind, int index);
// Swaps the entry with the one before (after) it, which becomes current.
void MoveStoredCalcUp(ProjectArrays& project, int kind, int index);
void MoveStoredCalcDown(ProjectArrays& project, int kind, int index);
// Empties every array; no entry is current.
void FreeProject(ProjectArrays& project);
// Copies the kind's current stored record over its working record; false
// when the kind has no current record.
bool LoadCurrentStoredCalc(const ProjectArrays& project, WorkingRecords& working, int kind);
