#pragma once
// Saving a file so that a failure never leaves a half-written file behind: the text goes to a
// temporary file beside the target, which replaces the target only after a checked flush and close.
#include <cstdio>
#include <string>

class CAtomicFile {
 public:
  CAtomicFile() = default;
  ~CAtomicFile() { Discard(); }
  CAtomicFile(const CAtomicFile&) = delete;
  CAtomicFile& operator=(const CAtomicFile&) = delete;

  // Opens the temporary file; null when it cannot be made.
  FILE* Open(const std::string& target);
  FILE* Stream() const { return m_stream; }
  // Flushes, syncs and closes the temporary file and renames it over the target. False (and the
  // target untouched) when anything failed, including an earlier write error on the stream.
  bool Commit();
  // Drops the temporary file; the target stays as it was.
  void Discard();

 private:
  FILE* m_stream = nullptr;
  std::string m_target;
  std::string m_temp;
};
