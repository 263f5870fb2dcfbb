#include "shell/GameMain.h"

#include <gtest/gtest.h>

#include <functional>

#include "FakePlatform.h"
#include "GameFixture.h"
#include "devices/CadenzaBridge.h"
#include "shell/Scene.h"

namespace {

class TProbeScene : public TLcfScene {
 public:
  using TLcfScene::TLcfScene;
  void Reset() override {
    TLcfScene::Reset();
    ++Resets;
  }
  void Update() override {
    ++Updates;
    if (OnUpdate) OnUpdate();
  }
  void Draw() override { ++Draws; }

  std::function<void()> OnUpdate;
  int Updates = 0, Draws = 0, Resets = 0;
};

struct GameMainFixture : ::testing::Test {
  GameMainFixture() : Form(Device, Audio, Values(Root)) {
    for (int id = 0; id < SceneCount; ++id) {
      auto scene = std::make_unique<TProbeScene>(Game());
      Probes[id] = scene.get();
      Game().Scenes[id] = std::move(scene);
    }
  }
  static TProgramValues Values(const TTestFolder& root) {
    TProgramValues values;
    values.GameFolder = WriteMinimalGame(root) + "/";
    values.Words = {"x", "x", "Window"};
    values.Title = "Probe";
    return values;
  }
  TGame& Game() { return Form.Game(); }
  TLcfgSystem& System() { return *Game().System; }
  // Ends the run at the next frame boundary.
  void CloseAfter(int updates, TProbeScene* scene) {
    scene->OnUpdate = [this, scene, updates] {
      if (scene->Updates >= updates) Device.CloseNow = true;
    };
  }

  TTestFolder Root;
  TFakePlatform Device;
  TCadenzaBridge Audio;  // not loaded: every call does nothing
  TFormLcfGameMain Form;
  std::array<TProbeScene*, SceneCount> Probes{};
};

}  // namespace

TEST_F(GameMainFixture, ResetShowsTheTitleAfterTwentyCalmFrames) {
  CloseAfter(1, Probes[6]);
  EXPECT_EQ(Form.Run(), 0);
  EXPECT_EQ(Probes[6]->Updates, 1);
  EXPECT_EQ(Probes[8]->Resets, 0);  // the debug scene keeps its state across resets
  EXPECT_EQ(Probes[0]->Resets, 1);
  EXPECT_EQ(Probes[7]->Resets, 1);
  // 20 frames of calm, then the title's first frame.
  EXPECT_EQ(Game().Draw->FrameNumber(), 21u);
  EXPECT_EQ(System().FrameCounter, 1);
  EXPECT_TRUE(Device.Messages.empty());
}

TEST_F(GameMainFixture, AHeldF12DelaysTheTitleUntilTwentyFramesAfterItsRelease) {
  Device.InjectKey(VirtualKey::F(12), true);
  Game().Draw->OnFrameBegin = [this](uint64_t frame) {
    if (frame == 10) Device.InjectKey(VirtualKey::F(12), false);
  };
  Device.Presses.clear();  // held from before: not a new press
  CloseAfter(1, Probes[6]);
  Form.Run();
  EXPECT_EQ(Game().Draw->FrameNumber(), 30u);
}

TEST_F(GameMainFixture, ASceneSwitchRunsTheNextUpdateInTheSameFrameWithoutDrawing) {
  Probes[6]->OnUpdate = [this] { System().SceneId = 0; };
  Probes[0]->OnUpdate = [this] { System().SceneId = 1; };
  CloseAfter(2, Probes[1]);
  Form.Run();
  EXPECT_EQ(Probes[6]->Draws, 0);
  EXPECT_EQ(Probes[0]->Draws, 0);
  EXPECT_EQ(Probes[1]->Draws, 2);
  // Three updates ran in the first frame slot, each counted.
  EXPECT_EQ(System().FrameCounter, 4);
  EXPECT_EQ(Game().Draw->FrameNumber(), 22u);
}

TEST_F(GameMainFixture, DrawingIsSkippedTenFramesBehindButNotNine) {
  int pass = 0;
  Probes[6]->OnUpdate = [&] {
    ++pass;
    // Stage the lag the loop will see right after this update.
    if (pass == 2) Device.Now += 9 * 1000 / 60 + 10;   // nine frames behind
    if (pass == 3) Device.Now += 10 * 1000 / 60 + 10;  // ten or more
    if (pass == 3) Device.CloseNow = true;
  };
  Form.Run();
  EXPECT_EQ(Probes[6]->Updates, 3);
  EXPECT_EQ(Probes[6]->Draws, 2);
}

TEST_F(GameMainFixture, SceneIdsFromDamagedDataRunNothingButTimeGoesOn) {
  Probes[6]->OnUpdate = [this] { System().SceneId = 200; };
  Game().Draw->OnFrameEnd = [this](uint64_t frame) {
    if (frame == 30) Device.CloseNow = true;
  };
  EXPECT_EQ(Form.Run(), 0);
  // Frames 21 to 30 ran; the first of them had two passes, the title's and the switch's.
  EXPECT_EQ(System().FrameCounter, 11);
  for (auto* probe : Probes) EXPECT_EQ(probe->Draws, 0);
}

TEST_F(GameMainFixture, AMissingSceneIsAnErrorThatNamesIt) {
  Game().Scenes[0].reset();
  Probes[6]->OnUpdate = [this] { System().SceneId = 0; };
  EXPECT_EQ(Form.Run(), 1);
  ASSERT_EQ(Device.Messages.size(), 1u);
  EXPECT_EQ(Device.Messages[0], "Probe: The field scene is not available in this version of tessera");
}

TEST_F(GameMainFixture, F12DuringTheGameReturnsToTheTitleFromAFreshReset) {
  int titleUpdates = 0;
  Probes[6]->OnUpdate = [&] {
    if (++titleUpdates == 1) System().SceneId = 0;
    else Device.CloseNow = true;
  };
  Probes[0]->OnUpdate = [&] {
    if (Probes[0]->Updates == 3) Device.Presses.push_back({VirtualKey::F(12), false});
  };
  Form.Run();
  EXPECT_EQ(Probes[0]->Resets, 2);
  EXPECT_EQ(titleUpdates, 2);
  EXPECT_EQ(System().FrameCounter, 1);  // counted afresh after the reset
}

TEST_F(GameMainFixture, AGameWithoutDatabaseEndsWithTheFileError) {
  std::filesystem::remove(Root / "game/data/$$$.B");
  EXPECT_EQ(Form.Run(), 1);
  ASSERT_EQ(Device.Messages.size(), 1u);
  EXPECT_EQ(Device.Messages[0].rfind("Probe: Cannot open file", 0), 0u) << Device.Messages[0];
}

TEST_F(GameMainFixture, WindowWordChoosesTheWindowAndTheScreenIsZoomed) {
  EXPECT_EQ(Game().Draw->ScreenMode(), TScreenMode::smWindow);
  EXPECT_TRUE(Game().Draw->ScreenZoom());
  EXPECT_EQ(Game().Draw->FrameRate(), 60);
  EXPECT_EQ(Game().Draw->MaxLag(), 20);
  EXPECT_EQ(Device.Caption, "Probe");
}
