#include "scenes/GameWindows.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "SceneFixture.h"
#include "gamegraphics/SystemGraphicTestUtil.h"
#include "graphics/PrismBoard.h"

namespace {

// Items paint an 8-pixel block of index 220 + I over their whole row, so a column of the
// composed image tells which item shows at which height. No skin index is that high.
constexpr int ItemIndexBase = 220;

class TBlockWindow : public TLcfWindow {
 public:
  using TLcfWindow::TLcfWindow;
  void DrawItem(int32_t X, int32_t Y, int32_t I) override {
    Contents.FillArea({X, Y, X + 8, Y + 16}, uint8_t(ItemIndexBase + I));
  }
};

// A game context with the synthetic skin (its cursor frame f has index 34 + 16 f on the top
// edge, its arrows 21 and 25) and a cursor sound whose plays are recorded.
class WindowTest : public TSceneFixture {
 protected:
  WindowTest() {
    Database.System.Sounds[size_t(ESystemSound::Cursor)].Name = "Cursor1";
    Database.System.Sounds[size_t(ESystemSound::Cursor)].Volume = 80;
    StartBlack = false;
    StartGame();
    Game->System->Skin.AssignImage(MakeTestSystemImage());
  }

  // One frame as the main loop runs it: the input, the window's update, then its drawing on a
  // cleared board. Key, when given, is pressed for this frame only.
  void Frame(TLcfWindow& Window, uint8_t Key = 0) {
    if (Key) Device.InjectKey(Key, true);
    Game->Input->Update();
    if (Key) Device.InjectKey(Key, false);
    Window.Update();
    Board().Clear();
    Window.Draw();
  }
  TPrismBoard& Board() { return Game->Draw->Board(); }
  int CursorPlays() {
    int plays = 0;
    for (const std::string& call : Audio.Take()) plays += call.rfind("PlaySound", 0) == 0;
    return plays;
  }

};

// The items seen down column 9 of the image's interior (rows 8..71 of an 80-high window), as
// runs "item:rows"; "-" for rows without an item.
std::string ItemColumn(const TLcfWindow& Window) {
  std::string runs;
  std::string last;
  int count = 0;
  auto flush = [&] {
    if (count) runs += (runs.empty() ? "" : " ") + last + ":" + std::to_string(count);
  };
  for (int y = 8; y < 72; ++y) {
    const int index = Window.Image.ScanLine(y)[9];
    const std::string item = index >= ItemIndexBase ? std::to_string(index - ItemIndexBase) : "-";
    if (item != last) {
      flush();
      last = item;
      count = 0;
    }
    ++count;
  }
  flush();
  return runs;
}

// The board rows in column X that hold any colour: first row and count (all rows are one band).
struct TBand {
  int Top = -1, Rows = 0;
};
TBand LitBand(const TPrismBoard& Board, int X) {
  TBand band;
  for (int y = 0; y < Board.Height(); ++y)
    if (Board.ScanLine(y)[X] != 0) {
      if (band.Top < 0) band.Top = y;
      ++band.Rows;
    }
  return band;
}

uint16_t WordOf(int Index) { return uint16_t((Index & 31) << 11 | (Index >> 5) << 5); }

}  // namespace

TEST_F(WindowTest, GeometryFollowsTheSize) {
  struct Case {
    int Width, Height, Columns;
    int VisibleRows, ColumnWidth, ItemWidth;
  } const cases[] = {
      {64, 80, 1, 4, 64, 48},
      {64, 32, 1, 1, 64, 48},
      {100, 47, 2, 1, 50, 34},
      {90, 96, 3, 5, 30, 14},
  };
  for (const Case& c : cases) {
    TLcfWindow window(*Game);
    window.Columns = c.Columns;
    window.Setup(10, 20, c.Width, c.Height, false);
    EXPECT_EQ(window.VisibleRows, c.VisibleRows) << c.Height;
    EXPECT_EQ(window.ItemCount, c.VisibleRows) << c.Height;
    EXPECT_EQ(window.ColumnWidth, c.ColumnWidth) << c.Width;
    EXPECT_EQ(window.ItemWidth, c.ItemWidth) << c.Width;
    EXPECT_EQ(window.Contents.Height(), c.Height + 16);
    EXPECT_TRUE(window.IsOpen());
  }
}

TEST_F(WindowTest, OpeningAndClosingShowAGrowingAndShrinkingBand) {
  // Heights H - 2 Trunc(H (1 - (k - 1)/7) / 2) for step k, worked out by hand for H = 80
  // (and 70, where 70 * 6/14 is exactly 30).
  struct Case {
    int Height;
    std::vector<int> Rows;  // after Open, then after each Update
  } const cases[] = {
      {80, {0, 12, 24, 36, 46, 58, 70, 80, 80}},
      {70, {0, 10, 20, 30, 40, 50, 60, 70}},
  };
  for (const Case& c : cases) {
    TLcfWindow window(*Game);
    window.Open(40, 40, 64, c.Height, true);
    for (size_t k = 0; k < c.Rows.size(); ++k) {
      if (k > 0) window.Update();
      Board().Clear();
      window.Draw();
      const TBand band = LitBand(Board(), 72);
      EXPECT_EQ(band.Rows, c.Rows[k]) << "height " << c.Height << " step " << k + 1;
      if (band.Rows) {
        EXPECT_EQ(band.Top, 40 + (c.Height - c.Rows[k]) / 2);
      }
    }
  }
  TLcfWindow window(*Game);
  window.Open(40, 40, 64, 80, false);
  window.StartClose();
  const int closing[] = {70, 58, 46, 36, 24, 12, 0};
  for (int k = 0; k < 7; ++k) {
    Board().Clear();
    window.Draw();
    EXPECT_EQ(LitBand(Board(), 72).Rows, closing[k]) << "close step " << k + 1;
    window.Update();
  }
}

TEST_F(WindowTest, StartCloseFreesTheWindowAfterSevenUpdates) {
  TLcfWindow window(*Game);
  window.Open(0, 0, 64, 80, false);
  window.SetActive(true);
  window.StartClose();
  EXPECT_FALSE(window.IsOpen());
  EXPECT_FALSE(window.CursorVisible);
  for (int k = 1; k <= 6; ++k) window.Update();
  EXPECT_TRUE(window.Exists());
  window.Update();
  EXPECT_FALSE(window.Exists());
  EXPECT_EQ(window.CloseStep, 0);
  Board().Clear();
  window.Draw();
  EXPECT_EQ(LitBand(Board(), 32).Rows, 0);
}

TEST_F(WindowTest, ReopeningRightAfterStartCloseOpensNormally) {
  TLcfWindow window(*Game);
  window.Open(0, 0, 64, 80, false);
  window.StartClose();
  window.Open(0, 0, 64, 80, false);
  EXPECT_TRUE(window.IsOpen());
}

TEST_F(WindowTest, CursorKeysMoveWrapOrStopAndPlayTheCursorSound) {
  struct Case {
    const char* Name;
    int Columns, ItemCount, Start;
    uint8_t Key;
    int Expected;
  } const cases[] = {
      {"down on the last item of a list that fits wraps", 1, 3, 2, VirtualKey::Down, 0},
      {"up on the first item of a list that fits wraps", 1, 3, 0, VirtualKey::Up, 2},
      {"down on the last item of a longer list stays", 1, 6, 5, VirtualKey::Down, 5},
      {"up on the first item of a longer list stays", 1, 6, 0, VirtualKey::Up, 0},
      {"down in a longer list", 1, 6, 1, VirtualKey::Down, 2},
      {"left and right are for grids", 1, 3, 1, VirtualKey::Right, 1},
      {"down in a grid to a short last row", 2, 7, 4, VirtualKey::Down, 6},
      {"down in a grid from the last row stays", 2, 7, 6, VirtualKey::Down, 6},
      // Item 5's column has nothing below it, and the view shows every row.
      {"down in a grid onto an empty place stays", 2, 7, 5, VirtualKey::Down, 5},
      {"up in the first grid row stays", 2, 7, 1, VirtualKey::Up, 1},
      {"up in a grid", 2, 7, 3, VirtualKey::Up, 1},
      {"right stops at the last item", 2, 7, 6, VirtualKey::Right, 6},
      {"left stops at item 0", 2, 7, 0, VirtualKey::Left, 0},
      {"right moves into the next row", 2, 7, 1, VirtualKey::Right, 2},
  };
  for (const Case& c : cases) {
    TLcfWindow window(*Game);
    window.Columns = c.Columns;
    window.Open(0, 0, 100, 80, false);
    window.ItemCount = c.ItemCount;
    window.SetIndex(c.Start);
    window.SetActive(true);
    Audio.Take();
    Frame(window, c.Key);
    EXPECT_EQ(window.Index, c.Expected) << c.Name;
    EXPECT_EQ(CursorPlays(), c.Expected != c.Start ? 1 : 0) << c.Name;
  }
}

TEST_F(WindowTest, AnInactiveCursorDoesNotMove) {
  TLcfWindow window(*Game);
  window.Open(0, 0, 64, 80, false);
  window.ItemCount = 3;
  window.SetCursorVisible(true);
  Frame(window, VirtualKey::Down);
  EXPECT_EQ(window.Index, 0);
  EXPECT_EQ(CursorPlays(), 0);
}

TEST_F(WindowTest, AnEmptyListWithAnActiveCursorStaysOnItemZero) {
  // The wrap-around of a list that fits divides by the item count; with no items the cursor
  // must simply stay.
  TLcfWindow window(*Game);
  window.Open(0, 0, 64, 80, false);
  window.ItemCount = 0;
  window.SetIndex(3);
  EXPECT_EQ(window.Index, 0);
  EXPECT_EQ(window.TopRow, 0);
  window.SetActive(true);
  for (uint8_t key : {VirtualKey::Down, VirtualKey::Up, uint8_t(0)}) Frame(window, key);
  EXPECT_EQ(window.Index, 0);
  EXPECT_EQ(window.TopRow, 0);
  EXPECT_EQ(CursorPlays(), 0);
}

TEST_F(WindowTest, AnActiveCursorBlinksEveryTenFramesAnInactiveOneShowsFrameOne) {
  // Cursor cell of item 0: (4, 8)-(60, 24); pixel (15, 11) lies on its top edge.
  auto cursorFrame = [](const TLcfWindow& window) { return (window.Image.ScanLine(11)[15] - 34) / 16; };
  TLcfWindow active(*Game), visible(*Game);
  for (TLcfWindow* window : {&active, &visible}) window->Open(0, 0, 64, 80, false);
  active.SetActive(true);
  visible.SetCursorVisible(true);
  std::string activeFrames, visibleFrames;
  for (int update = 1; update <= 31; ++update) {
    active.Update();
    visible.Update();
    if (update % 5 == 1) {
      activeFrames += std::to_string(cursorFrame(active));
      visibleFrames += std::to_string(cursorFrame(visible));
    }
  }
  // Updates 1, 6, 11, 16, 21, 26, 31.
  EXPECT_EQ(activeFrames, "0011001");
  EXPECT_EQ(visibleFrames, "1111111");
}

TEST_F(WindowTest, ScrollingSlidesOneRowOverFourFrames) {
  struct Case {
    const char* Name;
    int Start;  // the cursor item, placed with SetIndex (or SetTopRow 1 + SetIndex 1)
    uint8_t Key;
    std::vector<std::string> Frames;
  } const cases[] = {
      {"down from the last visible row", 3, VirtualKey::Down,
       {"0:12 1:16 2:16 3:16 4:4", "0:8 1:16 2:16 3:16 4:8", "0:4 1:16 2:16 3:16 4:12", "1:16 2:16 3:16 4:16"}},
      // Top row 5 lies at the start of the ring of five rows: the outgoing row comes from its
      // end and must still slide out.
      {"down onto the start of the ring", 7, VirtualKey::Down,
       {"4:12 5:16 6:16 7:16 8:4", "4:8 5:16 6:16 7:16 8:8", "4:4 5:16 6:16 7:16 8:12", "5:16 6:16 7:16 8:16"}},
      {"up from the first visible row", -1, VirtualKey::Up,
       {"0:4 1:16 2:16 3:16 4:12", "0:8 1:16 2:16 3:16 4:8", "0:12 1:16 2:16 3:16 4:4", "0:16 1:16 2:16 3:16"}},
  };
  for (const Case& c : cases) {
    TBlockWindow window(*Game);
    window.Open(0, 0, 64, 80, false);
    window.ItemCount = 10;
    if (c.Start < 0) {
      window.SetTopRow(1);
      window.SetIndex(1);
    } else {
      window.SetIndex(c.Start);
    }
    window.SetActive(true);
    Audio.Take();
    Frame(window, c.Key);
    EXPECT_EQ(CursorPlays(), 1) << c.Name;
    for (size_t f = 0; f < c.Frames.size(); ++f) {
      if (f > 0) Frame(window);
      EXPECT_EQ(ItemColumn(window), c.Frames[f]) << c.Name << ", frame " << f + 1;
    }
    EXPECT_EQ(window.ScrollOffset, 0) << c.Name;
  }
}

TEST_F(WindowTest, TheCursorReturnsTheFrameAfterAScrollEnds) {
  TLcfWindow window(*Game);
  window.Open(0, 0, 64, 80, false);
  window.ItemCount = 10;
  window.SetIndex(3);
  window.SetActive(true);
  Frame(window, VirtualKey::Down);
  for (int f = 2; f <= 4; ++f) Frame(window);
  // The new item 4 sits on the last visible row, cell (4, 56)-(60, 72), without cursor yet.
  EXPECT_EQ(window.Image.ScanLine(59)[15], window.FrameLayer.ScanLine(59)[15]);
  Frame(window);
  EXPECT_EQ(window.Image.ScanLine(59)[15], 34);
}

TEST_F(WindowTest, ScrollArrowsBlinkEveryTwentyFramesWhenThereIsMore) {
  // Window at (40, 40), 64 x 80: the arrows go to x 64, at y 40 and y 112. The up arrow's
  // top-left pixel is index 21, the down arrow's 25; the frame there is 17/18 and 28/29.
  TLcfWindow window(*Game);
  window.Open(40, 40, 64, 80, false);
  window.ItemCount = 6;
  window.SetTopRow(1);
  TLcfWindow plain(*Game);
  plain.Open(140, 40, 64, 80, false);
  struct Case {
    int Updates;
    bool Shown;
  } const cases[] = {{1, true}, {19, true}, {20, false}, {39, false}, {40, true}};
  int done = 0;
  for (const Case& c : cases) {
    for (; done < c.Updates; ++done) {
      window.Update();
      plain.Update();
    }
    Board().Clear();
    window.Draw();
    plain.Draw();
    EXPECT_EQ(Board().ScanLine(40)[64] == WordOf(21), c.Shown) << c.Updates;
    EXPECT_EQ(Board().ScanLine(112)[64] == WordOf(25), c.Shown) << c.Updates;
    EXPECT_NE(Board().ScanLine(40)[164], WordOf(21));
    EXPECT_NE(Board().ScanLine(112)[164], WordOf(25));
  }
}

TEST_F(WindowTest, ImmediateTextShowsWithoutRefreshOnlyWhileUnscrolled) {
  // Text colour 0 is index 176 in the skin.
  auto inked = [](const TLcfWindow& window) {
    for (int y = 8; y < 24; ++y)
      for (int x = 8; x < 20; ++x)
        if (window.Image.ScanLine(y)[x] == 176) return true;
    return false;
  };
  struct Case {
    bool Immediate;
    int TopRow;
    bool Shown;
  } const cases[] = {{true, 0, true}, {false, 0, false}, {true, 1, false}};
  for (const Case& c : cases) {
    TLcfWindow window(*Game);
    window.Open(0, 0, 64, 80, false);
    window.ItemCount = 10;
    window.SetTopRow(c.TopRow);
    window.DrawText(8, 8, "AB", 0, c.Immediate);
    EXPECT_EQ(inked(window), c.Shown) << c.Immediate << " " << c.TopRow;
  }
}
