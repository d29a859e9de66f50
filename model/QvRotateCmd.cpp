#include "model/QvRotateCmd.h"

#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "model/ElementEditor.h"
#include "model/FloatField.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"
#include "platform/Prompt.h"

CQvRotateCmd::CQvRotateCmd() : CQvPart(ElementType::RotStep) { stepBoundary = true; }

CQvRotateCmd::CQvRotateCmd(std::string_view text) : CQvRotateCmd() { ReadText(text); }

int CQvRotateCmd::Parse(const std::string& line) {
  CTokenReader reader(line);
  std::string_view text = line;
  if (reader.NextWord() == "0") {
    reader.NextWord();  // the keyword
    text = reader.Rest();
  }
  ReadText(text);
  return 1;
}

void CQvRotateCmd::ReadText(std::string_view text) {
  if (ContainsNoCase(text, "END") == 0) {  // 0: found
    SetEnd(1);
    return;
  }
  CTokenReader reader(text);
  double angles[3];
  for (double& a : angles) {
    if (!NextFloatField(reader, a)) {
      theTracer.Printf("ERROR: Invalid file format!\n");
      throw CParseError("a rotation step needs three angles");
    }
  }
  // Only the exact words are modes; any other word (ABSOLUTE too) means ADD.
  std::string_view word = reader.NextWord();
  if (word.empty() || EqualsNoCase(word, "REL"))
    m_mode = kRel;
  else if (EqualsNoCase(word, "ABS"))
    m_mode = kAbs;
  else
    m_mode = kAdd;
  SetEnd(0);
  m_angleX = angles[0];
  m_angleY = angles[1];
  m_angleZ = angles[2];
  m_matrix.SetEuler(m_angleX, m_angleY, m_angleZ);
}

// The type code follows the end field, here only.
void CQvRotateCmd::SetEnd(int end) {
  m_end = end ? 1 : 0;
  SetType(m_end ? ElementType::RotStepEnd : ElementType::RotStep);
  stepBoundary = true;
}

void CQvRotateCmd::Set(double ax, double ay, double az, int mode, int end) {
  SetEnd(end);
  if (end) return;
  m_mode = mode;
  m_angleX = ax;
  m_angleY = ay;
  m_angleZ = az;
  m_matrix.SetIdentity();
  const CVector3 axes[3] = {{1, 0, 0}, {0, 1, 0}, {0, 0, 1}};
  const double angles[3] = {ax, ay, az};
  for (int i = 0; i < 3; ++i) {
    if (angles[i] == 0) continue;
    CMatrix3 factor;
    factor.SetAxisAngle(axes[i], angles[i]);
    m_matrix.Multiply(factor);
  }
}

CMatrix3 CQvRotateCmd::ApplyTo(const CMatrix3& start, const CMatrix3& current) const {
  switch (m_mode) {
    case kRel:
      return start * m_matrix;
    case kAbs:
      return m_matrix;
    default:
      return current * m_matrix;
  }
}

int CQvRotateCmd::Edit(CQvFile& owner) {
  if (!CanEdit()) {
    ThePrompt().Beep();
    return 0;
  }
  RotStepEdit data;
  data.angleX = m_angleX;
  data.angleY = m_angleY;
  data.angleZ = m_angleZ;
  data.mode = m_mode;
  data.model = &owner;
  if (!TheElementEditor().EditRotStep(data)) return 0;
  m_mode = data.mode;
  m_angleX = data.angleX;
  m_angleY = data.angleY;
  m_angleZ = data.angleZ;
  m_matrix.SetEuler(m_angleX, m_angleY, m_angleZ);
  return 1;
}

int CQvRotateCmd::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  // A ghost rotation step keeps its flag through a save, as the reader takes the prefix back.
  if (ghost && !out.WriteString("0 GHOST ")) return 0;
  if (m_end) return out.WriteString("0 ROTSTEP END\n");
  const char* word = m_mode == kRel ? "REL" : m_mode == kAbs ? "ABS" : "ADD";
  // The angles are read in single precision: written as the floats they are, without noise digits.
  auto angle = [](double a) { return FormatReal(static_cast<float>(a)); };
  return out.WriteString("0 ROTSTEP " + angle(m_angleX) + " " + angle(m_angleY) + " " + angle(m_angleZ) + " " +
                         word + "\n");
}

int CQvRotateCmd::Describe(ElementDescription& out) const {
  out.typeFlags = GetTypeCode();
  if (ghost) out.typeFlags |= kDescribeGhost;
  if (m_end) {
    out.text = "END";
    return 1;
  }
  out.matrix = StrPrintf("%.3f,%.3f,%.3f", m_angleX, m_angleY, m_angleZ);
  out.text = m_mode == kRel ? "START REL" : m_mode == kAbs ? "START ABS" : "START ADD";
  return 1;
}

std::unique_ptr<CQvPart> CQvRotateCmd::Clone() const {
  auto clone = std::make_unique<CQvRotateCmd>();
  CopyBase(*clone);
  clone->m_end = m_end;
  clone->m_mode = m_mode;
  clone->m_angleX = m_angleX;
  clone->m_angleY = m_angleY;
  clone->m_angleZ = m_angleZ;
  clone->m_matrix = m_matrix;
  return clone;
}
