#pragma once
// The enable and check rules of the commands: the one place the menus and tool bars ask whether a
// command can run now. A command whose handler does not exist yet has no rule and shows disabled.
#include <functional>
#include <map>

struct CommandState {
  bool enabled = false;
  bool checked = false;
};

class CCommandRules {
 public:
  using Rule = std::function<CommandState()>;

  // Registers (or replaces) the rule of a command; the command gets a handler with it.
  void Set(int id, Rule rule) { m_rules[id] = std::move(rule); }
  void SetAlwaysEnabled(int id) {
    Set(id, [] { return CommandState{true, false}; });
  }
  bool Has(int id) const { return m_rules.count(id) != 0; }
  // Disabled and unchecked when the command has no rule.
  CommandState Query(int id) const {
    auto it = m_rules.find(id);
    return it == m_rules.end() || !it->second ? CommandState{} : it->second();
  }

 private:
  std::map<int, Rule> m_rules;
};
