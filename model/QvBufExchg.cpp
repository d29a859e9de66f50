#include "model/QvBufExchg.h"

#include <filesystem>
#include <system_error>

#include "model/ElementEditor.h"
#include "model/LineText.h"
#include "model/TextHandler.h"
#include "platform/Folders.h"
#include "platform/Numbers.h"

int CQvBufExchg::Parse(const std::string& line) {
  std::string_view rest = TextAfterKeyword(line, "BUFEXCHG");
  if (rest.empty()) throw CParseError("BUFEXCHG: no buffer letter");
  char letter = rest.front();
  if (letter >= 'a' && letter <= 'z') letter = static_cast<char>(letter - 'a' + 'A');
  if (letter < 'A' || letter > 'Z') throw CParseError("BUFEXCHG: buffer letter outside A-Z");
  CTokenReader reader(rest.substr(1));
  std::string_view word = reader.NextWord();
  uint32_t mode;
  if (word == "STORE")
    mode = kStore;
  else if (word == "RETRIEVE")
    mode = kRetrieve;
  else
    throw CParseError("BUFEXCHG: mode is neither STORE nor RETRIEVE");
  SetBuffer(static_cast<uint8_t>(letter - 'A'), mode);
  return 1;
}

void CQvBufExchg::SetBuffer(uint8_t buffer, uint32_t mode) {
  m_buffer = buffer < 26 ? buffer : 25;
  m_mode = mode == kRetrieve ? kRetrieve : kStore;
  stepContent = m_mode == kRetrieve;
}

int CQvBufExchg::Write(CTextHandler& out) {
  if (!CQvPart::Write(out)) return 0;
  return TextHandlerPrintf(out, "0 BUFEXCHG %c %s\n", GetLetter(), ModeWord());
}

std::string CQvBufExchg::TempFilePath(char letter) {
  std::string dir = GetTempDirectory();
  if (dir.empty()) return {};
  return dir + "PlandorTMP." + letter;
}

void CQvBufExchg::DeleteTempFiles() {
  for (char c = 'A'; c <= 'Z'; ++c) {
    std::string path = TempFilePath(c);
    std::error_code ec;
    if (!path.empty()) std::filesystem::remove(path, ec);
  }
}

int CQvBufExchg::Export(ExportContext& ctx, const CVector3&, const CMatrix3&, ColorNumber) {
  auto* file = dynamic_cast<CFileTextHandler*>(ctx.output);
  if (!file || ctx.output->IsInMemory()) return 0;
  if (!file->Close()) return 0;
  std::string temp = TempFilePath(GetLetter());
  if (temp.empty()) return 0;
  std::error_code ec;
  const auto overwrite = std::filesystem::copy_options::overwrite_existing;
  if (m_mode == kStore)
    std::filesystem::copy_file(ctx.exportPath, temp, overwrite, ec);
  else
    std::filesystem::copy_file(temp, ctx.exportPath, overwrite, ec);
  if (ec) return 0;
  return file->Open(ctx.exportPath, "a");
}

int CQvBufExchg::Edit(CQvFile&) {
  BufExchgEdit data{m_buffer, m_mode};
  if (!TheElementEditor().EditBufExchg(data)) return 0;
  SetBuffer(data.buffer, data.mode);
  return 1;
}

int CQvBufExchg::Describe(ElementDescription& out) const {
  DescribeFlags(out);
  out.text = StrPrintf("%s %c", ModeWord(), GetLetter());
  return 1;
}

std::unique_ptr<CQvPart> CQvBufExchg::Clone() const {
  auto clone = std::make_unique<CQvBufExchg>();
  CopyBase(*clone);
  clone->m_buffer = m_buffer;
  clone->m_mode = m_mode;
  return clone;
}
