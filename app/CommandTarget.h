#pragma once
// A link of the command chain. The focused view, the document's commands, the frame and the
// application each answer for the commands that are theirs; the router (CommandRouter.h) asks
// them in that order, and the first whose command it is decides whether it can run now and runs
// it. A command that no link owns shows disabled. Menus, tool bars and keys all reach the chain
// with the command ids of the command table.

struct CommandState {
  bool enabled = false;
  bool checked = false;
};

inline CommandState EnabledIf(bool on) { return CommandState{on, false}; }

class ICommandTarget {
 public:
  virtual ~ICommandTarget() = default;
  // Whether the command is this target's: the chain stops here, whether it is enabled or not.
  virtual bool HandlesCommand(int id) const = 0;
  // The enable and check state of one of this target's commands, asked by menus, bars and keys.
  virtual CommandState QueryCommand(int id) const = 0;
  // Runs one of this target's commands; the router calls it only while the command is enabled.
  virtual void RunCommand(int id) = 0;
};
