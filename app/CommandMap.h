#pragma once
// The commands of one link of the chain (the document's, the frame's, the application's) as a
// table of handlers with their enable and check rules. A command set without a rule is disabled.
#include <functional>
#include <map>

#include "app/CommandTarget.h"

class CCommandMap : public ICommandTarget {
 public:
  using Handler = std::function<void()>;
  using Rule = std::function<CommandState()>;

  // Registers (or replaces) a command with its handler and rule.
  void Set(int id, Handler handler, Rule rule);
  // A rule that always enables.
  static CommandState Always() { return CommandState{true, false}; }

  bool HandlesCommand(int id) const override { return m_entries.count(id) != 0; }
  CommandState QueryCommand(int id) const override;
  void RunCommand(int id) override;

 private:
  struct Entry {
    Handler handler;
    Rule rule;
  };
  std::map<int, Entry> m_entries;
};
