#include "app/PartTreeState.h"

#include <algorithm>

#include "app/PartDragData.h"
#include "config/SearchString.h"
#include "config/StringUtils.h"

int CPartTreeState::AddNode(PartTreeNode node) {
  const int index = static_cast<int>(m_nodes.size());
  if (node.parent >= 0)
    m_nodes[static_cast<size_t>(node.parent)].children.push_back(index);
  else
    m_roots.push_back(index);
  m_nodes.push_back(std::move(node));
  return index;
}

bool CPartTreeState::Build() {
  if (m_built) return false;
  CPartList& list = List();
  m_nodes.clear();
  m_roots.clear();
  m_search = PartSearch{};
  m_lastFound = 0;
  const unsigned count = list.GetGroupCount();
  m_groupNodes.assign(count, -1);
  m_nodes.reserve(count + list.GetCount(kAllCategories) + 64);
  for (unsigned g = 0; g < count; ++g) {
    const std::string& name = list.GetGroup(g)->name;
    const size_t slash = name.find('\\');
    PartTreeNode node;
    node.group = static_cast<int>(g);
    if (!name.empty() && slash != std::string::npos) {
      const std::string parentText = name.substr(0, slash);
      int parent = -1;
      for (int root : m_roots)
        if (EqualsNoCase(m_nodes[static_cast<size_t>(root)].text, parentText)) {
          parent = root;
          break;
        }
      if (parent < 0) parent = AddNode(PartTreeNode{parentText, 0, -1, -1, {}});
      node.text = name.substr(slash + 1);
      node.parent = parent;
    } else {
      node.text = name;
    }
    m_groupNodes[g] = AddNode(std::move(node));
  }
  m_document = count >= 1 ? m_groupNodes[count - 1] : -1;
  m_favorites = count >= 2 ? m_groupNodes[count - 2] : -1;
  for (unsigned g = 0; g < count; ++g) {
    const std::vector<PartHandle>* members = list.GetGroupMembers(g);
    if (!members) continue;
    for (PartHandle h : *members) {
      const char* description = h ? list.GetDescription(h) : nullptr;
      if (description) AddNode(PartTreeNode{description, h, m_groupNodes[g], -1, {}});
    }
  }
  m_built = true;
  return true;
}

void CPartTreeState::DropChildren(int node) {
  // The old nodes stay in the vector (their indexes are not reused) but hang nowhere.
  for (int child : m_nodes[static_cast<size_t>(node)].children) m_nodes[static_cast<size_t>(child)].parent = -2;
  m_nodes[static_cast<size_t>(node)].children.clear();
}

int CPartTreeState::FillDocumentGroup() {
  if (!m_built || m_document < 0) return -1;
  DropChildren(m_document);
  CPartList& list = List();
  for (uint32_t i = 0; i < list.GetCount(kDocumentModels); ++i) {
    const PartHandle h = MakePartHandle(kDocumentModels, i);
    if (const char* description = list.GetDescription(h)) AddNode(PartTreeNode{description, h, m_document, -1, {}});
  }
  return m_document;
}

int CPartTreeState::FillFavorites() {
  if (!m_built || m_favorites < 0) return -1;
  DropChildren(m_favorites);
  CPartList& list = List();
  if (const std::vector<PartHandle>* favorites = list.SetFavorite(0, false))
    for (PartHandle h : *favorites)
      if (const char* description = h ? list.GetDescription(h) : nullptr)
        AddNode(PartTreeNode{description, h, m_favorites, -1, {}});
  return m_favorites;
}

int CPartTreeState::GroupNode(unsigned group) const {
  return group < m_groupNodes.size() ? m_groupNodes[group] : -1;
}

int CPartTreeState::NodeOfHandle(PartHandle handle) const {
  if (!handle) return -1;
  std::vector<int> stack(m_roots.rbegin(), m_roots.rend());
  while (!stack.empty()) {
    const int n = stack.back();
    stack.pop_back();
    const PartTreeNode& node = m_nodes[static_cast<size_t>(n)];
    if (node.handle == handle) return n;
    stack.insert(stack.end(), node.children.rbegin(), node.children.rend());
  }
  return -1;
}

std::pair<long, long> CPartTreeState::ShowGroupParams(int n) const {
  if (n < 0 || static_cast<size_t>(n) >= m_nodes.size()) return {0, 1};
  const PartTreeNode& node = m_nodes[static_cast<size_t>(n)];
  if (node.handle == 0) {
    // A parent branch, or a sub-group with nothing in it, shows no group.
    if (node.group < 0 || (node.parent >= 0 && node.children.empty())) return {0, 1};
    return {node.group + 1, 1};
  }
  if (node.parent < 0) return {0, 1};
  const PartTreeNode& branch = m_nodes[static_cast<size_t>(node.parent)];
  const auto& siblings = branch.children;
  const long position = static_cast<long>(std::find(siblings.begin(), siblings.end(), n) - siblings.begin()) + 1;
  return {branch.group + 1, position};
}

bool CPartTreeState::IsFavorite(PartHandle handle) const {
  const std::vector<PartHandle>* favorites = List().SetFavorite(0, false);
  return handle && favorites && std::find(favorites->begin(), favorites->end(), handle) != favorites->end();
}

bool CPartTreeState::IsUnderFavorites(int n) const {
  while (n >= 0 && static_cast<size_t>(n) < m_nodes.size()) {
    if (n == m_favorites) return true;
    n = m_nodes[static_cast<size_t>(n)].parent;
  }
  return false;
}

bool CPartTreeState::ChangeFavorite(PartHandle handle, bool remove) {
  if (!handle || IsFavorite(handle) == !remove) return false;
  List().SetFavorite(handle, remove);
  FillFavorites();
  return true;
}

bool CPartTreeState::ClearFavorites() {
  const std::vector<PartHandle>* favorites = List().SetFavorite(0, false);
  if (!favorites || favorites->empty()) return false;
  // Each removal saves the shrunken list, so the cleared favourites stay cleared.
  const std::vector<PartHandle> all = *favorites;
  for (PartHandle h : all) List().SetFavorite(h, true);
  FillFavorites();
  return true;
}

bool CPartTreeState::CanDrop(int node, uint32_t kind, uint32_t value) const {
  return kind == static_cast<uint32_t>(PartDragKind::Part) && value != 0 && !IsFavorite(value) &&
         IsUnderFavorites(node);
}

namespace {
// Runs of white space count as one blank: library descriptions pad their sizes ("Brick  2 x  4"),
// and a quoted phrase typed with single blanks must still find them.
std::string CollapseBlanks(std::string_view text) {
  std::string out;
  out.reserve(text.size());
  bool blank = false;
  for (char c : text) {
    const bool space = c == ' ' || c == '\t';
    if (space && blank) continue;
    out.push_back(space ? ' ' : c);
    blank = space;
  }
  return out;
}
}  // namespace

PartHandle CPartTreeState::FindNextMatch(PartHandle start) const {
  CSearchString search;
  if (search.SetExpression(CollapseBlanks(m_search.text)) != CSearchString::kOk) return 0;
  const CPartList& list = List();
  int category = start ? CPartList::GetCategory(start) : 0;
  uint32_t index = start ? (start & kIndexMask) : 0;  // the entry after the start
  for (; category <= kDocumentModels; ++category, index = 0)
    for (; index < list.GetCount(category); ++index) {
      const PartHandle h = MakePartHandle(category, index);
      const PartListEntry* e = list.GetEntry(h);
      if (!e) continue;
      const std::string text = CollapseBlanks(m_search.byFileName ? e->fileName : e->description);
      if (search.Evaluate(text, !m_search.matchCase) == CSearchString::kMatch) return h;
    }
  return 0;
}

int CPartTreeState::Find(bool again) {
  PartHandle start = again ? m_lastFound : 0;
  m_lastFound = 0;
  // A match that no branch shows is passed over; the search goes on to the next one.
  while (PartHandle h = FindNextMatch(start)) {
    const int node = NodeOfHandle(h);
    if (node >= 0) {
      m_lastFound = h;
      return node;
    }
    start = h;
  }
  return -1;
}
