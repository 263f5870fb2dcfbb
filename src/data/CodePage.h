// Strict conversion between a game's code page (CP932 by default) and UTF-8, for what leaves
// the game's byte world: file names on disk and the JSON of gamekit. Nothing is replaced: text
// that does not convert exactly gives nothing, so callers can keep the original bytes.
#pragma once

#include <optional>
#include <string>
#include <string_view>

std::optional<std::string> ConvertText(std::string_view Text, const char* From, const char* To);
inline std::optional<std::string> CodePageToUtf8(std::string_view Text, const std::string& CodePage = "CP932") {
  return ConvertText(Text, CodePage.c_str(), "UTF-8");
}
inline std::optional<std::string> Utf8ToCodePage(std::string_view Text, const std::string& CodePage = "CP932") {
  return ConvertText(Text, "UTF-8", CodePage.c_str());
}
// The text converted to UTF-8 and back gives exactly the same bytes.
std::optional<std::string> ReversibleUtf8(std::string_view Text, const std::string& CodePage = "CP932");
