#include "graphics/GR_Font.h"

#include <ft2build.h>
#include FT_FREETYPE_H

#include <algorithm>

namespace {

// Which file serves which role. All are 12-pixel bitmap fonts whose only charmap is the raw
// code of their character set, which FreeType does not pick by itself.
constexpr std::string_view HalfWidthFile = "shnm6x12r.pcf.gz";
constexpr std::string_view GothicFile = "shnmk12.pcf.gz";
constexpr std::string_view MinchoFile = "shnmk12min.pcf.gz";

constexpr int GlyphSize = 12;
// Rows above the baseline in these fonts, used when a face does not report its ascent.
constexpr int FallbackAscent = 10;

}  // namespace

struct TGlyphFont::TLibrary {
  FT_Library Handle = nullptr;
  ~TLibrary() {
    if (Handle) FT_Done_FreeType(Handle);
  }
};

struct TGlyphFont::TFace {
  FT_Face Handle = nullptr;
  int Ascent = FallbackAscent;
  ~TFace() {
    if (Handle) FT_Done_Face(Handle);
  }
};

namespace {

std::string JoinPath(std::string_view Folder, std::string_view File) {
  std::string Path(Folder);
  if (!Path.empty() && Path.back() != '/') Path += '/';
  Path += File;
  return Path;
}

// Opens one bitmap font and selects its raw charmap and its one strike; nothing on failure,
// with the reason appended to Errors.
template <class TFace>
std::unique_ptr<TFace> OpenFace(FT_Library Library, const std::string& Path, std::vector<std::string>& Errors) {
  auto Face = std::make_unique<TFace>();
  if (!Library || FT_New_Face(Library, Path.c_str(), 0, &Face->Handle) != 0) {
    Face->Handle = nullptr;
    Errors.push_back("Font file not found or unreadable: " + Path);
    return nullptr;
  }
  FT_Face F = Face->Handle;
  if (F->num_charmaps < 1 || FT_Set_Charmap(F, F->charmaps[0]) != 0) {
    Errors.push_back("Font has no usable charmap: " + Path);
    return nullptr;
  }
  if (F->num_fixed_sizes > 0) FT_Select_Size(F, 0);
  if (F->size && F->size->metrics.ascender > 0)
    Face->Ascent = std::clamp(int(F->size->metrics.ascender >> 6), 0, GlyphSize);
  return Face;
}

// Renders the glyph at Index as the platform draws a character at the top-left of a 12x12
// cell: the font's baseline Ascent rows down, everything outside the cell cut off.
TGlyphMask RenderGlyph(FT_Face Face, int Ascent, FT_UInt Index) {
  TGlyphMask Mask;
  if (FT_Load_Glyph(Face, Index, FT_LOAD_RENDER | FT_LOAD_TARGET_MONO) != 0) return Mask;
  const FT_Bitmap& Bitmap = Face->glyph->bitmap;
  const int Top = Ascent - Face->glyph->bitmap_top, Left = Face->glyph->bitmap_left;
  const bool Mono = Bitmap.pixel_mode == FT_PIXEL_MODE_MONO;
  for (unsigned y = 0; y < Bitmap.rows; ++y) {
    int Row = Top + int(y);
    if (Row < 0 || Row >= GlyphSize) continue;
    const uint8_t* Line = Bitmap.buffer + ptrdiff_t(y) * Bitmap.pitch;
    for (unsigned x = 0; x < Bitmap.width; ++x) {
      int Column = Left + int(x);
      if (Column < 0 || Column >= GlyphSize) continue;
      bool Inked = Mono ? (Line[x / 8] >> (7 - x % 8)) & 1 : Line[x] >= 128;
      if (Inked) Mask.Rows[Row] |= uint16_t(1u << Column);
    }
  }
  return Mask;
}

}  // namespace

TGlyphFont::TGlyphFont(std::string_view FontFolder) : Library(std::make_unique<TLibrary>()) {
  if (FT_Init_FreeType(&Library->Handle) != 0) {
    Library->Handle = nullptr;
    Errors.push_back("The font rasteriser could not start");
  }
  HalfWidth = OpenFace<TFace>(Library->Handle, JoinPath(FontFolder, HalfWidthFile), Errors);
  FullWidth[Gothic] = OpenFace<TFace>(Library->Handle, JoinPath(FontFolder, GothicFile), Errors);
  FullWidth[Mincho] = OpenFace<TFace>(Library->Handle, JoinPath(FontFolder, MinchoFile), Errors);
}

TGlyphFont::~TGlyphFont() {
  // Faces belong to the library and must go first.
  HalfWidth.reset();
  for (auto& Face : FullWidth) Face.reset();
}

void TGlyphFont::SetFace(std::string_view FaceName) {
  CurrentName = std::string(FaceName);
  Current = FaceName == MinchoFaceName ? Mincho : Gothic;
}

const TGlyphMask& TGlyphFont::Glyph(uint16_t Code) {
  auto& Page = Pages[Current][Code >> 8];
  if (!Page) Page = std::make_unique<TGlyphPage>();
  const uint8_t Slot = uint8_t(Code);
  if (!Page->Loaded[Slot]) {
    Page->Masks[Slot] = Rasterise(Code);
    Page->Loaded[Slot] = true;
  }
  return Page->Masks[Slot];
}

TGlyphMask TGlyphFont::Rasterise(uint16_t Code) const {
  // A single byte is JIS X 0201 (ASCII and half-width katakana) in the half-width font; a pair
  // is looked up by its JIS X 0208 code. Index 0 is the font's default glyph.
  const bool Single = Code < 0x100;
  const TFace* Face = Single ? HalfWidth.get() : FullWidth[Current].get();
  if (!Face) return {};
  FT_ULong CharCode = Single ? Code : ShiftJisToJis(uint8_t(Code >> 8), uint8_t(Code));
  return RenderGlyph(Face->Handle, Face->Ascent, FT_Get_Char_Index(Face->Handle, CharCode));
}
