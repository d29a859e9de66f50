#pragma once
// "Define Rotation Point": the centre the selection turns about (part origin, part centre, the
// part's rotation point, the world origin, or one of the model's named custom points), the custom
// points themselves, and whether the views mark the centre. The points are edited on a working
// copy that only OK hands back.
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class CEditCheckCtrl;
class wxButton;
class wxCheckBox;
class wxListBox;
class wxRadioButton;
class wxTextCtrl;

// The choice shown for a mode: 0-3 as they are, 4 for any custom point.
int RotPointChoice(int32_t mode);
// The point "New Custom" at the origin, movable, that New appends.
RotationPoint NewCustomPoint();

class CDlgRotPoint : public wxDialog {
 public:
  static constexpr int kCustomChoice = 4;

  CDlgRotPoint(wxWindow* parent, const RotationPointEdit& data);

  // The working values; after OK the points, mode and show flag to store.
  RotationPointEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

  // The dialog's operations, as its buttons run them.
  void Choose(int choice);
  void SelectPoint(int index);
  void StoreFields();
  void OnNew();
  void OnDelete();

 private:
  int Choice() const;
  int Selected() const;
  void ShowPoint(int index);
  void EnableControls();

  wxRadioButton* m_choices[5];
  wxListBox* m_list;
  wxTextCtrl* m_name;
  CEditCheckCtrl* m_coord[3];
  wxCheckBox* m_movable;
  wxCheckBox* m_show;
  wxButton* m_new;
  wxButton* m_delete;
};
