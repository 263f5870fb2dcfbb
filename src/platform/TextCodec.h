// Game text is kept as bytes in the game's code page everywhere; only what leaves the program
// for the desktop (window captions, message boxes, terminal output) is converted to UTF-8.
#pragma once

#include <string>
#include <string_view>

// Converts CP932 (Shift-JIS) bytes to UTF-8; bytes that do not decode are replaced by U+FFFD.
std::string Cp932ToUtf8(std::string_view Text);
