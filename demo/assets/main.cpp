// demo_assets FOLDER: draws and composes every asset of the demo game into the game folder.
#include "DemoAssets.h"

#include <cstdio>
#include <exception>

int main(int argc, char** argv) {
  if (argc != 2) {
    std::fprintf(stderr, "usage: demo_assets GAME_FOLDER\n");
    return 2;
  }
  try {
    WriteDemoAssets(argv[1]);
  } catch (const std::exception& Error) {
    std::fprintf(stderr, "demo_assets: %s\n", Error.what());
    return 1;
  }
  return 0;
}
