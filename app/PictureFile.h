#pragma once
// Pictures of the model written to disk from a 24-bit bitmap through wxImage's encoders, chosen
// by the format word. Kept in the app so that the libraries
// below it stay free of the GUI toolkit. wxInitAllImageHandlers must have run first.
#include <string>

#include "render/Dib.h"

// The format words of the picture dialog's choice, in its order.
inline constexpr const char* kPictureFormatWords[] = {"BMP", "JPEG", "GIF", "PNG", "TIFF"};

// Writes the picture (atomically: a failed save leaves any earlier file as it was). GIF is first
// reduced to a palette: exactly when the picture has at most 256 colours, else by quantising.
// 1 when written, 0 for an empty or 8-bit picture, an unknown format word or a failed write.
int SavePictureFile(const std::string& path, const CDib& dib, const std::string& formatWord);

// True when the word (any case) is one of the five and its encoder is installed.
bool HasPictureEncoder(const std::string& formatWord);
