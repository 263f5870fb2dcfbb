// An incomplete library on the executable's run path: it does not count, and the package
// folder is tried next.
#include "devices/CadenzaBridge.h"

#include <gtest/gtest.h>

namespace {

const std::string Fakes = FAKE_ROOT;

TEST(CadenzaBridgeIncomplete, AnIncompleteLibraryByPlainNameFallsBackToThePackage) {
  TCadenzaBridge bridge;
  EXPECT_FALSE(bridge.Load(""));
  EXPECT_NE(bridge.LastError().find("CadenzaPlaySoundEx"), std::string::npos) << bridge.LastError();
  ASSERT_TRUE(bridge.Load(Fakes + "/package")) << bridge.LastError();
  EXPECT_EQ(bridge.CadenzaGetVersion(), 2);
}

TEST(CadenzaBridgeIncomplete, NeitherPlaceCompleteMeansNotLoaded) {
  TCadenzaBridge bridge;
  EXPECT_FALSE(bridge.Load(Fakes + "/lacks_first"));
  EXPECT_FALSE(bridge.Loaded());
}

}  // namespace
