#pragma once
// The command of a post processor run on an exported step file. The template's "%0".."%7" stand
// for parts of the file's path: %0 the path, %1 its folder (with the final '/'), %2 the file name
// without extension, %3 folder + name; %4-%7 give the same four (they once named short forms of
// them). '%' before any other character gives that character; a final '%' stays.
//
// The path comes from the document's title, a name the user may have received with the file, so
// it never reaches a shell as code: started directly, the template is split into arguments first
// (the user's quotes respected) and each argument is filled in; through the shell, every value and
// the program are quoted for /bin/sh.
#include <string>
#include <vector>

// Folder (up to and including the last '/'), name without extension, extension (without '.').
void SplitExportPath(const std::string& path, std::string& folder, std::string& name, std::string& extension);
// The text as one word for /bin/sh: unchanged when it holds only safe characters, else in single
// quotes.
std::string ShellQuote(const std::string& text);
// Splits a template into words at blanks; '...' and "..." group, a backslash keeps the next
// character. Quotes are removed; "%" sequences are left for the expansion.
std::vector<std::string> SplitArguments(const std::string& text);
// Fills in the "%" sequences; quoted: every value as one shell word.
std::string ExpandTemplate(const std::string& text, const std::string& path, bool quoted);

// The command line for the shell: the quoted program, a blank, the template with quoted values.
std::string ExpandPostProcessorCommand(const std::string& program, const std::string& parameters,
                                       const std::string& path);
// The argument vector for a direct start: the program, then each word of the template filled in.
std::vector<std::string> ExpandPostProcessorArguments(const std::string& program, const std::string& parameters,
                                                      const std::string& path);
// An argument vector written as one line (for the log), each word quoted as the shell would need.
std::string JoinArguments(const std::vector<std::string>& argv);
