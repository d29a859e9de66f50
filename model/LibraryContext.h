#pragma once
// The part library as its users see it: the part list, the path resolver that finds library files
// whatever their letter case, the file cache of loaded sub-files and the scan order of library
// folders. The application makes one and hands it down to the document, the views and the
// dialogs, so none of them reaches for the program's objects on its own.
//
// The model internals (element loading, the cache's own look-ups, the part usage counting while a
// model is drawn) still use the program's objects, so a context handed to anything that loads or
// draws models must name those; a context over other objects serves what only reads the list or
// the cache (a test's own part list for the browser or the part chooser).
class CFileCache;
class CPartList;
class CPathResolver;
class CScanOrder;

struct CLibraryContext {
  CPartList& partList;
  CPathResolver& pathResolver;
  CFileCache& fileCache;
  CScanOrder& scanOrder;
};

// The same library with another part list in its place (one a test fills, or one only read).
inline CLibraryContext WithPartList(const CLibraryContext& library, CPartList& partList) {
  return {partList, library.pathResolver, library.fileCache, library.scanOrder};
}

// The context over the program's own objects (thePartList, thePathResolver, theFileCache,
// theScanOrder): what the application hands down, and the default where none is handed.
const CLibraryContext& ProgramLibrary();
