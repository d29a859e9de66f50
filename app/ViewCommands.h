#pragma once
// The commands of the 3-D views: the view's context menu, and their registration with the main
// frame, which runs them on the active view (the one last focused or clicked; pane 0 before).
class wxMenu;
class CMainFrame;
class CQuorvelView;

// A new context menu of a 3-D view: "View An&gle" and "&Zoom" with their items, the wireframe,
// bounding-box and scroll-bar switches. The caller owns it.
wxMenu* MakeViewContextMenu();

// Registers every view command with the frame; each acts on the active view.
void RegisterViewCommands(CMainFrame& frame);

// The view the frame's view commands act on: the active view, else the frame's pane 0.
CQuorvelView* CommandTargetView(CMainFrame& frame);
