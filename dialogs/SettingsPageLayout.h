#pragma once
// Small helpers that lay out the settings pages' controls: a labelled row and a check box, each
// carrying its id and its validator.
#include <wx/checkbox.h>
#include <wx/choice.h>
#include <wx/radiobut.h>
#include <wx/sizer.h>
#include <wx/stattext.h>
#include <wx/textctrl.h>
#include <wx/valgen.h>

#include <initializer_list>

#include "dialogs/SettingsValidators.h"

inline wxCheckBox* AddCheck(wxWindow* parent, wxSizer* sizer, int id, const char* label, bool* value) {
  auto* check = new wxCheckBox(parent, id, label, wxDefaultPosition, wxDefaultSize, 0, wxGenericValidator(value));
  sizer->Add(check, 0, wxALL, 4);
  return check;
}

inline wxChoice* MakeChoice(wxWindow* parent, int id, std::initializer_list<const char*> items, int* value) {
  wxArrayString list;
  for (const char* item : items) list.Add(item);
  return new wxChoice(parent, id, wxDefaultPosition, wxDefaultSize, list, 0, CChoiceValidator(value));
}

// "label: control" in a two-column grid.
inline void AddRow(wxWindow* parent, wxFlexGridSizer* grid, const char* label, wxWindow* control) {
  grid->Add(new wxStaticText(parent, wxID_ANY, label), 0, wxALIGN_CENTER_VERTICAL | wxALL, 4);
  grid->Add(control, 1, wxEXPAND | wxALL, 4);
}

inline wxRadioButton* AddRadio(wxWindow* parent, wxSizer* sizer, int id, const char* label, bool first,
                               wxValidator const& validator) {
  auto* radio = new wxRadioButton(parent, id, label, wxDefaultPosition, wxDefaultSize, first ? wxRB_GROUP : 0,
                                  validator);
  sizer->Add(radio, 0, wxALL, 4);
  return radio;
}
