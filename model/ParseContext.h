#pragma once
// The state of one read of model text: what earlier lines leave for later ones. The project reader
// makes one per section. The LDLite transform stack joins it with the transform commands.
#include <string>
#include <unordered_set>

#include "model/LDLiteOperStack.h"

struct ParseContext {
  // The LDLite transforms in force: applied to every element made, empty at the start of a read.
  CLDLiteOperStack ldlite;
  // Set by "0 TOLVO BTG <name>", moved into the next element made.
  std::string pendingGroupName;
  // Between "0 TOLVO SKIP_BEGIN" and "0 TOLVO SKIP_END": the geometry a generated part writes after
  // its own line is made again from its parameters, so it is not read.
  bool skipping = false;
  // Set when a generated-part line failed to read: its geometry block is then kept as ordinary
  // lines, since nothing here could make it again.
  bool keepSkipBlock = false;
  // The folder of the model being read: sub-files of model-relative scan entries, and names found
  // in no scan folder, are looked for here (never in the process's current folder). Nested reads
  // of sub-files keep the folder of the outermost model.
  std::string modelFolder;
  // The name of the one model of the text being read: a reference to it is the model placing
  // itself, no file to look up. Empty in texts of several models (those refer to each other by
  // name and lose their cycles after the read) and in nested reads.
  std::string selfName;
  // Whether such a reference is reported to the user (reads of files, not of undo snapshots).
  bool reportSelf = false;
};

// The files whose read is under way (nested reads of sub-files included), by resolved path: a file
// that includes itself is refused instead of being read forever.
extern std::unordered_set<std::string> theFilesInProgress;
