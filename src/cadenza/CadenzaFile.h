// Whole-file reading for the library's decoders, with a size ceiling so that a huge or endless
// file (a device node, a runaway download) is refused instead of filling memory.
#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// The bytes of the regular file at Path, or nothing when it is missing, not a regular file,
// unreadable or larger than MaxBytes.
std::optional<std::vector<uint8_t>> ReadCadenzaFile(const std::string& Path, size_t MaxBytes);
