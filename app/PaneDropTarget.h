#pragma once
// The drop target of a 3-D pane: takes the program's drag payload (a part from the part tree or
// the browser, also from another running copy of the program) and hands it to the pane's mouse
// controller, which draws the part's outline at the grid-snapped point and adds the part there.
// Only edit mode takes drops. The payload itself can only be read at the drop; the outline
// follows the mouse when the drag started in this program (NotePartDrag), which tells the panes
// which part is on its way.
#include <wx/dnd.h>

#include "app/PartDragData.h"

class CQuorvelView;

// The drag sources of this program announce their payload here before the drag starts and
// clear it afterwards (kind 0).
void NotePartDrag(const PartDragData& data);
const PartDragData& CurrentPartDrag();

class CPaneDropTarget : public wxDropTarget {
 public:
  explicit CPaneDropTarget(CQuorvelView* view);

  wxDragResult OnEnter(wxCoord x, wxCoord y, wxDragResult def) override;
  wxDragResult OnDragOver(wxCoord x, wxCoord y, wxDragResult def) override;
  void OnLeave() override;
  bool OnDrop(wxCoord x, wxCoord y) override;
  wxDragResult OnData(wxCoord x, wxCoord y, wxDragResult def) override;
  // The dropped payload at the point: true when a part was added. A part of the document's own
  // models only comes from this program (another program's models are not this one's).
  bool DropPayload(const PartDragData& data, int x, int y);

 private:
  bool Accepting() const;

  CQuorvelView* m_view;
  CPartDragObject* m_object;  // owned by the target
  bool m_outline = false;
};
