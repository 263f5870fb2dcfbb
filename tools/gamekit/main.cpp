// gamekit: prints a game file as JSON ("dump"), writes the JSON back as the file ("build") and
// writes a minimal game folder ("new-game"). The round trip gives the original file byte for byte.
#include "GameJson.h"
#include "MapRender.h"
#include "NewGame.h"

#include "database/LD_DataBase.h"
#include "maps/LD_Map.h"
#include "maps/LD_MapTree.h"

#include <cstring>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

const char Usage[] =
    "usage: gamekit dump FILE [--codepage CP932] [-o OUT.json]\n"
    "       gamekit build FILE.json OUT\n"
    "       gamekit new-game DIR [--title TITLE]\n"
    "       gamekit render GAME MAPID OUT.png [--frame N]\n"
    "dump prints a game file as JSON; build writes such JSON back as the file;\n"
    "new-game writes a game folder with one actor and one map.\n";

// The player's own reader decides whether a file is readable; its error names where the damage is.
void CheckWithPlayer(std::span<const uint8_t> Data) {
  TByteReader In(Data);
  const std::string Header = In.BerString();
  TByteReader All(Data);
  if (Header == TLcfDataBase::Header) {
    TLcfDataBase().LoadFromStream(All);
  } else if (Header == TLcfMapTree::Header) {
    TLcfMapTree().LoadFromStream(All);
  } else if (Header == TLcfMap::Header) {
    TLcfMap().LoadFromBytes(Data);
  } else {
    throw EReadError(0);
  }
}

int Dump(int Argc, char** Argv) {
  std::string File, Out, CodePage = "CP932";
  for (int I = 0; I < Argc; ++I) {
    if (!std::strcmp(Argv[I], "--codepage") && I + 1 < Argc)
      CodePage = Argv[++I];
    else if (!std::strcmp(Argv[I], "-o") && I + 1 < Argc)
      Out = Argv[++I];
    else if (File.empty())
      File = Argv[I];
    else
      return std::cerr << Usage, 2;
  }
  if (File.empty()) return std::cerr << Usage, 2;
  try {
    const TBytes Data = ReadWholeFile(File);
    CheckWithPlayer(Data);
    const std::string Text = DumpFile(Data, CodePage).dump(1) + "\n";
    if (Out.empty()) {
      std::cout << Text;
    } else {
      WriteWholeFile(Out, std::span(reinterpret_cast<const uint8_t*>(Text.data()), Text.size()));
    }
    return 0;
  } catch (const EReadError& E) {
    std::cerr << File << ": " << E.what() << " at offset " << E.Offset;
    if (!E.Path.empty()) std::cerr << " in " << E.Path;
    std::cerr << "\n";
  } catch (const std::exception& E) {
    std::cerr << File << ": " << E.what() << "\n";
  }
  return 1;
}

int Build(int Argc, char** Argv) {
  if (Argc != 2) return std::cerr << Usage, 2;
  const std::string File = Argv[0], Out = Argv[1];
  try {
    std::ifstream In(File, std::ios::binary);
    if (!In) throw EFileError(File);
    const TJson Document = TJson::parse(In);
    const TBytes Data = BuildFile(Document);
    WriteWholeFile(Out, Data);
    return 0;
  } catch (const std::exception& E) {
    std::cerr << File << ": " << E.what() << "\n";
  }
  return 1;
}

int NewGame(int Argc, char** Argv) {
  std::string Folder;
  TNewGameOptions Options;
  for (int I = 0; I < Argc; ++I) {
    if (!std::strcmp(Argv[I], "--title") && I + 1 < Argc)
      Options.Title = Argv[++I];
    else if (Folder.empty())
      Folder = Argv[I];
    else
      return std::cerr << Usage, 2;
  }
  if (Folder.empty()) return std::cerr << Usage, 2;
  try {
    WriteNewGame(Folder, Options);
    return 0;
  } catch (const std::exception& E) {
    std::cerr << Folder << ": " << E.what() << "\n";
  }
  return 1;
}

}  // namespace

int main(int Argc, char** Argv) {
  if (Argc >= 2 && !std::strcmp(Argv[1], "dump")) return Dump(Argc - 2, Argv + 2);
  if (Argc >= 2 && !std::strcmp(Argv[1], "build")) return Build(Argc - 2, Argv + 2);
  if (Argc >= 2 && !std::strcmp(Argv[1], "new-game")) return NewGame(Argc - 2, Argv + 2);
  if (Argc >= 2 && !std::strcmp(Argv[1], "render")) {
    return RenderMapCommand(std::vector<std::string>(Argv + 2, Argv + Argc));
  }
  std::cerr << Usage;
  return 2;
}
