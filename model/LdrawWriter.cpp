// Writing a model file back as LDraw text, in the format the reader reads.
#include "model/QvCommentPart.h"
#include "model/QvFile.h"
#include "model/SelectionGroup.h"
#include "model/TextHandler.h"

namespace {
// Comments lead a file (its description and header); a line kept word for word stands for a line
// of another kind and ends the header like that line would. A group that writes no line ends
// nothing either (else the header would move when the file is read back).
bool EndsHeader(const CQvPart& e) {
  if (e.GetType() == ElementType::Group) return static_cast<const CSelectionGroup&>(e).WritesLine();
  return e.GetType() != ElementType::Comment ||
         static_cast<const CQvCommentPart&>(e).GetKind() == kCommentVerbatim;
}
}  // namespace

// The file's own colour definitions, then its rotation points.
int CQvFile::WriteHeader(CTextHandler& out) {
  std::vector<std::string> definitions;
  m_colors.WriteColourDefinitions(definitions);
  for (const std::string& line : definitions)
    if (!out.WriteString(line)) return 0;
  return m_rotationPoints.WriteMeta(out);
}

int CQvFile::WriteTo(CTextHandler& out) {
  bool headerWritten = false;
  for (auto& e : m_elements) {
    if (!headerWritten && EndsHeader(*e)) {
      if (!WriteHeader(out)) return 0;
      headerWritten = true;
    }
    if (!e->Write(out)) return 0;
  }
  // A file of comments only still keeps its colours and rotation points.
  if (!headerWritten && !WriteHeader(out)) return 0;
  return out.WriteString("0\n");
}

int CQvFile::Transfer(CTextHandler& handler, int read, const std::string& path) {
  return read ? ReadFrom(handler, path) : WriteTo(handler);
}
