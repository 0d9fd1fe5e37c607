// The program's pictures and icons, drawn by the program itself at the size
// and pixel density they are shown at: the start-up pictures, the toolbar
// images, the "?" button bitmaps and the program's icon.
#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// Bitmap ids of the start-up pictures: Polish, English, Russian.
constexpr int kStartupBitmapPolish = 328;
constexpr int kStartupBitmapEnglish = 327;
constexpr int kStartupBitmapRussian = 330;
// The "?" buttons: of an input dialog, and of the project manager.
constexpr int kBitmapDialogQuery = 332;
constexpr int kBitmapProjectQuery = 333;

// The start-up picture of a language offset: its bitmap id, 0 for none.
int StartupBitmapId(int languageOffset);
// A start-up picture (327, 328 or 330) at a logical size; a null pixmap for
// any other id.
QPixmap StartupPicture(int bitmapId, QSize size, qreal devicePixelRatio);

// A toolbar image of a command id (normal and hot images); a null icon for an
// id that has none.
QIcon ToolbarIcon(int commandId);
// Bitmap 332 or 333.
QPixmap QueryButtonBitmap(int bitmapId, qreal devicePixelRatio = 1.0);
QIcon ProgramIcon();
