// The project file: five counts and five current indexes, then each kind's
// records raw. Reads replace the arrays only when the whole file is sound.
#pragma once

#include "core/project/ProjectArrays.h"

#include <cstdint>
#include <span>
#include <string>
#include <vector>

// Why a project file was refused. The window side turns it into a message in
// the user's language.
enum class ProjectReadError {
    None = 0,
    CannotOpen,      // the file could not be opened or read
    TooShort,        // shorter than the 40-byte header
    NegativeCount,   // a count below zero
    LengthMismatch,  // shorter than the counts announce
    TooLong,         // longer than the counts announce
    NotRegularFile,  // a folder, device or FIFO, not a file
};

enum class ProjectWriteError {
    None = 0,
    CannotWrite,
    NotRegularFile,  // a folder, device or FIFO stands at the path; left alone
};

std::vector<uint8_t> WriteProject(const ProjectArrays& project);
// Replaces the project only when the whole file is sound; otherwise it stays
// as it was. No entry is current after a read.
ProjectReadError ReadProject(ProjectArrays& project, std::span<const uint8_t> bytes);
// systemError, when given, receives the errno of a failed open or read
// (ENOMEM when the project does not fit in memory).
ProjectReadError ReadProjectFile(ProjectArrays& project, const std::string& path, int* systemError = nullptr);
// Writes the records straight to the file through WriteFileAtomically, so a
// failed save leaves the old file whole and no copy of the project is made;
// systemError, when given, receives the errno of a failed write (ENOMEM when
// memory ran out).
ProjectWriteError WriteProjectFile(const ProjectArrays& project, const std::string& path,
                                   int* systemError = nullptr);
