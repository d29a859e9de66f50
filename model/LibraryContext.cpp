#include "model/LibraryContext.h"

#include "config/PartList.h"
#include "config/PathResolver.h"
#include "config/ScanOrder.h"
#include "model/FileCache.h"

const CLibraryContext& ProgramLibrary() {
  static const CLibraryContext program{thePartList, thePathResolver, theFileCache, theScanOrder};
  return program;
}
