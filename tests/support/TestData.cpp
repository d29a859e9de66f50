#include "support/TestData.h"

#include <unistd.h>

#include <clocale>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>

namespace fs = std::filesystem;

namespace {
std::string Slash(std::string p) {
  if (!p.empty() && p.back() != '/') p += '/';
  return p;
}
}  // namespace

std::string TestLibraryDir() {
  if (const char* env = std::getenv("LDRAWDIR"); env && *env && fs::is_directory(env)) return Slash(env);
  std::string shared = std::string(PLANDOR_SHARED_DIR) + "/ldraw";
  return fs::is_directory(shared) ? Slash(fs::canonical(shared).string()) : std::string();
}

std::string TestModelsDir() {
  std::string shared = std::string(PLANDOR_SHARED_DIR) + "/ldraw-models";
  return fs::is_directory(shared) ? Slash(fs::canonical(shared).string()) : std::string();
}

std::string TestFixture(const std::string& relative) {
  return std::string(PLANDOR_TEST_SOURCE_DIR) + "/data/" + relative;
}

CScratchDir::CScratchDir() {
  std::string pattern = (fs::temp_directory_path() / "plandor-test-XXXXXX").string();
  if (mkdtemp(pattern.data())) m_path = Slash(pattern);
}

CScratchDir::~CScratchDir() {
  std::error_code ec;
  if (!m_path.empty()) {
    // Make everything writable again first, so that tests of read-only folders clean up.
    for (auto it = fs::recursive_directory_iterator(m_path, ec); !ec && it != fs::end(it); it.increment(ec))
      fs::permissions(it->path(), fs::perms::owner_all, fs::perm_options::add, ec);
    fs::permissions(m_path, fs::perms::owner_all, fs::perm_options::add, ec);
    fs::remove_all(m_path, ec);
  }
}

std::string ReadFileBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  return std::string((std::istreambuf_iterator<char>(in)), {});
}

bool WriteFileBytes(const std::string& path, const std::string& bytes) {
  std::ofstream out(path, std::ios::binary);
  out << bytes;
  return static_cast<bool>(out.flush());
}

CGermanLocale::CGermanLocale() {
  m_ok = std::setlocale(LC_ALL, "de_DE.UTF-8") != nullptr;
}

CGermanLocale::~CGermanLocale() { std::setlocale(LC_ALL, "C"); }
