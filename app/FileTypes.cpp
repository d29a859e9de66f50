#include "app/FileTypes.h"

#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <sstream>

#include "config/StringUtils.h"
#include "config/Tracer.h"
#include "platform/AtomicFile.h"
#include "platform/Folders.h"
#include "platform/Process.h"
#include "platform/Prompt.h"
#include "resources/StringIds.h"

namespace {
constexpr const char* kMimeRelative = "mime/packages/plandor.xml";
constexpr const char* kDesktopRelative = "applications/plandor.desktop";

std::string WithoutSlash(std::string path) {
  while (path.size() > 1 && path.back() == '/') path.pop_back();
  return path;
}

std::string ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return {};
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

bool WriteWholeFile(const std::string& path, const std::string& text) {
  std::filesystem::path target(path);
  if (!MakeDirectories(target.parent_path().string())) return false;
  CAtomicFile file;
  FILE* f = file.Open(path);
  if (!f) return false;
  std::fwrite(text.data(), 1, text.size(), f);
  return file.Commit();
}

// Desktop-entry quoting: a path with blanks or reserved characters goes in double quotes.
std::string QuoteExec(const std::string& path) {
  if (path.find_first_of(" \t\n\"'\\><~|&;$*?#()`") == std::string::npos) return path;
  std::string quoted = "\"";
  for (char c : path) {
    if (c == '"' || c == '`' || c == '$' || c == '\\') quoted += '\\';
    quoted += c;
  }
  return quoted + "\"";
}

// The program named by a desktop entry's Exec value, quotes undone.
std::string ExecProgram(const std::string& exec) {
  std::string value = exec;
  TrimString(value);
  if (value.empty() || value[0] != '"') return value.substr(0, value.find(' '));
  std::string program;
  for (size_t i = 1; i < value.size() && value[i] != '"'; ++i) {
    if (value[i] == '\\' && i + 1 < value.size()) ++i;
    program += value[i];
  }
  return program;
}

void LogCheck(const std::string& key, bool ok) {
  if (ok)
    theTracer.Printf("File type registration check: %s is registered.\n", key.c_str());
  else
    theTracer.Printf("File type registration check: %s not (properly) registered!\n", key.c_str());
}
}  // namespace

FileTypePlaces CFileTypeRegistration::DefaultPlaces() {
  FileTypePlaces places;
  if (const char* d = std::getenv("XDG_DATA_HOME"); d && *d == '/')
    places.dataHome = d;
  else if (const char* h = std::getenv("HOME"); h && *h)
    places.dataHome = std::string(h) + "/.local/share";
  std::string dirs = "/usr/local/share:/usr/share";
  if (const char* d = std::getenv("XDG_DATA_DIRS"); d && *d) dirs = d;
  std::stringstream list(dirs);
  for (std::string dir; std::getline(list, dir, ':');)
    if (!dir.empty() && dir[0] == '/') places.dataDirs.push_back(dir);
  std::error_code ec;
  std::filesystem::path exe = std::filesystem::read_symlink("/proc/self/exe", ec);
  if (!ec) places.programPath = exe.string();
  return places;
}

std::string CFileTypeRegistration::MimeFilePath() const {
  return WithoutSlash(m_places.dataHome) + "/" + kMimeRelative;
}

std::string CFileTypeRegistration::DesktopFilePath() const {
  return WithoutSlash(m_places.dataHome) + "/" + kDesktopRelative;
}

std::vector<std::string> CFileTypeRegistration::SearchFolders() const {
  std::vector<std::string> folders;
  if (!m_places.dataHome.empty()) folders.push_back(WithoutSlash(m_places.dataHome));
  for (const std::string& dir : m_places.dataDirs) folders.push_back(WithoutSlash(dir));
  return folders;
}

std::string CFileTypeRegistration::MimeText() const {
  std::string text =
      "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
      "<mime-info xmlns=\"http://www.freedesktop.org/standards/shared-mime-info\">\n";
  for (auto [type, glob] : {std::pair{kLdrMimeType, "*.ldr"}, std::pair{kMpdMimeType, "*.mpd"}}) {
    text += std::string("  <mime-type type=\"") + type + "\">\n";
    text += "    <comment>Plandor Document</comment>\n";
    text += std::string("    <glob pattern=\"") + glob + "\"/>\n";
    text += "  </mime-type>\n";
  }
  return text + "</mime-info>\n";
}

std::string CFileTypeRegistration::DesktopText() const {
  return "[Desktop Entry]\n"
         "Type=Application\n"
         "Name=Plandor\n"
         "Comment=Plandor Document\n"
         "Exec=" + QuoteExec(m_places.programPath) + " %f\n"
         "Terminal=false\n"
         "Categories=Graphics;3DGraphics;\n"
         "MimeType=" + kLdrMimeType + ";" + kMpdMimeType + ";\n";
}

bool CFileTypeRegistration::CheckDesktopEntry() const {
  const std::string key = "plandor.desktop";
  for (const std::string& folder : SearchFolders()) {
    std::string text = ReadWholeFile(folder + "/" + kDesktopRelative);
    if (text.empty()) continue;
    // The entry must start this program (the path may be followed by its arguments).
    std::istringstream lines(text);
    bool ok = false;
    for (std::string line; std::getline(lines, line);) {
      if (line.rfind("Exec=", 0) != 0) continue;
      ok = !m_places.programPath.empty() && ExecProgram(line.substr(5)) == m_places.programPath;
      break;
    }
    LogCheck(key, ok);
    return ok;
  }
  theTracer.Printf("File type registration check: %s not registered!\n", key.c_str());
  return false;
}

bool CFileTypeRegistration::CheckExtension(const std::string& extension) const {
  const std::string type = EqualsNoCase(extension, ".mpd") ? kMpdMimeType : kLdrMimeType;
  const std::string glob = "*" + ToLowerAscii(extension);
  for (const std::string& folder : SearchFolders()) {
    std::string text = ReadWholeFile(folder + "/" + kMimeRelative);
    if (text.empty()) continue;
    // The type must be declared with the extension's glob inside its own block.
    std::string lower = ToLowerAscii(text);
    size_t start = lower.find("<mime-type type=\"" + ToLowerAscii(type) + "\"");
    size_t end = start == std::string::npos ? start : lower.find("</mime-type>", start);
    bool ok = end != std::string::npos &&
              lower.substr(start, end - start).find("pattern=\"" + glob + "\"") != std::string::npos;
    LogCheck(extension, ok);
    return ok;
  }
  theTracer.Printf("File type registration check: %s not registered!\n", extension.c_str());
  return false;
}

bool CFileTypeRegistration::IsRegistered() const {
  return CheckDesktopEntry() && CheckExtension(".ldr") && CheckExtension(".mpd");
}

bool CFileTypeRegistration::Register() const {
  if (m_places.dataHome.empty() || m_places.programPath.empty() ||
      !WriteWholeFile(MimeFilePath(), MimeText()) || !WriteWholeFile(DesktopFilePath(), DesktopText())) {
    theTracer.Printf("ERROR: File type registration failed (no priviledge?)!\n");
    return false;
  }
  RunUpdaters();
  return true;
}

bool CFileTypeRegistration::Unregister() const {
  std::error_code ec;
  std::filesystem::remove(MimeFilePath(), ec);
  std::filesystem::remove(DesktopFilePath(), ec);
  bool gone = !FileExists(MimeFilePath()) && !FileExists(DesktopFilePath());
  if (!gone) theTracer.Printf("ERROR: File type unregistration failed!\n");
  RunUpdaters();
  return gone;
}

void CFileTypeRegistration::RunUpdaters() const {
  if (!m_places.runUpdaters) return;
  // Best effort: desktops without these tools read the files directly.
  std::string home = WithoutSlash(m_places.dataHome);
  if (RunProcess({"update-mime-database", home + "/mime"}) != 0)
    theTracer.Printf("INFO: update-mime-database did not run.\n");
  if (RunProcess({"update-desktop-database", home + "/applications"}) != 0)
    theTracer.Printf("INFO: update-desktop-database did not run.\n");
}

int CheckFileTypeRegistration(int regFileTypes, const CFileTypeRegistration& registration) {
  theTracer.Printf("\nFile type registration check\n");
  if (regFileTypes == 0) {
    theTracer.Printf("File type registration check: Disabled\n\n");
    return 1;
  }
  if (registration.Places().programPath.empty()) {
    theTracer.Printf("File type registration check: Internal error!\n");
    return 0;
  }
  if (registration.IsRegistered()) return 1;
  PromptAnswer answer = ShowMessageId(kStringAskRegister, PromptButtons::YesNo, PromptIcon::Question);
  if (answer != PromptAnswer::Yes && answer != PromptAnswer::Ok) {
    theTracer.Printf("File type registration check: Registration skipped!\n\n");
    return 1;
  }
  theTracer.Printf("File type registration check: Registering now\n\n");
  return registration.Register() ? 1 : 0;
}
