#pragma once
// "Primitive": the vertices of a line, triangle, quadrilateral or conditional line. The rows
// beyond the element's vertex count are hidden; "Swap" reverses the vertices in use, and is not
// offered for the conditional line, whose last two rows are control points (reversing all four
// would make them the line's ends).
#include <wx/dialog.h>

#include "model/ElementEditor.h"

class CEditCheckCtrl;
class wxButton;

// Number of vertex rows shown for the dialog's vertex count (5 is the conditional line).
int PrimitiveRows(int vertexCount);
// Reverses the rows in use (2: 1<->2; 3: 1<->3; 4: 1<->4, 2<->3); nothing for the conditional line.
void SwapVertices(PrimitiveEdit& data);

class CDlgPrimitive : public wxDialog {
 public:
  explicit CDlgPrimitive(wxWindow* parent, const PrimitiveEdit& data);

  // The values handed back after OK.
  PrimitiveEdit m_data;

  bool TransferDataToWindow() override;
  bool TransferDataFromWindow() override;

 private:
  void OnSwap();
  CEditCheckCtrl* m_fields[4][3] = {};
  wxButton* m_swap = nullptr;
};
