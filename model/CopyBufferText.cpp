#include "model/CopyBufferText.h"

#include <memory>
#include <sstream>
#include <vector>

#include "config/Settings.h"
#include "model/CopyBuffer.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

std::string CopyBufferToText() {
  CArrayTextHandler out;
  for (CQvPart* e = CCopyBuffer::GetNext(1); e; e = CCopyBuffer::GetNext(0))
    if (!e->Write(out)) return {};
  std::string text;
  for (const std::string& line : out.GetLines()) text += line;
  return text;
}

namespace {
// Text copied from a file may start with its UTF-8 byte-order mark.
std::string WithoutByteOrderMark(const std::string& text) {
  return text.rfind("\xEF\xBB\xBF", 0) == 0 ? text.substr(3) : text;
}
}  // namespace

bool IsCopyBufferText(const std::string& text) {
  if (text.size() > kMaxCopyText) return false;
  bool anyLine = false;
  std::istringstream lines(WithoutByteOrderMark(text));
  for (std::string line; std::getline(lines, line);) {
    const size_t first = line.find_first_not_of(" \t\r");
    if (first == std::string::npos) continue;
    const char type = line[first];
    if (type < '0' || type > '5') return false;
    // "1 4 ..." or a lone "0": the digit is a whole word.
    if (first + 1 < line.size() && line[first + 1] != ' ' && line[first + 1] != '\t' && line[first + 1] != '\r')
      return false;
    anyLine = true;
  }
  return anyLine;
}

size_t CopyBufferFromText(const std::string& text, const std::string& modelFolder) {
  if (!IsCopyBufferText(text)) return 0;
  CArrayTextHandler in;
  std::istringstream lines(WithoutByteOrderMark(text));
  for (std::string line; std::getline(lines, line);) in.WriteString(line + "\n");
  in.Rewind();
  CQvFile scratch;
  // Lines copied in another program often name that program's own sub-models: they are kept by
  // name (and written back so) without asking about each file that is not here.
  const int warnings = theSettings.ShowWarnings;
  theSettings.ShowWarnings = 0;
  // A name of its own, so the reader's recursion guard never meets a real file.
  const int read = scratch.ReadFrom(in, "\x01clipboard.ldr", 0, &modelFolder);
  theSettings.ShowWarnings = warnings;
  if (!read || scratch.GetCount() == 0) return 0;
  std::vector<std::unique_ptr<CQvPart>> clones;
  for (size_t i = 0; i < scratch.GetCount(); ++i)
    if (auto clone = scratch.GetAt(i)->Clone()) clones.push_back(std::move(clone));
  if (clones.empty()) return 0;
  CCopyBuffer::Clear();
  for (auto& e : clones) CCopyBuffer::Add(std::move(e));
  return CCopyBuffer::GetCount();
}
