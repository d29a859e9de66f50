#pragma once
// Shared set-up of the part list tests: a profile of their own (groups and favourites are kept in
// it), import files looked for in a scratch folder, and a small library written to disk.
#include <string>

#include "config/PartList.h"
#include "support/TestData.h"

// Installs a fresh file profile in a scratch folder for the test's lifetime.
class CScratchProfile {
 public:
  CScratchProfile();
  ~CScratchProfile();
  const CScratchDir& Dir() const { return m_dir; }

 private:
  CScratchDir m_dir;
};

// A part list whose profile, import folder and per-user folder are all scratch folders.
struct CTestPartList {
  CTestPartList();
  CScratchProfile profile;
  CScratchDir userDir;
  CScratchDir importDir;
  CPartList list;
};

// Writes a small library below `base`: folders "Parts" and "models" with names in mixed case.
void WriteFixtureLibrary(const std::string& base);
// The 70-character description of the fixture's custom part.
std::string FixtureLongDescription();
