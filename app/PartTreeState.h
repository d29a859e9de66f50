#pragma once
// Everything the part tree knows and decides, without any toolkit: the branches of the part
// list's groups ("parent\child" names share one parent branch, matched without regard to case),
// the parts under them, which group and position a selection shows in the part browser, the
// favourites, the part search and the drops it accepts. The window (CPartTreeView) mirrors the
// nodes into a tree control.
#include <cstdint>
#include <string>
#include <utility>
#include <vector>

#include "config/PartList.h"
#include "model/LibraryContext.h"

struct PartTreeNode {
  std::string text;
  PartHandle handle = 0;  // 0 for a branch
  int parent = -1;        // -1 for a top-level node
  int group = -1;         // the group whose branch this is, -1 for parents and parts
  std::vector<int> children;
};

// What the part search asks for; a rebuild resets it.
struct PartSearch {
  std::string text;
  bool byFileName = false;  // "Search in part number"; else "Search in part names"
  bool matchCase = false;
};

class CPartTreeState {
 public:
  explicit CPartTreeState(CPartList& list = ProgramLibrary().partList) : m_list(&list) {}
  void SetPartList(CPartList& list) { m_list = &list; }
  CPartList& List() const { return *m_list; }

  // --- building ---
  bool IsBuilt() const { return m_built; }
  // The part list changed (0x8003, 0x8006, 0x8007): the next Build runs.
  void Invalidate() { m_built = false; }
  // Builds the nodes unless built; true when it built.
  bool Build();
  // The Document group's parts again (0x8005); the branch node, -1 when not built.
  int FillDocumentGroup();
  // The Favorites group's parts again; the branch node.
  int FillFavorites();

  const std::vector<PartTreeNode>& Nodes() const { return m_nodes; }
  const PartTreeNode& Node(int i) const { return m_nodes[static_cast<size_t>(i)]; }
  const std::vector<int>& Roots() const { return m_roots; }
  int GroupNode(unsigned group) const;
  int FavoritesNode() const { return m_favorites; }
  int DocumentNode() const { return m_document; }
  // The first node (depth first, from the first top-level node) showing the part; -1 when none.
  int NodeOfHandle(PartHandle handle) const;

  // --- selection ---
  // The 0x8000 parameters for a selected node: the group from 1 (0 for a parent branch or an
  // empty sub-group) and the position from 1 among its siblings (1 for a branch).
  std::pair<long, long> ShowGroupParams(int node) const;

  // --- favourites ---
  bool IsFavorite(PartHandle handle) const;
  bool IsUnderFavorites(int node) const;
  // Adds (refused when already one) or removes a favourite; true when the favourites changed.
  bool ChangeFavorite(PartHandle handle, bool remove);
  // Empties and saves the favourites; true when there were any.
  bool ClearFavorites();
  // A part of kind 1 dragged over a node: accepted on the Favorites branch or below it, when it
  // is no favourite yet.
  bool CanDrop(int node, uint32_t kind, uint32_t value) const;

  // --- search ---
  PartSearch& Search() { return m_search; }
  // The node of the next match (from the first entry, or after the last found one with again);
  // -1 when there is none, which forgets the last found entry.
  int Find(bool again);
  PartHandle GetLastFound() const { return m_lastFound; }

 private:
  int AddNode(PartTreeNode node);
  // The next entry after start (categories 0, 1, 2) that the search matches; 0 when none.
  PartHandle FindNextMatch(PartHandle start) const;
  void DropChildren(int node);

  CPartList* m_list;
  std::vector<PartTreeNode> m_nodes;
  std::vector<int> m_roots;
  std::vector<int> m_groupNodes;
  int m_favorites = -1;
  int m_document = -1;
  bool m_built = false;
  PartSearch m_search;
  PartHandle m_lastFound = 0;
};
