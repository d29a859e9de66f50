#include "app/BarTable.h"

#include <algorithm>

#include "config/StringUtils.h"
#include "platform/StringTable.h"
#include "resources/StringIds.h"

namespace {
const std::vector<BarInfo> kBars = {
    {116, 32914, "Colorbar", {}},
    {256, 59392, "Toolbar",
     {57600, 57601, 57603, 32864, 32869, 0, 57635, 57634, 57637, 0, 57607, 0, 57664, 57669}},
    {139, 32805, "Elementbar",
     {32793, 32792, 32795, 32794, 32796, 32797, 0, 32816, 32817, 32818, 32819, 32820, 32821, 0,
      32953}},
    {154, 32804, "Editbar", {32783, 32785, 32784, 32786, 32787, 32927, 32939, 32943}},
    {156, 32806, "Movementbar",
     {32856, 32857, 32970, 32971, 32858, 32859, 0, 32980, 32981, 32982}},
    {166, 32884, "Viewbar", {32808, 32922, 32916, 32926, 0, 32881, 32882, 32883, 0, 32979}},
    {192, 32941, "Expertbar", {32929, 32930, 32931, 32932, 32937}},
    {198, 32940, "Zoombar",
     {32885, 32886, 32887, 32888, 32889, 32890, 32891, 32892, 32893, 32894}},
    {207, 32966, "Modificationbar",
     {32955, 32956, 0, 32946, 32947, 0, 32866, 32867, 32868, 0, 32962, 32963}},
    {229, 32989, "Extrasbar", {32996, 32992, 0, 32830}},
};
}  // namespace

const std::vector<BarInfo>& BarTable() { return kBars; }

std::string BarCaption(size_t index) {
  return GetSubString(LoadResString(kStringBarNames), static_cast<int>(index));
}

std::string BarPaneName(size_t index) {
  return index < kBars.size() ? kBars[index].logName : std::string();
}

BarRows PlanBarRows(const std::vector<int>& lengths, size_t sizeable, int rowLength, int minSizeable) {
  BarRows plan;
  plan.places.resize(lengths.size());
  std::vector<int> used;   // length taken in each row
  std::vector<int> count;  // bars in each row
  auto place = [&](size_t bar, size_t row) {
    if (row == used.size()) used.push_back(0), count.push_back(0);
    plan.places[bar] = {static_cast<int>(row), count[row]++};
  };
  for (size_t i = 0; i < lengths.size(); ++i) {
    if (i == sizeable) continue;
    size_t row = 0;
    while (row < used.size() && used[row] + lengths[i] > rowLength) ++row;
    place(i, row);
    used[row] += lengths[i];
  }
  if (sizeable < lengths.size()) {
    size_t roomiest = used.size();
    for (size_t r = 0; r < used.size(); ++r)
      if (rowLength - used[r] >= minSizeable && (roomiest == used.size() || used[r] < used[roomiest]))
        roomiest = r;
    place(sizeable, roomiest);
    plan.sizeableLength = std::max(minSizeable, rowLength - used[roomiest]);
    used[roomiest] = rowLength;
  }
  return plan;
}
