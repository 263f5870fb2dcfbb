// A minimal game folder for tests that start the player: a database written by our own writer
// and the flag that says the game needs no resource package.
#pragma once

#include <string>

#include "CodecBytes.h"
#include "TestFolder.h"
#include "database/LD_DataBase.h"

inline std::string WriteMinimalGame(const TTestFolder& root, const std::string& name = "game") {
  const TBytes bytes = SavedBytes(TLcfDataBase());
  root.Write(name + "/data/$$$.B", std::string(bytes.begin(), bytes.end()));
  root.Write(name + "/data/$$$.i", "[TOVRAX]\r\nFullPackageFlag=1\r\n");
  return root / name;
}
