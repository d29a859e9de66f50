#pragma once
// "0 BUFEXCHG": STORE keeps what the step-by-step output holds so far under a letter A-Z, a later
// RETRIEVE of the letter puts it back, so that what came between disappears from later steps.
#include <cstdint>
#include <string>

#include "model/QvPart.h"

class CQvBufExchg : public CQvPart {
 public:
  enum : uint32_t { kStore = 0, kRetrieve = 1 };

  CQvBufExchg() : CQvPart(ElementType::BufExchg) {}

  // "<letter> STORE|RETRIEVE" after the keyword; the letter in either case, the word exactly.
  int Parse(const std::string& line) override;
  void SetBuffer(uint8_t buffer, uint32_t mode);
  int Write(CTextHandler& out) override;
  // Copies the export file to or from the letter's file in the private temporary folder.
  int Export(ExportContext& ctx, const CVector3& offset, const CMatrix3& matrix,
             ColorNumber parentColor) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  uint8_t GetBuffer() const { return m_buffer; }
  uint32_t GetMode() const { return m_mode; }
  char GetLetter() const { return static_cast<char>('A' + m_buffer); }

  // The copy of a letter's buffer during an export; empty when there is no temporary folder.
  static std::string TempFilePath(char letter);
  // Removes the copies of all 26 letters.
  static void DeleteTempFiles();

 private:
  const char* ModeWord() const { return m_mode == kRetrieve ? "RETRIEVE" : "STORE"; }

  uint8_t m_buffer = 0;
  uint32_t m_mode = kStore;
};
