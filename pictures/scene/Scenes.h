// The scene of each calculation kind, made by kind: what the picture widgets,
// the printout and the tools ask for. The base class knows none of them.
#pragma once

#include "pictures/scene/PictureScene.h"

#include <memory>

class CDalvorApp;

// The scene of a calculation kind (KindGravityFlow ... KindTank); nullptr for
// anything else. The scene reads and writes app's working record of the kind
// and view, which must outlive it.
std::unique_ptr<PictureScene> MakePictureScene(int kind, CDalvorApp& app, PictureView& view);

// The print picture of the kind's working record in app, as its page records
// it for a control of w x h pixels: drawn at 10w x 10h with the print fonts
// and pens. The pressure-flow picture prints its characteristic. An unknown
// kind or a size of 0 gives an empty picture.
PrintPicture BuildPrintPicture(int kind, const CDalvorApp& app, const PictureView& view, int w, int h);
