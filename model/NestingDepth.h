#pragma once
// Sub-files are read, drawn, measured, picked and exported by walking into them recursively. A
// chain of files nested deeper than kMaxNestingDepth levels (far deeper than any real model, far
// shallower than the stack allows, sanitizers included) is cut there: the reader refuses to read
// a file that deep, and every walk leaves the deeper levels out instead of following them.
inline constexpr int kMaxNestingDepth = 64;

// One level of a walk into a sub-file while it lives; the levels of all walks on this thread
// are counted together.
class CNestingLevel {
 public:
  CNestingLevel() { ++Depth(); }
  ~CNestingLevel() { --Depth(); }
  CNestingLevel(const CNestingLevel&) = delete;
  CNestingLevel& operator=(const CNestingLevel&) = delete;

  // The walk must not go into this level's file.
  bool TooDeep() const { return Depth() > kMaxNestingDepth; }

 private:
  static int& Depth() {
    static thread_local int depth = 0;
    return depth;
  }
};
