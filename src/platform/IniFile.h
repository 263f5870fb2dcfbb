// Reading and writing of Windows-style ini files ("[Section]" lines and "Key=Value" lines).
// Section and key names compare without regard to letter case, as the games that ship these
// files expect; values are returned as the raw bytes that follow the first '='.
#pragma once

#include <optional>
#include <string>
#include <string_view>

// The value of Key in Section of the ini file at Path; nothing when the file, the section or
// the key is absent or unreadable. Never creates anything.
std::optional<std::string> ReadIniValue(const std::string& Path, std::string_view Section,
                                        std::string_view Key);

// Parses ini text held in memory; the same rules as ReadIniValue.
std::optional<std::string> FindIniValue(std::string_view Text, std::string_view Section,
                                        std::string_view Key);

// Sets Key in Section (adding either when absent) and rewrites the file through a temporary
// file renamed over the old one; creates missing parent folders. Returns false on failure.
bool WriteIniValue(const std::string& Path, std::string_view Section, std::string_view Key,
                   std::string_view Value);
