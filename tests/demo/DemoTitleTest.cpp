// The demo game played by the real player, headless: it runs through the logos to its title
// screen, where the title picture is shown with the command window over it.
#include <gtest/gtest.h>

#include "DemoChecks.h"
#include "PlayerRun.h"
#include "data/GameFolder.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismPng.h"

namespace {

constexpr int TitleShownFrame = 450;  // after the reset, the logos, the fade and the window's opening

// The title picture as the screen shows it, through the same screenshot encoding.
TPrismBitmap ExpectedTitle(const TBuiltGame& Game) {
  const TGameFolder Folder(Game.Folder.string() + "/");
  const auto Path = Folder.FindAsset(Game.DataBase.System.TitlePicture, "data", EAssetList::Image);
  EXPECT_TRUE(Path);
  TPrismSheet Picture;
  Picture.SetSize(320, 240);
  Picture.LoadFromFile(Path.value_or(""), true);
  TPrismBoard Board;
  Board.SetSize(320, 240);
  Board.Draw(0, 0, Picture.GetBounds(), Picture);
  return DecodeImage(EncodeBoardPng(Board));
}

// The screenshot writer picks a palette or true colour by the picture: compare colours.
TPrismPaletteEntry ColorAt(const TPrismBitmap& Image, int X, int Y) {
  const uint8_t* Row = Image.ScanLine(Y);
  if (Image.BitsPerPixel == 8) return Image.Palette[Row[X]];
  return {Row[3 * X + 2], Row[3 * X + 1], Row[3 * X]};
}

bool SameRow(const TPrismBitmap& A, const TPrismBitmap& B, int Y) {
  for (int X = 0; X < A.Width; ++X) {
    const TPrismPaletteEntry P = ColorAt(A, X, Y), Q = ColorAt(B, X, Y);
    if (!(P.Red == Q.Red && P.Green == Q.Green && P.Blue == Q.Blue)) return false;
  }
  return true;
}

}  // namespace

TEST(DemoTitle, ThePlayerShowsTheTitlePictureWithItsCommandWindow) {
  const TBuiltGame Game(std::filesystem::path(TESSERA_BINARY_DIR) / "demo");
  TTestFolder Home;
  const std::string Shot = Home / "title.png";
  const TRun Run = Play(Home, "--headless --fast --frames " + std::to_string(TitleShownFrame) + " --screenshot " +
                                  std::to_string(TitleShownFrame) + ":'" + Shot + "' --game '" +
                                  Game.Folder.string() + "'");
  ASSERT_EQ(Run.ExitCode, 0) << Run.Output;
  EXPECT_EQ(Run.Output, "");

  const TPrismBitmap Screen = LoadImageFile(Shot), Title = ExpectedTitle(Game);
  ASSERT_EQ(Screen.Width, 320);
  ASSERT_EQ(Screen.Height, 240);
  // Above the window the screen is the picture itself; the window's rows are not.
  for (int Y = 0; Y < 148; ++Y) ASSERT_TRUE(SameRow(Screen, Title, Y)) << "row " << Y;
  int WindowRows = 0;
  for (int Y = 148; Y < 148 + 64; ++Y) WindowRows += !SameRow(Screen, Title, Y);
  EXPECT_EQ(WindowRows, 64);
}
