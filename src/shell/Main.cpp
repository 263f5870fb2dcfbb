// tessera: plays a game folder made by the game editor.
#include <unistd.h>

#include <climits>
#include <string>
#include <vector>

#include "shell/Startup.h"

namespace {

std::string ProgramPath(const char* argv0) {
  char buffer[PATH_MAX];
  const ssize_t length = readlink("/proc/self/exe", buffer, sizeof buffer - 1);
  if (length > 0) return std::string(buffer, size_t(length));
  return argv0 ? argv0 : "";
}

}  // namespace

int main(int argc, char** argv) {
  std::vector<std::string> arguments(argv + 1, argv + argc);
  return RunTessera(arguments, ProgramPath(argc > 0 ? argv[0] : nullptr));
}
