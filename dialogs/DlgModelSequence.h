#pragma once
// "Model Sequence": the order of the project's models, changed with "Move up" and "Move down".
// Resizable; the rectangle is kept under "DLGMODELSEQ".
#include <wx/dialog.h>

#include <string>
#include <vector>

class wxButton;
class wxListCtrl;

// Swaps the rows row and row + step of an order (step -1 up, +1 down); false at either end.
bool MoveInOrder(std::vector<size_t>& order, long row, int step);

class CDlgModelSequence : public wxDialog {
 public:
  CDlgModelSequence(wxWindow* parent, const std::vector<std::string>& models);
  ~CDlgModelSequence() override;

  // After OK: entry i is the former position of the model that stands at position i.
  std::vector<size_t> m_order;

  // Moves the selected row (the buttons' work).
  void Move(int step);
  long GetSelectedRow() const;
  int GetNameColumnWidth() const;

 private:
  void UpdateButtons();
  void FitNameColumn();
  void GrowToTheNames();
  int GetWidestName() const;

  std::vector<std::string> m_models;
  wxListCtrl* m_list;
  wxButton* m_up;
  wxButton* m_down;
};
