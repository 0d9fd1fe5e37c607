// The print drivers: what a page's Print runs once its picture has recorded
// the print picture. Each asks for the printout's title, writes the report
// rows, sets the page's texts and runs the print job; each returns true when
// a page went to the printer (or a PDF file), false when the user cancelled
// or the job could not start.
#pragma once

#include "reports/ReportPrint.h"

#include <ctime>

class CDalvorApp;
class QWidget;

bool PrintGravityFlow(CDalvorApp& app, QWidget* parent);
bool PrintPressureFlow(CDalvorApp& app, QWidget* parent);
bool PrintBuriedPipe(CDalvorApp& app, QWidget* parent);
bool PrintManhole(CDalvorApp& app, QWidget* parent);
bool PrintTank(CDalvorApp& app, QWidget* parent);
// The driver of a kind; false for anything that is not a kind.
bool PrintReport(CDalvorApp& app, int kind, QWidget* parent);

// The steps after the title dialog: the kind's rows, the page's texts at the
// given local time, and the picture the page recorded. False for anything
// that is not a kind.
bool PrepareReportPrint(CDalvorApp& app, int kind, const std::tm& now, CReportPrint& report);

// Makes stored calculation `index` of the kind the working record and records
// its print picture, for a printout with no window. By default it goes as the
// window goes: the record from its defaults and the stored one, then the
// kind's page lists, shows and recalculates it in the application's language
// (as after the project manager), and the picture is recorded as the page
// records it before printing (the pressure page's characteristic, the
// operating points from the recalculation, the charts with their curves).
// asStored takes the stored record as it stands, its picture as far as the
// record holds it. False, and nothing changes, when there is no such record.
bool LoadStoredForPrint(CDalvorApp& app, int kind, int index, bool asStored = false);

// Paints the application's recorded print picture into a rectangle in device
// units; none is drawn until a painter is set. Tests and tools may set one.
void SetPrintPicturePainter(PrintPicturePainter painter);
