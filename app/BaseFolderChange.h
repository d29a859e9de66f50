#pragma once
// What follows when the settings sheet applied a new library base folder: the part list is
// rebuilt from the new library (with the same Parts.lst offer as at start-up), or, when the user
// cancels the document's save question, the old folder comes back and the windows that dropped
// the part list's entries are told to show them again.
#include <functional>
#include <string>

#include "app/StartUp.h"

class CSettings;
struct CLibraryContext;

struct BaseFolderChangeHooks {
  std::function<void(unsigned message)> send;     // a private message to the frame's windows
  std::function<void(long hint)> updateViews;     // an update hint to every view
  std::function<bool()> saveModified;             // the document's save question; false = cancel
  // A new, empty document; with it the part-file cache is emptied (nothing refers to it then).
  std::function<void()> newDocument;
  IStartUpProgress* progress = nullptr;
};

// Returns false when the user cancelled and the old folder is back in force.
bool ApplyBaseFolderChange(const std::string& oldBase, const std::string& oldSavePath, CSettings& settings,
                           const CLibraryContext& library, const BaseFolderChangeHooks& hooks);
