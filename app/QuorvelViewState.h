#pragma once
// Everything a 3-D pane knows and decides, without any toolkit: its zoom, centre and pan offset,
// its direction and view matrix, the wireframe and bounding-box switches, the suspended flag, what
// to do for each update hint of the document, and how it asks the document to render into the
// pane's own picture. The window (CQuorvelView) only turns its events into calls here and shows
// the renderer's picture.
#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <string>

#include "config/Geometry.h"
#include "document/ScenePicture.h"

class C3DStub;
class CQuorvelDoc;

// The commands of a 3-D view (its context menu; the frame routes them to the active view).
namespace viewcmd {
constexpr int kTop = 32773;
constexpr int kBottom = 32775;
constexpr int kLeft = 32776;
constexpr int kRight = 32777;
constexpr int kFront = 32778;
constexpr int kBack = 32779;
constexpr int k3D = 32788;
constexpr int kWireframe = 32828;
constexpr int kBoundingBox = 32921;
constexpr int kZoomIn = 32896;
constexpr int kZoomOut = 32897;
constexpr int kZoomFit = 32898;
constexpr int kZoomSet = 32899;
constexpr int kScrollbars = 32983;
// The direction a direction command sets; -1 for other ids.
int DirectionOf(int commandId);
}  // namespace viewcmd

// Directions, the index into the settings' view matrices.
enum ViewDirection { kDirTop, kDirBottom, kDirLeft, kDirRight, kDirFront, kDirBack, kDir3D, kDirCustom };

// What one update of the document did to the view.
struct ViewUpdate {
  bool invalidate = false;        // the window shows the renderer's picture again
  bool rendered = false;          // the document rendered into the pane's renderer first
  bool updateScrollBars = false;  // the scroll bars follow the mode
  bool operator==(const ViewUpdate&) const = default;
};

// The scroll messages of the pane's scroll bars.
enum class ScrollCode { LineUp, LineDown, PageUp, PageDown, ThumbPosition, ThumbTrack, Top, Bottom };

// The road: CQuorvelDoc::Create3DStub unless a test or a benchmark puts another in.
using RenderRoad = std::function<void(CQuorvelDoc& doc, ScenePicture& picture, const RenderRequest& request)>;

// The mouse cursor the view shows in its mouse mode.
enum class ViewCursor { Default, Move, SizeNS };

class CQuorvelViewState {
 public:
  static constexpr double kMinZoom = 0.001;
  static constexpr double kMaxZoom = 1000.0;
  static constexpr int kMinPaneSide = 10;
  // Scroll bar range and page, as the bars show them (-150..150, page 100, resting at -50).
  static constexpr int kScrollMin = -150, kScrollMax = 150, kScrollPage = 100, kScrollRest = -50;

  // pane: row x 2 + column of the pane grid, or -1 for a view that is no pane of it.
  explicit CQuorvelViewState(int pane);

  // The document whose active model the view shows; null detaches. Attaching runs the initial
  // update (once per document): direction and matrix from the settings, the pane's renderer.
  ViewUpdate Attach(CQuorvelDoc* doc);
  CQuorvelDoc* GetDocument() const { return m_doc; }

  // The reaction to the document's hint word.
  ViewUpdate OnUpdate(uint32_t hint);
  // Asks the document to bring the pane's renderer up to date; false when nothing was asked
  // (too small, not initialised, no renderer). While drawings are deferred the request is only
  // kept (true), and DrawPending draws it later.
  bool Render();

  // Deferred drawing, for drawing several panes at the same time: while set, Render keeps its
  // request instead of drawing. DrawPending draws the kept request into the pane's picture and
  // may run on another thread, at the same time as other panes' DrawPending, once the caller ran
  // the document's PrepareSceneDrawing; nothing else of the view or the document may run then.
  void SetDeferred(bool deferred) { m_deferred = deferred; }
  bool IsDeferred() const { return m_deferred; }
  bool HasPendingDraw() const { return m_pending.has_value(); }
  void DrawPending();
  // The threads the pane's renderer draws on. A group drawing several panes at once gives each
  // its share of the processors and leaves it there, since changing the count stops and starts
  // the renderer's threads; a pane drawing alone first gets back the count it had before.
  void UseSharedThreads(int threads);
  void UseOwnThreads();

  // The drawing area changed; true when the pane re-rendered.
  bool OnSize(int width, int height);
  int GetWidth() const { return m_width; }
  int GetHeight() const { return m_height; }
  bool IsTooSmall() const { return m_tooSmall; }

  // --- view commands ---
  void SetDirection(int direction);
  void ToggleWireframe();
  void ToggleBoundingBox();
  void ZoomIn();
  void ZoomOut();
  // Wheel rotation in the toolkit's units (120 per notch, positive away from the user).
  void OnWheel(int delta);
  // Fits the model into the pane (zoom, centre, offset), re-renders.
  void ZoomFitCommand();
  // The zoom dialog's or a preset's factor, unclamped; re-renders.
  void SetZoom(double zoom);
  // The frame's zoom preset (0x8002): per cent, 0 = fit. False when the pane is too small.
  bool OnZoomPreset(long percent);
  // Only the arithmetic, no rendering (the commands above render).
  void ZoomFit();
  void CenterView();

  // --- scroll bars ---
  // Recomputes whether this pane shows its bars in the present mode; with toggle (edit mode only)
  // the edit-mode flag is inverted first. The result is also kept (ScrollBarsShown).
  bool UpdateScrollBars(bool toggle);
  bool ScrollBarsShown() const { return m_scrollBars; }
  bool ScrollBarsChecked() const;
  // The move a scroll message asks for, in per cent of the pane's width or height; position is
  // the bar's position in its range (kScrollMin..kScrollMax).
  static int ScrollPercent(ScrollCode code, int position);
  // Applies a scroll message. While the thumb is tracked the pane is drawn in bounding-box mode
  // at the shifted offset without keeping it.
  void Scroll(bool horizontal, ScrollCode code, int position);

  // --- status texts ---
  // "Step %d of %d" (view mode).
  std::string StepText() const;
  // The mouse point in model units, on the pane's axes, snapped to the grid (edit mode).
  std::string CoordinateText(int x, int y) const;
  CVector3 ModelPoint(int x, int y) const;

  // --- state for the window and for the mouse modes ---
  int GetPane() const { return m_pane; }
  int GetDirection() const { return m_direction; }
  const CMatrix3& GetViewMatrix() const { return m_viewMatrix; }
  double GetZoom() const { return m_zoom; }
  int GetCentreX() const { return m_centre[0]; }
  int GetCentreY() const { return m_centre[1]; }
  int GetOffsetX() const { return m_offset[0]; }
  int GetOffsetY() const { return m_offset[1]; }
  bool IsWireframe() const { return m_wireframe; }
  bool IsBoundingBox() const { return m_boundingBox; }
  bool IsSuspended() const { return m_suspended; }
  bool IsInitialised() const { return m_initialised; }
  bool IsReRenderPending() const { return m_pendingReRender; }
  bool IsEditMode() const;
  bool IsModelEmpty() const;
  C3DStub* GetRenderer() const { return m_picture ? &m_picture->renderer : nullptr; }
  ScenePicture* GetPicture() const { return m_picture.get(); }
  int GetMouseMode() const { return m_mouseMode; }
  ViewCursor GetCursor() const;
  bool IsFocused() const { return m_focused; }
  void SetFocused(bool focused) { m_focused = focused; }
  // The mouse modes set these while a drag is under way (pan, zoom and turning draw boxes).
  void SetMouseMode(int mode) { m_mouseMode = mode; }
  void SetDragging(bool dragging) { m_dragging = dragging; }
  bool IsDragging() const { return m_dragging; }
  void SetViewMatrix(const CMatrix3& matrix) { m_viewMatrix = matrix; }
  // The mouse modes move the view directly: the pan offset, the centre it keeps under zoom, and
  // a full render at the next Render.
  void SetOffset(int x, int y) { m_offset[0] = x, m_offset[1] = y; }
  void SetCentre(int x, int y) { m_centre[0] = x, m_centre[1] = y; }
  void RequestReRender() { m_reRender = true; }
  // How often the document was asked to render (for tests and the benchmark).
  int GetRenderCount() const { return m_renderCount; }
  // Replaces the document's render road (null puts it back).
  void SetRenderRoad(RenderRoad road) { m_road = std::move(road); }
  bool HasRenderRoad() const { return static_cast<bool>(m_road); }

  // The pane's direction setting (ViewLT, ViewRT, ViewLB, ViewRB).
  static int& PaneDirectionSetting(int pane);

 private:
  // Centres on the model's box under the view matrix; false (zoom 1, no offset) without a box.
  bool CentreOnModel(CVector3& min, CVector3& max);
  void LoadViewMatrix();
  void ApplyZoom();
  void KeepOffset();
  bool RenderAt(const int offset[2], bool boxesOnly);

  CQuorvelDoc* m_doc = nullptr;
  // The pane's own picture: renewed with each document, none for a view that is no pane.
  std::unique_ptr<ScenePicture> m_picture;
  bool m_initialised = false;
  bool m_pendingReRender = false;
  bool m_deferred = false;
  std::optional<RenderRequest> m_pending;
  int m_ownThreads = -1;  // the renderer's count (0: the default) while a group's share is set
  double m_zoom = 1.0;
  int m_centre[2] = {0, 0};
  int m_offset[2] = {0, 0};
  int m_width = 0, m_height = 0;
  bool m_sized = false;
  int m_mouseMode = 0;
  bool m_dragging = false;
  CMatrix3 m_viewMatrix;
  int m_direction = 0;
  int m_pane;
  bool m_wireframe = false;
  bool m_boundingBox = false;
  bool m_tooSmall = true;
  bool m_reRender = false;
  bool m_suspended = false;
  bool m_focused = false;
  bool m_scrollBars = false;
  int m_renderCount = 0;
  RenderRoad m_road;
};
