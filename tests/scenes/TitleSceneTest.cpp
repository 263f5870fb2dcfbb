#include "scenes/LS_Title.h"

#include <gtest/gtest.h>

#include "SaveFiles.h"
#include "SceneFixture.h"
#include "graphics/PrismDraw.h"

namespace {

constexpr uint8_t DecisionKey = VirtualKey::Return;

struct TitleSceneFixture : TSceneFixture {
  TitleSceneFixture() {
    Database.Vocabulary.TitleNewGame = "New Game";
    Database.Vocabulary.TitleContinue = "Continue";
    Database.Vocabulary.TitleShutdown = "Shutdown";
    Database.System.Musics[size_t(ESystemMusic::Title)].Name = "Theme";
    Database.System.Sounds[size_t(ESystemSound::Decision)].Name = "Decide";
    Database.System.Sounds[size_t(ESystemSound::Buzzer)].Name = "Buzz";
    Root.Write("game/data/Theme.mid", "MThd");
    Root.Write("game/data/Decide.wav", "RIFF");
    Root.Write("game/data/Buzz.wav", "RIFF");
  }
  TLcfTitleScene& StartTitle(bool Logos, bool Title = true) {
    TProgramValues Values;
    Values.ShowLogos = Logos;
    Values.ShowTitle = Title;
    StartGame(Values);
    Scene = std::make_unique<TLcfTitleScene>(*Game);
    Scene->Reset();
    return *Scene;
  }
  // A used save in Slot, as the save scene writes it.
  void WriteSave(int Slot) {
    TLcfgSaveHeader Header;
    Header.Clear();
    Header.SaveTime = 46000;
    Root.Write("game/" + TSaveSlots::SlotFileName(Slot), SaveFileBytes(Header));
  }
  bool Called(const std::string& Prefix) const {
    for (const std::string& Call : Audio.Calls)
      if (Call.rfind(Prefix, 0) == 0) return true;
    return false;
  }
  // Frames until the window has opened and takes input.
  void WaitForWindow() {
    for (int I = 0; I < 20 && !Scene->CommandWindow.IsOpen(); ++I) Frame(*Scene);
    ASSERT_TRUE(Scene->CommandWindow.IsOpen());
  }
  void Choose(int Command) {
    WaitForWindow();
    for (int I = 0; I < Command; ++I) Tap(*Scene, VirtualKey::Down);
    ASSERT_EQ(Scene->CommandWindow.Index, Command);
    Press(DecisionKey);
    Frame(*Scene);
    Release(DecisionKey);
  }
  std::unique_ptr<TLcfTitleScene> Scene;
};

}  // namespace

// Ten black frames, then each logo: ten frames of fade-in, twenty shown, sixty more unless the
// decision button is held, ten of fade-out. Then the title picture fades in at 3 per frame
// (34 frames); the final fade at 20 per frame finds the screen already bright.
TEST_F(TitleSceneFixture, TheLogosRunOnceAndHoldingDecisionShortensEach) {
  struct Case {
    bool Held;
    uint64_t EntryFrames;
  } Cases[] = {{false, 10 + 3 * (10 + 20 + 60 + 10) + 34}, {true, 10 + 3 * (10 + 20 + 10) + 34}};
  for (const Case& C : Cases) {
    TLcfTitleScene& Title = StartTitle(true);
    if (C.Held) Press(DecisionKey);
    const uint64_t Before = Frames();
    Title.Update();
    EXPECT_EQ(Frames() - Before, C.EntryFrames) << C.Held;
    EXPECT_FALSE(Game->Values.ShowLogos);
    Release(DecisionKey);
  }
}

TEST_F(TitleSceneFixture, TestPlayOpensTheWindowCentredUnderThePictureWithTheTitleMusic) {
  TLcfTitleScene& Title = StartTitle(false);
  const uint64_t Before = Frames();
  Frame(Title);
  EXPECT_EQ(Frames() - Before, 34u + 1u);
  EXPECT_TRUE(Called("PlayMusic " + (Root / "game/data/Theme.mid")));
  // "New Game", "Continue" and "Shutdown" are 8 characters: 8 * 6 + 16 = 64 wide.
  EXPECT_EQ(Title.CommandWindow.Width, 64);
  EXPECT_EQ(Title.CommandWindow.X, 160 - 32);
  EXPECT_EQ(Title.CommandWindow.Y, 148);
  EXPECT_EQ(Title.CommandWindow.Height, 64);
  EXPECT_FALSE(Title.ContinueEnabled);
  EXPECT_FALSE(Title.CommandWindow.IsOpen());  // it opens with its animation
  WaitForWindow();
}

TEST_F(TitleSceneFixture, HideTitlePlaysNoMusicAndPutsTheWindowInTheMiddleAtOnce) {
  TLcfTitleScene& Title = StartTitle(false, false);
  const uint64_t Before = Frames();
  Frame(Title);
  EXPECT_EQ(Frames() - Before, 1u + 5u);  // only the quick fade at 20 per frame
  EXPECT_FALSE(Called("PlayMusic"));
  EXPECT_EQ(Title.CommandWindow.Y, 88);
  EXPECT_TRUE(Title.CommandWindow.IsOpen());
}

TEST_F(TitleSceneFixture, ContinueWithoutASaveBuzzesAndStays) {
  TLcfTitleScene& Title = StartTitle(false);
  Frame(Title);
  Audio.Take();
  Choose(TLcfTitleScene::cmContinue);
  EXPECT_TRUE(Called("PlaySound " + (Root / "game/data/Buzz.wav")));
  EXPECT_EQ(Game->System->SceneId, uint8_t(TSceneId::Field));  // unchanged: the title never set it
  EXPECT_TRUE(Title.Started);
}

TEST_F(TitleSceneFixture, ContinueWithASaveOpensTheLoadListAndComingBackPutsTheCursorOnIt) {
  WriteSave(7);
  TLcfTitleScene& Title = StartTitle(false);
  Game->System->SceneId = uint8_t(TSceneId::Title);
  Frame(Title);
  EXPECT_TRUE(Title.ContinueEnabled);
  Choose(TLcfTitleScene::cmContinue);
  EXPECT_TRUE(Called("PlaySound " + (Root / "game/data/Decide.wav")));
  EXPECT_EQ(Game->System->SceneId, uint8_t(TSceneId::SaveFile));
  EXPECT_FALSE(Title.Started);
  EXPECT_FALSE(Title.FirstVisit);

  // Back from a cancelled load: no slow fade, the window already open, the cursor on continue.
  const uint64_t Before = Frames();
  Frame(Title);
  EXPECT_EQ(Frames() - Before, 1u + 5u);  // the fade at 20 per frame from black
  EXPECT_TRUE(Title.CommandWindow.IsOpen());
  EXPECT_EQ(Title.CommandWindow.Index, TLcfTitleScene::cmContinue);
}

TEST_F(TitleSceneFixture, NewGameFadesTheMusicAndHandsOverToTheField) {
  TLcfTitleScene& Title = StartTitle(false);
  Game->System->SceneId = uint8_t(TSceneId::Title);
  Frame(Title);
  Audio.Take();
  Choose(TLcfTitleScene::cmNewGame);
  EXPECT_TRUE(Called("FadeOutMusic 800"));
  EXPECT_TRUE(Called("StopMusic"));
  EXPECT_EQ(Game->System->SceneId, uint8_t(TSceneId::Field));
  EXPECT_FALSE(Title.FirstVisit);
}

TEST_F(TitleSceneFixture, ShutdownClosesTheProgramAtTheNextFrame) {
  TLcfTitleScene& Title = StartTitle(false);
  Frame(Title);
  WaitForWindow();
  for (int I = 0; I < 2; ++I) Tap(Title, VirtualKey::Down);
  Press(DecisionKey);
  EXPECT_THROW(Frame(Title), EPrismDrawAbort);
  EXPECT_TRUE(Called("FadeOutMusic 400"));
}

TEST_F(TitleSceneFixture, AMissingTitlePictureStopsWithTheLoadersMessage) {
  Database.System.TitlePicture = "Nowhere";
  TLcfTitleScene& Title = StartTitle(false);
  try {
    Title.Update();
    FAIL() << "no error";
  } catch (const std::exception& Error) {
    EXPECT_STREQ(Error.what(), "Cannot open file Nowhere");
  }
}
