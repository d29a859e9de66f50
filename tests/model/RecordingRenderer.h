#pragma once
// A renderer that records the draw calls elements make instead of drawing pixels.
#include <string>
#include <vector>

#include "render/C3DStub.h"

class CRecordingRenderer : public C3DStub {
 public:
  struct Call {
    std::string kind;  // "line", "optional", "triangle", "quad"
    uint32_t color;
    std::vector<CVector3> points;
    PickId pickId;
  };

  void DrawTriangle(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                    PickId pickId) override {
    calls.push_back({"triangle", color, {p1, p2, p3}, pickId});
  }
  void DrawQuad(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& p3,
                const CVector3& p4, PickId pickId) override {
    calls.push_back({"quad", color, {p1, p2, p3, p4}, pickId});
  }
  void DrawLine(uint32_t color, const CVector3& p1, const CVector3& p2, PickId pickId) override {
    calls.push_back({"line", color, {p1, p2}, pickId});
  }
  void DrawOptionalLine(uint32_t color, const CVector3& p1, const CVector3& p2, const CVector3& c1,
                        const CVector3& c2, PickId pickId) override {
    calls.push_back({"optional", color, {p1, p2, c1, c2}, pickId});
  }

  std::vector<Call> calls;
};
