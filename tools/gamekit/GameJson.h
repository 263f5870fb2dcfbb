// gamekit's JSON form of the game files. Dumping walks the same field tables as the player,
// but over the bytes rather than over objects, so that everything the player ignores (unknown
// chunks, chunk order, duplicates, long compressed integers, bytes after a record) is kept:
// each value is shown readably only when building it back gives exactly the original bytes,
// and otherwise as {"$raw": "<hex>"}. Building the dump therefore gives the file back byte for
// byte.
#pragma once

#include "data/ByteStream.h"
#include "data/Catalog.h"

#include <nlohmann/json.hpp>

#include <span>
#include <stdexcept>
#include <string>

using TJson = nlohmann::ordered_json;

// A JSON document that does not describe a file; the message names the place in the document.
class EGamekitError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

// The kinds of file gamekit knows, found by their header string.
const TFileSchema* FindFileSchema(std::string_view Header);

// The whole file as JSON. Throws EReadError when the header names no known file type.
TJson DumpFile(std::span<const uint8_t> Data, const std::string& CodePage = "CP932");
// The file that a dump describes.
TBytes BuildFile(const TJson& Document);

std::string ToHex(std::span<const uint8_t> Bytes);
TBytes FromHex(std::string_view Hex);  // EGamekitError on bad digits
