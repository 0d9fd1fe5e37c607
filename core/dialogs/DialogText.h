// core/dialogs: the models of the pages' input dialogs, what each dialog
// works out apart from its widgets: the flow in other units, the viscosity of
// a sewage from its suspended solids, the local-loss and head-loss sums, the
// parameters of a typical soil at a state degree, and the values of a stored
// calculation offered for import. It includes core/base, core/project and
// core/catalogue; never core/app, core/pages or core/report: a model takes
// the group of the application's state it reads and the language's offset.
//
// A dialog is two halves, as a page is: its model (here, free of Qt) holds the
// values the caller presets and takes back, the rules that change them, when
// OK may be pressed and the text of every value shown; its window class
// (ui/dialogs) lays the widgets out, hands the user's typing and choices to
// the model and shows the model's texts.
//
// A number's text in a dialog's field is NumberText (core/base/Text.h), in
// the C numeric locale.
#pragma once

#include "core/base/Text.h"
