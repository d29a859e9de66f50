#include "platform/Profile.h"

#include <wx/fileconf.h>
#include <wx/log.h>
#include <wx/wfstream.h>

#include "platform/Folders.h"

namespace {
// Section and key names become paths of the config file: "/Section/Key".
wxString EntryPath(const std::string& section, const std::string& key) {
  return wxString::FromUTF8("/" + section + "/" + key);
}

std::unique_ptr<CProfile>& Current() {
  static std::unique_ptr<CProfile> profile;
  return profile;
}
}  // namespace

struct CFileProfile::Impl {
  std::unique_ptr<wxFileConfig> config;
};

CFileProfile::CFileProfile(const std::string& path) : m_impl(std::make_unique<Impl>()), m_path(path) {
  wxLogNull quiet;  // a missing file is an empty profile, not an error
  m_impl->config = std::make_unique<wxFileConfig>(
      wxString(), wxString(), wxString::FromUTF8(path), wxString(),
      wxCONFIG_USE_LOCAL_FILE | wxCONFIG_USE_RELATIVE_PATH);
  m_impl->config->SetExpandEnvVars(false);
  m_impl->config->SetUmask(0077);
}

CFileProfile::~CFileProfile() { Flush(); }

std::string CFileProfile::GetProfileString(const std::string& section, const std::string& key,
                                           const std::string& def) {
  wxString value;
  if (!m_impl->config->Read(EntryPath(section, key), &value)) return def;
  return value.ToStdString(wxConvUTF8);
}

int CFileProfile::GetProfileInt(const std::string& section, const std::string& key, int def) {
  long value = def;
  if (!m_impl->config->Read(EntryPath(section, key), &value)) return def;
  return static_cast<int>(value);
}

bool CFileProfile::WriteProfileString(const std::string& section, const std::string& key,
                                      const std::string& value) {
  return m_impl->config->Write(EntryPath(section, key), wxString::FromUTF8(value));
}

bool CFileProfile::WriteProfileInt(const std::string& section, const std::string& key, int value) {
  return m_impl->config->Write(EntryPath(section, key), static_cast<long>(value));
}

bool CFileProfile::HasEntry(const std::string& section, const std::string& key) {
  return m_impl->config->HasEntry(EntryPath(section, key));
}

std::vector<std::string> CFileProfile::GetKeys(const std::string& section) {
  std::vector<std::string> keys;
  wxString old = m_impl->config->GetPath();
  wxString groupPath = wxString::FromUTF8("/" + section);
  if (!m_impl->config->HasGroup(groupPath)) return keys;
  m_impl->config->SetPath(groupPath);
  wxString name;
  long index = 0;
  for (bool more = m_impl->config->GetFirstEntry(name, index); more;
       more = m_impl->config->GetNextEntry(name, index))
    keys.push_back(name.ToStdString(wxConvUTF8));
  m_impl->config->SetPath(old);
  return keys;
}

bool CFileProfile::DeleteKey(const std::string& section, const std::string& key) {
  return m_impl->config->DeleteEntry(EntryPath(section, key), false);
}

bool CFileProfile::DeleteSection(const std::string& section) {
  return m_impl->config->DeleteGroup(wxString::FromUTF8("/" + section));
}

bool CFileProfile::Flush() {
  wxLogNull quiet;
  return m_impl->config->Flush();
}

CProfile& TheProfile() {
  if (!Current()) Current() = std::make_unique<CFileProfile>(GetDefaultProfilePath());
  return *Current();
}

void SetProfile(std::unique_ptr<CProfile> profile) { Current() = std::move(profile); }

std::string GetDefaultProfilePath() {
  // Without a home the settings last for the run only: a bare name would be written into whatever
  // folder is current, and opening a model changes into the model's folder.
  std::string folder = GetUserConfigDirectory();
  if (folder.empty()) folder = GetTempDirectory();
  return folder + "Plandor.conf";
}
