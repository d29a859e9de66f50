#include "app/PartTreeCommands.h"

#include "app/CommandMap.h"
#include "app/MainFrame.h"
#include "app/PrivateEvents.h"
#include "config/GroupListModel.h"
#include "config/PartList.h"
#include "dialogs/DlgGroupCfg.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {
constexpr int kTreeConfiguration = 32974;

void RunTreeConfiguration(CMainFrame& frame) {
  CPartList& list = frame.Library().partList;
  CDlgGroupCfg dialog(&frame, CGroupListModel::FromPartList(list));
  if (dialog.ShowModal() != wxID_OK) return;
  if (!list.SetGroups(dialog.GetGroups()))
    ShowMessageId(kStringGroupSaveFailed, PromptButtons::Ok, PromptIcon::Exclamation);
  frame.NotifyViews(true, msg::kGroupsChanged, 0, 0);
}
}  // namespace

void BindPartTreeCommands(CMainFrame& frame) {
  frame.FrameCommands().Set(kTreeConfiguration, [&frame] { RunTreeConfiguration(frame); }, CCommandMap::Always);
}
