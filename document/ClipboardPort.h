#pragma once
// The desktop clipboard as the document sees it: plain text in, plain text out. Copy and Cut put
// the copied elements there as LDraw lines, so another running program can paste them; Paste takes
// LDraw lines another program put there. The program installs the wx clipboard, tests a string;
// without either there is no clipboard and the copy buffer alone carries copies.
#include <string>

class IClipboardPort {
 public:
  virtual ~IClipboardPort() = default;
  // Replaces the clipboard's content; false when the clipboard could not be opened.
  virtual bool PutText(const std::string& text) = 0;
  // The clipboard's text; false when it holds none or cannot be opened.
  virtual bool GetText(std::string& text) = 0;
  // Cheap check for the enable rule of Paste.
  virtual bool HasText() = 0;
};

// The clipboard in force, or null; SetClipboardPort(nullptr) removes it.
IClipboardPort* TheClipboardPort();
void SetClipboardPort(IClipboardPort* port);
