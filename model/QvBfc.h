#pragma once
// "0 BFC": a back-face culling statement, kept and written back; drawing takes no notice of it.
#include <cstdint>

#include "model/QvPart.h"

class CQvBfc : public CQvPart {
 public:
  enum : uint32_t { kNone = 0 };
  enum : uint32_t { kNoCertify = 1, kCertify = 2 };
  enum : uint32_t { kNoClip = 1, kClip = 2 };
  enum : uint32_t { kCcw = 1, kCw = 2, kNoWind = 3 };

  CQvBfc() : CQvPart(ElementType::Bfc) {}

  // The words after "BFC", in any case. A repeated option or an unknown word throws.
  int Parse(const std::string& line) override;
  int Write(CTextHandler& out) override;
  int CanEdit() const override { return 1; }
  int Edit(CQvFile& owner) override;
  int Describe(ElementDescription& out) const override;
  std::unique_ptr<CQvPart> Clone() const override;

  uint32_t certification = kNone;
  uint32_t clipping = kNone;
  uint32_t winding = kNone;
  uint32_t invertNext = 0;

 private:
  std::string OptionWords() const;
};
