#include "model/QvCommentPart.h"

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/TextHandler.h"

CQvCommentPart::CQvCommentPart(std::string text, uint16_t kind)
    : CQvPart(ElementType::Comment), m_text(std::move(text)), m_kind(kind) {}

int CQvCommentPart::Parse(const std::string& line) {
  if (m_kind != kCommentPlain) return 1;
  m_text = line.size() > 2 ? std::string(SkipWhite(std::string_view(line).substr(2))) : std::string();
  return 1;
}

std::string CQvCommentPart::LineText() const {
  switch (m_kind) {
    case kCommentWrite:
      return "0 WRITE " + m_text + "\n";
    case kCommentEmptyLine:
      return "\n";
    case kCommentVerbatim: {
      std::string line;
      if (ghost) line += "0 GHOST ";
      if (hidden) line += "0 TOLVO HIDE ";
      return line + m_text + "\n";
    }
    default:
      return "0 " + m_text + "\n";
  }
}

int CQvCommentPart::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  return out.WriteString(LineText());
}

int CQvCommentPart::Export(ExportContext& ctx, const CVector3&, const CMatrix3&, ColorNumber) {
  if (ctx.format != ExportFormat::Normal || !ctx.output) return 1;
  return ctx.output->WriteString(LineText());
}

void CQvCommentPart::CollectComments(std::vector<std::string>& list, uint32_t flags) {
  if (m_kind != kCommentPlain || (flags & 1)) list.push_back(m_text);
}

int CQvCommentPart::Edit(CQvFile&) {
  CommentEdit data{m_text, m_kind == kCommentPlain};
  if (!TheElementEditor().EditComment(data)) return 0;
  m_text = std::move(data.text);
  m_kind = data.oldStyle ? kCommentPlain : kCommentWrite;
  return 1;
}

int CQvCommentPart::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  out.text = m_text;
  return 1;
}

std::unique_ptr<CQvPart> CQvCommentPart::Clone() const {
  auto clone = std::make_unique<CQvCommentPart>(m_text, m_kind);
  CopyBase(*clone);
  return clone;
}
