#include "cadenza/CadenzaFile.h"

#include <sys/stat.h>

#include <cstdio>
#include <memory>

namespace {

struct FileCloser {
  void operator()(FILE* File) const { std::fclose(File); }
};

}  // namespace

std::optional<std::vector<uint8_t>> ReadCadenzaFile(const std::string& Path, size_t MaxBytes) {
  std::unique_ptr<FILE, FileCloser> file(std::fopen(Path.c_str(), "rb"));
  if (!file) return std::nullopt;
  struct stat info {};
  if (fstat(fileno(file.get()), &info) != 0 || !S_ISREG(info.st_mode)) return std::nullopt;
  if (info.st_size < 0 || static_cast<uint64_t>(info.st_size) > MaxBytes) return std::nullopt;
  std::vector<uint8_t> bytes(static_cast<size_t>(info.st_size));
  if (!bytes.empty() && std::fread(bytes.data(), 1, bytes.size(), file.get()) != bytes.size())
    return std::nullopt;
  return bytes;
}
