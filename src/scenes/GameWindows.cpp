#include "scenes/GameWindows.h"

#include <algorithm>

#include "graphics/GR_System.h"
#include "graphics/PrismBoard.h"
#include "shell/Game.h"

namespace {

// Scrolling moves this many pixels a frame, so one row takes four frames.
constexpr int32_t ScrollSpeed = 4;
// The cursor changes frame every ten frames while it is active.
constexpr int32_t CursorBlinkFrames = 10;
// The scroll arrows are shown for twenty frames and hidden for twenty.
constexpr int32_t ArrowBlinkFrames = 20;
// The animation runs from step 1 (nothing shown) to step 8 (the full window).
constexpr int32_t LastStep = 8;
// An arrow cell is 16 wide and 8 high.
constexpr int32_t ArrowHalfWidth = 8, ArrowHeight = 8;

}  // namespace

TLcfWindow::TLcfWindow(TGame& game) : Game(game) {}

TLcfSystemGraphic& TLcfWindow::Skin() const { return Game.System->Skin; }

int32_t TLcfWindow::ItemsPerRow() const { return std::max(1, Columns); }

int32_t TLcfWindow::RingRows() const { return std::max(1, VisibleRows + 1); }

// ---- Setup and geometry ------------------------------------------------------------------------

void TLcfWindow::Setup(int32_t x, int32_t y, int32_t width, int32_t height, bool animate) {
  X = x, Y = y, Width = std::max(0, width), Height = std::max(0, height);
  Columns = ItemsPerRow();
  ColumnWidth = Width / Columns;
  RowHeight = 16;
  // A window lower than two rows has no room for an item; it keeps a ring of one row.
  VisibleRows = std::max(0, (Height - 16) / 16);
  LeftMargin = 8, TopMargin = 8;
  ItemWidth = ColumnWidth - 16, ItemHeight = 16;
  ItemCount = VisibleRows;

  Index = 0, TopRow = 0, ScrollOffset = 0;
  CursorVisible = false, Active = false;
  CursorCount = 0, FrameCount = 0;

  Image.SetSize(Width, Height);
  FrameLayer.SetSize(Width, Height);
  Contents.SetSize(Width, Height + 16);
  Image.Palette = Skin().Image.Palette;
  Image.UpdatePalette();
  // A skin that failed to load draws no background; the old pixels must not show through.
  Image.FillArea(Image.GetBounds(), 0);
  Skin().DrawWindow(Image, 0, 0, Width, Height);
  FrameLayer.Pixels = Image.Pixels;
  Contents.FillArea(Contents.GetBounds(), 0);
  Contents.Transparent = true;

  OpenStep = animate ? 1 : LastStep;
  if (CloseStep == 1) CloseStep = 0;
}

void TLcfWindow::Open(int32_t x, int32_t y, int32_t width, int32_t height, bool animate) {
  Setup(x, y, width, height, animate);
  Refresh();
}

TRect TLcfWindow::CursorRect(int32_t i) const {
  const int32_t columns = ItemsPerRow();
  const int32_t left = i % columns * ColumnWidth + LeftMargin - 4;
  const int32_t top = (i / columns - TopRow) * RowHeight + TopMargin;
  return {left, top, left + ItemWidth + 8, top + ItemHeight};
}

TRect TLcfWindow::ItemRect(int32_t i) const {
  const int32_t columns = ItemsPerRow();
  const int32_t left = i % columns * ColumnWidth + LeftMargin - 4;
  const int32_t top = i / columns % RingRows() * RowHeight + TopMargin;
  return {left, top, left + ItemWidth + 8, top + ItemHeight};
}

// ---- Drawing into the sheets -------------------------------------------------------------------

void TLcfWindow::DrawItem(int32_t, int32_t, int32_t) {}

void TLcfWindow::DrawText(int32_t x, int32_t y, std::string_view text, int32_t color, bool immediate) {
  Skin().DrawText(Contents, x, y, text, color);
  if (!immediate || TopRow != 0) return;
  // The glyphs cover rows y + 2 .. y + 13 and their shadows one more row and column.
  const int32_t width = 6 * int32_t(text.size()) + 1;
  Image.CopyFrom(x, y + 2, {x, y + 2, x + width, y + 15}, Contents);
}

void TLcfWindow::DrawCell(int32_t i, bool withCursor) {
  const TRect cell = CursorRect(i);
  Image.CopyFrom(cell.Left, cell.Top, cell, FrameLayer);
  if (CursorVisible && withCursor) {
    const int32_t frame = Active ? CursorCount / CursorBlinkFrames % 2 : 1;
    Skin().DrawCursor(Image, cell, frame);
  }
  Image.CopyFrom(cell.Left, cell.Top, ItemRect(i), Contents);
}

void TLcfWindow::ShowFrameOnly() { Image.Pixels = FrameLayer.Pixels; }

void TLcfWindow::DrawRowIntoRing(int32_t row) {
  const int32_t columns = ItemsPerRow();
  for (int32_t c = 0; c < columns; ++c) {
    const int32_t i = row * columns + c;
    const TRect place = ItemRect(i);
    Contents.FillArea(place, 0);
    if (i >= 0 && i < ItemCount) DrawItem(place.Left + 4, place.Top, i);
  }
}

void TLcfWindow::Refresh() {
  ShowFrameOnly();
  Contents.FillArea(Contents.GetBounds(), 0);
  Contents.Transparent = true;
  const int32_t columns = ItemsPerRow();
  for (int32_t n = 0; n < VisibleRows * columns; ++n) {
    const int32_t i = TopRow * columns + n;
    if (i >= 0 && i < ItemCount) {
      const TRect place = ItemRect(i);
      DrawItem(place.Left + 4, place.Top, i);
    }
    DrawCell(i, false);
  }
}

// ---- Cursor and view ---------------------------------------------------------------------------

void TLcfWindow::SetIndex(int32_t i) {
  DrawCell(Index, false);
  // An empty list keeps the cursor on item 0 rather than on -1, which no list can draw.
  Index = std::max(0, std::min(i, ItemCount - 1));
  const int32_t columns = ItemsPerRow();
  if (Index < TopRow * columns) SetTopRow(Index / columns);
  if (Index >= (TopRow + VisibleRows) * columns) SetTopRow(Index / columns - VisibleRows + 1);
}

void TLcfWindow::SetTopRow(int32_t row) {
  TopRow = std::max(0, row);
  Refresh();
}

void TLcfWindow::SetCursorVisible(bool visible) {
  CursorVisible = visible;
  if (!visible) Active = false;
  CursorCount = 0;
  DrawCell(Index, true);
}

void TLcfWindow::SetActive(bool value) {
  Active = value;
  if (value) CursorVisible = true;
  CursorCount = 0;
  DrawCell(Index, true);
}

void TLcfWindow::Close() {
  SetCursorVisible(false);
  OpenStep = 0, CloseStep = 0;
  Image.FreePixels();
  FrameLayer.FreePixels();
  Contents.FreePixels();
}

void TLcfWindow::StartClose() {
  if (!Exists()) return;
  Refresh();
  SetCursorVisible(false);
  OpenStep = 0, CloseStep = 1;
}

int32_t TLcfWindow::MoveInColumn(uint16_t repeat) const {
  const bool down = repeat & GameButton::Down, up = repeat & GameButton::Up;
  if (VisibleRows < ItemCount) {
    if (down) return std::min(ItemCount - 1, Index + 1);
    if (up) return std::max(0, Index - 1);
    return Index;
  }
  // A list that fits wraps around; an empty one has nowhere to go (and nothing to divide by).
  if (ItemCount <= 0) return Index;
  if (down) return (Index + 1) % ItemCount;
  if (up) return (Index + ItemCount - 1) % ItemCount;
  return Index;
}

int32_t TLcfWindow::MoveInGrid(uint16_t repeat) const {
  const int32_t columns = ItemsPerRow();
  if (repeat & GameButton::Down) {
    const bool rowBelow = Index < ItemCount - columns || columns * (TopRow + VisibleRows) < ItemCount;
    return rowBelow ? std::min(ItemCount - 1, Index + columns) : Index;
  }
  if (repeat & GameButton::Up) return Index >= columns ? std::max(0, Index - columns) : Index;
  if (repeat & GameButton::Right) return std::min(ItemCount - 1, Index + 1);
  if (repeat & GameButton::Left) return std::max(0, Index - 1);
  return Index;
}

void TLcfWindow::MoveCursor() {
  const uint16_t repeat = Game.Input->Repeat;
  const int32_t columns = ItemsPerRow();
  Index = std::max(0, columns == 1 ? MoveInColumn(repeat) : MoveInGrid(repeat));
  // A window without a whole row has no view to scroll; it would scroll back and forth.
  if (VisibleRows < 1) return;
  if (Index < TopRow * columns) {
    ScrollUp();
  } else if (Index >= (TopRow + VisibleRows) * columns) {
    ScrollDown();
  }
}

void TLcfWindow::ScrollDown() {
  DrawRowIntoRing(TopRow + VisibleRows);
  ++TopRow;
  ScrollOffset = -RowHeight;
}

void TLcfWindow::ScrollUp() {
  DrawRowIntoRing(TopRow - 1);
  --TopRow;
  ScrollOffset = RowHeight;
}

// The view is VisibleRows rows of the ring, starting ScrollOffset pixels from the top of
// TopRow's ring row; where it runs past either end of the ring it continues at the other.
void TLcfWindow::ComposeScrolled() {
  ShowFrameOnly();
  const int32_t viewHeight = VisibleRows * RowHeight, ringHeight = RingRows() * RowHeight;
  if (viewHeight <= 0) return;
  const int32_t position = TopRow % RingRows() * RowHeight + ScrollOffset;
  const int32_t start = (position % ringHeight + ringHeight) % ringHeight;
  const int32_t first = std::min(ringHeight - start, viewHeight);
  Image.CopyFrom(0, TopMargin, {0, TopMargin + start, Width, TopMargin + start + first}, Contents);
  const int32_t rest = viewHeight - first;
  if (rest > 0) Image.CopyFrom(0, TopMargin + first, {0, TopMargin, Width, TopMargin + rest}, Contents);
}

// ---- Frames ------------------------------------------------------------------------------------

void TLcfWindow::Update() {
  ++FrameCount;
  if (CloseStep >= 1 && CloseStep <= LastStep) {
    if (++CloseStep == LastStep) {
      if (OpenStep == 0) Close();
      CloseStep = 0;
    }
  } else if (OpenStep > 0 && OpenStep < LastStep) {
    ++OpenStep;
  }
  if (!IsOpen() || !CursorVisible) return;

  if (ScrollOffset == 0) {
    if (Active) {
      const int32_t old = Index;
      MoveCursor();
      if (Index != old) {
        Game.System->PlaySystemSound(ESystemSound::Cursor);
        DrawCell(old, false);
        CursorCount = 0;
      }
    }
    if (CursorCount % CursorBlinkFrames == 0) DrawCell(Index, true);
    ++CursorCount;
  }
  if (ScrollOffset != 0) {
    ScrollOffset += std::clamp(-ScrollOffset, -ScrollSpeed, ScrollSpeed);
    if (ScrollOffset == 0) {
      ComposeScrolled();
      CursorCount = 0;
      DrawCell(Index, false);
    }
  }
}

// Rows cut off at the top and at the bottom by the opening or closing animation. Exact
// integer arithmetic: a window 70 high at step 2 loses exactly 30 rows on each side.
int32_t TLcfWindow::OpenCloseShrink() const {
  if (CloseStep == LastStep || (CloseStep <= 0 && OpenStep <= 0)) return Height / 2;
  if (CloseStep <= 0) return Height * (LastStep - OpenStep) / 14;
  return Height * CloseStep / 14;
}

void TLcfWindow::DrawArrows() {
  if (FrameCount / ArrowBlinkFrames % 2 != 0) return;
  TPrismBoard& board = Game.Draw->Board();
  const int32_t left = X + Width / 2 - ArrowHalfWidth;
  if (TopRow > 0) Skin().DrawUpArrow(board, left, Y);
  if ((TopRow + VisibleRows) * ItemsPerRow() < ItemCount) Skin().DrawDownArrow(board, left, Y + Height - ArrowHeight);
}

void TLcfWindow::Draw() {
  if (!Exists()) return;
  if (ScrollOffset != 0) ComposeScrolled();
  const int32_t shrink = OpenCloseShrink();
  Game.Draw->Board().StretchDraw({X, Y + shrink, X + Width, Y + Height - shrink}, Image, Image.GetBounds());
  DrawArrows();
}
