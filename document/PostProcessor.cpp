#include "document/PostProcessor.h"

#include <cstring>

void SplitExportPath(const std::string& path, std::string& folder, std::string& name, std::string& extension) {
  const size_t slash = path.rfind('/');
  folder = slash == std::string::npos ? std::string() : path.substr(0, slash + 1);
  const std::string file = slash == std::string::npos ? path : path.substr(slash + 1);
  const size_t dot = file.rfind('.');
  // A leading dot names a hidden file, not an extension.
  if (dot == std::string::npos || dot == 0) {
    name = file;
    extension.clear();
  } else {
    name = file.substr(0, dot);
    extension = file.substr(dot + 1);
  }
}

std::string ShellQuote(const std::string& text) {
  static const char* const kSafe =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_-./+,:=@%";
  bool safe = !text.empty();
  for (char c : text)
    if (!std::strchr(kSafe, c) || c == '\0') safe = false;
  if (safe) return text;
  std::string out = "'";
  for (char c : text) {
    if (c == '\'')
      out += "'\\''";
    else
      out += c;
  }
  return out + "'";
}

std::vector<std::string> SplitArguments(const std::string& text) {
  std::vector<std::string> words;
  std::string word;
  bool inWord = false;
  char quote = 0;
  for (size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if (quote) {
      if (c == quote)
        quote = 0;
      else if (c == '\\' && quote == '"' && i + 1 < text.size() && std::strchr("\"\\$`", text[i + 1]))
        word += text[++i];
      else
        word += c;
    } else if (c == ' ' || c == '\t' || c == '\n') {
      if (inWord) words.push_back(word);
      word.clear();
      inWord = false;
    } else if (c == '\'' || c == '"') {
      quote = c;
      inWord = true;
    } else if (c == '\\' && i + 1 < text.size()) {
      word += text[++i];
      inWord = true;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) words.push_back(word);
  return words;
}

std::string ExpandTemplate(const std::string& text, const std::string& path, bool quoted) {
  std::string folder, name, extension;
  SplitExportPath(path, folder, name, extension);
  const std::string values[4] = {path, folder, name, folder + name};
  std::string out;
  for (size_t i = 0; i < text.size(); ++i) {
    if (text[i] != '%' || i + 1 == text.size()) {
      out += text[i];
      continue;
    }
    const char c = text[++i];
    if (c >= '0' && c <= '7') {
      const std::string& value = values[(c - '0') % 4];
      out += quoted ? ShellQuote(value) : value;
    } else {
      out += c;
    }
  }
  return out;
}

std::string ExpandPostProcessorCommand(const std::string& program, const std::string& parameters,
                                       const std::string& path) {
  return ShellQuote(program) + " " + ExpandTemplate(parameters, path, true);
}

std::vector<std::string> ExpandPostProcessorArguments(const std::string& program, const std::string& parameters,
                                                      const std::string& path) {
  std::vector<std::string> argv{program};
  for (const std::string& word : SplitArguments(parameters)) argv.push_back(ExpandTemplate(word, path, false));
  return argv;
}

std::string JoinArguments(const std::vector<std::string>& argv) {
  std::string line;
  for (const std::string& word : argv) {
    if (!line.empty()) line += ' ';
    line += ShellQuote(word);
  }
  return line;
}
