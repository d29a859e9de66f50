#pragma once
// The program's settings as they were when the scope began, put back when it ends: a test that
// changes settings and then leaves early (a failed ASSERT, an exception) still leaves them as it
// found them.
#include "config/Settings.h"

class SettingsSnapshot {
 public:
  explicit SettingsSnapshot(CSettings& settings = theSettings) : m_settings(settings), m_saved(settings) {}
  ~SettingsSnapshot() { m_settings = m_saved; }
  SettingsSnapshot(const SettingsSnapshot&) = delete;
  SettingsSnapshot& operator=(const SettingsSnapshot&) = delete;

  // The values the scope began with.
  const CSettings& Saved() const { return m_saved; }

 private:
  CSettings& m_settings;
  CSettings m_saved;
};
