// The built libcadenza.so as the player uses it: loaded through the bridge, running headless
// on the null sink, with its mix captured to a WAV file and read back.
#include "devices/CadenzaBridge.h"
#include "cadenza/AudioFixtures.h"

#include <gtest/gtest.h>

#include <chrono>
#include <fstream>
#include <iterator>
#include <thread>

using namespace AudioFixtures;

namespace {

struct Frame {
  int Left, Right;
};

// The 16-bit stereo frames of a captured WAV file (the null sink writes a 44-byte header).
std::vector<Frame> CapturedFrames(const std::string& Path) {
  std::ifstream file(Path, std::ios::binary);
  const std::vector<uint8_t> bytes{std::istreambuf_iterator<char>(file), {}};
  std::vector<Frame> frames;
  if (bytes.size() < 44) return frames;
  const uint32_t dataBytes = uint32_t(bytes[40] | bytes[41] << 8 | bytes[42] << 16 | bytes[43] << 24);
  EXPECT_EQ(dataBytes, bytes.size() - 44);
  auto sample = [&](size_t At) { return int(int16_t(uint16_t(bytes[At] | bytes[At + 1] << 8))); };
  for (size_t at = 44; at + 4 <= bytes.size(); at += 4) frames.push_back({sample(at), sample(at + 2)});
  return frames;
}

class CadenzaLibrary : public ::testing::Test {
 protected:
  void SetUp() override {
    setenv("TESSERA_HEADLESS", "1", 1);
    setenv("TESSERA_AUDIO_CAPTURE", CapturePath.c_str(), 1);
    ASSERT_TRUE(Bridge.Load(TESSERA_BINARY_DIR)) << Bridge.LastError();
    Bridge.CadenzaCreate();
    Bridge.CadenzaInitMidi();
    Bridge.CadenzaInitWave();
  }
  void TearDown() override {
    Bridge.CadenzaRelease();
    unsetenv("TESSERA_AUDIO_CAPTURE");
    unsetenv("TESSERA_HEADLESS");
  }

  ScratchFolder Folder;
  std::string CapturePath = Folder.File("capture.wav");
  TCadenzaBridge Bridge;
};

TEST_F(CadenzaLibrary, CapturedMixShowsVolumeAndBalance) {
  // 0.2 s holding 0.5 at volume 50 and balance 25: left 0.25, right 0.125 of full scale.
  const std::string sound = Folder.Write("half.wav", ConstantWave(22050, 16, {16384}, 4410));
  ASSERT_EQ(Bridge.CadenzaPlaySoundEx(sound, 50, 100, 25), 1);
  // The null sink mixes in real time: wait well past the sound's end.
  std::this_thread::sleep_for(std::chrono::milliseconds(700));
  Bridge.CadenzaRelease();

  size_t sounding = 0;
  for (const Frame& frame : CapturedFrames(CapturePath)) {
    if (frame.Left == 0 && frame.Right == 0) continue;
    ++sounding;
    ASSERT_NEAR(frame.Left, 8192, 1);
    ASSERT_NEAR(frame.Right, 4096, 1);
  }
  EXPECT_NEAR(double(sounding), 8820, 2);
}

TEST_F(CadenzaLibrary, SongsPlayAndBrokenFilesDoNot) {
  const std::string song = Folder.Write("song.mid", Song(4));
  ASSERT_EQ(Bridge.CadenzaPlayMusic(song), 1);
  Bridge.CadenzaFadeInMusic(0);
  Bridge.CadenzaSetMusicVolume(100);
  Bridge.CadenzaSetMusicSpeed(100);
  Bridge.CadenzaSetMusicPanpot(50);
  std::this_thread::sleep_for(std::chrono::milliseconds(300));
  EXPECT_EQ(Bridge.CadenzaGetMusicPlaying(), 1);
  EXPECT_GT(Bridge.CadenzaGetMidiTick(), 0);
  EXPECT_EQ(Bridge.CadenzaGetMusicLooping(), 0);
  EXPECT_EQ(Bridge.CadenzaPlaySoundEx(Folder.File("missing.wav"), 100, 100, 50), 0);
  EXPECT_EQ(Bridge.CadenzaCheckValidMidi(song), 1);
  EXPECT_EQ(Bridge.CadenzaCheckValidWave(song), 0);
  Bridge.CadenzaRelease();

  int loudest = 0;
  for (const Frame& frame : CapturedFrames(CapturePath)) loudest = std::max({loudest, std::abs(frame.Left), std::abs(frame.Right)});
  EXPECT_GT(loudest, 500);
}

}  // namespace
