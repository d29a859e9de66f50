// The draw primitives are virtual so that the drawing elements can be tested against a renderer
// that records calls; the element header and the renderer agree on what a pick id is.
#include <gtest/gtest.h>

#include <type_traits>

#include "RenderTestSupport.h"
#include "model/QvPart.h"

using namespace render_test;

namespace {

class CRecordingRenderer : public C3DStub {
 public:
  void DrawTriangle(uint32_t color, const CVector3&, const CVector3&, const CVector3&,
                    PickId pickId) override {
    calls.push_back("T" + std::to_string(color) + "/" + std::to_string(pickId));
  }
  void DrawQuad(uint32_t color, const CVector3&, const CVector3&, const CVector3&, const CVector3&,
                PickId pickId) override {
    calls.push_back("Q" + std::to_string(color) + "/" + std::to_string(pickId));
  }
  void DrawLine(uint32_t color, const CVector3&, const CVector3&, PickId pickId) override {
    calls.push_back("L" + std::to_string(color) + "/" + std::to_string(pickId));
  }
  void DrawOptionalLine(uint32_t color, const CVector3&, const CVector3&, const CVector3&, const CVector3&,
                        PickId pickId) override {
    calls.push_back("O" + std::to_string(color) + "/" + std::to_string(pickId));
  }
  std::vector<std::string> calls;
};

static_assert(std::is_same_v<PickId, uint32_t>);

TEST(RecordingRenderer, CallsThroughTheBaseReachTheRecorder) {
  CRecordingRenderer rec;
  C3DStub& base = rec;
  base.DrawTriangle(4, P(0, 0), P(1, 0), P(0, 1), 7);
  base.DrawQuad(5, P(0, 0), P(1, 0), P(1, 1), P(0, 1), 8);
  base.DrawLine(6, P(0, 0), P(1, 1), 9);
  base.DrawOptionalLine(7, P(0, 0), P(1, 1), P(0, 1), P(1, 0), kNoPickId);
  EXPECT_EQ(rec.calls, (std::vector<std::string>{"T4/7", "Q5/8", "L6/9", "O7/4294967295"}));
  // Nothing reached the frame.
  EXPECT_FALSE(rec.IsInitialised());
}

}  // namespace
