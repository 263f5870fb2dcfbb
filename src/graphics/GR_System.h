// TLcfSystemGraphic: the game's system image (window skin, cursor, arrows, timer digits, icons,
// shadow cells, background and text colours) and the text drawer. It composes windows,
// cursors and text into 8-bit sheets that share the system image's palette, and draws the
// small overlay elements straight onto a board. The system state owns the one instance and
// chooses the image, the wallpaper mode and the font.
//
// The program's own pictures live here too: the extra-glyph sheet "EXFONT" that "$" + letter
// draws from, and the three start-up logos "LOGO1" to "LOGO3" that the title scene shows.
#pragma once

#include "graphics/GR_Font.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismImage.h"
#include "graphics/PrismSheet.h"

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

class TGameFolder;

// The program's built-in pictures by resource name ("EXFONT", "LOGO1", "LOGO2", "LOGO3"), as
// 8-bit images. An unknown name raises EInvalidGraphic("Resource not found").
TPrismBitmap LoadProgramResource(std::string_view Name);

class TLcfSystemGraphic {
 public:
  static constexpr int32_t ImageWidth = 160, ImageHeight = 80;
  static constexpr int32_t ExFontWidth = 156, ExFontHeight = 48;

  // Folder is where LoadImage looks for system images; it must outlive this object.
  explicit TLcfSystemGraphic(const TGameFolder& Folder, std::string_view FontFolder = DefaultFontFolder);

  // Loads the system image Name from the "data" folder. A name that finds no file leaves the
  // image cleared (index 0 everywhere, black palette): windows draw black and text vanishes.
  // A file that is found but cannot be read as an 8-bit image raises its error, after which
  // the image is cleared as well.
  void LoadImage(std::string_view Name);
  // The same from a decoded picture (built-in skins and tests).
  void AssignImage(const TPrismBitmap& Bitmap);

  void SetFont(int32_t Choice);
  int32_t FontChoice() const { return FFontChoice; }
  // Problems with the font files, one line each (characters of a missing font draw blank).
  const std::vector<std::string>& FontErrors() const { return Font.LoadErrors(); }

  TPrismRgb BackgroundColor() const;

  void DrawUpArrow(TPrismBoard& Board, int32_t X, int32_t Y);
  void DrawDownArrow(TPrismBoard& Board, int32_t X, int32_t Y);
  void DrawShadow(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Strength);
  void DrawTimer(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Frames);
  void DrawIcon(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Column, int32_t Row);

  // The composing operations write into 8-bit sheets that use the system image's palette.
  // Everything they would write outside the sheet is cut off.
  void DrawWindow(TPrismSheet& Sheet, int32_t X, int32_t Y, int32_t Width, int32_t Height);
  void DrawCursor(TPrismSheet& Sheet, const TRect& Rect, int32_t Frame);
  void DrawText(TPrismSheet& Sheet, int32_t X, int32_t Y, std::string_view Text, int32_t Color);

  TPrismSheet Image;    // 160x80, drawn with index 0 transparent
  TPrismSheet ExFont;   // 156x48, the extra glyphs A-Z a-z, read once at construction
  bool Tiled = false;   // the window background is tiled rather than stretched

 private:
  // The frame pieces and the cursor share one layout: a 32x32 block of 8x8 pieces.
  void DrawFrameBlock(TPrismSheet& Sheet, int32_t BlockLeft, int32_t X, int32_t Y, int32_t Width, int32_t Height);
  void DrawWindowBackground(TPrismSheet& Sheet, int32_t X, int32_t Y, int32_t Width, int32_t Height);
  void DrawGlyph(TPrismSheet& Sheet, int32_t X, int32_t Y, const TGlyphMask& Mask, int32_t SourceX,
                 int32_t SourceY, uint8_t Shadow);
  const TGlyphMask& ExFontGlyph(char Letter) const;
  // Text and backgrounds read the image directly; a resized image draws nothing.
  bool HasFullImage() const { return Image.Width() == ImageWidth && Image.Height() == ImageHeight; }
  void BuildExFontGlyphs();

  const TGameFolder& Folder;
  TGlyphFont Font;
  int32_t FFontChoice = 0;
  // The extra glyphs as masks: a pixel is inked where its EXFONT colour is not black.
  std::array<TGlyphMask, 52> ExFontGlyphs{};
};
