#pragma once
// "0 ROTSTEP": ends a step and turns the view of the following steps by three angles, relative to
// the view of the walk (REL), absolutely (ABS) or on top of the turn in force (ADD), until a
// "0 ROTSTEP END" restores the normal view. A "0 ROTATE" that is no LDLite command reads the same.
#include <string_view>

#include "model/QvPart.h"

class CQvRotateCmd : public CQvPart {
 public:
  enum Mode : int32_t { kRel = 0, kAbs = 1, kAdd = 2 };

  // End 0, REL, angles 0, identity matrix.
  CQvRotateCmd();
  // From the text after the keyword: any "END" in it (any case) makes the end form; otherwise
  // three angles and an optional mode word. Throws CParseError (after logging) for fewer than
  // three angles.
  explicit CQvRotateCmd(std::string_view text);

  // The document's way to make a rotation step (end 0) or a rotation end step (end 1; angles, mode
  // and matrix are then left as they were).
  void Set(double ax, double ay, double az, int mode, int end);
  // The view for the steps after this one: REL turns the walk's view, ABS replaces it, ADD turns
  // the view left by the previous rotation step.
  CMatrix3 ApplyTo(const CMatrix3& start, const CMatrix3& current) const;

  // The whole line as the reader hands it over ("0 ROTSTEP ..." or "0 ROTATE ..."): reads the text
  // after the keyword as the text constructor does; throws CParseError in the same cases.
  int Parse(const std::string& line) override;

  int CanEdit() const override { return m_end == 0 ? 1 : 0; }
  int Edit(CQvFile& owner) override;
  int Write(CTextHandler& out) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  int IsEnd() const { return m_end; }
  int GetMode() const { return m_mode; }
  CVector3 GetAngles() const { return {m_angleX, m_angleY, m_angleZ}; }
  const CMatrix3& GetMatrix() const { return m_matrix; }

 private:
  void SetEnd(int end);
  void ReadText(std::string_view text);

  int32_t m_end = 0;
  int32_t m_mode = kRel;
  double m_angleX = 0, m_angleY = 0, m_angleZ = 0;
  CMatrix3 m_matrix = CMatrix3::Identity();
};
