// Runs the project manager dialog on a kind, modally.
#pragma once

class CDalvorApp;
class QWidget;

void RunManageProjectDialog(CDalvorApp& app, QWidget* parent, int kind);
