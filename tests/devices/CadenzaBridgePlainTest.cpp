// A complete library on the executable's run path: the plain name finds it, before any
// package folder.
#include "devices/CadenzaBridge.h"

#include <gtest/gtest.h>

namespace {

const std::string Fakes = FAKE_ROOT;

TEST(CadenzaBridgePlain, ThePlainNameComesFirst) {
  for (const std::string& folder : {std::string(), Fakes + "/package", Fakes + "/lacks_last"}) {
    SCOPED_TRACE(folder);
    TCadenzaBridge bridge;
    ASSERT_TRUE(bridge.Load(folder)) << bridge.LastError();
    EXPECT_EQ(bridge.CadenzaGetVersion(), 1);
  }
}

}  // namespace
