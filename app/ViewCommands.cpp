#include "app/ViewCommands.h"

#include <wx/menu.h>

#include "app/CommandTable.h"
#include "app/QuorvelViewState.h"

namespace {
struct ViewMenuItem {
  int id;
  const char* text;
  bool check;
};

const ViewMenuItem kAngleItems[] = {
    {viewcmd::kTop, "&Top", true},     {viewcmd::kBottom, "&Bottom", true}, {viewcmd::kLeft, "&Left", true},
    {viewcmd::kRight, "&Right", true}, {viewcmd::kFront, "&Front", true},   {viewcmd::kBack, "B&ack", true},
    {viewcmd::k3D, "&3D", true},
};
const ViewMenuItem kZoomItems[] = {
    {viewcmd::kZoomIn, "&In", false},
    {viewcmd::kZoomOut, "&Out", false},
    {viewcmd::kZoomFit, "&Fit", false},
    {viewcmd::kZoomSet, "&Set...", false},
};
const ViewMenuItem kSwitchItems[] = {
    {viewcmd::kWireframe, "&Wireframe", true},
    {viewcmd::kBoundingBox, "&Bounding Box", true},
    {viewcmd::kScrollbars, "Scro&llbars", true},
};

template <size_t N>
void AppendItems(wxMenu* menu, const ViewMenuItem (&items)[N]) {
  for (const ViewMenuItem& item : items)
    menu->Append(ToWxId(item.id), item.text, wxString(), item.check ? wxITEM_CHECK : wxITEM_NORMAL);
}
}  // namespace

wxMenu* MakeViewContextMenu() {
  auto* menu = new wxMenu;
  auto* angle = new wxMenu;
  AppendItems(angle, kAngleItems);
  menu->AppendSubMenu(angle, "View An&gle");
  auto* zoom = new wxMenu;
  AppendItems(zoom, kZoomItems);
  menu->AppendSubMenu(zoom, "&Zoom");
  menu->AppendSeparator();
  AppendItems(menu, kSwitchItems);
  return menu;
}
