// The language-pack scan: which "tolvolang<Name>.mo" catalogues in the program folder carry the
// required version and translate every message the program needs. Verdicts are cached per pack
// (size, time stamp, version) so that unchanged packs are not read again at every start.
#include <dirent.h>
#include <fcntl.h>
#include <strings.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdarg>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <set>
#include <string>
#include <vector>

#include "imagelib/LangCache.h"
#include "imagelib/MoCatalog.h"
#include "imagelib/Tolvo.h"

namespace tolvo {
namespace {

constexpr const char* kPrefix = "tolvolang";
constexpr size_t kPrefixLength = 9;
constexpr const char* kSuffix = ".mo";
constexpr size_t kMaxVersion = 19;

struct LangPack {
  std::string title;  // file name without ".mo"
  std::string version;
  unsigned long size = 0;
  std::string timeStamp;
  bool usable = false;
  bool settled = false;
};

// Appends to the program's log while the scan runs; silent when the log cannot be opened.
class CScanLog {
 public:
  explicit CScanLog(const char* path) {
    if (!path || !*path) return;
    int fd = ::open(path, O_WRONLY | O_CREAT | O_APPEND | O_NOFOLLOW | O_CLOEXEC, 0600);
    if (fd >= 0 && !(m_file = ::fdopen(fd, "a"))) ::close(fd);
  }
  ~CScanLog() { Close(); }
  void Close() {
    if (m_file) std::fclose(m_file);
    m_file = nullptr;
  }
  void Printf(const char* format, ...) __attribute__((format(printf, 2, 3))) {
    if (!m_file) return;
    va_list args;
    va_start(args, format);
    std::vfprintf(m_file, format, args);
    va_end(args);
    std::fflush(m_file);
  }

 private:
  FILE* m_file = nullptr;
};

bool SameVersion(const std::string& a, const std::string& b) { return strcasecmp(a.c_str(), b.c_str()) == 0; }

// A title becomes a cache key and a list entry: keep to names that can be both.
bool PlainName(const std::string& name) {
  for (unsigned char c : name)
    if (c < 0x20 || c == '=' || c == '[' || c == 0x7F) return false;
  return true;
}

std::vector<LangPack> FindPacks(const std::string& dir) {
  std::vector<LangPack> packs;
  DIR* d = ::opendir(dir.c_str());
  if (!d) return packs;
  while (dirent* e = ::readdir(d)) {
    std::string name = e->d_name;
    size_t suffix = std::strlen(kSuffix);
    if (name.size() <= kPrefixLength + suffix || name.compare(0, kPrefixLength, kPrefix) != 0 ||
        name.compare(name.size() - suffix, suffix, kSuffix) != 0 || !PlainName(name))
      continue;
    struct stat st;
    if (::stat((dir + name).c_str(), &st) != 0 || !S_ISREG(st.st_mode)) continue;
    LangPack pack;
    pack.title = name.substr(0, name.size() - suffix);
    pack.size = static_cast<unsigned long>(st.st_size);
    std::tm local{};
    time_t mtime = st.st_mtime;
    char stamp[32] = "";
    if (::localtime_r(&mtime, &local)) std::strftime(stamp, sizeof stamp, "%Y%m%d%H%M%S", &local);
    pack.timeStamp = stamp;
    packs.push_back(pack);
  }
  ::closedir(d);
  // Directory order differs between file systems: the list is sorted to be the same everywhere.
  std::sort(packs.begin(), packs.end(), [](const LangPack& a, const LangPack& b) { return a.title < b.title; });
  return packs;
}

// A cache value "flag size timestamp version"; the version is the rest of the line, so that a
// version with blanks survives. False when fewer than four parts are there.
bool ParseCacheValue(const std::string& value, bool& usable, unsigned long& size, std::string& stamp,
                     std::string& version) {
  std::vector<std::string> parts;
  size_t at = 0;
  auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\n' || c == '\r'; };
  for (int i = 0; i < 3; ++i) {
    while (at < value.size() && blank(value[at])) ++at;
    size_t start = at;
    while (at < value.size() && !blank(value[at])) ++at;
    if (start == at) return false;
    parts.push_back(value.substr(start, at - start));
  }
  while (at < value.size() && blank(value[at])) ++at;
  if (at >= value.size()) return false;
  version = value.substr(at);
  usable = (parts[0][0] & ~0x20) == 'Y';
  char* end = nullptr;
  size = std::strtoul(parts[1].c_str(), &end, 10);
  if (!end || *end) return false;
  stamp = parts[2];
  return true;
}

void CheckCache(std::vector<LangPack>& packs, const CLangCache& cache, const std::string& required, CScanLog& log) {
  for (LangPack& pack : packs) {
    std::string value = cache.Get(pack.title);
    bool usable = false;
    unsigned long size = 0;
    std::string stamp, version;
    if (value.empty()) {
      log.Printf("Found new dll '%s' ... checking later ...\n", pack.title.c_str());
    } else if (!ParseCacheValue(value, usable, size, stamp, version)) {
      log.Printf("Found dll '%s' with invalid registry information ... checking later ...\n", pack.title.c_str());
    } else if (size == pack.size && stamp == pack.timeStamp) {
      // The same comparison as the check itself: letter case does not count.
      pack.version = version;
      pack.settled = true;
      if (SameVersion(version, required)) {
        log.Printf("Dll '%s' is well known.\n", pack.title.c_str());
        pack.usable = usable;
      } else {
        log.Printf("Version of Dll '%s' doesn't match ==> ignoring!\n", pack.title.c_str());
      }
    } else {
      log.Printf("Dll '%s' has been changed ... checking later ...\n", pack.title.c_str());
    }
  }
}

// Message ids may hold line ends: log them escaped, one entry per line.
std::string LogText(const std::string& text) {
  std::string out;
  for (char c : text) {
    if (c == '\n') out += "\\n";
    else if (c == '\t') out += "\\t";
    else out += c;
  }
  return out;
}

void CheckPack(LangPack& pack, const std::string& dir, const std::string& required,
               const std::vector<std::string>& requiredIds, CScanLog& log) {
  pack.settled = true;
  CMoCatalog catalogue;
  if (!catalogue.ReadFile(dir + pack.title + kSuffix)) return;
  const std::string* version = catalogue.Find(kTolvoVersionMsgId);
  if (!version || version->empty()) {
    log.Printf("Dll '%s' is missing version information ==> ignoring!\n", pack.title.c_str());
    return;
  }
  // Short, single-line version text: it goes into the cache line.
  std::string v = version->substr(0, kMaxVersion);
  v.resize(std::find_if(v.begin(), v.end(), [](unsigned char c) { return c < 0x20; }) - v.begin());
  pack.version = v;
  if (!SameVersion(v, required)) {
    log.Printf("Version of Dll '%s' doesn't match ==> ignoring!\n", pack.title.c_str());
    return;
  }
  std::vector<const std::string*> missing;
  std::set<std::string> matched;
  for (const std::string& id : requiredIds) {
    if (catalogue.Find(id)) matched.insert(id);
    else missing.push_back(&id);
  }
  if (missing.empty()) {
    log.Printf("Dll '%s' passed compatibility test.\n", pack.title.c_str());
    pack.usable = true;
    return;
  }
  log.Printf("Dll '%s' failed compatibility test!\n", pack.title.c_str());
  log.Printf("Missing resources in '%s':\n", pack.title.c_str());
  for (const std::string* id : missing) log.Printf("Type : %s, Name : %s, Lang: %u\n", "msgid", LogText(*id).c_str(), 0u);
  log.Printf("2 Dll '%s' failed compatibility test!\n", pack.title.c_str());
  log.Printf("Missing resources in '%s':\n", "program");
  for (const auto& [id, text] : catalogue.Messages())
    if (!matched.count(id) && id != kTolvoVersionMsgId)
      log.Printf("Type : %s, Name : %s, Lang: %u\n", "msgid", LogText(id).c_str(), 0u);
}

void ClearList(TolvoStringList* list) {
  for (uint32_t i = 0; list->items && i < list->count; ++i) std::free(list->items[i]);
  std::free(list->items);
  list->items = nullptr;
  list->count = 0;
}

bool AddToList(TolvoStringList* list, const std::string& text) {
  auto* items = static_cast<char**>(std::realloc(list->items, (list->count + 1) * sizeof(char*)));
  if (!items) return false;
  list->items = items;
  char* copy = ::strdup(text.c_str());
  if (!copy) return false;
  list->items[list->count++] = copy;
  return true;
}

}  // namespace
}  // namespace tolvo

using namespace tolvo;

int FreeStringList(TolvoStringList* list) {
  if (list) ClearList(list);
  return 1;
}

namespace tolvo {
namespace {

int Scan(TolvoStringList* list, const char* directory, const char* requiredVersion,
         const char* const* requiredIds, uint32_t requiredIdCount, const char* logPath) {
  ClearList(list);
  if (!AddToList(list, "English")) return 0;
  std::string dir = directory ? directory : "";
  if (!dir.empty() && dir.back() != '/') dir += '/';
  std::string required = requiredVersion ? requiredVersion : "";
  std::vector<std::string> ids;
  for (uint32_t i = 0; requiredIds && i < requiredIdCount; ++i)
    if (requiredIds[i]) ids.emplace_back(requiredIds[i]);

  CScanLog log(logPath);
  log.Printf("Scanning directory '%s' for language dlls\n", dir.c_str());
  std::vector<LangPack> packs = FindPacks(dir);
  if (packs.empty()) return 0;
  for (const LangPack& pack : packs) log.Printf("Prepare checking dll '%s' ... \n", pack.title.c_str());

  CLangCache cache(CLangCache::DefaultPath());
  cache.Load();
  CheckCache(packs, cache, required, log);
  for (LangPack& pack : packs)
    if (!pack.settled) CheckPack(pack, dir, required, ids, log);
  log.Close();

  for (const LangPack& pack : packs) {
    if (!pack.settled) continue;
    if (pack.usable && !AddToList(list, pack.title.substr(kPrefixLength))) return 0;
    char value[64];
    std::snprintf(value, sizeof value, "%c %lu %s ", pack.usable ? 'Y' : 'N', pack.size, pack.timeStamp.c_str());
    cache.Set(pack.title, value + pack.version);
  }
  cache.Save();
  return 1;
}

}  // namespace
}  // namespace tolvo

int ScanCheckLangDlls(TolvoStringList* list, const char* directory, const char* requiredVersion,
                      const char* const* requiredIds, uint32_t requiredIdCount, const char* logPath) {
  if (!list) return 0;
  try {
    return Scan(list, directory, requiredVersion, requiredIds, requiredIdCount, logPath);
  } catch (...) {
    return 0;  // out of memory: nothing may leave the library as an exception
  }
}
