#pragma once
// Finding and reading the files that models reference: library parts along the scan order, files
// beside the model being read, background pictures; and the path helpers of the export session.
#include <string>
#include <string_view>

class CDib;
class CQvFile;

// Reads the sub-file `name` (as a type 1 line names it) into a new file. 1 when the file may be
// used, also an empty stand-in for a file that was not found (marked missing) when the user goes
// on; 0 when loading must stop (the user said No, or the file has an error or includes itself).
// modelFolder: the folder of the model being read, for model-relative scan entries and for names
// found in no scan folder; empty means there is none.
int LoadPart(CQvFile& file, const std::string& name, const std::string& modelFolder);

// The path of the sub-file `name` along the scan order (libraryFile = true) or beside the model
// (false); empty when it is nowhere.
std::string FindSubFile(const std::string& name, const std::string& modelFolder, bool& libraryFile);

// The background picture of a "0 BACKGROUND" command into `picture`: the path, the name alone
// beside the model, then the library's Bitmap folder. 1 when loaded (or already loaded).
int LoadBackground(CQvFile& file, CDib& picture, const std::string& path,
                   const std::string& modelFolder = {});

// The part of the path after its last backslash or slash; the whole path without one.
std::string GetFileNamePart(std::string_view path);
// Folder (up to and including the last backslash or slash), title and extension of a path; all empty first.
void SplitPath(std::string_view path, std::string& folder, std::string& title, std::string& extension);
