// A scratch folder for one test, removed when the test ends.
#pragma once

#include <filesystem>
#include <fstream>
#include <random>
#include <string>

class TTestFolder {
 public:
  TTestFolder() {
    std::random_device seed;
    Path_ = std::filesystem::temp_directory_path() /
            ("tessera-test-" + std::to_string(seed()) + std::to_string(seed()));
    std::filesystem::create_directories(Path_);
  }
  ~TTestFolder() {
    std::error_code ignored;
    std::filesystem::permissions(Path_, std::filesystem::perms::owner_all,
                                 std::filesystem::perm_options::add, ignored);
    std::filesystem::remove_all(Path_, ignored);
  }
  TTestFolder(const TTestFolder&) = delete;
  TTestFolder& operator=(const TTestFolder&) = delete;

  const std::filesystem::path& Path() const { return Path_; }
  std::string operator/(const std::string& name) const { return (Path_ / name).string(); }

  // Writes Bytes to the file Name (folders created as needed); returns its path.
  std::string Write(const std::string& name, const std::string& bytes) const {
    const auto file = Path_ / name;
    std::filesystem::create_directories(file.parent_path());
    std::ofstream(file, std::ios::binary) << bytes;
    return file.string();
  }

 private:
  std::filesystem::path Path_;
};

// Sets an environment variable for the life of the object, restoring the old value after.
class TScopedEnv {
 public:
  TScopedEnv(const char* name, const char* value) : Name_(name) {
    if (const char* old = std::getenv(name)) Old_ = old, HadOld_ = true;
    if (value) setenv(name, value, 1);
    else unsetenv(name);
  }
  ~TScopedEnv() {
    if (HadOld_) setenv(Name_.c_str(), Old_.c_str(), 1);
    else unsetenv(Name_.c_str());
  }

 private:
  std::string Name_, Old_;
  bool HadOld_ = false;
};
