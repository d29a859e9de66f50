#pragma once
// The copy buffer as LDraw text, the form in which a selection travels through the desktop
// clipboard to another running program and back.
#include <cstddef>
#include <string>

// The LDraw lines of the copy buffer's elements, in buffer order; empty for an empty buffer.
std::string CopyBufferToText();

// Whether the text looks like LDraw lines: not empty, within kMaxCopyText bytes, and every line
// that is not blank starts with a line type 0 to 5. Anything else (a sentence, a picture's name)
// is not offered as something to paste.
bool IsCopyBufferText(const std::string& text);
inline constexpr size_t kMaxCopyText = 16u << 20;

// Reads the text as model lines into the copy buffer, replacing what it held. Sub-files are looked
// for in the library, among the document's models and in modelFolder. The number of elements now
// in the buffer; 0 (and the buffer untouched) when the text is no copy-buffer text or gives none.
size_t CopyBufferFromText(const std::string& text, const std::string& modelFolder);
