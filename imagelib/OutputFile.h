#pragma once
// A picture file being written. A regular file (or a new one) is written to a temporary file
// beside it that replaces the target only when every write, the flush and the close succeeded,
// so a failed save leaves the old picture as it was. Anything else (a device, a pipe) is written
// in place.
#include <cstdio>
#include <string>

namespace tolvo {

class COutputFile {
 public:
  COutputFile() = default;
  ~COutputFile() { Discard(); }
  COutputFile(const COutputFile&) = delete;
  COutputFile& operator=(const COutputFile&) = delete;

  // The stream to write to; null when the file cannot be created.
  FILE* Open(const char* path);
  FILE* Stream() const { return m_stream; }
  // Flushes and closes, then puts the file in place. False when anything failed.
  bool Commit();
  void Discard();

 private:
  FILE* m_stream = nullptr;
  std::string m_target;
  std::string m_temp;  // empty when writing in place
};

}  // namespace tolvo
