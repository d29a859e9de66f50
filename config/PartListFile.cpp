// The part list file Parts.lst and the scan of library folders that builds it.
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <new>
#include <optional>
#include <system_error>
#include <thread>

#include "config/LdrException.h"
#include "config/PartList.h"
#include "config/PathResolver.h"
#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Prompt.h"

namespace {

constexpr size_t kMaxListLine = 1023;
constexpr size_t kMaxFirstLine = 1022;
constexpr std::string_view kMovedTo = "~Moved to";

bool IsBlank(char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n' || c == '\v' || c == '\f'; }

std::string WithSlash(std::string folder) {
  if (!folder.empty() && folder.back() != '/') folder += '/';
  return folder;
}

// A description as Parts.lst keeps it: cut to 64 characters, blanks trimmed. A scan compares this
// form, so that a long first line does not count as a change against the list it was read from.
std::string StoredForm(const std::string& description) {
  std::string s = description.substr(0, CPartList::kDescriptionWidth);
  TrimString(s);
  return s;
}

bool HasExtension(const std::string& name, std::string_view ext) {
  return name.size() > ext.size() &&
         EqualsNoCase(std::string_view(name).substr(name.size() - ext.size()), ext);
}

// Reads one line (without its end) of at most `limit` characters; the rest of a longer line is
// dropped. False at the end of the file.
bool ReadLine(FILE* f, std::string& line, size_t limit) {
  line.clear();
  int c;
  bool any = false;
  while ((c = std::getc(f)) != EOF) {
    any = true;
    if (c == '\n') return true;
    if (line.size() < limit) line += static_cast<char>(c);
  }
  return any;
}

// The regular files of a folder, sorted by name so that scans do not depend on the file system.
std::vector<std::string> ListFiles(const std::string& folder) {
  std::vector<std::string> names;
  DIR* dir = opendir(folder.c_str());
  if (!dir) return names;
  while (dirent* e = readdir(dir)) {
    if (e->d_type == DT_DIR) continue;
    std::string name = e->d_name;
    if (e->d_type == DT_UNKNOWN || e->d_type == DT_LNK) {
      struct stat st;
      if (::stat((folder + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    }
    names.push_back(std::move(name));
  }
  closedir(dir);
  std::sort(names.begin(), names.end());
  return names;
}

bool ReadWholeFile(const std::string& path, std::string& bytes) {
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return false;
  bytes.clear();
  std::vector<char> buffer(65536);
  size_t n;
  while ((n = std::fread(buffer.data(), 1, buffer.size(), f)) > 0) bytes.append(buffer.data(), n);
  bool ok = !std::ferror(f);
  std::fclose(f);
  return ok;
}

// The first line (without its end) of at most `limit` characters; the rest of a longer line is
// dropped. A scan reads the first line of every file in the library: a plain read of the usual
// short line, with no stream buffer and no character-by-character reading. False when the file
// cannot be opened.
bool ReadFirstLine(int dirFd, const std::string& path, std::string& line, size_t limit) {
  line.clear();
  const int fd = ::openat(dirFd, path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) return false;
  char buffer[1024];
  for (;;) {
    const ssize_t n = ::read(fd, buffer, sizeof buffer);
    if (n < 0 && errno == EINTR) continue;
    if (n <= 0) break;
    const auto* newline = static_cast<const char*>(std::memchr(buffer, '\n', static_cast<size_t>(n)));
    const size_t length = newline ? static_cast<size_t>(newline - buffer) : static_cast<size_t>(n);
    if (line.size() < limit) line.append(buffer, std::min(length, limit - line.size()));
    if (newline) break;
  }
  ::close(fd);
  return true;
}

// The description of a library file from its first line; 0 when it cannot be opened. path is
// taken relative to the folder dirFd (AT_FDCWD: as given).
int DescriptionFrom(int dirFd, const std::string& path, const std::string& fileName, std::string& description) {
  std::string line;
  if (!ReadFirstLine(dirFd, path, line, kMaxFirstLine)) return 0;
  std::string_view s = line;
  if (s.substr(0, 3) == "\xEF\xBB\xBF") s.remove_prefix(3);  // a UTF-8 byte-order mark
  while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
  description.clear();
  if (!s.empty() && s.front() == '0') {
    s.remove_prefix(1);
    while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    while (s.substr(0, 5) == "WRITE") {
      s.remove_prefix(5);
      while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
    }
    while (!s.empty() && IsBlank(s.back())) s.remove_suffix(1);
    description = std::string(s);
  }
  if (description.empty()) description = fileName;
  return 1;
}

// The descriptions of the files in the folder dirFd, read on several threads: the scan waits on
// opening and reading small files far longer than it computes. Empty for a file that cannot be
// opened; false when memory ran out.
bool DescriptionsFrom(int dirFd, const std::vector<std::string>& names,
                      std::vector<std::optional<std::string>>& descriptions) {
  descriptions.assign(names.size(), std::nullopt);
  constexpr size_t kFilesPerThread = 256, kBatch = 32;
  const size_t machine = std::max(1u, std::thread::hardware_concurrency());
  const size_t threads = std::clamp<size_t>(names.size() / kFilesPerThread, 1, machine);
  std::atomic<size_t> next{0};
  std::atomic<bool> failed{false};
  auto work = [&] {
    try {
      std::string description;
      for (size_t from = next.fetch_add(kBatch); from < names.size() && !failed; from = next.fetch_add(kBatch))
        for (size_t i = from; i < std::min(from + kBatch, names.size()); ++i)
          if (DescriptionFrom(dirFd, names[i], names[i], description)) descriptions[i] = description;
    } catch (const std::bad_alloc&) {
      failed = true;
    }
  };
  std::vector<std::thread> helpers;
  try {
    for (size_t t = 1; t < threads; ++t) helpers.emplace_back(work);
  } catch (const std::system_error&) {
    // Fewer threads read more files each.
  }
  work();
  for (std::thread& t : helpers) t.join();
  return !failed;
}

}  // namespace

// --- file operations

bool CPartListFileOps::CopyFile(const std::string& from, const std::string& to) {
  std::error_code ec;
  return std::filesystem::copy_file(from, to, std::filesystem::copy_options::overwrite_existing, ec) && !ec;
}

bool CPartListFileOps::WriteFile(const std::string& target, const std::string& bytes) {
  CAtomicFile file;
  FILE* f = file.Open(target);
  if (!f) return false;
  if (std::fwrite(bytes.data(), 1, bytes.size(), f) != bytes.size()) return false;
  return file.Commit();
}

// --- reading

int CPartList::ReadDescription(const std::string& folder, const std::string& fileName,
                               std::string& description) {
  return DescriptionFrom(AT_FDCWD, WithSlash(folder) + fileName, fileName, description);
}

std::string CPartList::GetPartsListFolder(const std::string& base, bool forWriting) const {
  std::string user = m_places.userFolder.empty() ? GetUserConfigDirectory() : WithSlash(m_places.userFolder);
  bool writable = m_places.isWritable ? m_places.isWritable(base) : IsWritableDirectory(base);
  if (writable || user.empty()) return WithSlash(base);
  if (forWriting) return user;
  // A list written to the per-user folder earlier replaces the library's own.
  return thePathResolver.Resolve(user, kListFileName).empty() ? WithSlash(base) : user;
}

int CPartList::LoadPartsList(const std::string& base, const std::string& name) {
  thePathResolver.Invalidate();  // the list may have been written since the folder was listed
  std::string folder = GetPartsListFolder(base, false);
  if (folder != WithSlash(base))
    theTracer.Printf("INFO: The library folder is not writable, reading %s from %s\n", name.c_str(),
                     folder.c_str());
  std::string path = thePathResolver.Resolve(folder, name);
  return LoadPartsListFrom(path.empty() ? folder + name : path);
}

int CPartList::LoadPartsListFrom(const std::string& path) {
  Clear();
  LoadGroupInfos();
  FILE* f = std::fopen(path.c_str(), "rb");
  if (!f) return 0;
  Category& cat = m_cat[kLibraryParts];
  std::string line;
  try {
    while (ReadLine(f, line, kMaxListLine)) {
      std::string_view s = line;
      while (!s.empty() && IsBlank(s.front())) s.remove_prefix(1);
      if (s.empty()) continue;
      size_t end = 0;
      while (end < s.size() && !IsBlank(s[end])) ++end;
      std::string name(s.substr(0, end));
      std::string description(s.substr(end));
      if (TrimString(description) == 0) description = name;
      cat.entries.push_back(
          std::make_unique<PartListEntry>(PartListEntry{std::move(name), std::move(description), 0}));
    }
  } catch (const std::bad_alloc&) {
    // keep what was read
  }
  std::fclose(f);
  cat.count = static_cast<unsigned>(cat.entries.size());
  RebuildIndex(kLibraryParts);
  BuildGroups();
  return 1;
}

// --- writing

std::string CPartList::FormatPartsList() const {
  std::string out;
  const Category& cat = m_cat[kLibraryParts];
  out.reserve(cat.count * 82);
  for (unsigned i = 0; i < cat.count; ++i) {
    const PartListEntry* e = cat.entries[i].get();
    if (!e || !(e->flags & PartListEntry::kSeen)) continue;
    std::string description = e->description.substr(0, kDescriptionWidth);
    description.resize(kDescriptionWidth, ' ');
    if (description.compare(0, 6, "Model\\") == 0) continue;
    out += e->fileName;
    if (e->fileName.size() < kNameWidth) out.append(kNameWidth - e->fileName.size(), ' ');
    out += ' ';
    out += description;
    out += '\n';
  }
  return out;
}

void CPartList::SavePartsList(const std::string& base) {
  std::string folder = GetPartsListFolder(base, true);
  if (folder != WithSlash(base)) {
    theTracer.Printf("INFO: The library folder is not writable, writing %s to %s\n", kListFileName,
                     folder.c_str());
    if (!MakeDirectories(folder)) throw CLdrException(1);
  }
  SavePartsListTo(folder);
}

// The new list goes to a temporary file that replaces Parts.lst only once it is complete, so a
// failed write, flush or close leaves the previous list in place; Parts.old is still made first.
void CPartList::SavePartsListTo(const std::string& folderIn) {
  CPartListFileOps realOps;
  CPartListFileOps& ops = m_ops ? *m_ops : realOps;
  std::string folder = WithSlash(folderIn);
  thePathResolver.Invalidate();
  std::string list = thePathResolver.Resolve(folder, kListFileName);
  std::string old = thePathResolver.Resolve(folder, kOldListFileName);
  bool hadList = !list.empty() && FileExists(list);
  if (list.empty()) list = folder + kListFileName;
  if (old.empty()) old = folder + kOldListFileName;

  if (hadList && !ops.CopyFile(list, old)) throw CLdrException(0);
  std::string text = FormatPartsList();
  bool written = ops.WriteFile(list, text);
  thePathResolver.Invalidate();
  if (written) return;
  // Without an earlier list there is nothing to restore (and an old Parts.old is stale).
  if (!hadList) throw CLdrException(1);
  std::string now, before;
  bool intact = FileExists(list) && ReadWholeFile(list, now) && ReadWholeFile(old, before) && now == before;
  if (intact || ops.CopyFile(old, list)) throw CLdrException(1);
  throw CLdrException(2);
}

// --- scanning

bool CPartList::ScanPattern(const std::string& folder, const std::vector<std::string>& names, int category,
                            int& changed) {
  std::vector<std::unique_ptr<PartListEntry>> staged;
  // The files are opened relative to their folder, which is looked up once.
  const int dirFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (dirFd < 0 && !names.empty()) return true;  // the folder went away: no files
  struct CloseDir {
    int fd;
    ~CloseDir() {
      if (fd >= 0) ::close(fd);
    }
  } closeDir{dirFd};
  try {
    std::vector<std::optional<std::string>> descriptions;
    if (!DescriptionsFrom(dirFd, names, descriptions)) return false;
    for (size_t i = 0; i < names.size(); ++i) {
      if (!descriptions[i]) continue;
      const std::string& name = names[i];
      const std::string& description = *descriptions[i];
      PartHandle known = FindByName(name, category);
      if (known) {
        // Any entry of this name that already holds the description counts, so that a changed
        // part is not staged again on every scan.
        std::string stored = StoredForm(description);
        PartListEntry* same = nullptr;
        for (uint32_t index : m_cat[category].byName.find(ToLowerAscii(name))->second) {
          PartListEntry* e = m_cat[category].entries[index].get();
          if (e && StoredForm(e->description) == stored) {
            same = e;
            break;
          }
        }
        if (same) {
          same->flags |= PartListEntry::kSeen;
          continue;
        }
      }
      if (description.compare(0, kMovedTo.size(), kMovedTo) == 0) continue;
      staged.push_back(
          std::make_unique<PartListEntry>(PartListEntry{name, description, PartListEntry::kSeen}));
      changed = 1;
    }
  } catch (const std::bad_alloc&) {
    return false;
  }
  if (!staged.empty()) AppendStaged(category, staged);
  return true;
}

void CPartList::AppendStaged(int category, std::vector<std::unique_ptr<PartListEntry>>& staged) {
  Category& cat = m_cat[category];
  cat.entries.resize(cat.count);
  for (auto& e : staged) cat.entries.push_back(std::move(e));
  cat.count = static_cast<unsigned>(cat.entries.size());
  DropUsage(category);
  SortByDescription(category);
  BuildGroups();
}

int CPartList::ScanDirectory(const std::string& base, const std::string& folder, bool models, int& changed,
                             ScanFolderKind kind) {
  CBusyCursor busy;
  changed = 0;
  if (folder.empty()) return 0;
  // A scan looks at the disk afresh; the resolver's listings may be older than the library.
  thePathResolver.Invalidate();
  std::string dir;
  if (kind == ScanFolderKind::Absolute) {
    if (folder[0] != '/') return 0;  // never relative to the process's current folder
    dir = thePathResolver.ResolvePath("/", folder);
  } else {
    size_t skip = folder.find_first_not_of("\\/");
    if (skip == std::string::npos) return 0;
    dir = thePathResolver.Resolve(base, std::string_view(folder).substr(skip));
  }
  if (dir.empty()) return 1;  // a missing folder holds no files
  dir = WithSlash(dir);
  std::vector<std::string> all = ListFiles(dir);
  int category = models ? kLibraryModels : kLibraryParts;
  for (std::string_view ext :
       models ? std::vector<std::string_view>{".dat", ".ldr"} : std::vector<std::string_view>{".dat"}) {
    std::vector<std::string> names;
    for (const std::string& n : all)
      if (HasExtension(n, ext)) names.push_back(n);
    if (!ScanPattern(dir, names, category, changed)) return 0;
  }
  return 1;
}
