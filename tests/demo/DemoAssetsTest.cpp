// The demo game's assets: every file the generator writes must be one the player can read,
// of the size its kind requires, and two runs must make the same bytes.
#include "DemoAssets.h"
#include "TestFolder.h"
#include "graphics/PrismImage.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <iterator>
#include <map>
#include <memory>
#include <set>

namespace {

std::vector<uint8_t> ReadFile(const std::filesystem::path& Path) {
  std::ifstream In(Path, std::ios::binary);
  return {std::istreambuf_iterator<char>(In), std::istreambuf_iterator<char>()};
}

uint32_t Big(const std::vector<uint8_t>& B, size_t At, int Bytes) {
  uint32_t Value = 0;
  for (int i = 0; i < Bytes; ++i) Value = Value << 8 | B.at(At + size_t(i));
  return Value;
}

uint32_t Little(const std::vector<uint8_t>& B, size_t At, int Bytes) {
  uint32_t Value = 0;
  for (int i = Bytes - 1; i >= 0; --i) Value = Value << 8 | B.at(At + size_t(i));
  return Value;
}

// What a Standard MIDI File says about itself after a walk over every track's events.
struct TMidiSummary {
  int Format = -1, Tracks = 0, Division = 0, NoteOns = 0, TempoEvents = 0;
  std::set<int> Channels;
};

uint32_t ReadVariable(const std::vector<uint8_t>& B, size_t& At, size_t End) {
  uint32_t Value = 0;
  for (int i = 0; i < 4; ++i) {
    if (At >= End) throw std::runtime_error("variable length runs past its track");
    const uint8_t Byte = B[At++];
    Value = Value << 7 | (Byte & 0x7F);
    if (!(Byte & 0x80)) return Value;
  }
  throw std::runtime_error("variable length longer than four bytes");
}

TMidiSummary ParseMidi(const std::vector<uint8_t>& B) {
  TMidiSummary S;
  if (B.size() < 14 || std::string(B.begin(), B.begin() + 4) != "MThd" || Big(B, 4, 4) != 6)
    throw std::runtime_error("no MIDI header");
  S.Format = int(Big(B, 8, 2));
  const int Declared = int(Big(B, 10, 2));
  S.Division = int(Big(B, 12, 2));
  size_t At = 14;
  while (At < B.size()) {
    if (At + 8 > B.size() || std::string(B.begin() + long(At), B.begin() + long(At) + 4) != "MTrk")
      throw std::runtime_error("bad track header");
    const size_t End = At + 8 + Big(B, At + 4, 4);
    if (End > B.size()) throw std::runtime_error("track runs past the file");
    At += 8;
    uint8_t Status = 0;
    bool Ended = false;
    while (At < End) {
      ReadVariable(B, At, End);
      if (B.at(At) & 0x80) Status = B[At++];
      if (Status == 0xFF) {
        const uint8_t Type = B.at(At++);
        const uint32_t Length = ReadVariable(B, At, End);
        S.TempoEvents += Type == 0x51;
        Ended = Type == 0x2F;
        At += Length;
      } else {
        const int Kind = Status & 0xF0;
        const int DataBytes = (Kind == 0xC0 || Kind == 0xD0) ? 1 : 2;
        if (Kind == 0x90 && B.at(At + 1) > 0) ++S.NoteOns, S.Channels.insert(Status & 15);
        if (Kind < 0x80) throw std::runtime_error("running status without a status");
        At += size_t(DataBytes);
      }
    }
    if (At != End || !Ended) throw std::runtime_error("track does not end with its end event");
    ++S.Tracks;
  }
  if (S.Tracks != Declared) throw std::runtime_error("track count differs from the header");
  return S;
}

struct TWaveSummary {
  int Format = 0, Channels = 0, Rate = 0, Bits = 0;
  size_t Samples = 0;
  int Peak = 0;
};

TWaveSummary ParseWave(const std::vector<uint8_t>& B) {
  if (B.size() < 44 || std::string(B.begin(), B.begin() + 4) != "RIFF" ||
      std::string(B.begin() + 8, B.begin() + 12) != "WAVE" || Little(B, 4, 4) != B.size() - 8)
    throw std::runtime_error("no RIFF WAVE header");
  TWaveSummary W;
  size_t At = 12;
  while (At + 8 <= B.size()) {
    const std::string Id(B.begin() + long(At), B.begin() + long(At) + 4);
    const uint32_t Size = Little(B, At + 4, 4);
    if (At + 8 + Size > B.size()) throw std::runtime_error("chunk runs past the file");
    if (Id == "fmt ") {
      W.Format = int(Little(B, At + 8, 2)), W.Channels = int(Little(B, At + 10, 2));
      W.Rate = int(Little(B, At + 12, 4)), W.Bits = int(Little(B, At + 22, 2));
    } else if (Id == "data") {
      W.Samples = Size / 2;
      for (size_t i = 0; i < W.Samples; ++i)
        W.Peak = std::max(W.Peak, std::abs(int(int16_t(Little(B, At + 8 + i * 2, 2)))));
    }
    At += 8 + Size + (Size & 1);
  }
  return W;
}

// One run of the generator shared by the tests of this file; the run is what is under test.
class DemoAssetsTest : public ::testing::Test {
 protected:
  static void SetUpTestSuite() {
    Folder_ = std::make_unique<TTestFolder>();
    WriteDemoAssets(Folder_->Path());
  }
  static void TearDownTestSuite() { Folder_.reset(); }
  static std::filesystem::path Game() { return Folder_->Path(); }

  static std::vector<std::filesystem::path> FilesWith(const std::string& Extension) {
    std::vector<std::filesystem::path> Files;
    for (const auto& Entry : std::filesystem::recursive_directory_iterator(Game()))
      if (Entry.is_regular_file() && Entry.path().extension() == Extension) Files.push_back(Entry.path());
    std::sort(Files.begin(), Files.end());
    return Files;
  }

 private:
  static inline std::unique_ptr<TTestFolder> Folder_;
};

TEST_F(DemoAssetsTest, PicturesHaveTheSizesTheirLayoutsRequire) {
  struct TSize {
    const char* Path;
    int Width, Height;
  };
  // Fixed sizes: chipset 480x256, charsets 288x256, the system image 160x80, sixteen 48x48
  // faces, full-screen pictures 320x240, backdrops 320x160.
  const TSize Sizes[] = {
      {"data/Kingdom.png", 480, 256}, {"data/Party.png", 288, 256},   {"data/People.png", 288, 256},
      {"data/Objects.png", 288, 256}, {"data/Faces.png", 192, 192},   {"data/System.png", 160, 80},
      {"data/Title.png", 320, 240},   {"data/GameOver.png", 320, 240}, {"Panorama/Sky.png", 320, 240},
      {"Panorama/Stars.png", 320, 240}, {"Backdrop/Grassland.png", 320, 160}, {"Backdrop/Forest.png", 320, 160},
      {"Backdrop/Cave.png", 320, 160}, {"Backdrop/Keep.png", 320, 160},
  };
  for (const TSize& S : Sizes) {
    SCOPED_TRACE(S.Path);
    const TPrismBitmap Bitmap = LoadImageFile((Game() / S.Path).string());
    EXPECT_EQ(Bitmap.BitsPerPixel, 8);
    EXPECT_EQ(Bitmap.Width, S.Width);
    EXPECT_EQ(Bitmap.Height, S.Height);
  }
}

TEST_F(DemoAssetsTest, EveryPictureDecodesAndSpritesHaveClearBackgrounds) {
  const auto Pictures = FilesWith(".png");
  ASSERT_EQ(Pictures.size(), 21u);
  for (const auto& Path : Pictures) {
    SCOPED_TRACE(Path.string());
    const TPrismBitmap Bitmap = LoadImageFile(Path.string());
    ASSERT_EQ(Bitmap.BitsPerPixel, 8);
    const std::string Folder = Path.parent_path().filename().string();
    const long Clear = std::count(Bitmap.Pixels.begin(), Bitmap.Pixels.end(), 0);
    // Monsters, animation cells and sprites are drawn with index 0 see-through, so their corner
    // must be clear; screens and backdrops are opaque and must not contain it at all.
    if (Folder == "Monster" || Folder == "Battle" || Path.stem() == "Party" || Path.stem() == "Faces") {
      EXPECT_EQ(Bitmap.Pixels[0], 0);
    }
    if (Folder == "Backdrop" || Folder == "Panorama" || Path.stem() == "Title" || Path.stem() == "GameOver") {
      EXPECT_EQ(Clear, 0);
    }
    if (Folder == "Battle") {
      EXPECT_EQ(Bitmap.Width % 96, 0);
      EXPECT_EQ(Bitmap.Height % 96, 0);
    }
  }
}

TEST_F(DemoAssetsTest, ChipsetGroundIsOpaqueAndTheBlankUpperTileIsEmpty) {
  const TPrismBitmap Chipset = LoadImageFile((Game() / "data/Kingdom.png").string());
  auto ClearIn = [&](int X, int Y, int W, int H) {
    int Count = 0;
    for (int y = Y; y < Y + H; ++y)
      for (int x = X; x < X + W; ++x) Count += Chipset.ScanLine(y)[x] == 0;
    return Count;
  };
  // Water (96x64 and 48x64), the three animated columns and the twelve terrain blocks.
  EXPECT_EQ(ClearIn(0, 0, 96, 64), 0);
  EXPECT_EQ(ClearIn(0, 64, 48, 64), 0);
  EXPECT_EQ(ClearIn(48, 64, 48, 64), 0);
  EXPECT_EQ(ClearIn(0, 128, 96, 128), 0);
  EXPECT_EQ(ClearIn(96, 0, 96, 256), 0);
  // Lower tile 0 at (192, 0) is plain ground; upper tile 0 at (288, 128) is the blank.
  EXPECT_EQ(ClearIn(192, 0, 16, 16), 0);
  EXPECT_EQ(ClearIn(288, 128, 16, 16), 256);
}

TEST_F(DemoAssetsTest, SongsAreWellFormedMidiFilesWithTempoAndNotes) {
  const auto Songs = FilesWith(".mid");
  ASSERT_EQ(Songs.size(), 9u);
  for (const auto& Path : Songs) {
    SCOPED_TRACE(Path.string());
    const TMidiSummary S = ParseMidi(ReadFile(Path));
    EXPECT_EQ(S.Format, 1);
    EXPECT_EQ(S.Division, 480);
    EXPECT_GE(S.Tracks, 4);      // conductor, melody, harmony, bass
    EXPECT_EQ(S.TempoEvents, 1);
    EXPECT_GT(S.NoteOns, 16);
    EXPECT_TRUE(S.Channels.count(0) && S.Channels.count(1) && S.Channels.count(2));
  }
}

TEST_F(DemoAssetsTest, SoundsAreShortMono16BitWaves) {
  const auto Sounds = FilesWith(".wav");
  ASSERT_EQ(Sounds.size(), 17u);
  for (const char* SystemSound : {"Cursor", "Decision", "Cancel", "Buzzer", "BattleStart", "Escape", "EnemyAttack",
                                  "EnemyDamage", "ActorDamage", "Evasion", "EnemyDefeat", "ItemUse"})
    EXPECT_TRUE(std::filesystem::exists(Game() / "data" / (std::string(SystemSound) + ".wav"))) << SystemSound;
  for (const auto& Path : Sounds) {
    SCOPED_TRACE(Path.string());
    const TWaveSummary W = ParseWave(ReadFile(Path));
    EXPECT_EQ(W.Format, 1);
    EXPECT_EQ(W.Channels, 1);
    EXPECT_EQ(W.Rate, 22050);
    EXPECT_EQ(W.Bits, 16);
    EXPECT_GT(W.Samples, 22050u / 50);   // longer than 20 ms
    EXPECT_LT(W.Samples, 22050u * 2);    // shorter than two seconds
    EXPECT_GT(W.Peak, 3000);             // audible, not silence
  }
}

TEST_F(DemoAssetsTest, PackageFlagSaysTheGameCarriesItsAssets) {
  const auto Bytes = ReadFile(Game() / "data" / "$$$.i");
  EXPECT_EQ(std::string(Bytes.begin(), Bytes.end()), "[TOVRAX]\r\nFullPackageFlag=1\r\n");
}

TEST_F(DemoAssetsTest, TwoRunsMakeIdenticalBytes) {
  const std::vector<TDemoFile> Again = MakeDemoAssets();
  size_t Compared = 0;
  for (const TDemoFile& File : Again) {
    SCOPED_TRACE(File.Path);
    EXPECT_EQ(ReadFile(Game() / File.Path), File.Bytes);
    ++Compared;
  }
  EXPECT_EQ(Compared, 21u + 9u + 17u + 1u);
}

}  // namespace
