#pragma once
// Saving a file so that a failure never leaves a half-written file behind: the text goes to a
// temporary file beside the target, which replaces the target only after a checked flush and close.
//
// The rule every file the program saves follows (the image library's writer, imagelib/OutputFile,
// follows the same rule with its own code, since that library links nothing of the program):
// - A symbolic link is followed to its final target, which is written; the link stays a link.
// - An existing regular file keeps its permission bits (and, where allowed, its owner).
// - A new file gets 0666 less the umask, as any other program's new file.
// - A regular file without write permission (no write bit at all, also for root) is not replaced:
//   Open fails and Reason() says ReadOnly; the old file is untouched.
// - Anything but a regular file (a device, a pipe) is written in place.
// - Every failed save removes its temporary file.
#include <cstdio>
#include <string>

class CAtomicFile {
 public:
  enum class Failure { None, ReadOnly, CannotCreate, WriteFailed };

  CAtomicFile() = default;
  ~CAtomicFile() { Discard(); }
  CAtomicFile(const CAtomicFile&) = delete;
  CAtomicFile& operator=(const CAtomicFile&) = delete;

  // Opens the temporary file; null when it cannot be made (see Reason and Errno).
  FILE* Open(const std::string& target);
  FILE* Stream() const { return m_stream; }
  // Flushes, syncs and closes the temporary file and renames it over the target. False (and the
  // target untouched) when anything failed, including an earlier write error on the stream.
  bool Commit();
  // Drops the temporary file; the target stays as it was.
  void Discard();

  // Why the last Open or Commit failed, and the system's error number then (0 when none).
  Failure Reason() const { return m_failure; }
  int Errno() const { return m_errno; }
  // The file that is written: the target with its symbolic links followed.
  const std::string& ResolvedTarget() const { return m_target; }

 private:
  FILE* Fail(Failure why, int error);

  FILE* m_stream = nullptr;
  std::string m_target;
  std::string m_temp;  // empty when writing in place
  Failure m_failure = Failure::None;
  int m_errno = 0;
};
