#pragma once
// LDraw line type 1: a library part or another model placed with a colour, a position and a 3x3
// matrix. The referenced file comes from the part-file cache and is shared with every other
// reference to it; most operations apply the placement and hand the call on to that file.
//
// The element keeps the name it was written with, also when the file was not found: such a
// reference is written back, exported and counted under its own name, so saving a model on a
// machine without some part never loses which part it was.
#include <memory>
#include <string>

#include "model/QvPart.h"

class CQvFile;

class CQvElement : public CQvPart {
 public:
  CQvElement();
  ~CQvElement() override;

  void Move(double dx, double dy, double dz, int mode, double gx, double gy, double gz) override;
  int Pick(const CMatrix4DStack& stack, const CVector3& point, double& depth, int nearest) override;
  int IntersectsRect(const CMatrix4DStack& stack, const ScreenRect& rect) override;
  int CanEdit() const override { return 1; }
  // The part chooser on the referenced part; OK replaces the file and returns 2, Cancel 0.
  int Edit(CQvFile& owner) override;
  int Write(CTextHandler& out) override;
  // Format 1 writes one type 1 line (document sub-models are flattened); format 0 flattens the
  // file. The result is the write's: 0 when a write failed.
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  void Rotate(CMatrix3 matrix, const CVector3& center, int mode) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;
  void ApplyTransform(const CMatrix3& matrix, const CVector3& offset) override;
  void GetScreenExtent(ScreenPoint& point, ScreenRect& rect, const CMatrix3& view) override;
  int GetRotationCenter(CVector3& center) override;
  // "1 colour x y z a b c d e f g h i name": the colour decimal or hexadecimal, the name every
  // word after the fourteenth up to the end of the line. Throws CParseError for a malformed line;
  // 0 when the file is not found (the element then keeps the name), else 1.
  int Parse(const std::string& line) override;
  int ParseIn(const ParseContext& ctx, const std::string& line) override;
  void CollectComments(std::vector<std::string>& list, uint32_t flags) override;
  void ExtendBoundingBox(const CVector3& offset, const CMatrix3& matrix, CVector3& min, CVector3& max,
                         int noCache) override;
  void CollectExtentPoints(const CMatrix3& matrix, const CVector3& offset, std::vector<CVector3>& out) override;
  void Draw(C3DStub& renderer, PickId pickId, const DrawContext& ctx) override;
  void ReleaseModelRef(const CQvFile* model) override;

  // Colour 0 and the named file. Without a file or with snap: the point snapped to the grid (0
  // without a file). Else the minimum corner of the part's extent is put at the point.
  int SetPart(const std::string& name, const CVector3& point, int snap);
  // Drops the current file and fetches the named one; 1 when found. The name is kept either way.
  int SetFileByName(const std::string& name, const std::string& modelFolder = {});
  void SnapToGrid();
  // The referenced file's own rotation point for that file's rotation-point mode, turned by the
  // placement matrix but not moved by the position; zero without a file.
  CVector3 GetPartRotationPoint() const;
  // A "~Moved to <name>" stub is replaced by the part it names (".dat", else ".ldr"), following
  // chains. Checking: 1 when the file is such a stub. Upgrading: 0 when a target is missing or
  // the chain loops.
  int UpgradeMovedPart(int checkOnly);
  // The name as the line wrote it (found or not); else the referenced file's name; "Unknown" when
  // the element never had one.
  std::string GetFileName() const;
  // True when the file is null or only an empty stand-in for one that was not found.
  bool IsFileMissing() const;

  CQvFile* GetFile() const { return m_file; }
  // Lets go of the file and keeps the name the line is written with, so that the element writes
  // the same line while it no longer holds a sub-file in the cache.
  void ReleaseFileKeepingName();
  // Gives the line another name for the same file (the model it places was renamed).
  void RenameFile(const std::string& name) { m_name = name; }
  const CVector3& GetPosition() const { return m_position; }
  void SetPosition(const CVector3& p) { m_position = p; }
  const CMatrix3& GetMatrix() const { return m_matrix; }

 protected:
  // Lets go of the file (one use less in the cache); the name stays.
  void DropFile();
  // "1 colour x y z a..i" of the placement, without name and newline.
  std::string FormatPlacement(uint32_t color, const CVector3& position, const CMatrix3& matrix) const;

  CVector3 m_position;
  CMatrix3 m_matrix = CMatrix3::Identity();
  CQvFile* m_file = nullptr;
  std::string m_name;
};
