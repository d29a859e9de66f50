#include "model/QvBackgroundCmd.h"

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/TextHandler.h"

int CQvBackgroundCmd::Parse(const std::string& line) {
  std::string_view rest = TextAfterKeyword(line, "BACKGROUND");
  size_t end = 0;
  if (!rest.empty() && rest.front() == '"') {
    rest.remove_prefix(1);
    end = rest.find('"');
  } else {
    while (end < rest.size() && !IsWhite(rest[end])) ++end;
  }
  m_file = std::string(rest.substr(0, end));
  return 1;
}

int CQvBackgroundCmd::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  // A name read without quotes may hold a quote (never a blank): it is written back as it was.
  if (m_file.find('"') != std::string::npos) return out.WriteString("0 BACKGROUND " + m_file + "\n");
  return out.WriteString("0 BACKGROUND \"" + m_file + "\"\n");
}

int CQvBackgroundCmd::Edit(CQvFile&) {
  std::string name = m_file;
  if (!TheElementEditor().EditBackground(name)) return 0;
  m_file = std::move(name);
  return 1;
}

int CQvBackgroundCmd::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  out.text = m_file;
  return 1;
}

std::unique_ptr<CQvPart> CQvBackgroundCmd::Clone() const {
  auto clone = std::make_unique<CQvBackgroundCmd>();
  CopyBase(*clone);
  clone->m_file = m_file;
  return clone;
}
