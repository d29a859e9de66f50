#pragma once
// The part-file cache: every sub-file a model references is loaded once, keyed by its part-list
// handle, and shared by every reference with a use count. Document sub-models are registered here
// too (with use 0, owned by the project) so that references by name resolve to them.
//
// Safety rule: an entry always leaves the arrays before its file is deleted. A file being deleted
// releases the sub-files its references use; such a release then finds either a live entry or no
// entry at all, never a freed file.
#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "config/PartList.h"

class CQvFile;

class CFileCache {
 public:
  CFileCache() = default;
  virtual ~CFileCache();
  CFileCache(const CFileCache&) = delete;
  CFileCache& operator=(const CFileCache&) = delete;

  // The cached file of the key with one more use, else loaded under the part list's name; null
  // when it cannot be loaded. modelFolder: the folder of the model being read.
  CQvFile* GetFile(PartHandle key, const std::string& modelFolder = {});
  // By name, without regard to case or to '\' against '/': document sub-models first, then extra
  // files, library parts and library models. A name in no list is loaded and registered as an
  // extra file.
  CQvFile* GetFileByName(const std::string& name, const std::string& modelFolder = {});
  // One use less (never below 0); the file stays cached. An unknown key changes nothing.
  void ReleaseFile(PartHandle key);
  // A document sub-model, with use 0; the project keeps owning it. 0 when the key is taken.
  int AddModel(PartHandle key, CQvFile* file);
  // Forgets every document sub-model entry (the files are not deleted).
  void DropModelEntries();
  // 0: deletes every file the cache owns and empties it. 1: deletes unused files (and the files
  // only they used) until nothing more goes. Other modes free part images only.
  void Flush(int mode);
  // Deletes the unused files that are no library files (sub-files found beside a model), so that
  // the next model opened reads its own files of those names from its own folder.
  void FlushLocalFiles();
  // The ordered end of the cache at exit: everything is deleted, later fetches fail and releases
  // are ignored.
  void Shutdown();

  // False once the process-wide cache has been destroyed or shut down: element destructors that
  // run later must not call into it.
  static bool IsAlive();

  size_t GetCount() const { return m_files.size(); }
  // Index of the key's entry, -1 when it is not cached.
  int32_t Find(PartHandle key) const;
  CQvFile* GetAt(size_t i) const { return i < m_files.size() ? m_files[i] : nullptr; }
  PartHandle GetKey(size_t i) const { return i < m_keys.size() ? m_keys[i] : 0; }
  uint32_t GetUses(size_t i) const { return i < m_uses.size() ? m_uses[i] : 0; }

 private:
  void Append(PartHandle key, CQvFile* file, uint32_t uses);
  // Loads a new file by name; null (nothing kept) on failure.
  CQvFile* Load(const std::string& name, const std::string& modelFolder);
  // Takes the entries for which drop(i) holds out of the arrays; returns the files the cache owned.
  template <typename Pred>
  std::vector<CQvFile*> TakeOut(Pred drop);
  static void DeleteFiles(std::vector<CQvFile*>& files);

  std::vector<CQvFile*> m_files;
  std::vector<PartHandle> m_keys;
  std::vector<uint32_t> m_uses;
  std::unordered_map<PartHandle, size_t> m_index;  // key -> entry; entries stay in insertion order
  bool m_beingDestroyed = false;
  bool m_ended = false;
};

extern CFileCache theFileCache;

// Lets the sub-file reference of a deleted element go: safe at any time, also during flushes and
// after the cache is gone.
void ReleaseCachedFile(PartHandle key);
