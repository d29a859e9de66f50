#include "dialogs/ModelPreviewState.h"

#include <algorithm>
#include <cmath>

#include "config/Settings.h"
#include "config/Tracer.h"
#include "model/QvFile.h"
#include "render/C3DStub.h"

CModelPreviewState::CModelPreviewState() : m_color(theSettings.PreviewColor) {}

void CModelPreviewState::SetModel(CQvFile* model) {
  m_model = model;
  m_rendered = false;
}

void CModelPreviewState::SetView(const CMatrix3& base, const CMatrix3& current) {
  m_base = base;
  m_current = current;
}

void CModelPreviewState::SetAngles(double x, double y, double z) {
  m_baseAngles[0] = x;
  m_baseAngles[1] = y;
  m_baseAngles[2] = z;
}

void CModelPreviewState::GetView(CMatrix3& matrix, double angles[3]) const {
  matrix = m_current;
  std::copy(m_currentAngles, m_currentAngles + 3, angles);
}

void CModelPreviewState::ClampAngles(double angles[3], bool clamp) {
  for (int i = 0; i < 3; ++i) {
    double& a = angles[i];
    if (!std::isfinite(a)) {
      a = 0;
    } else if (clamp) {
      a = std::clamp(a, -180.0, 180.0);
    } else {
      // Whole turns at once: the same result as adding or subtracting 360 one turn at a time.
      a = std::fmod(a, 360.0);
      if (a > 180) a -= 360;
      if (a < -180) a += 360;
    }
  }
}

namespace {
// A box with nothing to fit: an empty model, a zero matrix (no view set yet), or no finite extent.
bool IsDegenerate(const CVector3& min, const CVector3& max) {
  const double dx = max.x - min.x, dy = max.y - min.y;
  if (!std::isfinite(dx) || !std::isfinite(dy) || !std::isfinite(min.z) || !std::isfinite(max.z)) return true;
  return dx < 0 || dy < 0 || (dx == 0 && dy == 0);
}
}  // namespace

bool CModelPreviewState::Render(C3DStub& renderer, int width, int height, bool refit) {
  if (!m_model) return false;
  if (refit) {
    m_boxMin = CVector3(1e200, 1e200, 1e200);
    m_boxMax = CVector3(-1e200, -1e200, -1e200);
    m_model->ExtendBoundingBoxAll(CVector3(), m_current, m_boxMin, m_boxMax);
  }
  renderer.SetBackgroundColor(theSettings.BackgroundColor);
  renderer.SetLineWidth(std::clamp(theSettings.LineWidth, 1, 3));
  renderer.EnablePickBuffer(0);
  const int w = std::max(width, 0) & ~3, h = std::max(height, 0) & ~3;
  m_rendered = true;
  m_blank = true;
  // Too small, or no memory for the buffers: the preview stays empty; the dialog goes on working.
  if (!renderer.Reset(static_cast<uint32_t>(w), static_cast<uint32_t>(h), theSettings.Shading)) {
    if (w > 0 && h > 0) theTracer.Printf("ERROR: the model preview could not get a %d x %d picture\n", w, h);
    return true;
  }
  if (IsDegenerate(m_boxMin, m_boxMax)) return true;
  renderer.FitView(w, h, m_boxMin.x, m_boxMin.y, m_boxMin.z, m_boxMax.x, m_boxMax.y, m_boxMax.z);
  CMatrix3 scaled = m_current;
  scaled.Scale(renderer.GetScaleX());
  renderer.SetSurfacesOff(m_fastDraw);
  renderer.SetPerspective(m_perspective ? 1 : 0, m_boxMin.z, m_boxMax.z);
  m_model->DrawTo3DStub(renderer, CVector3(), scaled, m_color, -1, 0, 0, 1);
  renderer.SetSurfacesOff(false);
  m_blank = false;
  return true;
}

bool CModelPreviewState::ButtonDown(int x, int y) {
  if (!m_mouseRotation) return false;
  m_rotating = true;
  m_fastDraw = true;
  m_pressX = x;
  m_pressY = y;
  return true;
}

bool CModelPreviewState::MouseMove(int x, int y, bool shift, int width, int height) {
  if (!m_rotating || width <= 0 || height <= 0) return false;
  double drag[3];
  drag[0] = (y - m_pressY) * 180.0 / height;
  const double across = (m_pressX - x) * 180.0 / width;
  drag[1] = shift ? 0 : across;
  drag[2] = shift ? across : 0;
  ClampAngles(drag, true);
  for (int i = 0; i < 3; ++i) m_currentAngles[i] = drag[i] + m_baseAngles[i];
  ClampAngles(m_currentAngles, false);
  CMatrix3 rotation;
  rotation.SetEuler(m_currentAngles[0], m_currentAngles[1], m_currentAngles[2]);
  m_current = m_base * rotation;
  return true;
}

bool CModelPreviewState::ButtonUp() {
  if (!m_rotating) return false;
  m_rotating = false;
  m_fastDraw = false;
  std::copy(m_currentAngles, m_currentAngles + 3, m_baseAngles);
  return true;
}
