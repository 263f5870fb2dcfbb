#include "platform/IniFile.h"

#include <cstdio>
#include <filesystem>
#include <fstream>
#include <sstream>
#include <vector>

namespace {

std::string_view Trim(std::string_view s) {
  const auto first = s.find_first_not_of(" \t\r");
  if (first == std::string_view::npos) return {};
  const auto last = s.find_last_not_of(" \t\r");
  return s.substr(first, last - first + 1);
}

bool SameName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) return false;
  for (size_t i = 0; i < a.size(); ++i) {
    auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; };
    if (lower(a[i]) != lower(b[i])) return false;
  }
  return true;
}

std::vector<std::string_view> SplitLines(std::string_view text) {
  std::vector<std::string_view> lines;
  size_t start = 0;
  while (start <= text.size()) {
    const size_t end = text.find('\n', start);
    if (end == std::string_view::npos) {
      if (start < text.size()) lines.push_back(text.substr(start));
      break;
    }
    lines.push_back(text.substr(start, end - start));
    start = end + 1;
  }
  return lines;
}

// "[Name]" gives Name; any other line gives nothing.
std::optional<std::string_view> SectionName(std::string_view line) {
  line = Trim(line);
  if (line.size() < 2 || line.front() != '[' || line.back() != ']') return std::nullopt;
  return Trim(line.substr(1, line.size() - 2));
}

std::optional<std::string> ReadWholeFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  if (!in) return std::nullopt;
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}

}  // namespace

std::optional<std::string> FindIniValue(std::string_view text, std::string_view section,
                                        std::string_view key) {
  // An empty section name means the lines before the first section header.
  bool inSection = section.empty();
  for (std::string_view line : SplitLines(text)) {
    if (auto name = SectionName(line)) {
      inSection = SameName(*name, section);
      continue;
    }
    if (!inSection) continue;
    const size_t eq = line.find('=');
    if (eq == std::string_view::npos) continue;
    if (SameName(Trim(line.substr(0, eq)), key)) {
      return std::string(Trim(line.substr(eq + 1)));
    }
  }
  return std::nullopt;
}

std::optional<std::string> ReadIniValue(const std::string& path, std::string_view section,
                                         std::string_view key) {
  const auto text = ReadWholeFile(path);
  if (!text) return std::nullopt;
  return FindIniValue(*text, section, key);
}

bool WriteIniValue(const std::string& path, std::string_view section, std::string_view key,
                   std::string_view value) {
  const std::string text = ReadWholeFile(path).value_or("");
  std::vector<std::string> out;
  bool inSection = false, sectionSeen = false, written = false;
  const std::string entry = std::string(key) + "=" + std::string(value);
  for (std::string_view line : SplitLines(text)) {
    if (auto name = SectionName(line)) {
      if (inSection && !written) {
        out.push_back(entry);
        written = true;
      }
      inSection = SameName(*name, section);
      sectionSeen = sectionSeen || inSection;
    } else if (inSection && !written) {
      const size_t eq = line.find('=');
      if (eq != std::string_view::npos && SameName(Trim(line.substr(0, eq)), key)) {
        out.push_back(entry);
        written = true;
        continue;
      }
    }
    out.emplace_back(line);
  }
  if (!written) {
    if (!sectionSeen) out.push_back("[" + std::string(section) + "]");
    out.push_back(entry);
  }

  std::error_code error;
  const std::filesystem::path target(path);
  if (target.has_parent_path()) std::filesystem::create_directories(target.parent_path(), error);
  const std::string temporary = path + ".tmp";
  {
    std::ofstream file(temporary, std::ios::binary | std::ios::trunc);
    for (const auto& line : out) file << line << '\n';
    file.flush();
    if (!file) return false;
  }
  std::filesystem::rename(temporary, target, error);
  return !error;
}
