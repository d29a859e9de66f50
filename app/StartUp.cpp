#include "app/StartUp.h"

#include "config/BuiltinColors.h"
#include "config/ColorTable.h"
#include "config/LdrException.h"
#include "config/PartList.h"
#include "config/ScanOrder.h"
#include "config/Settings.h"
#include "config/Tracer.h"
#include "platform/Profile.h"
#include "platform/Prompt.h"
#include "render/MemHeap.h"
#include "resources/StringIds.h"

namespace {

// Ends the progress display however the scan leaves.
class CProgressScope {
 public:
  CProgressScope(IStartUpProgress* progress, const std::string& text) : m_progress(progress) {
    if (m_progress) m_progress->Begin(text);
  }
  ~CProgressScope() {
    if (m_progress) m_progress->End();
  }
  CProgressScope(const CProgressScope&) = delete;
  CProgressScope& operator=(const CProgressScope&) = delete;

 private:
  IStartUpProgress* m_progress;
};
}  // namespace

PartListLoad LoadPartList(CPartList& list, const CScanOrder& order, const std::string& base,
                          IStartUpProgress* progress) {
  theTracer.Printf("\nLoading part list ...\n");
  if (list.LoadPartsList(base)) {
    // The shown folders are few next to the library: the splash window covers their scan, and a
    // progress window of its own would cost more than the scan.
    order.ScanShownDirs(list, base);
    return PartListLoad::Loaded;
  }
  theTracer.Printf("  ERROR no part list!\n");
  PromptAnswer answer = ShowMessageId(kStringAskCreatePartList, PromptButtons::YesNo, PromptIcon::Question);
  if (answer != PromptAnswer::Yes && answer != PromptAnswer::Ok) return PartListLoad::Declined;

  PartListLoad result = PartListLoad::Loaded;
  {
    CProgressScope scope(progress, "Scanning the parts of the library ...");
    CBusyCursor busy;
    int changed = 0;
    list.ScanDirectory(base, "Parts", false, changed);
    if (list.GetCount(kLibraryParts) == 0) {
      theTracer.Printf("  ERROR no parts!\n");
      ShowMessageId(kStringScanFailed, PromptButtons::Ok, PromptIcon::Stop);
      return PartListLoad::NothingFound;
    }
    if (changed) {
      theTracer.Printf("  Part list created!\n");
      result = PartListLoad::Created;
      try {
        list.SavePartsList(base);
      } catch (const CLdrException& e) {
        static constexpr unsigned kIds[3] = {kStringPartListCopyFailed, kStringPartListWriteRecovered,
                                             kStringPartListWriteLost};
        int code = e.GetCode() < 0 || e.GetCode() > 2 ? 2 : e.GetCode();
        ShowMessageId(kIds[code], PromptButtons::Ok, PromptIcon::Exclamation);
        result = PartListLoad::WriteFailed;
      }
    }
  }
  CProgressScope scope(progress, "Scanning the library folders ...");
  order.ScanShownDirs(list, base);
  return result;
}

CStartUp::CStartUp(StartUpOptions options)
    : m_options(std::move(options)),
      m_settings(m_options.settings ? *m_options.settings : theSettings),
      m_partList(m_options.partList ? *m_options.partList : thePartList),
      m_scanOrder(m_options.scanOrder ? *m_options.scanOrder : theScanOrder) {
  if (m_options.prompt) {
    m_previousPrompt = &ThePrompt();
    SetPrompt(m_options.prompt);
  }
  if (m_options.profile) SetProfile(std::move(m_options.profile));
}

CStartUp::~CStartUp() {
  if (m_options.prompt) SetPrompt(m_previousPrompt);
}

void CStartUp::FillDefaultColors() {
  BuildColorTable(BuiltinColors.data(), theDefaultColors, kColorCount);
}

bool CStartUp::LoadSettings() {
  if (!m_options.baseFolder.empty())
    TheProfile().WriteProfileString(kSettingsSection, "Zebpath", m_options.baseFolder);
  m_settings.ChooseBasePath = m_options.chooseBasePath;
  m_settings.Load();
  if (m_settings.BasePathRefused) {
    // The user chose to end the program rather than name a library: not a failure.
    theTracer.Printf("No library base folder chosen: Plandor ends.\n");
    m_exitCode = 0;
    return false;
  }
  theTracer.Printf("Library base folder: '%s'\n", m_settings.BasePath.c_str());
  return true;
}

void CStartUp::CreateCacheHeap() {
  // Before the part list and the views; the maintenance flag (compaction, statistics) is always on
  // here. A failed creation only disables the part images.
  CreateRenderCache(1);
}

void CStartUp::LoadScanOrder() { m_scanOrder.LoadFromIni(m_settings.BasePath, m_options.iniPath); }

void CStartUp::CheckFileTypes() {
  CFileTypeRegistration registration(m_options.fileTypes);
  if (CheckFileTypeRegistration(m_settings.RegFileTypes, registration)) return;
  // Off from now on (saved with the settings at exit), so the question does not come back.
  m_settings.RegFileTypes = 0;
  ShowMessageId(kStringFileTypesFailed, PromptButtons::Ok, PromptIcon::Stop);
}

bool CStartUp::LoadPartList() {
  m_partListLoad = ::LoadPartList(m_partList, m_scanOrder, m_settings.BasePath, m_options.progress);
  if (m_partListLoad != PartListLoad::NothingFound) return true;
  // A library without a single part is a failed start.
  m_exitCode = 1;
  return false;
}

bool CStartUp::Run() {
  FillDefaultColors();
  if (!LoadSettings()) return false;
  CreateCacheHeap();
  LoadScanOrder();
  CheckFileTypes();
  return LoadPartList();
}
