#pragma once
// The part of the start-up that brings the program's data up before the main window exists:
// default colours, settings (with the language packs and the library base folder), the scan order,
// the file-type check and the part list. Its inputs are explicit so that tests can run it with a
// scripted prompt, a library folder and a profile of their own.
#include <functional>
#include <memory>
#include <string>

#include "app/FileTypes.h"
#include "platform/Profile.h"

class CPartList;
class CScanOrder;
class CSettings;
class IPrompt;

// Shows that a long step (the library scan) is running.
class IStartUpProgress {
 public:
  virtual ~IStartUpProgress() = default;
  virtual void Begin(const std::string& text) = 0;
  virtual void End() = 0;
};

struct StartUpOptions {
  IPrompt* prompt = nullptr;             // null: the prompt in force
  std::unique_ptr<CProfile> profile;     // null: the profile in force
  std::string baseFolder;                // non-empty: stored as the library base folder first
  std::string iniPath;                   // empty: the program's Plandor.ini
  // Asked for a library when the base folder is unusable; false ends the program (status 0).
  std::function<bool(std::string& folder)> chooseBasePath;
  IStartUpProgress* progress = nullptr;
  FileTypePlaces fileTypes;              // where the file-type check looks and writes
  CSettings* settings = nullptr;         // null: theSettings
  CPartList* partList = nullptr;         // null: thePartList
  CScanOrder* scanOrder = nullptr;       // null: theScanOrder
};

// How a part-list load ended.
enum class PartListLoad {
  Loaded,     // Parts.lst read
  Created,    // scanned and written
  Declined,   // missing, and the user did not want it built: empty list
  WriteFailed,  // scanned, but Parts.lst could not be written (reported)
  NothingFound  // the scan found no part at all (reported)
};

// Loads Parts.lst of the base folder or, when it is missing or unreadable, offers to build it by
// scanning the library's Parts folder; then scans the shown folders of the scan order. Used at
// start-up and when the base folder changes.
PartListLoad LoadPartList(CPartList& list, const CScanOrder& order, const std::string& base,
                          IStartUpProgress* progress);

class CStartUp {
 public:
  explicit CStartUp(StartUpOptions options);
  ~CStartUp();
  CStartUp(const CStartUp&) = delete;
  CStartUp& operator=(const CStartUp&) = delete;

  // The steps in start-up order; each returns false when the program must end (ExitCode()).
  void FillDefaultColors();
  bool LoadSettings();
  void CreateCacheHeap();
  void LoadScanOrder();
  void CheckFileTypes();
  bool LoadPartList();
  // The steps before the command line, then the part list (what runs before the main window).
  bool Run();

  int ExitCode() const { return m_exitCode; }
  PartListLoad GetPartListLoad() const { return m_partListLoad; }

 private:
  StartUpOptions m_options;
  CSettings& m_settings;
  CPartList& m_partList;
  CScanOrder& m_scanOrder;
  IPrompt* m_previousPrompt = nullptr;
  int m_exitCode = 0;
  PartListLoad m_partListLoad = PartListLoad::Declined;
};
