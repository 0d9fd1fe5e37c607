#include "ManageProjectRunner.h"

#include "DalvorApp.h"

#if __has_include("ManageProjectDlg.h")
#include "ManageProjectDlg.h"
#define DALVOR_HAVE_PROJECT_MANAGER 1
#endif

void RunManageProjectDialog(CDalvorApp& app, QWidget* parent, int kind)
{
#ifdef DALVOR_HAVE_PROJECT_MANAGER
    CManageProjectDlg dlg(app, parent);
    dlg.kind = kind;
    dlg.exec();
#else
    (void)app;
    (void)parent;
    (void)kind;
#endif
}
