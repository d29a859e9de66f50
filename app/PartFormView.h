#pragma once
// The part browser pane: a list of the part groups, the thumbnail grid of the shown group, a
// vertical scroll bar through the group's parts and a horizontal one from group to group. The
// part tree shows a group here with message 0x8000; the frame's broadcasts keep it current.
#include <wx/panel.h>

#include "model/LibraryContext.h"

class wxChoice;
class wxScrollBar;
class wxScrollEvent;
class CPrivateMessageEvent;
class CStaticPart;

class CPartFormView : public wxPanel {
 public:
  explicit CPartFormView(wxWindow* parent, const CLibraryContext& library = ProgramLibrary());

  int GetShownGroup() const { return m_group; }
  int GetFirstPosition() const { return m_first; }
  CStaticPart& GetGrid() { return *m_grid; }

  // Shows a group (from 1) from a position (from 1), as message 0x8000 does.
  void ShowGroup(int group, int first);

 private:
  void FillGroups();
  void PlaceControls();
  void UpdateScrollBars();
  int GroupCount() const;
  int PartCount() const;

  void OnSize(wxSizeEvent& event);
  void OnChoice(wxCommandEvent& event);
  void OnPartScroll(wxScrollEvent& event);
  void OnGroupScroll(wxScrollEvent& event);
  void OnPrivateMessage(CPrivateMessageEvent& event);

  CLibraryContext m_library;
  wxChoice* m_groups = nullptr;
  CStaticPart* m_grid = nullptr;
  wxScrollBar* m_partBar = nullptr;
  wxScrollBar* m_groupBar = nullptr;
  int m_group = 0;  // from 1; 0 none
  int m_first = 0;  // from 1
  bool m_layoutFailed = true;
};
