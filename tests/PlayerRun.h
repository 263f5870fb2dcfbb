// Runs the real tessera program and collects what it printed and how it ended.
#pragma once

#include <sys/wait.h>

#include <array>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>

#include "TestFolder.h"

struct TRun {
  int ExitCode = -1;
  std::string Output;  // stdout and stderr together
};

// Runs the player with Arguments (quoted by the caller) and a user configuration and data
// folder of its own under Home, so no setting or save of the machine's user is seen.
inline TRun Play(const TTestFolder& home, const std::string& arguments) {
  const std::string command = "env -u TESSERA_PACKAGE XDG_CONFIG_HOME='" + (home / "cfg") +
                              "' XDG_DATA_HOME='" + (home / "share") + "' '" TESSERA_BINARY_DIR
                              "/tessera' " + arguments + " 2>&1";
  TRun run;
  FILE* pipe = popen(command.c_str(), "r");
  if (!pipe) return run;
  std::array<char, 4096> buffer;
  while (size_t n = fread(buffer.data(), 1, buffer.size(), pipe)) run.Output.append(buffer.data(), n);
  const int status = pclose(pipe);
  run.ExitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
  return run;
}

inline std::string ReadFile(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::ostringstream text;
  text << in.rdbuf();
  return text.str();
}
