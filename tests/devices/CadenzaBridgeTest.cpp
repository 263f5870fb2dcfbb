// Loading from the package folder, as when the plain name finds nothing (this executable has
// no run path to any libcadenza.so), and the calls reaching the library's functions.
#include "devices/CadenzaBridge.h"

#include <dlfcn.h>
#include <gtest/gtest.h>

#include <functional>

namespace {

const std::string Fakes = FAKE_ROOT;

TEST(CadenzaBridge, LoadsFromThePackageFolderOnlyWhenComplete) {
  struct Case {
    std::string Folder;
    bool Loads;
    std::string Reason = "";
  } cases[] = {
      {"", false},
      {Fakes + "/package", true},
      {Fakes + "/package/", true},
      {Fakes + "/nowhere", false},
      {Fakes + "/broken", false},
      {Fakes + "/lacks_first", false, "CadenzaGetVersion"},
      {Fakes + "/lacks_middle", false, "CadenzaPlaySoundEx"},
      {Fakes + "/lacks_last", false, "CadenzaCheckValidWave"},
  };
  for (const Case& c : cases) {
    SCOPED_TRACE(c.Folder);
    TCadenzaBridge bridge;
    EXPECT_EQ(bridge.Load(c.Folder), c.Loads);
    EXPECT_EQ(bridge.Loaded(), c.Loads);
    EXPECT_EQ(bridge.CadenzaGetVersion(), c.Loads ? 2 : 0);
    EXPECT_EQ(bridge.LastError().empty(), c.Loads);
    EXPECT_NE(bridge.LastError().find(c.Reason), std::string::npos) << bridge.LastError();
  }
}

TEST(CadenzaBridge, ALoadedLibraryStaysLoaded) {
  TCadenzaBridge bridge;
  EXPECT_FALSE(bridge.Load(""));
  ASSERT_TRUE(bridge.Load(Fakes + "/package"));
  EXPECT_TRUE(bridge.Load(Fakes + "/lacks_middle"));
  EXPECT_TRUE(bridge.Load(Fakes + "/nowhere"));
  EXPECT_EQ(bridge.CadenzaGetVersion(), 2);
}

TEST(CadenzaBridge, WithoutALibraryEveryCallAnswersZero) {
  TCadenzaBridge bridge;
  EXPECT_EQ(bridge.CadenzaCreate(), 0);
  EXPECT_EQ(bridge.CadenzaPlayMusic("song.mid"), 0);
  EXPECT_EQ(bridge.CadenzaPlaySoundEx("a.wav", 1, 2, 3), 0);
  EXPECT_EQ(bridge.CadenzaGetMidiTick(), 0);
  EXPECT_EQ(bridge.CadenzaRelease(), 0);
}

TEST(CadenzaBridge, EachCallReachesItsOwnFunction) {
  TCadenzaBridge bridge;
  ASSERT_TRUE(bridge.Load(Fakes + "/package"));
  // The same library as the bridge's: dlopen hands back the handle already open.
  void* library = dlopen((Fakes + "/package/libcadenza.so").c_str(), RTLD_NOW | RTLD_NOLOAD);
  ASSERT_NE(library, nullptr);
  auto lastCall = reinterpret_cast<const char* (*)()>(dlsym(library, "FakeCadenzaLastCall"));
  ASSERT_NE(lastCall, nullptr);
  using Call = std::function<int32_t(TCadenzaBridge&)>;
  const std::pair<Call, std::string> calls[] = {
      {&TCadenzaBridge::CadenzaCreate, "CadenzaCreate()"},
      {&TCadenzaBridge::CadenzaRelease, "CadenzaRelease()"},
      {&TCadenzaBridge::CadenzaInitMidi, "CadenzaInitMidi()"},
      {&TCadenzaBridge::CadenzaTermMidi, "CadenzaTermMidi()"},
      {&TCadenzaBridge::CadenzaInitWave, "CadenzaInitWave()"},
      {&TCadenzaBridge::CadenzaTermWave, "CadenzaTermWave()"},
      {[](TCadenzaBridge& b) { return b.CadenzaPlayMusic("m/a.mid"); }, "CadenzaPlayMusic(m/a.mid)"},
      {[](TCadenzaBridge& b) { return b.CadenzaFadeInMusic(1500); }, "CadenzaFadeInMusic(1500)"},
      {[](TCadenzaBridge& b) { return b.CadenzaFadeOutMusic(250); }, "CadenzaFadeOutMusic(250)"},
      {&TCadenzaBridge::CadenzaStopMusic, "CadenzaStopMusic()"},
      {[](TCadenzaBridge& b) { return b.CadenzaSetMusicVolume(80); }, "CadenzaSetMusicVolume(80)"},
      {[](TCadenzaBridge& b) { return b.CadenzaSetMusicSpeed(120); }, "CadenzaSetMusicSpeed(120)"},
      {[](TCadenzaBridge& b) { return b.CadenzaSetMusicPanpot(30); }, "CadenzaSetMusicPanpot(30)"},
      {&TCadenzaBridge::CadenzaGetMusicPlaying, "CadenzaGetMusicPlaying()"},
      {&TCadenzaBridge::CadenzaGetMusicLooping, "CadenzaGetMusicLooping()"},
      {&TCadenzaBridge::CadenzaGetMidiTick, "CadenzaGetMidiTick()"},
      {[](TCadenzaBridge& b) { return b.CadenzaCheckValidMidi("b.mid"); }, "CadenzaCheckValidMidi(b.mid)"},
      {[](TCadenzaBridge& b) { return b.CadenzaPlaySound("c.wav"); }, "CadenzaPlaySound(c.wav)"},
      {[](TCadenzaBridge& b) { return b.CadenzaPlaySoundEx("d.wav", 90, 110, 20); },
       "CadenzaPlaySoundEx(d.wav,90,110,20)"},
      {&TCadenzaBridge::CadenzaStopSound, "CadenzaStopSound()"},
      {[](TCadenzaBridge& b) { return b.CadenzaReserveSound("e.wav"); }, "CadenzaReserveSound(e.wav)"},
      {[](TCadenzaBridge& b) { return b.CadenzaCancelSound("f.wav"); }, "CadenzaCancelSound(f.wav)"},
      {[](TCadenzaBridge& b) { return b.CadenzaCacheSound("g.wav"); }, "CadenzaCacheSound(g.wav)"},
      {[](TCadenzaBridge& b) { return b.CadenzaCheckValidWave("h.wav"); }, "CadenzaCheckValidWave(h.wav)"},
  };
  for (const auto& [call, expected] : calls) {
    EXPECT_EQ(call(bridge), 7) << expected;
    EXPECT_EQ(std::string(lastCall()), expected);
  }
  dlclose(library);
}

}  // namespace
