// The clipboard export of the project manager: a kind's stored calculations
// as tab-separated text for a spreadsheet.
#pragma once

#include <string>

class CDalvorApp;

// Puts the text on the system clipboard as plain Unicode text.
void PutTextOnClipboard(const std::u16string& text);

// Puts the clipboard text of the kind's stored calculations on the clipboard
// (header line alone when the kind has none; nothing for a value that is not
// a kind). Without the memory for the text the host reports it and the
// clipboard is left as it was.
void CopyProjectToClipboard(const CDalvorApp& app, int kind);
