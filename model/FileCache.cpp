#include "model/FileCache.h"

#include <exception>

#include "config/PathResolver.h"
#include "model/LibraryLoader.h"
#include "model/QvFile.h"

CFileCache theFileCache;

namespace {
// Trivially destructible, so it stays readable after the cache object's own destruction.
bool g_cacheGone = false;

bool IsDocumentModel(PartHandle key) { return CPartList::GetCategory(key) == kDocumentModels; }

std::string WithBackslashes(const std::string& name) {
  std::string out = name;
  for (char& c : out)
    if (c == '/') c = '\\';
  return out;
}
}  // namespace

CFileCache::~CFileCache() {
  m_beingDestroyed = true;
  g_cacheGone = true;
  std::vector<CQvFile*> owned = TakeOut([](size_t) { return true; });
  DeleteFiles(owned);
}

bool CFileCache::IsAlive() { return !g_cacheGone; }

void ReleaseCachedFile(PartHandle key) {
  if (CFileCache::IsAlive()) theFileCache.ReleaseFile(key);
}

int32_t CFileCache::Find(PartHandle key) const {
  auto it = m_index.find(key);
  return it == m_index.end() ? -1 : static_cast<int32_t>(it->second);
}

void CFileCache::Append(PartHandle key, CQvFile* file, uint32_t uses) {
  m_index.emplace(key, m_files.size());
  m_files.push_back(file);
  m_keys.push_back(key);
  m_uses.push_back(uses);
}

CQvFile* CFileCache::Load(const std::string& name, const std::string& modelFolder) {
  auto* file = new CQvFile;
  int ok = 0;
  try {
    ok = LoadPart(*file, name, modelFolder);
  } catch (const std::exception&) {
    ok = 0;
  }
  if (!ok) {
    delete file;
    return nullptr;
  }
  return file;
}

CQvFile* CFileCache::GetFile(PartHandle key, const std::string& modelFolder) {
  if (m_ended || key == 0) return nullptr;
  if (int32_t i = Find(key); i >= 0) {
    ++m_uses[static_cast<size_t>(i)];
    return m_files[static_cast<size_t>(i)];
  }
  const char* name = thePartList.GetFileName(key);
  if (!name) return nullptr;
  CQvFile* file = Load(name, modelFolder);
  if (!file) return nullptr;
  // A nested load may have cached the same key meanwhile (a part reached through two spellings).
  if (int32_t i = Find(key); i >= 0) {
    delete file;
    ++m_uses[static_cast<size_t>(i)];
    return m_files[static_cast<size_t>(i)];
  }
  file->partKey = key;
  file->KeepExtentPoints();
  file->UpdateExtent();
  Append(key, file, 1);
  return file;
}

CQvFile* CFileCache::GetFileByName(const std::string& name, const std::string& modelFolder) {
  if (m_ended || name.empty()) return nullptr;
  const std::string key = WithBackslashes(name);
  if (PartHandle h = thePartList.FindByName(key, kAllCategories)) return GetFile(h, modelFolder);
  CQvFile* file = Load(name, modelFolder);
  if (!file) return nullptr;
  PartHandle h = thePartList.FindByName(key, kAllCategories);
  if (h == 0) h = thePartList.AddExtraEntry(key);
  if (h == 0) {
    delete file;
    return nullptr;
  }
  if (int32_t i = Find(h); i >= 0) {
    delete file;
    ++m_uses[static_cast<size_t>(i)];
    return m_files[static_cast<size_t>(i)];
  }
  file->partKey = h;
  file->KeepExtentPoints();
  file->UpdateExtent();
  Append(h, file, 1);
  return file;
}

void CFileCache::ReleaseFile(PartHandle key) {
  if (m_beingDestroyed) return;
  int32_t i = Find(key);
  if (i < 0) return;
  uint32_t& uses = m_uses[static_cast<size_t>(i)];
  if (uses > 0) --uses;
  if (uses == 0 && m_files[static_cast<size_t>(i)]) m_files[static_cast<size_t>(i)]->FreePartImages();
}

int CFileCache::AddModel(PartHandle key, CQvFile* file) {
  if (m_ended || !file || key == 0 || Find(key) >= 0) return 0;
  file->partKey = key;
  file->UpdateExtent();
  Append(key, file, 0);
  return 1;
}

template <typename Pred>
std::vector<CQvFile*> CFileCache::TakeOut(Pred drop) {
  std::vector<CQvFile*> owned;
  size_t kept = 0;
  for (size_t i = 0; i < m_files.size(); ++i) {
    if (drop(i)) {
      if (!IsDocumentModel(m_keys[i])) owned.push_back(m_files[i]);
      continue;
    }
    m_files[kept] = m_files[i];
    m_keys[kept] = m_keys[i];
    m_uses[kept] = m_uses[i];
    ++kept;
  }
  m_files.resize(kept);
  m_keys.resize(kept);
  m_uses.resize(kept);
  m_index.clear();
  for (size_t i = 0; i < kept; ++i) m_index.emplace(m_keys[i], i);
  return owned;
}

void CFileCache::DeleteFiles(std::vector<CQvFile*>& files) {
  // Newest first: a file is loaded after the sub-files it uses, so users go before what they use.
  for (size_t i = files.size(); i-- > 0;) delete files[i];
  files.clear();
}

void CFileCache::DropModelEntries() {
  TakeOut([this](size_t i) { return IsDocumentModel(m_keys[i]); });
}

void CFileCache::Flush(int mode) {
  if (mode == 0) {
    // Every entry leaves before any file is deleted, and the releases of the deleted files'
    // references are not counted: nothing they touch is left to count on.
    bool wasDestroying = m_beingDestroyed;
    m_beingDestroyed = true;
    std::vector<CQvFile*> owned = TakeOut([](size_t) { return true; });
    DeleteFiles(owned);
    m_beingDestroyed = wasDestroying;
    thePathResolver.Invalidate();
    return;
  }
  for (CQvFile* file : m_files)
    if (file) file->FreePartImages();
  if (mode != 1) return;  // part images only
  // Deleting an unused file releases what it used, which may leave more files unused: repeat.
  for (;;) {
    std::vector<CQvFile*> owned =
        TakeOut([this](size_t i) { return m_uses[i] == 0 && !IsDocumentModel(m_keys[i]); });
    if (owned.empty()) break;
    DeleteFiles(owned);
  }
}

void CFileCache::FlushLocalFiles() {
  for (;;) {
    std::vector<CQvFile*> owned = TakeOut([this](size_t i) {
      return m_uses[i] == 0 && !IsDocumentModel(m_keys[i]) && !m_files[i]->libraryFile;
    });
    if (owned.empty()) break;
    DeleteFiles(owned);
  }
}

void CFileCache::Shutdown() {
  Flush(0);
  m_ended = true;
  g_cacheGone = true;
}
