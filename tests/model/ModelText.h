#pragma once
// Reading and writing model text in memory for the model tests: the text goes through the same
// file source as a file on disk (a memory stream), and comes back from an array sink.
#include <cstdio>
#include <memory>
#include <string>

#include "model/MpdFile.h"
#include "model/QvFile.h"
#include "model/TextHandler.h"

// Reads the text into the file; the reader's result. The text may be empty.
inline int ReadText(CQvFile& file, const std::string& text, int showWarnings = 0,
                    const std::string& path = "test.ldr") {
  std::string copy = text.empty() ? std::string(" ") : text;  // fmemopen wants a buffer
  FILE* f = fmemopen(copy.data(), text.empty() ? 0 : copy.size(), "r");
  if (!f) f = std::tmpfile();
  CFileTextHandler in(f);
  int ok = file.ReadFrom(in, path, showWarnings);
  std::fclose(f);
  return ok;
}

// Reads the text as a project file of that name; the reader's result. The text may be empty.
inline int LoadProjectText(CMpdFile& project, const std::string& text, const std::string& name = "test.mpd") {
  std::string copy = text.empty() ? std::string(" ") : text;
  FILE* f = fmemopen(copy.data(), text.empty() ? 0 : copy.size(), "r");
  if (!f) f = std::tmpfile();
  CFileTextHandler in(f);
  const int ok = project.LoadFromText(in, name);
  std::fclose(f);
  return ok;
}

// Reads and resolves the groups, as every loader does after a read.
inline std::unique_ptr<CQvFile> LoadText(const std::string& text) {
  auto file = std::make_unique<CQvFile>();
  ReadText(*file, text);
  file->ResolveGroups();
  return file;
}

inline std::string Joined(const CArrayTextHandler& h) {
  std::string s;
  for (const std::string& line : h.GetLines()) s += line;
  return s;
}

inline std::string WriteText(CQvFile& file) {
  CArrayTextHandler out;
  file.WriteTo(out);
  return Joined(out);
}

inline std::string WriteElement(CQvPart& element) {
  CArrayTextHandler out;
  element.Write(out);
  return Joined(out);
}

// The lines the writer puts before the first non-comment element of a model that has no rotation
// points of its own.
inline const char kDefaultRotationLines[] =
    "0 ROTATION CENTER 0 0 0 1 \"Custom\" \n"
    "0 ROTATION CONFIG 0 0\n";
