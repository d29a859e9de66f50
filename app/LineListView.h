#pragma once
// The pane above the 3-D views: the model box ("Active Model:") and a virtual report list with one
// row per line of the active model. The window around CLineListState: it mirrors the state's rows
// and selection into the list control, reports the user's clicks, double clicks, drags and drops
// to it, and follows the document's update hints.
#include <wx/panel.h>

#include <cstdint>
#include <vector>

#include "app/LineListState.h"
#include "document/UpdateHints.h"

class wxChoice;
class wxListCtrl;
class wxListEvent;
class wxStaticText;
class CLineListCtrl;

// Not a link of the command chain: it owns no command, so Delete and the rest go to the document
// and view commands keep going to the last 3-D pane.
class CLineListView : public wxPanel, public IDocObserver {
 public:
  CLineListView(wxWindow* parent, const wxString& name = "LineList");
  ~CLineListView() override;

  // Registers with the document (null unregisters) and fills the list.
  void SetDocument(CQuorvelDoc* doc);
  CQuorvelDoc* GetDocument() const { return m_state.GetDocument(); }
  void OnUpdate(uint32_t hint) override;

  CLineListState& State() { return m_state; }
  wxListCtrl* GetList() const;
  wxChoice* GetModelBox() const { return m_models; }
  // The rows the list control shows selected.
  std::vector<long> GetListSelection() const;

  // Compares the list's selection with the model's and tells the document (the list's events
  // call it; tests too).
  void SyncSelectionFromList();

 private:
  friend class CLineListCtrl;

  void Apply(const LineListUpdate& update);
  void ApplySelection(const LineListUpdate& update);
  void FillModelBox();
  void DoLayout();
  void OnSize(wxSizeEvent& event);
  void OnSelectionEvent(wxListEvent& event);
  void OnActivated(wxListEvent& event);
  void OnBeginDrag(wxListEvent& event);
  void OnModelChoice(wxCommandEvent& event);
  void OnContextMenu(wxContextMenuEvent& event);
  void OnKeyUp(wxKeyEvent& event);
  void QueueSync();

  CLineListState m_state;
  wxStaticText* m_label = nullptr;
  wxChoice* m_models = nullptr;
  CLineListCtrl* m_list = nullptr;
  bool m_updating = false;     // the view itself changes the list's rows or selection
  bool m_syncQueued = false;
};
