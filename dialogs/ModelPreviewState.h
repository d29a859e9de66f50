#pragma once
// Everything the model preview of a dialog knows and decides, without any toolkit: the model it
// shows (borrowed, never changed), the base and current orientation, the angles of the mouse
// rotation, the box of the last refit, and how the model is drawn into the preview's renderer.
// The window (CModelPreview) turns its events into calls here and paints the renderer's picture.
//
// A drag turns the view away from the base matrix: current = base x R(base angles + drag). The
// base itself never changes by dragging, so an owner that wants the first drag to continue from
// the view it shows passes that view as the base as well as the current matrix; a base of identity
// under some other current view makes the first drag jump to a near-identity view.
#include <cstdint>

#include "config/Geometry.h"

class C3DStub;
class CQvFile;

class CModelPreviewState {
 public:
  CModelPreviewState();

  // Binds the model (null: none) and marks the preview as not rendered.
  void SetModel(CQvFile* model);
  CQvFile* GetModel() const { return m_model; }
  // Colour of elements in colour 16; the PreviewColor setting at first.
  void SetColor(uint32_t color) { m_color = color; }
  uint32_t GetColor() const { return m_color; }
  void SetView(const CMatrix3& base, const CMatrix3& current);
  // The rotation (degrees) a drag starts from.
  void SetAngles(double x, double y, double z);
  void SetPerspective(bool on) { m_perspective = on; }
  bool GetPerspective() const { return m_perspective; }
  void SetMouseRotation(bool on) { m_mouseRotation = on; }
  bool GetMouseRotation() const { return m_mouseRotation; }

  // The current (unscaled) matrix and the angles of the last drag.
  void GetView(CMatrix3& matrix, double angles[3]) const;
  const CMatrix3& GetBaseMatrix() const { return m_base; }
  const CMatrix3& GetCurrentMatrix() const { return m_current; }
  const double* GetBaseAngles() const { return m_baseAngles; }
  const double* GetCurrentAngles() const { return m_currentAngles; }

  // Not rendered: the window paints as a plain static until the next render.
  void Invalidate() { m_rendered = false; }
  bool IsRendered() const { return m_rendered; }
  // Rendered, but nothing of the model could be drawn: no view set, an area below 4 pixels, or a
  // renderer that could not get its buffers. The window then shows an empty (white) area.
  bool IsBlank() const { return m_blank; }
  bool IsRotating() const { return m_rotating; }
  // Edges only while the button is held.
  bool IsFastDraw() const { return m_fastDraw; }

  // Draws the model for a client area of width x height; with refit the box is taken again under
  // the current matrix. False when no model is bound (nothing happens then).
  bool Render(C3DStub& renderer, int width, int height, bool refit);

  // Mouse rotation. Each answers whether the window has something to do: capture and render
  // without refit (down), render without refit (move), release, render with refit and tell the
  // owner (up).
  bool ButtonDown(int x, int y);
  bool MouseMove(int x, int y, bool shift, int width, int height);
  bool ButtonUp();
  // The capture was taken away: the drag ends where it is, as a release would end it.
  bool CaptureLost() { return ButtonUp(); }

  // With clamp each angle is limited to -180..180; without, brought into -180..180 by whole turns.
  // An angle that is not a number becomes 0.
  static void ClampAngles(double angles[3], bool clamp);

 private:
  CQvFile* m_model = nullptr;  // drawing and measuring are not const, but change nothing
  uint32_t m_color;
  bool m_rendered = false;
  bool m_blank = false;
  bool m_rotating = false;
  bool m_fastDraw = false;
  bool m_perspective = false;
  bool m_mouseRotation = false;
  CMatrix3 m_base, m_current;  // zero until the owner sets a view
  CVector3 m_boxMin, m_boxMax;
  int m_pressX = 0, m_pressY = 0;
  double m_currentAngles[3] = {0, 0, 0};
  double m_baseAngles[3] = {0, 0, 0};
};
