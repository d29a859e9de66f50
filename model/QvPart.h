#pragma once
// The element: one line of a model. CQvPart is the abstract base of every element class; it holds
// what every line has (type code, colour, flags, group membership) and the operations through which
// the model file, the document, the views and the dialogs handle an element without knowing its class.
#include <cstdint>
#include <memory>
#include <stdexcept>
#include <string>
#include <vector>

#include "config/Geometry.h"
#include "model/ElementType.h"
#include "render/PickId.h"

class C3DStub;
class CMatrix4DStack;
class CQvFile;
class CSelectionGroup;
class CTextHandler;
class CFakeBuffer;
struct ParseContext;
struct ColorEntry;

// A colour number is 32-bit (see the colour table); -1 means "not set".
using ColorNumber = int32_t;
inline constexpr ColorNumber kColorUnset = -1;

// A line parser throws this for a malformed line; the reader turns it into a line error.
class CParseError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// Formats of an export.
enum class ExportFormat : uint32_t { Primitives = 0, Normal = 1 };

// Handed down unchanged through every element and referenced file of one export.
struct ExportContext {
  CTextHandler* output = nullptr;
  ExportFormat format = ExportFormat::Primitives;
  std::string exportPath;                   // needed by CLEAR and BUFEXCHG
  const ColorEntry* colorEntries = nullptr;  // the 512 entries of the file being exported
  uint32_t keepColors = 0;                  // 1: write an element's own colour number unresolved
};

// Passed to Draw; each sub-file reference passes a copy with its own resolved colour as parent.
struct DrawContext {
  ColorNumber parentColor = 16;
  const ColorEntry* colorEntries = nullptr;
  CFakeBuffer* partImageTarget = nullptr;
  bool drawingIntoImage = false;
  // Stud files drawn as their replacement (StudMode): set by each whole-model drawing for itself,
  // so a preview drawn afterwards never inherits it.
  bool studReplacement = false;
  // Drawn as a sub-file of a library file (whose other primitives cover the same pixels).
  bool insideLibraryFile = false;
};


struct ScreenRect {
  int32_t left = 0, top = 0, right = 0, bottom = 0;
};
struct ScreenPoint {
  int32_t x = 0, y = 0;
};

// What the line list shows of an element (Describe).
struct ElementDescription {
  std::string colorName;
  std::string position;
  std::string matrix;
  int32_t partKey = 0;  // part-list handle of a referenced file, -1 for a group
  std::string text;
  uint32_t typeFlags = 0;  // type code | kDescribeHidden | kDescribeGhost | kDescribeNoFile
};
inline constexpr uint32_t kDescribeHidden = 0x1000;
inline constexpr uint32_t kDescribeNoFile = 0x2000;
inline constexpr uint32_t kDescribeGhost = 0x4000;

// Move modes.
enum : int { kMoveGrid = 0, kMoveGridAlt = 1, kMoveSet = 2, kMoveAdd = 3 };
// Rotate modes.
enum : int { kRotateAboutCenter = 0, kRotateSetOrientation = 1 };

class CQvPart {
 public:
  virtual ~CQvPart() = default;
  CQvPart(const CQvPart&) = delete;
  CQvPart& operator=(const CQvPart&) = delete;

  // --- the element contract, in its fixed order ---
  // Modes 2 set the position to (dx, dy, dz), 3 add it, 0 and 1 add it times the grid step.
  virtual void Move(double dx, double dy, double dz, int mode, double gx, double gy, double gz);
  virtual int Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest);
  virtual int IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect);
  virtual int CanEdit() const;
  // 0 nothing changed, 1 changed, 2 changed with a wider refresh.
  virtual int Edit(CQvFile& owner);
  virtual void MoveVertex(int index, double x, double y, double z);
  // Writes the element's line or lines; 0 when a write failed. The base writes the group-member
  // line; every override calls it first.
  virtual int Write(CTextHandler& out);
  // 0 when the export failed (the export stops).
  virtual int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                     ColorNumber parentColor);
  virtual void Rotate(CMatrix3 matrix, const CVector3& center, int mode);
  virtual int Describe(ElementDescription& out) const = 0;
  // A new element of the same class, not selected and not grouped; null when it cannot be copied.
  virtual std::unique_ptr<CQvPart> Clone() const = 0;
  virtual void ApplyTransform(const CMatrix3& matrix, const CVector3& offset);
  virtual void TransformVertices(const CMatrix3& matrix, const CVector3& offset);
  virtual void GetScreenExtent(ScreenPoint& point, ScreenRect& rect, const CMatrix3& view);
  virtual int GetRotationCenter(CVector3& center);
  // Parses the whole line: fills the element and returns 1 (0 for a partial result), or throws
  // CParseError for a malformed line.
  virtual int Parse(const std::string& line);
  // Parse as the reader calls it, with the state of the read (the folder of the model being read,
  // where sub-files beside the model are found). Only elements that load files need more than Parse.
  virtual int ParseIn(const ParseContext& ctx, const std::string& line) {
    (void)ctx;
    return Parse(line);
  }
  // flags: 1 all comments, 2 recurse into referenced files.
  virtual void CollectComments(std::vector<std::string>& list, uint32_t flags);
  // Adds the element's extent under the placement to the box; hidden elements add nothing.
  virtual void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min,
                                 CVector3& max, int noCache);
  // Appends, placed by matrix and offset, every point that ExtendBoundingBox with noCache set
  // measures: the box of these points is that box. Elements without geometry add nothing.
  virtual void CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out);
  virtual void Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx);
  // Lets go of a document model that is about to be removed (any model when null), so that no
  // element, in a model or in the copy buffer, points into a deleted model. Only elements that
  // refer to models override it.
  virtual void ReleaseModelRef(const CQvFile* model);

  // --- the same for every class ---
  ElementType GetType() const { return m_type; }
  uint16_t GetTypeCode() const { return ToCode(m_type); }
  bool IsLinePrimitive() const;  // line, triangle, quadrilateral, conditional line
  bool IsPartLike() const;       // reference, rubber belt, spring, hose (not arrow or plate)
  bool IsLineOrPart() const { return IsLinePrimitive() || IsPartLike(); }
  void SetColor(ColorNumber color) { m_color = color; }
  ColorNumber GetColor() const { return m_color; }

  CSelectionGroup* GetGroup() const { return m_group; }
  void SetGroup(CSelectionGroup* group) { m_group = group; }
  const std::string& GetPendingGroupName() const { return m_pendingGroupName; }
  void SetPendingGroupName(std::string name) { m_pendingGroupName = std::move(name); }

  // The flags every line has.
  bool ghost = false;         // written with "0 GHOST "; drawn only in the drawn model itself
  bool selected = false;      // in its file's selection
  bool stepBoundary = false;  // ends a building step
  bool hidden = false;        // not drawn, not picked; written with "0 TOLVO HIDE "
  bool movable = false;       // Move and Rotate of the selection apply to it
  bool stepContent = false;   // visible content: a step boundary counts only after such an element

 protected:
  explicit CQvPart(ElementType type) : m_type(type) {}
  void SetType(ElementType type) { m_type = type; }
  // Copies type, colour, ghost, step boundary, hidden, movable and step content to a clone.
  void CopyBase(CQvPart& clone) const;
  // The flag bits and texts that Describe adds for hidden and ghost elements.
  void DescribeFlags(ElementDescription& out) const;

 private:
  CSelectionGroup* m_group = nullptr;
  std::string m_pendingGroupName;
  ElementType m_type;
  ColorNumber m_color = kColorUnset;
};
