// TLcfWindow: the base of every in-game window (menus, lists, status panels, the message
// window). A window pre-renders itself into 8-bit sheets that share the skin's palette: the
// frame layer (background and border), the contents layer (items, drawn by subclasses into a
// ring of VisibleRows + 1 rows so a scroll can draw the incoming row before the view moves) and
// the composed image that Draw stretches onto the screen board. Scenes own their windows, call
// Update once a frame and Draw when the frame is drawn.
//
// The window reaches the skin, the input, the system sounds and the screen board through the
// game context it was built with; it never caches them, so it may be built before they exist.
#pragma once

#include <cstdint>
#include <string_view>

#include "graphics/PrismSheet.h"
#include "graphics/PrismTypes.h"

struct TGame;
class TLcfSystemGraphic;

class TLcfWindow {
 public:
  explicit TLcfWindow(TGame& Game);
  virtual ~TLcfWindow() = default;
  TLcfWindow(const TLcfWindow&) = delete;
  TLcfWindow& operator=(const TLcfWindow&) = delete;

  // Geometry and a fresh state; the frame is composed, the contents are empty. Animate starts
  // the opening animation, otherwise the window is open at once.
  void Setup(int32_t X, int32_t Y, int32_t Width, int32_t Height, bool Animate);
  // Setup, then Refresh.
  void Open(int32_t X, int32_t Y, int32_t Width, int32_t Height, bool Animate);

  bool Exists() const { return Image.Width() > 0 && Image.Height() > 0; }
  bool IsOpen() const { return Exists() && CloseStep == 0 && OpenStep == 8; }
  // The message window hides its frame by making Image transparent.
  bool IsShown() const { return IsOpen() && !Image.Transparent; }

  // The cursor's cell of item I in Image coordinates (depends on TopRow).
  virtual TRect CursorRect(int32_t I) const;
  // Item I's place in the ring of Contents (independent of TopRow).
  virtual TRect ItemRect(int32_t I) const;
  // Draws item I into Contents with its text starting at (X, Y). Nothing here.
  virtual void DrawItem(int32_t X, int32_t Y, int32_t I);
  // Draws text into Contents; Immediate also shows it in Image at once while the view is
  // unscrolled (TopRow 0), so a single changed line needs no Refresh.
  virtual void DrawText(int32_t X, int32_t Y, std::string_view Text, int32_t Color, bool Immediate = false);

  // Restores the cell of item I from the frame, draws the cursor over it when WithCursor and
  // the cursor is visible, then the item on top.
  void DrawCell(int32_t I, bool WithCursor);
  // Redraws every visible item into Contents and composes Image anew (without the cursor; the
  // next blink step brings it back).
  virtual void Refresh();
  void SetIndex(int32_t I);
  void SetTopRow(int32_t Row);
  void SetCursorVisible(bool Visible);
  void SetActive(bool Value);
  // Frees the window at once: it no longer exists.
  virtual void Close();
  // Starts the closing animation; the window frees itself seven updates later.
  virtual void StartClose();

  // Cursor movement from the input's repeat signal, and the one-row scrolls it starts.
  virtual void MoveCursor();
  virtual void ScrollDown();
  virtual void ScrollUp();
  // Image from the frame and the ring of rows at the current scroll position.
  virtual void ComposeScrolled();

  virtual void Update();
  virtual void Draw();

  int32_t Columns = 1;
  TPrismSheet Image;       // the composed window, Width x Height
  TPrismSheet FrameLayer;  // background and border only
  TPrismSheet Contents;    // the ring of item rows, Width x (Height + 16), index 0 transparent
  int32_t X = 0, Y = 0, Width = 0, Height = 0;
  int32_t ColumnWidth = 0;
  int32_t RowHeight = 16;
  int32_t VisibleRows = 0;
  int32_t LeftMargin = 8, TopMargin = 8;
  int32_t ItemWidth = 0, ItemHeight = 16;
  int32_t ItemCount = 0;
  int32_t Index = 0;
  int32_t TopRow = 0;
  // Pixels still to scroll: -16 after scrolling down, +16 after scrolling up, 4 a frame to 0.
  int32_t ScrollOffset = 0;
  bool CursorVisible = false, Active = false;
  int32_t CursorCount = 0;          // frames since the cursor last moved or was reset
  int32_t OpenStep = 0, CloseStep = 0;  // 0..8
  int32_t FrameCount = 0;           // frames since Setup, for the arrow blink

 protected:
  TLcfSystemGraphic& Skin() const;

  TGame& Game;

 private:
  // Columns and the ring size as divisors: never below 1, whatever a subclass stored.
  int32_t ItemsPerRow() const;
  int32_t RingRows() const;
  void DrawRowIntoRing(int32_t Row);
  void ShowFrameOnly();
  int32_t OpenCloseShrink() const;
  void DrawArrows();
  // The cursor index a one-column list moves to, or Index when it does not move.
  int32_t MoveInColumn(uint16_t Repeat) const;
  int32_t MoveInGrid(uint16_t Repeat) const;
};
