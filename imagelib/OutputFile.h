#pragma once
// A picture file being written. The library links nothing of the program, so this is a writer of
// its own, on the rule of the program's (platform/AtomicFile.h); one table of tests holds both to it:
// - The text goes to a temporary file beside the target that replaces the target only when every
//   write, the flush and the close succeeded; a failed save leaves the old picture as it was and
//   removes the temporary file.
// - A symbolic link is followed to its final target, which is written; the link stays a link.
// - An existing regular file keeps its permission bits (and, where allowed, its owner); a new file
//   gets 0666 less the umask.
// - A regular file without write permission (no write bit at all, also for root) is not replaced:
//   Open fails and Reason() says ReadOnly.
// - Anything else (a device, a pipe) is written in place.
#include <cstdio>
#include <string>

namespace tolvo {

class COutputFile {
 public:
  enum class Failure { None, ReadOnly, CannotCreate, WriteFailed };

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

  // Why the last Open or Commit failed, and the system's error number then (0 when none).
  Failure Reason() const { return m_failure; }
  int Errno() const { return m_errno; }
  const std::string& ResolvedTarget() const { return m_target; }

 private:
  FILE* Fail(Failure why, int error);

  FILE* m_stream = nullptr;
  std::string m_target;
  std::string m_temp;  // empty when writing in place
  Failure m_failure = Failure::None;
  int m_errno = 0;
};

}  // namespace tolvo
