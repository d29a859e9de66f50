#pragma once
// Pictures read through the image library into the program's own bitmap.
#include <memory>
#include <string>

#include "config/DllContainer.h"
#include "render/Dib.h"

// A new 24-bit bitmap of the picture file (BMP, GIF, JPEG), or null when the library cannot read
// it. Nothing is shown to the user on failure.
std::unique_ptr<CDib> LoadPicture(CDllContainer& dll, const std::string& path);
