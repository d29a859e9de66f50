#pragma once
// The help table: which help page answers a help request. Help ids follow one rule for the whole
// program: kHelpIdCommand + a command id for a command (a menu item, a tool, a key), kHelpIdDialog +
// a dialog's resource id for a dialog or a page of the settings sheet. The rows are searched in
// order and the first row with the id wins; a page is a file of the help folder, optionally
// followed by "#" and an anchor.
#include <cstdint>
#include <string>

inline constexpr uint32_t kHelpIdCommand = 0x10000;
inline constexpr uint32_t kHelpIdDialog = 0x20000;
// The help window's own dialog id: a request for it is ignored.
inline constexpr int kHelpDialogId = 168;

// The contents and the index page of every language folder.
inline constexpr const char* kHelpContentsPage = "Plandor.htm";
inline constexpr const char* kHelpIndexPage = "MainIndex.htm";

struct HelpTopic {
  uint32_t helpId;
  const char* page;
};

// Position + 1 of the first row with the id; 0 when there is none.
int FindHelpTopic(uint32_t helpId);
// The row of FindHelpTopic's result (1-based); nullptr outside the table.
const HelpTopic* GetHelpTopic(int topic);
// How many rows the table has.
int GetHelpTopicCount();

// The page of a help id; empty when the table has no row for it.
std::string GetHelpPage(uint32_t helpId);
