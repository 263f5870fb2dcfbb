// TGlyphFont: the 12-pixel game font. Characters arrive as code-page 932 bytes (one byte, or a
// lead byte with its trail byte) and leave as 12x12 one-bit masks, rasterised with FreeType from
// the Shinonome bitmap fonts: half-width characters from the JIS X 0201 font, full-width ones
// from the gothic or mincho JIS X 0208 font. Masks are cached per face, so drawing text costs a
// table lookup per character once a glyph has been seen.
#pragma once

#include <array>
#include <bitset>
#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

// One glyph: bit j of Rows[i] is set when column j of row i is inked (12 rows of 12 columns).
struct TGlyphMask {
  std::array<uint16_t, 12> Rows{};
  bool operator==(const TGlyphMask&) const = default;
};

// Where the Shinonome fonts of the system's font package live.
inline constexpr std::string_view DefaultFontFolder = "/usr/share/fonts/X11/misc";

// The face names games and the system state choose from; others fall back to gothic.
inline constexpr std::string_view GothicFaceName = "TOVGOTH";
inline constexpr std::string_view MinchoFaceName = "TOVMIN";
inline constexpr std::string_view InitialFaceName = "ＭＳ ゴシック";

// True for the bytes that start a two-byte character in code page 932.
constexpr bool IsLeadByte(uint8_t Byte) { return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC); }
constexpr bool IsTrailByte(uint8_t Byte) { return Byte >= 0x40 && Byte <= 0xFC && Byte != 0x7F; }

// The JIS X 0208 row/cell code (0x2121 and up) of a Shift-JIS pair. Pairs beyond the 94 rows
// (the user-defined area) give codes no font holds.
constexpr uint16_t ShiftJisToJis(uint8_t Lead, uint8_t Trail) {
  int Row = (Lead <= 0x9F ? Lead - 0x71 : Lead - 0xB1) * 2 + 1;
  int Cell = Trail > 0x7F ? Trail - 1 : Trail;
  if (Cell >= 0x9E) {
    Cell -= 0x7D;
    ++Row;
  } else {
    Cell -= 0x1F;
  }
  return uint16_t(Row << 8 | Cell);
}

class TGlyphFont {
 public:
  // Opens the three fonts from FontFolder. A font that cannot be opened leaves its characters
  // blank; LoadErrors says which and why.
  explicit TGlyphFont(std::string_view FontFolder = DefaultFontFolder);
  ~TGlyphFont();
  TGlyphFont(const TGlyphFont&) = delete;
  TGlyphFont& operator=(const TGlyphFont&) = delete;

  // Selects the full-width face by name ("TOVGOTH", "TOVMIN", "ＭＳ ゴシック").
  void SetFace(std::string_view FaceName);
  const std::string& FaceName() const { return CurrentName; }

  // The glyph of a character: a single byte (Code < 0x100) or Lead << 8 | Trail. Characters no
  // font holds give the font's default glyph, which in these fonts is blank.
  const TGlyphMask& Glyph(uint16_t Code);

  // One line per font file that could not be used; empty when all three loaded.
  const std::vector<std::string>& LoadErrors() const { return Errors; }

 private:
  struct TFace;
  struct TGlyphPage {
    std::array<TGlyphMask, 256> Masks{};
    std::bitset<256> Loaded;
  };
  enum EFullWidth { Gothic, Mincho, FullWidthCount };

  TGlyphMask Rasterise(uint16_t Code) const;

  struct TLibrary;
  std::unique_ptr<TLibrary> Library;
  std::unique_ptr<TFace> HalfWidth;
  std::array<std::unique_ptr<TFace>, FullWidthCount> FullWidth;
  EFullWidth Current = Gothic;
  std::string CurrentName{InitialFaceName};
  // Glyph pages by lead byte (0 for single bytes), one set per full-width face.
  std::array<std::array<std::unique_ptr<TGlyphPage>, 256>, FullWidthCount> Pages;
  std::vector<std::string> Errors;
};
