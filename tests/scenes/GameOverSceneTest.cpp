#include "scenes/LS_GameOver.h"

#include <gtest/gtest.h>

#include "SceneFixture.h"
#include "graphics/PrismDraw.h"
#include "graphics/PrismPng.h"

namespace {

struct GameOverFixture : TSceneFixture {
  TLcfGameOverScene& StartGameOver() {
    StartGame();
    Scene = std::make_unique<TLcfGameOverScene>(*Game);
    Scene->Reset();
    return *Scene;
  }
  // A 320x240 picture of one colour.
  void WritePicture(const std::string& Name, uint8_t Red, uint8_t Green, uint8_t Blue) {
    TPrismBitmap Bitmap;
    Bitmap.Width = 320, Bitmap.Height = 240, Bitmap.BitsPerPixel = 8;
    Bitmap.Palette[0] = {Red, Green, Blue};
    Bitmap.Pixels.assign(320 * 240, 0);
    const auto Png = EncodePng(Bitmap);
    Root.Write("game/data/" + Name + ".png", std::string(Png.begin(), Png.end()));
  }
  std::unique_ptr<TLcfGameOverScene> Scene;
};

}  // namespace

// The picture fades in by one percent a frame; decision or cancel fades it out the same way
// and restarts the game.
TEST_F(GameOverFixture, ThePictureFadesInSlowlyAndAnyAnswerRestartsTheGame) {
  for (uint8_t Key : {VirtualKey::Return, VirtualKey::Escape}) {
    WritePicture("Fallen", 255, 0, 0);
    Database.System.GameOverPicture = "Fallen";
    TLcfGameOverScene& Over = StartGameOver();
    uint64_t Before = Frames();
    Frame(Over);
    EXPECT_EQ(Frames() - Before, 100u + 1u);
    EXPECT_EQ(Pixel(10, 10), 0xF800);  // full red
    Frame(Over);
    EXPECT_TRUE(Over.Started);

    Device.InjectKey(Key, true);
    Before = Frames();
    EXPECT_THROW(Frame(Over), EPrismDrawReset) << int(Key);
    EXPECT_EQ(Frames() - Before, 100u);
    EXPECT_EQ(Game->Draw->Board().Brightness, 0);
    EXPECT_FALSE(Over.Started);
    Device.InjectKey(Key, false);
  }
}

TEST_F(GameOverFixture, AMissingPictureStopsWithTheLoadersMessage) {
  Database.System.GameOverPicture = "Gone";
  TLcfGameOverScene& Over = StartGameOver();
  try {
    Over.Update();
    FAIL() << "no error";
  } catch (const std::exception& Error) {
    EXPECT_STREQ(Error.what(), "Cannot open file Gone");
  }
}
