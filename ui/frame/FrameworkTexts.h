// Keys of the texts that the windows' framework shows: file commands, save
// prompts, refused files, the autosave offer, the reference-database warning,
// the recent-file placeholder and the status-bar indicators.
#pragma once

#include <QString>

enum FrameworkTextKey : int {
    kTextUntitled = 21000,
    kTextAskToSave = 21001,          // %s: the project's file
    kTextOpenTitle = 21002,
    kTextSaveAsTitle = 21003,
    kTextProjectFilter = 21004,
    kTextAllFilesFilter = 21005,
    kTextCannotOpen = 21010,         // %s: the file
    kTextFileTooShort = 21011,       // %s: the file
    kTextNegativeCount = 21012,      // %s: the file
    kTextLengthMismatch = 21013,     // %s: the file (shorter than its counts say)
    kTextFileTooLong = 21060,        // %s: the file
    kTextReasonNotAFile = 21061,
    kTextReason = 21062,             // %s: one of the reasons below, or the system's own text
    kTextReasonNoSpace = 21063,
    kTextReasonAccess = 21064,
    kTextReasonReadOnly = 21065,
    kTextReasonFileTooBig = 21066,
    kTextReasonQuota = 21067,
    kTextReasonNoFolder = 21068,
    kTextReasonNameTooLong = 21069,
    kTextReasonInputOutput = 21070,
    kTextReasonLinkLoop = 21071,
    kTextReasonNoFile = 21072,
    kTextReasonNoMemory = 21073,
    kTextProjectUnchanged = 21014,
    kTextCannotSave = 21015,         // %s: the file
    kTextDatabaseMissing = 21016,    // %s: the database
    kTextDatabaseTableMissing = 21017,  // %s: the database, %s: the table
    kTextHelpFileMissing = 21019,    // %s: the help file
    kTextAutosaveOffer = 21020,      // %s: the project's file or "Untitled", %s: when it was autosaved
    kTextIndicatorCaps = 21021,
    kTextIndicatorNum = 21022,
    kTextIndicatorScroll = 21023,
    kTextFileChangedOnDisk = 21040,  // %s: the file another program changed or removed
    kTextAutosaveFailed = 21041,     // the status bar's message until an autosave is written
    // The status-bar prompt while help waits for a click.
    kTextHelpModePrompt = 57346,
};

// A text with one or two placeholders ("%1"/"%2" or "%s") filled in.
QString FillText(QString text, const QString& first, const QString& second = QString());
