// The program's binding of the image library: loading, the version check, exports looked up at
// each call, and the fatal end (exit code 1) when the library, the version or an export is missing.
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <memory>

#include "config/DllContainer.h"
#include "config/Tracer.h"
#include "support/TestData.h"

namespace {

std::string StubPath(const std::string& name) { return std::string(PLANDOR_STUB_DIR) + "libtolvo_stub_" + name + ".so"; }

std::string RealLibrary() {
  const char* bin = std::getenv("PLANDOR_BIN_DIR");
  return std::string(bin ? bin : ".") + "/libtolvo.so";
}

class DllContainerTest : public ::testing::Test {
 protected:
  void SetUp() override { setenv("XDG_STATE_HOME", state.Path().c_str(), 1); }
  void TearDown() override { unsetenv("XDG_STATE_HOME"); }
  std::string Log() const { return ReadFileBytes(state.Path() + "Plandor/Plandor.log"); }
  CScratchDir state;
};

// Runs in the death test's child: opens the log, binds the library, uses one export.
[[noreturn]] void BindInChild(const std::string& path, bool callImFree) {
  theTracer.Open("Plandor");
  CDllContainer dll(path);
  if (callImFree) dll.ImFree(nullptr);
  std::exit(0);
}

TEST_F(DllContainerTest, AMissingLibraryEndsTheProgramWithExitCodeOne) {
  std::string path = state.Path() + "libtolvo.so";
  EXPECT_EXIT(BindInChild(path, false), ::testing::ExitedWithCode(1), "FATAL ERROR: Tolvo.DLL has not been found!");
  std::string log = Log();
  EXPECT_EQ(log.rfind("Loading library '" + path + "' now ... error (", 0), 0u) << log;
  EXPECT_EQ(log.back(), '\n');
}

class DllContainerVersionTest : public DllContainerTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(DllContainerVersionTest, TooOldVersionsEndTheProgram) {
  std::string path = StubPath(GetParam());
  EXPECT_EXIT(BindInChild(path, false), ::testing::ExitedWithCode(1), "FATAL ERROR: Tolvo.DLL is invalid!");
  EXPECT_NE(Log().find("done.\n"), std::string::npos);
  EXPECT_NE(Log().find("ERROR: Dll version to low! Required 00010002!\n"), std::string::npos) << Log();
}

INSTANTIATE_TEST_SUITE_P(Stubs, DllContainerVersionTest, ::testing::Values("v1_1", "v0"));

TEST_F(DllContainerTest, CurrentAndNewerVersionsAreAccepted) {
  {
    CDllContainer dll(StubPath("v1_2"));
    EXPECT_EQ(dll.GetDllVersion(), 0x00010002u);
  }
  CDllContainer dll(StubPath("v2_0"));
  EXPECT_EQ(dll.GetDllVersion(), 0x00020000u);
}

TEST_F(DllContainerTest, AMissingExportEndsTheProgramWhenItIsCalled) {
  std::string path = StubPath("no_imfree");
  EXPECT_EXIT(BindInChild(path, true), ::testing::ExitedWithCode(1), "FATAL ERROR: Tolvo.DLL is invalid!");
  std::string log = Log();
  EXPECT_NE(log.find("Dll has version 00010002\n"), std::string::npos) << log;
  EXPECT_NE(log.find("ERROR: Tolvo.dll does not provide the required functions!\n"), std::string::npos) << log;
  // Binding alone does not look the missing export up.
  CDllContainer dll(path);
  EXPECT_EQ(dll.GetDllVersion(), 0x00010002u);
}

TEST_F(DllContainerTest, ALibraryWithoutAVersionExportIsInvalid) {
  EXPECT_EXIT(BindInChild(StubPath("no_version"), false), ::testing::ExitedWithCode(1), "is invalid");
  EXPECT_NE(Log().find("ERROR: Tolvo.dll does not provide the required functions!\n"), std::string::npos);
}

TEST_F(DllContainerTest, TheDefaultPathIsTheProgramFolderAsItIs) {
  std::string path = CDllContainer::DefaultLibraryPath();
  // The executable's real folder, letter case untouched.
  std::string folder = std::filesystem::canonical("/proc/self/exe").parent_path().string();
  EXPECT_EQ(path, folder + "/libtolvo.so");
}

TEST_F(DllContainerTest, TwoContainersLoadTheLibraryTwice) {
  auto first = std::make_unique<CDllContainer>(RealLibrary());
  CDllContainer second(RealLibrary());
  first.reset();
  imImage* image = second.ImAlloc(4, 4, 0, 1);
  ASSERT_NE(image, nullptr);
  EXPECT_EQ(second.GetDllVersion(), kTolvoVersion);
  second.ImFree(image);
}

TEST_F(DllContainerTest, PicturesGoThroughTheRealLibrary) {
  CScratchDir dir;
  CDllContainer dll(RealLibrary());
  imImage* image = dll.ImAlloc(3, 2, 0, 1);
  ASSERT_NE(image, nullptr);
  for (uint32_t i = 0; i < image->pixelBytes; ++i) image->pixels[i] = uint8_t(i * 11);
  ASSERT_EQ(dll.FiSaveFile(dir / "a.bmp", image, "bmp"), 1);
  imImage* back = dll.FiLoadFile(dir / "a.bmp");
  ASSERT_NE(back, nullptr);
  EXPECT_EQ(back->width, 3);
  EXPECT_EQ(back->flags, kImTrueColor);
  EXPECT_EQ(back->pixels[3 * 1 + 2], uint8_t(5 * 11));
  dll.ImFree(back);
  EXPECT_EQ(dll.FiLoadFile(dir / "missing.bmp"), nullptr);
}

}  // namespace
