// The settings bind the image library at every load. The test program does not live beside the
// library, so the test programs that load settings bind the one the build put into the bin folder.
#include <gtest/gtest.h>

#include <cstdlib>

#include "config/DllContainer.h"

namespace {

class CTolvoLibraryEnvironment : public ::testing::Environment {
 public:
  void SetUp() override {
    if (const char* bin = std::getenv("PLANDOR_BIN_DIR"); bin && *bin)
      CDllContainer::SetDefaultLibraryPath(std::string(bin) + "/" + kTolvoLibraryName);
  }
};

[[maybe_unused]] ::testing::Environment* const theEnvironment =
    ::testing::AddGlobalTestEnvironment(new CTolvoLibraryEnvironment);

}  // namespace
