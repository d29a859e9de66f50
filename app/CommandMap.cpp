#include "app/CommandMap.h"

void CCommandMap::Set(int id, Handler handler, Rule rule) { m_entries[id] = {std::move(handler), std::move(rule)}; }

CommandState CCommandMap::QueryCommand(int id) const {
  auto it = m_entries.find(id);
  return it == m_entries.end() || !it->second.rule ? CommandState{} : it->second.rule();
}

void CCommandMap::RunCommand(int id) {
  auto it = m_entries.find(id);
  if (it != m_entries.end() && it->second.handler) it->second.handler();
}
