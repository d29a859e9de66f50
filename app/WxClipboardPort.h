#pragma once
// The desktop clipboard through wxClipboard, as plain text.
#include "document/ClipboardPort.h"

class CWxClipboardPort : public IClipboardPort {
 public:
  bool PutText(const std::string& text) override;
  bool GetText(std::string& text) override;
  bool HasText() override;
};
