#pragma once
// The generator dialogs opened on an existing generated part's parameters, with the output choice
// switched off; for the element editor (model/ElementEditor.h). true, with the parameters taken
// from the dialog, on OK.
#include "model/GeneratorParams.h"

class wxWindow;

bool EditSpringInDialog(wxWindow* parent, SpringParams& params);
bool EditHoseInDialog(wxWindow* parent, HoseParams& params);
bool EditRubberBeltInDialog(wxWindow* parent, BeltParams& params);
bool EditArrowInDialog(wxWindow* parent, ArrowParams& params);
bool EditPlateInDialog(wxWindow* parent, PlateParams& params);
