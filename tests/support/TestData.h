#pragma once
// Where tests find their data, and scratch folders for them.
#include <string>

// The LDraw library: $LDRAWDIR, else ../shared/ldraw beside the project; empty when neither exists.
std::string TestLibraryDir();
// The shared real models (../shared/ldraw-models); empty when absent.
std::string TestModelsDir();
// The tests' own fixtures (tests/data/...).
std::string TestFixture(const std::string& relative);

// Skips the test with a message when the LDraw library is not on this machine.
#define REQUIRE_LDRAW_LIBRARY(dir)                                                       \
  std::string dir = TestLibraryDir();                                                    \
  if (dir.empty()) GTEST_SKIP() << "no LDraw library: set LDRAWDIR or provide ../shared/ldraw"

#define REQUIRE_LDRAW_MODELS(dir)    \
  std::string dir = TestModelsDir(); \
  if (dir.empty()) GTEST_SKIP() << "no shared models folder (../shared/ldraw-models)"

// A fresh folder below the system's temporary folder, removed again by the destructor.
class CScratchDir {
 public:
  CScratchDir();
  ~CScratchDir();
  CScratchDir(const CScratchDir&) = delete;
  CScratchDir& operator=(const CScratchDir&) = delete;
  // The folder, with a trailing '/'.
  const std::string& Path() const { return m_path; }
  std::string operator/(const std::string& name) const { return m_path + name; }

 private:
  std::string m_path;
};

// Whole-file helpers.
std::string ReadFileBytes(const std::string& path);
bool WriteFileBytes(const std::string& path, const std::string& bytes);

// Switches the whole process to a comma-decimal locale while it lives (restores "C" after).
// Ok() is false when the locale is not installed.
class CGermanLocale {
 public:
  CGermanLocale();
  ~CGermanLocale();
  bool Ok() const { return m_ok; }

 private:
  bool m_ok;
};

#define REQUIRE_GERMAN_LOCALE(guard)                                                          \
  CGermanLocale guard;                                                                        \
  if (!guard.Ok()) {                                                                          \
    if (std::getenv("PLANDOR_REQUIRE_DE_LOCALE")) FAIL() << "de_DE.UTF-8 is not installed";   \
    GTEST_SKIP() << "de_DE.UTF-8 is not installed (the test command installs it)";            \
  }
