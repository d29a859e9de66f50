#include "app/BaseFolderChange.h"

#include "app/PrivateEvents.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "model/FileCache.h"
#include "model/LibraryContext.h"

namespace {
constexpr long kHintRedrawAll = 0;
constexpr long kHintSettings = 0x10000;
}  // namespace

bool ApplyBaseFolderChange(const std::string& oldBase, const std::string& oldSavePath, CSettings& settings,
                           const CLibraryContext& library, const BaseFolderChangeHooks& hooks) {
  CPartList& list = library.partList;
  auto send = [&](unsigned message) {
    if (hooks.send) hooks.send(message);
  };
  auto update = [&](long hint) {
    if (hooks.updateViews) hooks.updateViews(hint);
  };
  update(kHintRedrawAll);
  // The part tree and the browser let go of the list's entries now.
  send(msg::kPartListInvalid);
  if (hooks.saveModified && !hooks.saveModified()) {
    theTracer.Printf("Base folder change cancelled: '%s' stays.\n", oldBase.c_str());
    settings.BasePath = oldBase;
    settings.SavePath = oldSavePath;
    settings.Save();
    // The list itself is unchanged; the windows that let go of it fill themselves again, and the
    // other settings the sheet applied are announced as for a change without a new folder.
    update(kHintSettings);
    send(msg::kSettingsChanged);
    return false;
  }
  theTracer.Printf("Library base folder changed to '%s'.\n", settings.BasePath.c_str());
  if (hooks.newDocument) {
    hooks.newDocument();
    // The new document holds no part: every cached file of the old library goes.
    library.fileCache.Flush(0);
  }
  PartListLoad load = LoadPartList(list, library.scanOrder, settings.BasePath, hooks.progress);
  // A library without parts leaves an empty list; the program goes on with it.
  if (load == PartListLoad::NothingFound) list.Clear();
  // The views show the new document.
  update(kHintRedrawAll);
  send(msg::kSettingsChanged);
  update(kHintSettings);
  send(msg::kSettingsChanged);
  return true;
}
