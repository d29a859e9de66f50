#pragma once
// Everything the line list knows and decides, without any toolkit: which element each row shows,
// the row texts and icons, what to do for each update hint of the document, the diff between the
// list's selection and the model's, the double click and the drops. The window (CLineListView)
// only mirrors the rows into a virtual list control and reports the user's actions here.
//
// Rows are asked for while painting, so a model of many thousand lines costs one vector of
// element indexes; texts are made for the rows on screen only.
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "model/QvPart.h"

class CPartList;
class CQuorvelDoc;

inline constexpr int kLineListColumns = 6;

// One row as the list paints it.
struct LineRow {
  std::array<std::string, kLineListColumns> columns;
  int icon = 6;
};

// What one update of the document did to the list.
struct LineListUpdate {
  bool rebuilt = false;        // the rows changed: the list takes the new row count
  bool selection = false;      // the selected rows changed: apply SelectedRows()
  bool repaint = false;        // texts may have changed: repaint the visible rows
  bool models = false;         // the model box changes (names, choice, enabled)
  int focusRow = -1;           // the row that gets the focus and is scrolled into view
  int topRow = -1;             // the row to bring back to the top of the list
  bool operator==(const LineListUpdate&) const = default;
};

// What the user's selection in the list did.
struct ListSelectionResult {
  bool revert = false;  // the list must show the model's selection again (view mode)
  int selected = 0;     // elements the model gained
  int deselected = 0;   // elements it lost
};

class CLineListState {
 public:
  // Below this client size the list shows no rows at all.
  static constexpr int kMinWidth = 10, kMinHeight = 20;

  // The document whose active model the list shows; null detaches. Attaching rebuilds.
  LineListUpdate Attach(CQuorvelDoc* doc);
  CQuorvelDoc* GetDocument() const { return m_doc; }

  // The reaction to the document's hint word; firstVisible is the list's top row now.
  LineListUpdate OnUpdate(uint32_t hint, int firstVisible);
  // The client area changed; a size below the minimum empties the list, growing rebuilds it.
  LineListUpdate OnSize(int width, int height);
  bool IsTooSmall() const { return m_tooSmall; }
  bool IsSkipNext() const { return m_skipNext; }

  // --- rows ---
  size_t GetRowCount() const { return m_rows.size(); }
  // The element index a row shows, -1 past the end.
  int32_t ElementOfRow(long row) const;
  // The row that shows an element, -1 when none.
  long RowOfElement(int32_t element) const;
  // The texts and icon of a row from its element's description (cached for the last row asked).
  const LineRow& GetRow(long row) const;
  // The part columns come from the part list the document's library holds.
  static LineRow MakeRow(const ElementDescription& d, const CPartList& partList);
  static const char* KindName(uint32_t typeCode);
  static int KindIcon(uint32_t typeCode);

  // --- selection ---
  // The rows of the model's selection, in the model's selection order.
  const std::vector<long>& SelectedRows() const { return m_selectedRows; }
  // The list shows these rows selected now: the model follows (edit mode) or the list goes back.
  ListSelectionResult OnListSelection(const std::vector<long>& rows, bool tabHeld);

  // --- model box ---
  const std::vector<std::string>& GetModelNames() const { return m_modelNames; }
  int GetActiveModelChoice() const { return m_modelChoice; }
  bool IsModelChoiceEnabled() const { return m_modelNames.size() > 1; }
  void OnModelChosen(int choice);

  // --- double click, drops ---
  // false when nothing could be edited (the window beeps).
  bool OnDoubleClick();
  // kind and value of the payload; row under the pointer, -1 when none. true when accepted.
  bool CanDrop(uint32_t kind) const;
  bool OnDrop(uint32_t kind, uint32_t value, long row);
  void BeginDrag(long row) { m_draggedRow = ElementOfRow(row); }
  int32_t GetDraggedElement() const { return m_draggedRow; }
  // The document's move of the selected lines before an element (-1: to the end).
  static int MoveSelectedLines(CQuorvelDoc& doc, int32_t element);

 private:
  void Rebuild();
  void ReadSelection();
  void ReadModels();

  CQuorvelDoc* m_doc = nullptr;
  std::vector<int32_t> m_rows;        // row -> element index
  std::vector<int32_t> m_rowOfElement;  // element index -> row, -1 for members of groups
  std::vector<long> m_selectedRows;
  std::vector<std::string> m_modelNames;
  int m_modelChoice = 0;
  bool m_tooSmall = false;
  bool m_skipNext = false;
  int m_firstVisible = 0;
  int32_t m_draggedRow = -1;
  mutable long m_cachedRow = -1;
  mutable LineRow m_cache;
};
