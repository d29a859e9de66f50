#pragma once
// One LDraw model or library part in memory: the ordered list of its elements (which the file owns),
// the selection, the extent of its geometry, its rotation points and the flags the library loader
// records. Document models and library parts are the same class.
//
// The selection is kept as two parallel arrays, element and list index, in the order of selection.
// Invariants every operation keeps: an element's selected flag is set exactly when it is in the
// arrays; each list index occurs once and is the element's current position; selecting a member of a
// group selects the group element and every member, deselecting one deselects them all.
#include <array>
#include <cstdint>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "config/ColorTable.h"
#include "config/Geometry.h"
#include "config/PartList.h"
#include "model/ExtentPoints.h"
#include "model/ParseContext.h"
#include "model/QvPart.h"
#include "model/RotationPoints.h"
#include "render/Dib.h"
#include "render/FakeBuffer.h"

class CMatrix4DStack;
class CSelectionGroup;
class CTextHandler;

class CQvFile {
 public:
  CQvFile();
  virtual ~CQvFile();
  CQvFile(const CQvFile&) = delete;
  CQvFile& operator=(const CQvFile&) = delete;

  // --- the element list ---
  // Deletes every element, empties the selection and resets the rotation points.
  void RemoveAll();
  size_t GetCount() const { return m_elements.size(); }
  CQvPart* GetAt(size_t index) const { return index < m_elements.size() ? m_elements[index].get() : nullptr; }
  // The position of the element in the list, -1 when it is not there.
  int32_t IndexOf(const CQvPart* element) const;
  // Appends; returns the element's list index.
  size_t Append(std::unique_ptr<CQvPart> element);
  // Inserts before the element at index (at the end when index is past it); returns the position.
  // Selected indices behind it move up by one.
  size_t InsertAt(size_t index, std::unique_ptr<CQvPart> element);
  // Takes the element out of the list (and out of the selection and its group); null past the end.
  // Removing a group element dissolves the group.
  std::unique_ptr<CQvPart> RemoveAt(size_t index);

  // --- selection ---
  // 1 when the element at index (with its group) was added; 0 for a bad index or when it is
  // already selected.
  int Select(int32_t index);
  // Makes the element the only selection; -1 only clears. 0 when it already is the only one.
  int SelectOnly(int32_t index);
  void SelectAll();
  void ClearSelection();
  // 0 when no selected element has that list index; deselects its whole group too.
  int Deselect(int32_t index);
  size_t GetSelectedCount() const { return m_selected.size(); }
  CQvPart* GetSelected(size_t i) const { return i < m_selected.size() ? m_selected[i] : nullptr; }
  CQvPart* GetSingleSelected() const;
  uint16_t GetSingleSelectedType() const;
  // For i >= 0 the list index of selection entry i (-1 past the end). For -1: the index of the only
  // selected element, or of the selected group element when the selection is one group; else -1.
  int32_t GetSelectedIndex(int32_t i) const;
  // The n-th selected element (from 0) whose movable flag is set; null when there are fewer.
  CQvPart* GetSelectedMovable(int32_t n) const;
  // The selected element with the greatest list index (the insertion point); null without a
  // selection, with position = its selection entry and index = its list index.
  CQvPart* GetLastSelected(int32_t& position, int32_t& index) const;
  // The selection entries' positions ordered by ascending list index; empty without a selection.
  std::vector<int32_t> GetSelectionOrder() const;
  // 0 without a selection; 1 when every selected element has a group (the same one when same is set).
  int IsSelectionGrouped(int same) const;

  // Kinds: 0 all, 1 line primitives, 2 part-like, 3 step content, 4 movable, 5 groups, 6 ghost,
  // 7 editable, 8 hidden; any other kind counts 0.
  int32_t CountSelected(int kind) const;
  int32_t CountElements(int kind) const;

  // Every element lets go of the document model (any model when null): before a model is removed.
  void ReleaseModelRefs(const CQvFile* model);
  // The names of every group element except the given one, in list order.
  std::vector<std::string> GetGroupNames(const CSelectionGroup* except) const;

  // --- editing (QvFileEditing.cpp) ---
  // Before the element at index (when it exists), else after the last selected element, else at
  // the end; the list index. With defaults: the default colour and, for part-like elements, the
  // default orientation and a grid-snapped position, all taken at the insertion point.
  size_t Insert(std::unique_ptr<CQvPart> element, int32_t index, int defaults);
  ColorNumber GetDefaultColorAt(int32_t position) const;
  CMatrix3 GetDefaultMatrixAt(int32_t position) const;
  // The orientation a new part takes: the default at the last selected element, or at the last
  // element without a selection.
  CMatrix3 GetMatrixForNewPart() const;
  // Appends a triangle (the landscape generator's surface); its list index.
  size_t AddTriangle(const CVector3& a, const CVector3& b, const CVector3& c, ColorNumber color);
  int InsertStepBefore(size_t position);
  // The position of the nearest part-like element before index; zero when there is none.
  CVector3 GetPreviousPartPosition(size_t index) const;
  // Every element of the other file (or every one not hidden) moves to the end of this list.
  void MoveElementsFrom(CQvFile& other, int skipHidden);
  // The selection, in selection order, goes before the element at index (to the end when that
  // element is selected or index is negative); 0 when nothing or everything is selected.
  int MoveSelectionBefore(int32_t index);
  // Checking: 1 when some reference names a moved part. Upgrading: 0 when one could not be.
  int UpgradeMovedParts(int checkOnly);
  void DeleteSelected();
  void CopySelected();
  // The copy buffer's elements cloned again, after the last selected element (or at the end);
  // they become the selection.
  void PasteFromCopyBuffer();
  void MoveSelected(double dx, double dy, double dz, int mode);
  CVector3 GetSelectionGridStep() const;
  static int IsGridStepPermutation(const CVector3& step);
  CVector3 SnapToSelectionGrid(const CVector3& point) const;
  void RotateSelected(const CMatrix3& matrix, int mode);
  // The centre the selection turns about, by the rotation-point mode.
  CVector3 GetRotationCenter(int useOwnPoint = 0, int32_t point = -1) const;
  void SetColorOfSelected(ColorNumber color);
  void SetGhostOfSelected(bool ghost);
  void SetHiddenOfSelected(bool hidden, int all);
  // The selection becomes the members of a new group (selected groups are dissolved first), named
  // in the group dialog; 0 without a selection or when the dialog is cancelled.
  int GroupSelected();
  // Every selected group element goes; its members stay in the list and the selection.
  void UngroupSelected();
  // The Edit of the one editable selected element, or of the group that the whole selection is;
  // 0 when the selection is neither.
  int EditSelected();
  // 0 past the end and for group members (the line list shows top-level elements and groups).
  int DescribeElementAt(size_t index, ElementDescription& out) const;
  int SelectSimilar(int byColor, int all);
  int32_t FindNeighbour(int direction, int32_t index) const;
  // Steps by height or every count lines and parts; added counts the steps inserted.
  int AutoSteps(int byHeight, int count, int& added);
  // key 0 colour, 1 position, 2 name; sub-file references only. 1 when anything moved.
  int SortParts(int key, int ascending, int selectedOnly);
  static int CompareParts(const CQvPart& a, const CQvPart& b, int key);
  // LSynth markers in comment texts: 1 definition begins, 2 it ends, 3 synthesized block begins,
  // 4 it ends, 0 no marker.
  static int ClassifyLSynthLine(const std::string& text);
  // 1 when the blocks are well formed and there is at least one definition block.
  int CheckLSynthBlocks() const;
  // Hides the references of definition blocks: mode 3 all, 1 those outside a synthesized block,
  // 2 those inside one, 0 none. 1 when a flag changed; 0 at the first misplaced marker.
  int HideLSynthParts(int mode);

  // --- picking, references and the rotation point (QvFilePick.cpp) ---
  // Selects the elements under a screen point (left == right, top == bottom) or in a rectangle,
  // projected through the stack's top matrix. Without add the selection is cleared first. A point
  // selects every hit (nearest 0) or only the nearest one; a rectangle selects every element that
  // meets it (nearest 0) or, pixel by pixel, the nearest element of each pixel (visible only).
  // depth: the nearest depth found (1e300 when none or nearest is 0). 1 when anything was hit.
  int Pick(const CMatrix4DStack& stack, const ScreenRect& rect, double& depth, int nearest, int add);
  // The projected box of the file's extent meets the rectangle (edges included).
  int BoxIntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) const;
  // The pick of the file as a whole: the smallest depth of its elements' hits; without nearest
  // the first hit ends the walk.
  int PickElements(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) const;
  // 1 when a chain of references from this file comes back to a file being walked.
  int IsRecursive();
  int IsFileReferenced(const CQvFile* file) const;
  // The custom rotation point goes to GetRotationCenter + delta (only when it may move).
  void MoveRotationPoint(const CVector3& delta);
  int IsRotationPointMovable() const { return m_rotationPoints.IsPointMovable(); }
  int32_t GetRotationPointMode() const { return m_rotationPoints.mode; }
  // --- selection operations of the edit commands (QvFileSelectionOps.cpp) ---
  // SnapToGrid of every selected part-like element.
  void SnapSelectedToGrid();
  // The rotation-point dialog (through the element editor) on this file's points; 1 when it ended
  // with OK and its values were taken, 0 otherwise.
  int EditRotationPoint();
  // The comments of every element (flags: 1 all comments, 2 into referenced files).
  void CollectComments(std::vector<std::string>& list, uint32_t flags);

  // --- name and description ---
  // Keeps a name ending in ".dat" or ".ldr" (any case), else appends ".ldr"; then SetNameComment.
  void SetName(const std::string& name);
  const std::string& GetName() const { return m_name; }
  // The name exactly as given, nothing appended and no comment touched: the name under which the
  // file cache loaded a sub-file.
  void SetLoadedName(const std::string& name) { m_name = name; }
  // The first comment beginning "NAME:" (any case) becomes "Name: " and the path's file name.
  void SetNameComment(const std::string& path);
  // The leading plain comment, else the file's name.
  std::string GetDescription() const;
  int SetDescription(const std::string& text);

  // --- extent ---
  void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                         int noCache);
  void ExtendBoundingBoxAll(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max);
  void UpdateExtent();
  // A file that does not change while it is cached (a sub-file of the file cache) keeps the
  // distinct points of its extent once they are first asked for: the full extent of a placed file
  // is then measured from them, without walking its sub-files again. Changing the element list
  // drops them; changing the geometry of an element in place is not noticed, so only files that
  // are never edited keep them.
  void KeepExtentPoints() { m_keepExtent = true; }
  void InvalidateExtent();
  // Every point the full extent walk (noCache set) measures, placed by matrix and offset.
  void CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out);
  // While one lives on a thread, the full extent walk keeps, on that thread, each file's box under
  // the identity the first time it is measured and answers placements that only swap and negate
  // axes from it: a project's models are then measured once each as they are registered, not once
  // for every model above them. Nothing may change a file while one lives; passes on the same
  // thread nest.
  class CExtentPass {
   public:
    CExtentPass();
    ~CExtentPass();
    CExtentPass(const CExtentPass&) = delete;
    CExtentPass& operator=(const CExtentPass&) = delete;

   private:
    bool m_outer;
  };
  const CVector3& GetSize() const { return m_size; }
  const CVector3& GetCenter() const { return m_center; }
  const CVector3& GetCorner(int i) const { return m_corners[i & 7]; }

  // --- reading and writing LDraw text ---
  // Reads the whole text. 1 when read, 0 when refused (the file is already being read) or when the
  // user stopped at a line error. Bad lines are logged; the first one is also shown, with the
  // choice to stop, when showWarnings is set. path serves the recursion guard and the messages.
  // modelFolder: where sub-files beside the model are looked for; null takes the folder of path.
  int ReadFrom(CTextHandler& in, const std::string& path, int showWarnings = 1,
               const std::string* modelFolder = nullptr);
  // The bad lines of the last read.
  uint32_t GetLineErrorCount() const { return m_lineErrors; }
  // One trimmed line; 1 when handled (or ignored), 0 for a line error.
  int ParseLine(ParseContext& ctx, const std::string& line, int ghost);
  // The text after "0 TOLVO ".
  int ParseTolvoMeta(ParseContext& ctx, const std::string& text, int ghost);
  // After a whole file: joins elements to their groups, clears the selection and drops the "0"
  // that ends every written file.
  void ResolveGroups();
  // Colour definitions and rotation points before the first element that is no comment, every
  // element, then "0". 1 when every write succeeded.
  int WriteTo(CTextHandler& out);
  int Transfer(CTextHandler& handler, int read, const std::string& path);

  // Shared with every model until a colour definition of the file makes it private.
  CColorTable& GetColorTable() { return m_colors; }
  const CColorTable& GetColorTable() const { return m_colors; }
  CRotationPoints& GetRotationPoints() { return m_rotationPoints; }
  const CRotationPoints& GetRotationPoints() const { return m_rotationPoints; }

  // --- steps and drawing (QvFileDraw.cpp) ---
  // Every counted boundary is one step, content after the last counted boundary one more.
  int32_t CountSteps() const;
  // The view matrix in force after `steps` steps (-1: after the whole file), starting from matrix.
  void GetRotStepMatrix(CMatrix3& matrix, int32_t steps) const;
  // Exports steps first up to last (-1: to the end); 0 when an export fails or first == last.
  int ExportSteps(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix, ColorNumber parentColor,
                  int32_t last, int32_t first);
  // Resets the part list's usage counters and counts the parts of steps first to last.
  void CollectPartUsage(int32_t last, int32_t first, int mergeColors) const;
  // Draws the model: whole (edit mode, the selection last when highlighting) or steps first up to
  // last. The step where drawing stopped, or -1. Pick ids are list indices (GetPickElement).
  int32_t DrawTo3DStub(C3DStub& renderer, const CVector3& offset, const CMatrix3& matrix, ColorNumber parentColor,
                       int32_t last, int32_t first, int highlight, int whole);
  // The file as a referenced file: stud replacement, own colours, then its elements, from the part
  // image when the FastRender setting asks for one and the part may be cached.
  void DrawParts(C3DStub& renderer, PickId pickId, const DrawContext& ctx);
  // True when the file or any file it references has a colour of its own (not 16 or 24): such a
  // part cannot be stamped in one main and one edge colour.
  bool HasExplicitColorsDeep() const;
  int HasNoPartAfter(size_t position) const;
  // The top-level element a pick id names; null for kNoPickId or a stale id.
  CQvPart* GetPickElement(PickId id) const { return id == kNoPickId ? nullptr : GetAt(id); }

  // Key of the file in the part list and the file cache; 0 for none.
  PartHandle partKey = 0;
  bool visiting = false;        // set while IsRecursive walks through the file
  bool studFile = false;        // "stud" followed by '.' or a digit
  bool libraryFile = false;     // found along the library scan order
  bool smallPartName = false;   // "Axle..." or "Stu..." without explicit colours
  bool explicitColors = false;  // some line or part has a colour other than -1, 16 and 24
  bool missing = false;         // an empty stand-in for a sub-file that was not found
  // Stud files only: the line stud and the stud variant the drawing may use instead. Each holds one
  // use in the file cache, which the destructor gives back.
  CQvFile* studLineFile = nullptr;
  CQvFile* studVariantFile = nullptr;
  std::string backgroundName;   // picture of the last "0 BACKGROUND" drawn
  CDib backgroundPicture;       // and the picture itself
  std::string pictureFolder;    // where a background picture beside the model is looked for
  // This part pre-rendered under a few view rotations and modes (FastRender): parts placed in
  // several orientations, or drawn in several panes, keep an image for each instead of remaking
  // one image at every change of rotation.
  static constexpr size_t kPartImageCount = 4;
  std::array<CFakeBuffer, kPartImageCount> partImages;
  void FreePartImages();

 private:
  // Parse, ghost flag, pending group and colour flag of a new element, then append. 0 when its
  // parser refused the line.
  int AddParsed(ParseContext& ctx, std::unique_ptr<CQvPart> element, const std::string& line, int ghost);
  int WriteHeader(CTextHandler& out);
  // A "0 !COLOUR" line: into the file's own table; a code beyond the table is kept as a comment.
  int ParseColourDefinitionLine(ParseContext& ctx, const std::string& line, int ghost);
  bool AddToSelection(CQvPart* element, int32_t index);
  void RemoveFromSelection(size_t position);
  int32_t CountMatching(int kind, const CQvPart* element) const;

  std::vector<std::unique_ptr<CQvPart>> m_elements;
  std::vector<CQvPart*> m_selected;
  std::vector<int32_t> m_selectedIndex;
  std::string m_name;
  uint32_t m_lineErrors = 0;
  CColorTable m_colors;
  CRotationPoints m_rotationPoints;

  // PartImage.cpp: -1 not yet known, else HasExplicitColorsDeep's answer (library files do not
  // change while cached).
  mutable int8_t m_deepColors = -1;
  uint8_t m_nextPartImage = 0;  // the image a new rotation replaces next
  bool DrawFromPartImage(C3DStub& renderer, PickId pickId, const DrawContext& ctx);

  // Null unless the file keeps its extent points; built on first use.
  const CExtentPoints* GetExtentPoints();
  bool m_keepExtent = false;
  std::mutex m_extentMutex;
  std::unique_ptr<CExtentPoints> m_extentPoints;

  // The box under the identity kept by the extent pass of m_passId (0: none); m_passBusy while
  // it is being measured (a file placed inside itself is walked as before).
  bool PassIdentityBox(CVector3& lo, CVector3& hi);
  uint64_t m_passId = 0;
  bool m_passBusy = false;
  CVector3 m_passLo, m_passHi;

  CMatrix3 m_cachedPlacement;
  CVector3 m_cachedMin{1e200, 1e200, 1e200};
  CVector3 m_cachedMax{-1e200, -1e200, -1e200};
  CVector3 m_size, m_center;
  CVector3 m_corners[8];
};
