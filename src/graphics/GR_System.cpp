#include "graphics/GR_System.h"

#include "data/GameFolder.h"
#include "graphics/resources/ExFontArt.h"
#include "graphics/resources/StartupLogos.h"

#include <algorithm>
#include <bit>
#include <cstdio>
#include <utility>
#include <vector>

namespace {

// Areas of the system image.
constexpr int32_t FrameBlockLeft = 32;
constexpr int32_t CursorBlockLeft = 64;
constexpr int32_t BlockSize = 32;
constexpr int32_t Piece = 8;
constexpr TRect UpArrowCell{40, 8, 56, 16};
constexpr TRect DownArrowCell{40, 16, 56, 24};
constexpr TRect ShadowCells[] = {{128, 32, 144, 48}, {144, 32, 160, 48}};
constexpr TRect TimerColonCell{112, 32, 120, 48};
constexpr TPoint BackgroundColorPixel{0, 32};
constexpr TPoint TextShadowPixel{16, 32};
constexpr int32_t IconLeft = 128, IconsPerSide = 4;

TRect TimerDigitCell(int Digit) { return {32 + 8 * Digit, 32, 40 + 8 * Digit, 48}; }

// The timer shows two digits of minutes; longer times stay at the last value it can show.
constexpr int32_t LargestTimerFrames = 100 * 3600 - 1;

// A character ending in one of these may touch the right margin.
constexpr uint16_t EdgeMarks[] = {0x8141 /* 、 */, 0x8142 /* 。 */, 0x8143 /* ， */, 0x8144 /* ． */};

constexpr int32_t TextColorCount = 20;
constexpr int32_t GlyphSize = 12;

bool IsAsciiLetter(uint8_t Byte) { return (Byte >= 'A' && Byte <= 'Z') || (Byte >= 'a' && Byte <= 'z'); }

int32_t CeilDiv8(int32_t Value) { return (Value + 7) / 8; }

// Edge pieces alternate between the block's two middle pieces, the odd ones first.
int32_t MiddlePiece(int32_t K) { return K % 2 ? 16 : 8; }

// One character of a text: its glyph, how many bytes it took, and whether it may touch the
// right margin.
struct TTextChar {
  const TGlyphMask* Mask = nullptr;
  int32_t Bytes = 1;
  bool EdgeMark = false;
};

const TGlyphMask BlankGlyph{};

// The resource table of the program's own pictures.
struct TProgramResource {
  std::string_view Name;
  TPrismBitmap (*Make)();
};
constexpr TProgramResource ProgramResources[] = {
    {"EXFONT", MakeExFontBitmap},
    {"LOGO1", MakeMosaicWordLogo},
    {"LOGO2", MakeTiledLandscapeLogo},
    {"LOGO3", MakeFreeSoftwareLogo},
};

bool SameNameIgnoringCase(std::string_view A, std::string_view B) {
  return std::ranges::equal(A, B, [](char X, char Y) {
    auto Upper = [](char C) { return C >= 'a' && C <= 'z' ? char(C - 32) : C; };
    return Upper(X) == Upper(Y);
  });
}

}  // namespace

TPrismBitmap LoadProgramResource(std::string_view Name) {
  for (const auto& Resource : ProgramResources)
    if (SameNameIgnoringCase(Resource.Name, Name)) return Resource.Make();
  throw EInvalidGraphic("Resource not found");
}

TLcfSystemGraphic::TLcfSystemGraphic(const TGameFolder& GameFolder, std::string_view FontFolder)
    : Folder(GameFolder), Font(FontFolder) {
  Image.SetSize(ImageWidth, ImageHeight);
  Image.Transparent = true;
  ExFont.SetSize(ExFontWidth, ExFontHeight);
  ExFont.AssignBitmap(LoadProgramResource("EXFONT"));
  BuildExFontGlyphs();
  Font.SetFace(InitialFaceName);
}

void TLcfSystemGraphic::LoadImage(std::string_view Name) {
  Image.Clear();
  auto Path = Folder.FindAsset(Name, "data", EAssetList::Image);
  if (!Path) return;
  try {
    Image.LoadFromFile(*Path, true);
  } catch (...) {
    Image.Clear();
    throw;
  }
}

void TLcfSystemGraphic::AssignImage(const TPrismBitmap& Bitmap) {
  Image.Clear();
  Image.AssignBitmap(Bitmap);
}

void TLcfSystemGraphic::SetFont(int32_t Choice) {
  FFontChoice = Choice;
  Font.SetFace(Choice == 0 ? GothicFaceName : MinchoFaceName);
}

TPrismRgb TLcfSystemGraphic::BackgroundColor() const {
  const auto& Entry = Image.Palette[Image.ScanLine(BackgroundColorPixel.Y)[BackgroundColorPixel.X]];
  return {Entry.Red, Entry.Green, Entry.Blue};
}

void TLcfSystemGraphic::DrawUpArrow(TPrismBoard& Board, int32_t X, int32_t Y) { Board.Draw(X, Y, UpArrowCell, Image); }

void TLcfSystemGraphic::DrawDownArrow(TPrismBoard& Board, int32_t X, int32_t Y) {
  Board.Draw(X, Y, DownArrowCell, Image);
}

void TLcfSystemGraphic::DrawShadow(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Strength) {
  Image.Opacity = std::clamp(Strength / 4, 0, 255);
  for (const TRect& Cell : ShadowCells) Board.Draw(X, Y, Cell, Image);
  Image.Opacity = 255;
}

void TLcfSystemGraphic::DrawTimer(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Frames) {
  Frames = std::clamp(Frames, 0, LargestTimerFrames);
  char Text[8];
  std::snprintf(Text, sizeof Text, "%.2d:%.2d", Frames / 3600, Frames / 60 % 60);
  for (int i : {0, 1, 3, 4}) Board.Draw(X + 8 * i, Y, TimerDigitCell(Text[i] - '0'), Image);
  // The colon shows for the second half of every second, so it blinks once a second.
  if (Frames % 60 >= 30) Board.Draw(X + 16, Y, TimerColonCell, Image);
}

void TLcfSystemGraphic::DrawIcon(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Column, int32_t Row) {
  if (Column < 0 || Column >= IconsPerSide || Row < 0 || Row >= IconsPerSide) return;
  const int32_t Left = IconLeft + Piece * Column, Top = Piece * Row;
  Board.Draw(X, Y, {Left, Top, Left + Piece, Top + Piece}, Image);
}

void TLcfSystemGraphic::DrawWindow(TPrismSheet& Sheet, int32_t X, int32_t Y, int32_t Width, int32_t Height) {
  DrawWindowBackground(Sheet, X, Y, Width, Height);
  if (Width > 7 && Height > 7) DrawFrameBlock(Sheet, FrameBlockLeft, X, Y, Width, Height);
}

void TLcfSystemGraphic::DrawWindowBackground(TPrismSheet& Sheet, int32_t X, int32_t Y, int32_t Width,
                                             int32_t Height) {
  if (Width <= 0 || Height <= 0 || !HasFullImage()) return;
  const int32_t FirstColumn = std::max(0, -X), EndColumn = std::min(Width, Sheet.Width() - X);
  const int32_t FirstRow = std::max(0, -Y), EndRow = std::min(Height, Sheet.Height() - Y);
  if (FirstColumn >= EndColumn) return;
  // Every row reads the same background columns, so they are worked out once.
  std::vector<uint8_t> SourceColumn(size_t(EndColumn - FirstColumn));
  for (int32_t j = FirstColumn; j < EndColumn; ++j)
    SourceColumn[size_t(j - FirstColumn)] = uint8_t(Tiled ? j % BlockSize : int64_t(j) * BlockSize / Width);
  for (int32_t i = FirstRow; i < EndRow; ++i) {
    const int32_t SourceRow = Tiled ? i % BlockSize : int32_t(int64_t(i) * BlockSize / Height);
    const uint8_t* Source = Image.ScanLine(SourceRow);
    uint8_t* Dest = Sheet.ScanLine(Y + i) + X + FirstColumn;
    for (size_t j = 0; j < SourceColumn.size(); ++j) Dest[j] = Source[SourceColumn[j]];
  }
}

void TLcfSystemGraphic::DrawFrameBlock(TPrismSheet& Sheet, int32_t BlockLeft, int32_t X, int32_t Y, int32_t Width,
                                       int32_t Height) {
  // Pieces are copied with index 0 left out, so the background shows through their holes.
  Image.Transparent = true;
  auto Put = [&](int32_t PieceX, int32_t PieceY, int32_t DestX, int32_t DestY) {
    Sheet.CopyFrom(DestX, DestY, {BlockLeft + PieceX, PieceY, BlockLeft + PieceX + Piece, PieceY + Piece}, Image);
  };
  const int32_t Right = X + Width - Piece, Bottom = Y + Height - Piece;
  for (int32_t k = 1; k <= CeilDiv8(Width) - 2; ++k) {
    Put(MiddlePiece(k), 0, X + Piece * k, Y);
    Put(MiddlePiece(k), 24, X + Piece * k, Bottom);
  }
  for (int32_t k = 1; k <= CeilDiv8(Height) - 2; ++k) {
    Put(0, MiddlePiece(k), X, Y + Piece * k);
    Put(24, MiddlePiece(k), Right, Y + Piece * k);
  }
  Put(0, 0, X, Y);
  Put(24, 0, Right, Y);
  Put(0, 24, X, Bottom);
  Put(24, 24, Right, Bottom);
}

void TLcfSystemGraphic::DrawCursor(TPrismSheet& Sheet, const TRect& Rect, int32_t Frame) {
  const int32_t Width = Rect.Width(), Height = Rect.Height();
  if (Width < 8 || Height < 8) return;
  const int32_t BlockLeft = CursorBlockLeft + BlockSize * (Frame == 0 ? 0 : 1);
  Image.Transparent = true;
  for (int32_t i = 1; i <= CeilDiv8(Height) - 2; ++i)
    for (int32_t j = 1; j <= CeilDiv8(Width) - 2; ++j) {
      const int32_t PieceX = BlockLeft + MiddlePiece(j), PieceY = MiddlePiece(i);
      Sheet.CopyFrom(Rect.Left + Piece * j, Rect.Top + Piece * i, {PieceX, PieceY, PieceX + Piece, PieceY + Piece},
                     Image);
    }
  DrawFrameBlock(Sheet, BlockLeft, Rect.Left, Rect.Top, Width, Height);
}

void TLcfSystemGraphic::DrawText(TPrismSheet& Sheet, int32_t X, int32_t Y, std::string_view Text, int32_t Color) {
  if (!HasFullImage()) return;
  // Colours wrap every twenty cells; negative ones wrap the same way rather than read outside
  // the image.
  const int32_t Cell = (Color % TextColorCount + TextColorCount) % TextColorCount;
  const int32_t SourceX = Cell % 10 * 16 + 2, SourceY = Cell / 10 * 16 + 48 + 2;
  const uint8_t Shadow = Image.ScanLine(TextShadowPixel.Y)[TextShadowPixel.X];

  auto Byte = [&](size_t At) { return At < Text.size() ? uint8_t(Text[At]) : uint8_t(0); };
  auto NextChar = [&](size_t At) -> TTextChar {
    const uint8_t First = Byte(At), Second = Byte(At + 1);
    const bool HasSecond = At + 1 < Text.size();
    if (First == '$' && HasSecond && IsAsciiLetter(Second)) return {&ExFontGlyph(char(Second)), 2};
    if (First == '$' && Second == '$') return {&Font.Glyph('$'), 2};
    if (IsLeadByte(First)) {
      // A lead byte without a trail byte after it draws as a space.
      if (!HasSecond || !IsTrailByte(Second)) return {&BlankGlyph, 1};
      const uint16_t Code = uint16_t(First << 8 | Second);
      return {&Font.Glyph(Code), 2, std::ranges::find(EdgeMarks, Code) != std::end(EdgeMarks)};
    }
    return {&Font.Glyph(First), 1};
  };

  for (size_t At = 0; At < Text.size();) {
    if (Byte(At) == 0x01) {
      X += 3;
      ++At;
      continue;
    }
    const TTextChar Char = NextChar(At);
    // The character must end at least 6 pixels before the right edge; the four small
    // punctuation marks may use those 6 pixels too.
    const int32_t Limit = Sheet.Width() - 6 * Char.Bytes - 6;
    if (X < Limit || (X == Limit && Char.EdgeMark)) DrawGlyph(Sheet, X, Y, *Char.Mask, SourceX, SourceY, Shadow);
    X += 6 * Char.Bytes;
    At += size_t(Char.Bytes);
  }
}

void TLcfSystemGraphic::DrawGlyph(TPrismSheet& Sheet, int32_t X, int32_t Y, const TGlyphMask& Mask, int32_t SourceX,
                                  int32_t SourceY, uint8_t Shadow) {
  // The glyph lands on rows Y + 2 .. Y + 13 and its shadow one pixel right and down; each
  // glyph row is written after the shadow of the row above, so ink stays on top.
  const bool Inside = X >= 0 && Y >= 0 && X + GlyphSize + 1 <= Sheet.Width() && Y + GlyphSize + 3 <= Sheet.Height();
  for (int32_t i = 0; i < GlyphSize; ++i) {
    const uint32_t Bits = Mask.Rows[i];
    if (!Bits) continue;
    const uint8_t* Colour = Image.ScanLine(SourceY + i) + SourceX;
    const int32_t GlyphRow = Y + i + 2, ShadowRow = Y + i + 3;
    if (Inside) {
      uint8_t* Ink = Sheet.ScanLine(GlyphRow) + X;
      if (Shadow) {
        uint8_t* Shade = Sheet.ScanLine(ShadowRow) + X + 1;
        for (uint32_t B = Bits; B; B &= B - 1) Shade[std::countr_zero(B)] = Shadow;
      }
      for (uint32_t B = Bits; B; B &= B - 1) {
        const int j = std::countr_zero(B);
        Ink[j] = Colour[j];
      }
      continue;
    }
    auto Plot = [&](int32_t Row, int32_t Column, uint8_t Index) {
      if (Row >= 0 && Row < Sheet.Height() && Column >= 0 && Column < Sheet.Width()) Sheet.ScanLine(Row)[Column] = Index;
    };
    for (uint32_t B = Bits; B; B &= B - 1) {
      const int j = std::countr_zero(B);
      if (Shadow) Plot(ShadowRow, X + j + 1, Shadow);
      Plot(GlyphRow, X + j, Colour[j]);
    }
  }
}

const TGlyphMask& TLcfSystemGraphic::ExFontGlyph(char Letter) const {
  const int Index = Letter >= 'a' ? 26 + (Letter - 'a') : Letter - 'A';
  return ExFontGlyphs[size_t(Index)];
}

void TLcfSystemGraphic::BuildExFontGlyphs() {
  // Thirteen glyphs a row: "A"-"M", "N"-"Z", "a"-"m", "n"-"z". The glyph is drawn opaquely on
  // a black cell; whatever is not black afterwards counts as ink.
  const auto Colors = ExFont.Colors16();
  for (size_t Index = 0; Index < ExFontGlyphs.size(); ++Index) {
    const int32_t Left = int32_t(Index % 13) * GlyphSize, Top = int32_t(Index / 13) * GlyphSize;
    TGlyphMask& Mask = ExFontGlyphs[Index];
    Mask = {};
    for (int32_t i = 0; i < GlyphSize; ++i)
      for (int32_t j = 0; j < GlyphSize; ++j)
        if (Colors[ExFont.ScanLine(Top + i)[Left + j]] != 0) Mask.Rows[size_t(i)] |= uint16_t(1u << j);
  }
}
