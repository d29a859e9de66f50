#include "app/EditCommands.h"

#include "app/CommandMap.h"
#include "app/WxClipboardPort.h"
#include "config/Settings.h"
#include "document/QuorvelDoc.h"

namespace {
namespace id {
constexpr int kCut = 57635;
constexpr int kCopy = 57634;
constexpr int kPaste = 57637;
constexpr int kErase = 57632;
constexpr int kDuplicate = 32880;
constexpr int kModify = 32878;
constexpr int kColor = 32879;
constexpr int kSnap = 32962;
constexpr int kSort = 32986;
constexpr int kKeyboardEntry = 32953;
constexpr int kFirstMove = 32792;
constexpr int kFirstRotate = 32816;
constexpr int kHide = 32866;
constexpr int kUnhide = 32867;
constexpr int kUnhideAll = 32868;
constexpr int kGhost = 32955;
constexpr int kUnghost = 32956;
constexpr int kGroup = 32946;
constexpr int kUngroup = 32947;
constexpr int kSelectAll = 32980;
constexpr int kSelectSameType = 32981;
constexpr int kSelectSameColor = 32982;
constexpr int kGridCoarse = 32881;
constexpr int kRotationPoint = 32963;
constexpr int kDrawToSelection = 32979;
constexpr int kRefresh = 32915;
constexpr int kPaneCoordinates = 33007;
}  // namespace id

// One clipboard for the run; the document reaches it through its port.
CWxClipboardPort& Clipboard() {
  static CWxClipboardPort port;
  return port;
}

using Rule = bool (CQuorvelDoc::*)() const;

void Bind(CCommandMap& commands, CQuorvelDoc& doc, int command, int (CQuorvelDoc::*run)(), Rule rule) {
  commands.Set(
      command, [&doc, run] { (doc.*run)(); }, [&doc, rule] { return EnabledIf((doc.*rule)()); });
}

void BindClipboardCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  Bind(commands, doc, id::kCut, &CQuorvelDoc::OnEditCut, &CQuorvelDoc::HasSelection);
  Bind(commands, doc, id::kCopy, &CQuorvelDoc::OnEditCopy, &CQuorvelDoc::HasSelection);
  Bind(commands, doc, id::kPaste, &CQuorvelDoc::OnEditPasteAny, &CQuorvelDoc::CanPasteAny);
  Bind(commands, doc, id::kErase, &CQuorvelDoc::OnEditErase, &CQuorvelDoc::HasSelection);
  Bind(commands, doc, id::kDuplicate, &CQuorvelDoc::OnEditDuplicate, &CQuorvelDoc::HasSelection);
}

void BindElementCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  Bind(commands, doc, id::kModify, &CQuorvelDoc::EditSelectedElement, &CQuorvelDoc::CanModify);
  Bind(commands, doc, id::kColor, &CQuorvelDoc::OnChooseColor, &CQuorvelDoc::CanChooseColor);
  Bind(commands, doc, id::kSnap, &CQuorvelDoc::OnSnapToGrid, &CQuorvelDoc::CanSnapToGrid);
  Bind(commands, doc, id::kSort, &CQuorvelDoc::OnSort, &CQuorvelDoc::CanSort);
  Bind(commands, doc, id::kKeyboardEntry, &CQuorvelDoc::OnKeyboardEntry, &CQuorvelDoc::CanEnterByKeyboard);
  for (int i = 0; i < 6; ++i) {
    commands.Set(
        id::kFirstMove + i, [&doc, i] { doc.MoveByGrid(id::kFirstMove + i); },
        [&doc] { return EnabledIf(doc.CanMoveByGrid()); });
    commands.Set(
        id::kFirstRotate + i, [&doc, i] { doc.RotateByGrid(id::kFirstRotate + i); },
        [&doc] { return EnabledIf(doc.CanMoveByGrid()); });
  }
  Bind(commands, doc, id::kHide, &CQuorvelDoc::OnHide, &CQuorvelDoc::CanHide);
  Bind(commands, doc, id::kUnhide, &CQuorvelDoc::OnUnhide, &CQuorvelDoc::CanUnhide);
  Bind(commands, doc, id::kUnhideAll, &CQuorvelDoc::OnUnhideAll, &CQuorvelDoc::CanUnhideAll);
  Bind(commands, doc, id::kGhost, &CQuorvelDoc::OnGhost, &CQuorvelDoc::CanGhost);
  Bind(commands, doc, id::kUnghost, &CQuorvelDoc::OnUnghost, &CQuorvelDoc::CanUnghost);
  Bind(commands, doc, id::kGroup, &CQuorvelDoc::OnGroup, &CQuorvelDoc::CanGroup);
  Bind(commands, doc, id::kUngroup, &CQuorvelDoc::OnUngroup, &CQuorvelDoc::CanUngroup);
  Bind(commands, doc, id::kSelectAll, &CQuorvelDoc::OnSelectAll, &CQuorvelDoc::CanSelectAll);
  Bind(commands, doc, id::kSelectSameType, &CQuorvelDoc::OnSelectSameType, &CQuorvelDoc::CanSelectSameType);
  Bind(commands, doc, id::kSelectSameColor, &CQuorvelDoc::OnSelectSameColor, &CQuorvelDoc::CanSelectSameColor);
}

void BindSettingCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  for (int type = 0; type < 3; ++type)
    commands.Set(
        id::kGridCoarse + type, [&doc, type] { doc.SetGridType(type); },
        [&doc, type] { return CommandState{doc.CanChangeEditSettings(), theSettings.GridType == type}; });
  Bind(commands, doc, id::kRotationPoint, &CQuorvelDoc::OnEditRotationPoint, &CQuorvelDoc::CanEditRotationPoint);
  commands.Set(
      id::kDrawToSelection, [&doc] { doc.OnToggleDrawToSelection(); },
      [&doc] { return CommandState{doc.CanToggleDrawToSelection(), theSettings.DrawToSelection != 0}; });
  commands.Set(
      id::kRefresh, [&doc] { doc.OnRefresh(); }, [&doc] { return EnabledIf(doc.CanRefresh()); });
  commands.Set(
      id::kPaneCoordinates, [&doc] { doc.OnTogglePaneCoordinates(); },
      [] { return CommandState{true, theSettings.ShowViewCoords != 0}; });
}
}  // namespace

void BindEditCommands(CCommandMap& commands, CQuorvelDoc& doc) {
  SetClipboardPort(&Clipboard());
  BindClipboardCommands(commands, doc);
  BindElementCommands(commands, doc);
  BindSettingCommands(commands, doc);
}
