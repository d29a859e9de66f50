#pragma once
// The program's profile: sections of named string and integer values kept per user (a
// wxFileConfig file in the XDG config folder, "Plandor.conf"). Tests give a profile of their own.
#include <memory>
#include <string>
#include <vector>

class CProfile {
 public:
  virtual ~CProfile() = default;
  virtual std::string GetProfileString(const std::string& section, const std::string& key,
                                       const std::string& def) = 0;
  virtual int GetProfileInt(const std::string& section, const std::string& key, int def) = 0;
  virtual bool WriteProfileString(const std::string& section, const std::string& key,
                                  const std::string& value) = 0;
  virtual bool WriteProfileInt(const std::string& section, const std::string& key, int value) = 0;
  virtual bool HasEntry(const std::string& section, const std::string& key) = 0;
  // The value names of a section, in the order they were written.
  virtual std::vector<std::string> GetKeys(const std::string& section) = 0;
  virtual bool DeleteKey(const std::string& section, const std::string& key) = 0;
  virtual bool DeleteSection(const std::string& section) = 0;
  // Writes pending changes to disk; false when that failed.
  virtual bool Flush() = 0;
};

// A profile kept in a file (written atomically by Flush and at destruction).
class CFileProfile : public CProfile {
 public:
  explicit CFileProfile(const std::string& path);
  ~CFileProfile() override;
  std::string GetProfileString(const std::string& section, const std::string& key,
                               const std::string& def) override;
  int GetProfileInt(const std::string& section, const std::string& key, int def) override;
  bool WriteProfileString(const std::string& section, const std::string& key,
                          const std::string& value) override;
  bool WriteProfileInt(const std::string& section, const std::string& key, int value) override;
  bool HasEntry(const std::string& section, const std::string& key) override;
  std::vector<std::string> GetKeys(const std::string& section) override;
  bool DeleteKey(const std::string& section, const std::string& key) override;
  bool DeleteSection(const std::string& section) override;
  bool Flush() override;
  const std::string& GetPath() const { return m_path; }

 private:
  struct Impl;
  std::unique_ptr<Impl> m_impl;
  std::string m_path;
};

// The profile in force. Until one is set, the user's file in the config folder is used.
CProfile& TheProfile();
void SetProfile(std::unique_ptr<CProfile> profile);
// The user's profile file: GetUserConfigDirectory() + "Plandor.conf", or in the program's
// private temporary folder when there is no user folder (no home).
std::string GetDefaultProfilePath();
