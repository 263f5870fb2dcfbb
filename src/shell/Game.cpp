#include "shell/Game.h"

#include <chrono>

#include "shell/Scene.h"

TGame::TGame(Platform& device, TCadenzaBridge& audio, TProgramValues values)
    : Device(device),
      Audio(audio),
      Values(std::move(values)),
      Folder(Values.GameFolder, Values.PackageFolder) {
  Random.Seed(uint64_t(std::chrono::steady_clock::now().time_since_epoch().count()));
}

TGame::~TGame() = default;
