#include "TilesTestUtil.h"

#include "data/GameFolder.h"
#include "database/LD_Animation.h"
#include "graphics/GR_Animation.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

namespace {

constexpr uint16_t Backdrop = 0xFFFF;

// Ten 96x96 cells in two rows of five. Cell p has index 2p+1 in its left half and 2p+2 in its
// right half; cell 0 is white and cell 1 black.
TPrismBitmap LabelledCells() {
  TPrismBitmap Bitmap = IndexedBitmap(480, 192);
  for (int32_t P = 0; P < 10; ++P) {
    const int32_t X = (P % 5) * 96, Y = (P / 5) * 96;
    FillBitmap(Bitmap, X, Y, 48, 96, uint8_t(2 * P + 1));
    FillBitmap(Bitmap, X + 48, Y, 48, 96, uint8_t(2 * P + 2));
  }
  Bitmap.Palette[1] = Bitmap.Palette[2] = {255, 255, 255, 0};
  Bitmap.Palette[3] = Bitmap.Palette[4] = {0, 0, 0, 0};
  return Bitmap;
}

struct TTiming {
  int32_t Frame;
  uint8_t Scope;
  int32_t Red, Green, Blue, Level;
  std::string Sound = "(OFF)";
  int32_t Volume = 100, Tempo = 100, Balance = 50;
};

class RecordingSoundPlayer : public TLcfAnimationSoundPlayer {
 public:
  struct TCall {
    std::string Path;
    int32_t Volume, Tempo, Balance;
  };
  void PlayAnimationSound(const std::string& Path, int32_t Volume, int32_t Tempo, int32_t Balance) override {
    Calls.push_back({Path, Volume, Tempo, Balance});
  }
  std::vector<TCall> Calls;
};

class AnimationGraphicTest : public ::testing::Test {
 protected:
  AnimationGraphicTest() : Game(Scratch.Path().string()), Graphic(Game), Board(320, 240) {
    WritePicture(Scratch, "Battle", "Cells", LabelledCells());
    Scratch.Write("Sound/Boom.wav", "RIFF");
    Record.GraphicName = "Cells";
    SetFrames(2);
    FillBoard(Board, Backdrop);
  }
  void SetFrames(int32_t Count) {
    Record.Frames.Clear();
    for (int32_t I = 0; I < Count; ++I) Record.Frames.Append();
  }
  void SetTimings(std::initializer_list<TTiming> Timings) {
    Record.Timings.Clear();
    for (const auto& T : Timings) {
      auto& Item = Record.Timings.Append();
      Item.Frame = T.Frame, Item.FlashScope = T.Scope;
      Item.FlashRed = T.Red, Item.FlashGreen = T.Green, Item.FlashBlue = T.Blue, Item.FlashLevel = T.Level;
      Item.Sound.Name = T.Sound, Item.Sound.Volume = T.Volume, Item.Sound.Tempo = T.Tempo, Item.Sound.Balance = T.Balance;
    }
  }
  TLcfAnimationCellItem& AddCell(int32_t Frame, int32_t Pattern, int32_t X, int32_t Y) {
    auto& Cell = Record.Frames.ItemAt(size_t(Frame))->Cells.Append();
    Cell.Pattern = Pattern, Cell.X = X, Cell.Y = Y;
    return Cell;
  }
  std::vector<int32_t> Levels(bool Screen, int32_t Count) const {
    std::vector<int32_t> Out;
    for (int32_t F = 0; F < Count; ++F) Out.push_back((Screen ? Graphic.ScreenFlashAt(F) : Graphic.TargetFlashAt(F)).Level);
    return Out;
  }

  TTestFolder Scratch;
  TGameFolder Game;
  TLcfAnimationItem Record;
  TLcfAnimationGraphic Graphic;
  TPrismBoard Board;
};

TEST_F(AnimationGraphicTest, FlashFadesOverSixFramesFromTheFrameBeforeItsTiming) {
  SetTimings({{1, FlashTarget, 31, 0, 0, 31}});
  Graphic.SetAnimation(&Record, false);
  EXPECT_EQ(Graphic.TargetFlash.size(), 12u);
  EXPECT_EQ(Levels(false, 8), (std::vector<int32_t>{31, 31, 25, 20, 15, 10, 0, 0}));
  EXPECT_EQ(Graphic.TargetFlashAt(2), (TAnimationFlash{31, 0, 0, 25}));
  EXPECT_EQ(Levels(true, 12), std::vector<int32_t>(12, 0));
}

TEST_F(AnimationGraphicTest, LaterTimingsOverwriteAndTheTableEndsTenFramesPastTheLast) {
  SetTimings({{1, FlashScreen, 31, 0, 0, 12}, {3, FlashScreen, 0, 31, 0, 6}, {10, FlashScreen, 0, 0, 31, 12}});
  Graphic.SetAnimation(&Record, false);
  // 12 * 7/6 .. 12 * 6/6 from the first, then 6 * 7/6 .. 6 * 2/6 from the second; the third
  // reaches only entries 9..11 of the twelve.
  EXPECT_EQ(Levels(true, 13), (std::vector<int32_t>{14, 12, 7, 6, 5, 4, 3, 2, 0, 14, 12, 10, 0}));
  EXPECT_EQ(Graphic.ScreenFlashAt(1), (TAnimationFlash{31, 0, 0, 12}));
  EXPECT_EQ(Graphic.ScreenFlashAt(2), (TAnimationFlash{0, 31, 0, 7}));
  EXPECT_EQ(Graphic.ScreenFlashAt(-1), TAnimationFlash{});
}

TEST_F(AnimationGraphicTest, NoFlashScopeOrNoFlashLeavesTheTablesZero) {
  SetTimings({{1, FlashNone, 31, 31, 31, 31}, {2, 7, 31, 31, 31, 31}});
  Graphic.SetAnimation(&Record, false);
  EXPECT_EQ(Levels(false, 12), std::vector<int32_t>(12, 0));
  EXPECT_EQ(Levels(true, 12), std::vector<int32_t>(12, 0));
  SetTimings({{1, FlashScreen, 31, 31, 31, 31}});
  Graphic.SetAnimation(&Record, true);
  EXPECT_EQ(Levels(true, 12), std::vector<int32_t>(12, 0));
}

TEST_F(AnimationGraphicTest, ScreenFlashGoesIntoColorTwoInsideTheTableOnly) {
  SetTimings({{1, FlashScreen, 10, 20, 30, 31}});
  Graphic.SetAnimation(&Record, false);
  TPrismSheet Screen;
  Graphic.ApplyScreenFlash(Screen, 0);
  EXPECT_EQ(Screen.Color2.FlashRed, 10);
  EXPECT_EQ(Screen.Color2.FlashBlue, 30);
  EXPECT_EQ(Screen.Color2.FlashLevel, 31);
  Graphic.ApplyScreenFlash(Screen, 12);
  EXPECT_EQ(Screen.Color2.FlashLevel, 0);
  EXPECT_EQ(Screen.Color2.FlashRed, 0);
}

TEST_F(AnimationGraphicTest, LastTimingFrameIsTheLastInTheListAtMostTwenty) {
  Graphic.SetAnimation(&Record, false);
  EXPECT_EQ(Graphic.LastTimingFrame(), 0);
  SetTimings({{3, 0, 0, 0, 0, 0}, {25, 0, 0, 0, 0, 0}});
  EXPECT_EQ(Graphic.LastTimingFrame(), 20);
  SetTimings({{30, 0, 0, 0, 0, 0}, {5, 0, 0, 0, 0, 0}});
  EXPECT_EQ(Graphic.LastTimingFrame(), 5);
}

TEST_F(AnimationGraphicTest, CellIsCentredOnItsPointAndScaledAboutIt) {
  Graphic.SetAnimation(&Record, false);
  AddCell(0, 7, 10, -20);  // cell 7: (192, 96); centre (110, 80)
  Graphic.DrawAnimationCell(Board, 100, 100, 0, 0, false);
  EXPECT_EQ(IndexAt(Board, 62, 32), 15);
  EXPECT_EQ(IndexAt(Board, 109, 127), 15);
  EXPECT_EQ(IndexAt(Board, 110, 32), 16);
  EXPECT_EQ(IndexAt(Board, 157, 127), 16);
  EXPECT_EQ(Board.ScanLine(32)[61], Backdrop);
  EXPECT_EQ(Board.ScanLine(32)[158], Backdrop);
  EXPECT_EQ(Board.ScanLine(31)[62], Backdrop);
  EXPECT_EQ(Board.ScanLine(128)[62], Backdrop);

  struct TCase {
    int32_t Zoom, Left, Middle, Right, Top, Bottom;
  };
  // Zoom 50: (86, 56) to (134, 104); zoom 200: (14, -16) to (206, 176).
  for (const TCase& C : {TCase{50, 86, 110, 134, 56, 104}, TCase{200, 14, 110, 206, 0, 176}}) {
    FillBoard(Board, Backdrop);
    Record.Frames.ItemAt(0)->Cells.ItemAt(0)->Zoom = C.Zoom;
    Graphic.DrawAnimationCell(Board, 100, 100, 0, 0, false);
    EXPECT_EQ(IndexAt(Board, C.Left, C.Top), 15) << C.Zoom;
    EXPECT_EQ(IndexAt(Board, C.Middle - 1, C.Bottom - 1), 15) << C.Zoom;
    EXPECT_EQ(IndexAt(Board, C.Middle, C.Top), 16) << C.Zoom;
    EXPECT_EQ(IndexAt(Board, C.Right - 1, C.Bottom - 1), 16) << C.Zoom;
    EXPECT_EQ(Board.ScanLine(C.Top)[C.Left - 1], Backdrop) << C.Zoom;
    EXPECT_EQ(Board.ScanLine(C.Top)[C.Right], Backdrop) << C.Zoom;
    EXPECT_EQ(Board.ScanLine(C.Bottom)[C.Left], Backdrop) << C.Zoom;
  }
}

TEST_F(AnimationGraphicTest, TransparencyToneAndFlashOfACell) {
  Graphic.SetAnimation(&Record, false);
  auto& Cell = AddCell(0, 0, 0, 0);  // white, drawn over (112..208, 72..168)
  struct TCase {
    int32_t Transparency, Red, Saturation;
    TRgb565 Expected;
  };
  const TCase Cases[] = {
      {0, 100, 100, {31, 63, 31}},
      {50, 100, 100, {15, 31, 15}},  // opacity 127 over black
      {100, 100, 100, {0, 0, 0}},    // opacity 0 leaves the board
      {0, 0, 100, {0, 63, 31}},
      {0, 100, 0, {31, 62, 31}},     // grey of white: green is twice the grey, 62
  };
  for (const auto& C : Cases) {
    Board.Clear();
    Cell.Transparency = C.Transparency, Cell.Red = C.Red, Cell.Saturation = C.Saturation;
    Graphic.DrawAnimationCell(Board, 160, 120, 0, 0, false);
    EXPECT_EQ(ColorAt(Board, 160, 120), C.Expected) << C.Transparency << " " << C.Red;
  }

  // A black cell under a full white screen flash of level 31: 31*31/32 and 31*62/32.
  Cell.Transparency = 0, Cell.Red = 100, Cell.Saturation = 100, Cell.Pattern = 1;
  SetTimings({{1, FlashScreen, 31, 31, 31, 31}});
  Graphic.SetAnimation(&Record, false);
  Graphic.DrawAnimationFrame(Board, 160, 120, 0);
  EXPECT_EQ(ColorAt(Board, 160, 120), (TRgb565{30, 60, 30}));
  Graphic.DrawAnimationCell(Board, 160, 120, 0, 0, false);
  EXPECT_EQ(ColorAt(Board, 160, 120), (TRgb565{0, 0, 0}));
}

TEST_F(AnimationGraphicTest, FrameDrawsItsVisibleCellsInOrder) {
  Graphic.SetAnimation(&Record, false);
  AddCell(0, 7, 0, 0);
  AddCell(0, 8, 20, 0).Visible = 0;
  AddCell(0, 9, 40, 0);
  Graphic.DrawAnimationFrame(Board, 100, 100, 0);
  EXPECT_EQ(IndexAt(Board, 100, 100), 19);  // cell 9 (left half) is drawn last, over cell 7
  EXPECT_EQ(IndexAt(Board, 60, 100), 15);
  EXPECT_EQ(IndexAt(Board, 80, 100), 15);   // the hidden cell 8 would show 17 here
  EXPECT_EQ(IndexAt(Board, 170, 100), 20);
  // Frames and cells that do not exist draw nothing.
  FillBoard(Board, Backdrop);
  Graphic.DrawAnimationFrame(Board, 100, 100, 1);
  Graphic.DrawAnimationFrame(Board, 100, 100, 5);
  Graphic.DrawAnimationFrame(Board, 100, 100, -1);
  Graphic.DrawAnimationCell(Board, 100, 100, 3, 0, true);
  AddCell(1, 12, 0, 0);   // below the image
  AddCell(1, -3, 0, 0);
  Graphic.DrawAnimationFrame(Board, 100, 100, 1);
  EXPECT_EQ(Board.ScanLine(100)[100], Backdrop);
}

TEST_F(AnimationGraphicTest, TheSameImageIsNotReloadedButTheTablesAre) {
  Graphic.SetAnimation(&Record, false);
  ASSERT_EQ(Graphic.Sheet.Width(), 480);
  Graphic.Sheet.ScanLine(0)[0] = 42;
  SetTimings({{1, FlashTarget, 31, 31, 31, 31}});
  Graphic.SetAnimation(&Record, false);
  EXPECT_EQ(Graphic.Sheet.ScanLine(0)[0], 42);
  EXPECT_EQ(Graphic.TargetFlashAt(0).Level, 31);
}

TEST_F(AnimationGraphicTest, AMissingImageRaisesAndThenDrawsNothing) {
  Record.GraphicName = "Nowhere";
  AddCell(0, 0, 0, 0);
  EXPECT_THROW(Graphic.SetAnimation(&Record, false), EPrismImageError);
  EXPECT_EQ(Graphic.TargetFlash.size(), 12u);
  Graphic.DrawAnimationFrame(Board, 160, 120, 0);
  EXPECT_EQ(Board.ScanLine(120)[160], Backdrop);
  Graphic.SetAnimation(nullptr, false);
  EXPECT_TRUE(Graphic.TargetFlash.empty());
  Graphic.DrawAnimationFrame(Board, 160, 120, 0);
  EXPECT_EQ(Graphic.LastTimingFrame(), 0);
}

TEST_F(AnimationGraphicTest, SoundsOfAFramePlayWithTheirSettings) {
  SetTimings({{2, 0, 0, 0, 0, 0, "Boom", 80, 120, 30},
              {2, 0, 0, 0, 0, 0, "(OFF)"},
              {2, 0, 0, 0, 0, 0, "Missing"},
              {3, 0, 0, 0, 0, 0, "boom"}});
  Graphic.SetAnimation(&Record, false);
  RecordingSoundPlayer Player;
  Graphic.PlayFrameSounds(1);  // nobody to play to
  Graphic.SoundPlayer = &Player;
  Graphic.PlayFrameSounds(0);
  EXPECT_TRUE(Player.Calls.empty());
  Graphic.PlayFrameSounds(1);
  ASSERT_EQ(Player.Calls.size(), 1u);
  EXPECT_TRUE(std::filesystem::equivalent(Player.Calls[0].Path, Scratch / "Sound/Boom.wav"));
  EXPECT_EQ(Player.Calls[0].Volume, 80);
  EXPECT_EQ(Player.Calls[0].Tempo, 120);
  EXPECT_EQ(Player.Calls[0].Balance, 30);
  Graphic.PlayFrameSounds(2);
  EXPECT_EQ(Player.Calls.size(), 2u);
}

}  // namespace
