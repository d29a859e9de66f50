#include "model/TlvGeneratedPart.h"

#include <cmath>

#include "config/ColorTable.h"
#include "model/LineColor.h"
#include "model/TextHandler.h"
#include "platform/Numbers.h"

CTlvGeneratedPart::CTlvGeneratedPart(ElementType type) : m_generated(std::make_unique<CGeneratorFile>()) {
  SetType(type);
  SetColor(16);
  m_file = m_generated.get();
}

CTlvGeneratedPart::~CTlvGeneratedPart() {
  // The file is not in the part-file cache: the reference must not release it there.
  m_file = nullptr;
}

void CTlvGeneratedPart::Rebuild() {
  m_generated->RemoveAll();
  BuildGeometry(*m_generated);
  m_generated->UpdateExtent();
}

std::string CTlvGeneratedPart::PackReal(double v) { return " " + FormatReal(v); }

std::string CTlvGeneratedPart::PackInt(int32_t v) { return StrPrintf(" %ld", static_cast<long>(v)); }

std::string CTlvGeneratedPart::PackUInt(uint32_t v) {
  return StrPrintf(" %lu", static_cast<unsigned long>(v));
}

void CTlvGeneratedPart::CopyPlacement(CTlvGeneratedPart& clone) const {
  CopyBase(clone);
  clone.m_position = m_position;
  clone.m_matrix = m_matrix;
}

int CTlvGeneratedPart::Parse(const std::string& text) {
  CTokenReader reader(text);
  reader.NextWord();  // the keyword the reader dispatched on
  ColorNumber color = kColorUnset;
  if (!ParseLineColor(reader.NextWord(), color)) return 0;
  double v[12];
  for (double& d : v)
    if (!reader.NextDouble(d) || !std::isfinite(d) || std::fabs(d) > kMaxGeneratorLength) return 0;
  if (!ParseParams(reader)) return 0;
  SetColor(color);
  m_position.Set(v[0], v[1], v[2]);
  m_matrix = CMatrix3(v[3], v[4], v[5], v[6], v[7], v[8], v[9], v[10], v[11]);
  Rebuild();
  return 1;
}

int CTlvGeneratedPart::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  std::string text;
  // Both flags come back through the reader's prefixes: without them a ghost or hidden part
  // would be read back as an ordinary one.
  if (ghost) text += "0 GHOST ";
  if (hidden) text += "0 TOLVO HIDE ";
  text += StrPrintf("0 TOLVO %s %lu", Keyword(), static_cast<unsigned long>(static_cast<uint32_t>(GetColor())));
  for (double d : {m_position.x, m_position.y, m_position.z}) text += " " + FormatReal(d);
  for (double d : m_matrix.m) text += " " + FormatReal(d);
  text += FormatParams() + "\n";
  // One line per write: a handler that keeps lines reads each write back as one line.
  if (!out.WriteString(text) || !out.WriteString("0 TOLVO SKIP_BEGIN\n")) return 0;
  ExportContext ctx;
  ctx.output = &out;
  ctx.format = ExportFormat::Normal;
  for (size_t i = 0; i < m_generated->GetCount(); ++i) {
    CQvPart* e = m_generated->GetAt(i);
    if (e->ghost || e->GetType() == ElementType::Clear || e->GetType() == ElementType::BufExchg) continue;
    if (!e->Export(ctx, m_position, m_matrix, GetColor())) return 0;
  }
  return out.WriteString("0 TOLVO SKIP_END\n");
}

int CTlvGeneratedPart::Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
                              ColorNumber parentColor) {
  const ColorEntry* entries = ctx.colorEntries ? ctx.colorEntries : theDefaultColors;
  const uint32_t resolved =
      ResolveColorCode(static_cast<uint32_t>(GetColor()), static_cast<uint32_t>(parentColor), entries);
  const CVector3 placedPosition = matrix * m_position + offset;
  const CMatrix3 placedMatrix = matrix * m_matrix;
  const ColorEntry* saved = ctx.colorEntries;
  ctx.colorEntries = m_generated->GetColorTable().GetEntries();
  int result = 1;
  for (size_t i = 0; i < m_generated->GetCount() && result; ++i) {
    CQvPart* e = m_generated->GetAt(i);
    if (e->ghost || e->GetType() == ElementType::Clear || e->GetType() == ElementType::BufExchg) continue;
    result = e->Export(ctx, placedPosition, placedMatrix, static_cast<ColorNumber>(resolved));
  }
  ctx.colorEntries = saved;
  return result;
}

int CTlvGeneratedPart::Describe(ElementDescription& out) const {
  CQvElement::Describe(out);
  out.partKey = 0;
  out.text = hidden ? "Hidden" : Text();
  out.typeFlags = GetTypeCode();
  if (hidden) out.typeFlags |= kDescribeHidden;
  if (ghost) out.typeFlags |= kDescribeGhost;
  return 1;
}

int CTlvGeneratedPart::Edit(CQvFile&) {
  if (!EditParams()) return 0;
  Rebuild();
  return 2;
}
