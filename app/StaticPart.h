#pragma once
// The part browser's thumbnail grid: paints the parts of a group from a first position, one
// thumbnail per cell, rendered when a cell first shows the part and then kept in a cache of
// pictures (so scrolling back costs nothing). A part that cannot be loaded, or not drawn for want
// of memory, shows a red cross. Hovering names the part in the status line, a left press drags it
// (payload kind 1), a right click switches between large and small thumbnails.
#include <wx/bitmap.h>
#include <wx/window.h>

#include <functional>
#include <list>
#include <map>
#include <memory>
#include <utility>
#include <vector>

#include "app/PartGridState.h"
#include "model/LibraryContext.h"
#include "render/C3DStub.h"

class CStaticPart : public wxWindow {
 public:
  explicit CStaticPart(wxWindow* parent, const CLibraryContext& library = ProgramLibrary());

  // Stores what to show; reloads and paints when it differs from what was painted.
  void SetGroup(int group, int first);
  // Lays the grid out again, reloads the cells and repaints.
  void Refresh();
  // Forgets every kept picture (the settings that draw them changed).
  void ForgetPictures();
  // Forgets the pictures and empties the grid (the part list is about to change).
  void Clear();
  unsigned GetCellCount() const { return m_grid.GetCellCount(); }
  int GetColumns() const { return m_grid.GetColumns(); }
  // Called after the size switch changed the number of cells (the scroll bars' page).
  void SetSizeSwitchedHandler(std::function<void()> handler) { m_onSizeSwitched = std::move(handler); }

  // The parts in the cells and whether each was drawn (for tests and the hover text).
  const std::vector<PartHandle>& GetShownParts() const { return m_shown; }
  int GetHoveredCell() const { return m_hovered; }
  size_t GetRenderCount() const { return m_renders; }

 private:
  enum class CellState { Empty, Drawn, Failed };
  struct Thumbnail {
    wxBitmap bitmap;  // invalid when the part failed
  };

  void LoadCells();
  const Thumbnail& ThumbnailOf(PartHandle handle);
  void SetHovered(int cell);

  void OnPaint(wxPaintEvent& event);
  void OnSize(wxSizeEvent& event);
  void OnMotion(wxMouseEvent& event);
  void OnLeave(wxMouseEvent& event);
  void OnLeftDown(wxMouseEvent& event);
  void OnRightUp(wxMouseEvent& event);
  void OnCaptureLost(wxMouseCaptureLostEvent& event);

  CLibraryContext m_library;
  CPartGridState m_grid;
  int m_group = 0, m_first = 0;
  int m_paintedGroup = -1, m_paintedFirst = -1;
  std::vector<PartHandle> m_shown;
  int m_hovered = -1;
  size_t m_renders = 0;
  std::function<void()> m_onSizeSwitched;

  // Thumbnails by part and size, the least recently used dropped first past the limit.
  using Key = std::pair<PartHandle, int>;
  static constexpr size_t kKeptThumbnails = 2000;
  std::map<Key, std::pair<Thumbnail, std::list<Key>::iterator>> m_thumbnails;
  std::list<Key> m_recent;
  C3DStub m_renderer;
};
