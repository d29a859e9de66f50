#pragma once
// Whether a folder looks like a usable LDraw library: it has the P and Parts folders (any letter
// case) and P's stud primitive can be opened.
#include <string>

enum BasePathStatus : int {
  kBasePathOk = 0,
  kBasePathInvalidInput = 1,  // empty, or neither absolute nor starting with "~" (the home folder)
  kBasePathNoFolders = 2,     // no P and/or Parts folder
  kBasePathNoLibrary = 4,     // P has no Stud.dat
};

// The status of the folder; on kBasePathOk `normalised` (when given) receives the folder with a
// leading "~" expanded and without a trailing '/'.
int CheckBasePath(const std::string& path, std::string* normalised = nullptr);
// The status text shown for a code.
const char* BasePathStatusText(int code);
