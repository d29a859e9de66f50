#pragma once
// A test that fills the program's part list leaves it empty at the end of its scope, with the file
// cache emptied first (its entries name the list's handles), however the test ends. Emptying the
// cache deletes its files: declare the scope before anything that holds them (models, elements,
// windows showing parts).
#include "config/PartList.h"
#include "model/FileCache.h"

class PartListScope {
 public:
  PartListScope() = default;
  ~PartListScope() {
    theFileCache.Flush(0);
    thePartList.Clear();
  }
  PartListScope(const PartListScope&) = delete;
  PartListScope& operator=(const PartListScope&) = delete;
};
