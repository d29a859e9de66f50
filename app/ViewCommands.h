#pragma once
// The context menu of the 3-D views: "View An&gle" and "&Zoom" with their items, the wireframe,
// bounding-box and scroll-bar switches. The view runs these commands itself (as the first link of
// the frame's command chain when it is the active view).
class wxMenu;

// A new context menu of a 3-D view. The caller owns it.
wxMenu* MakeViewContextMenu();
