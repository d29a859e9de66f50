#pragma once
// A test fixture whose log goes to a scratch state folder, so that tests can read what was logged.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>

#include "config/Tracer.h"
#include "support/TestData.h"

class CLogCaptureTest : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("XDG_STATE_HOME", scratch.Path().c_str(), 1);
    theTracer.Close();
    ASSERT_EQ(theTracer.Open("Plandor"), 1);
  }
  void TearDown() override {
    theTracer.Close();
    unsetenv("XDG_STATE_HOME");
  }
  std::string Log() const { return ReadFileBytes(scratch.Path() + "Plandor/Plandor.log"); }

  CScratchDir scratch;
};
