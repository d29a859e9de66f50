#include "config/HelpTopics.h"

#include <initializer_list>
#include <vector>

namespace {

// A run of ids with one page: commands or dialogs from first to last.
struct IdRun {
  uint32_t base;
  int first, last;
};
constexpr uint32_t C = kHelpIdCommand, D = kHelpIdDialog;

struct PageRows {
  const char* page;
  std::initializer_list<IdRun> runs;
};

// Grouped by page. The spelling of pages and anchors is kept as the requests know it; the help
// folder is searched without regard to case (see HelpPages.h).
const std::vector<HelpTopic>& Table() {
  static const std::vector<HelpTopic> table = [] {
    const PageRows groups[] = {
        {"toolbars.htm#ColorBar", {{C, 1064, 1079}}},
        {"Menus.htm#MenuEdit", {{C, 32780, 32783}, {C, 32785, 32785}, {C, 32878, 32880}, {C, 57632, 57644}}},
        {"view.htm#Step", {{C, 32784, 32784}}},
        {"view.htm#rotstep", {{C, 32786, 32787}}},
        {"view.htm#bgndimg", {{C, 32927, 32927}, {D, 183, 183}}},
        {"view.htm#Clear", {{C, 32939, 32939}}},
        {"view.htm#exchg", {{C, 32943, 32943}, {D, 200, 200}}},
        {"create.htm#grouping", {{C, 32946, 32947}}},
        {"create.htm#align", {{C, 32962, 32962}}},
        {"create.htm#rotpoints", {{C, 32963, 32963}}},
        {"view.htm#Ghost", {{C, 32955, 32956}}},
        {"Create.htm#movepart", {{C, 32792, 32798}, {D, 206, 206}}},
        {"Create.htm#rotpart", {{C, 32816, 32822}}},
        {"Create.htm#movrotdlg", {{C, 32953, 32953}}},
        {"create.htm#options", {{C, 32979, 32979}}},
        {"create.htm#hiding", {{C, 32866, 32868}}},
        {"Menus.htm#MenuView", {{C, 32804, 32806}, {C, 32884, 32884}, {C, 59392, 59393}}},
        {"Menus.htm#MenuSettings",
         {{C, 32807, 32807}, {C, 32870, 32870}, {C, 32881, 32883}, {C, 32885, 32894}}},
        {"Plandor.htm#viewmode", {{C, 32808, 32808}}},
        {"Plandor.htm#zoommove", {{C, 32916, 32916}, {C, 32926, 32926}}},
        {"Plandor.htm#placemode", {{C, 32922, 32922}}},
        // Page Down has a second row; the first one answers.
        {"Menus.htm#MenuNavigate", {{C, 32856, 32859}, {C, 32970, 32971}, {C, 32858, 32858}}},
        {"Menus.htm#MenuMultipart", {{C, 32872, 32877}}},
        {"Menus.htm#MenuReport", {{C, 32829, 32831}, {C, 32911, 32911}, {C, 32913, 32913}}},
        {"Export.htm#Pic", {{C, 32864, 32864}, {D, 148, 148}}},
        {"Menus.htm#MenuFile",
         {{C, 32865, 32865},
          {C, 32910, 32910},
          {C, 57600, 57601},
          {C, 57603, 57604},
          {C, 57610, 57611},
          {C, 57616, 57631},
          {C, 57665, 57665}}},
        {"Export.htm#List", {{C, 32869, 32869}}},
        {"Export.htm#Print", {{C, 57606, 57609}}},
        {"Menus.htm#MenuHelp", {{C, 57664, 57664}, {C, 57666, 57669}}},
        {"view.htm#RotStep", {{D, 160, 160}}},
        {"Configure.htm#SetGen", {{D, 110, 110}}},
        {"Configure.htm#SetGfx", {{D, 111, 111}}},
        {"Configure.htm#SetPrt", {{D, 112, 112}}},
        {"Configure.htm#SetDoc", {{D, 106, 106}}},
        {"Configure.htm#SetStp", {{D, 166, 166}}},
        {"Configure.htm#SetView", {{D, 207, 207}}},
        {"create.htm#addpart", {{D, 146, 146}}},
        {"Create.htm#Rotpoints", {{D, 218, 218}}},
        {"Create.htm#PARTSORT", {{D, 223, 223}}},
        {"Plandor.htm#availableparts", {{D, 152, 152}}},
        {"Export.htm#TabGen", {{D, 119, 119}}},
        {"Export.htm#TabPost", {{D, 120, 120}}},
        {"Export.htm#ExpMod", {{C, 32919, 32919}}},
        {"Generators.htm#Fractal", {{D, 169, 169}}},
        {"Generators.htm#Picture", {{D, 171, 171}}},
        {"Generators.htm#Rotation", {{D, 219, 219}}},
        {"Generators.htm#Minifig", {{D, 224, 224}}},
        {"Generators.htm#Spring", {{D, 231, 231}}},
        {"Generators.htm#Belt", {{D, 102, 102}}},
        {"Generators.htm#FlexHose", {{D, 232, 232}}},
        {"Generators.htm#Arrow", {{D, 233, 233}}},
        {"Tips.htm#comments", {{D, 138, 138}}},
        {"Tips.htm#dims", {{D, 144, 144}}},
        {"Tips.htm#parts", {{D, 143, 143}}},
        {"Create.htm#Colors", {{D, 136, 136}, {D, 180, 180}}},
        {"Menus.htm", {{D, 128, 128}}},
        // The parts-tree configuration dialog gets a real page instead of the bare folder, which
        // would show a listing or an error.
        {"Menus.htm#MenuSettings", {{D, 215, 215}}},
    };
    std::vector<HelpTopic> rows;
    for (const PageRows& group : groups)
      for (const IdRun& run : group.runs)
        for (int id = run.first; id <= run.last; ++id)
          rows.push_back({run.base + static_cast<uint32_t>(id), group.page});
    return rows;
  }();
  return table;
}

}  // namespace

int FindHelpTopic(uint32_t helpId) {
  const std::vector<HelpTopic>& table = Table();
  for (size_t i = 0; i < table.size(); ++i)
    if (table[i].helpId == helpId) return static_cast<int>(i) + 1;
  return 0;
}

const HelpTopic* GetHelpTopic(int topic) {
  const std::vector<HelpTopic>& table = Table();
  if (topic < 1 || topic > static_cast<int>(table.size())) return nullptr;
  return &table[static_cast<size_t>(topic) - 1];
}

int GetHelpTopicCount() { return static_cast<int>(Table().size()); }

std::string GetHelpPage(uint32_t helpId) {
  const HelpTopic* row = GetHelpTopic(FindHelpTopic(helpId));
  return row ? row->page : std::string();
}
