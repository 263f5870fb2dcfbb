#include "graphics/GR_CharSet.h"

#include "data/GameFolder.h"

#include <algorithm>
#include <array>

namespace {

// Lead bytes of the game's double-byte code page: their trail byte may look like an ASCII
// letter and must not be folded, or two different names would match.
bool IsLeadByte(uint8_t Byte) { return (Byte >= 0x81 && Byte <= 0x9F) || (Byte >= 0xE0 && Byte <= 0xFC); }

uint8_t FoldAscii(uint8_t Byte) { return Byte >= 'a' && Byte <= 'z' ? uint8_t(Byte - 'a' + 'A') : Byte; }

bool SameNameIgnoringCase(std::string_view A, std::string_view B) {
  if (A.size() != B.size()) return false;
  for (size_t I = 0; I < A.size(); ++I) {
    const uint8_t First = uint8_t(A[I]), Second = uint8_t(B[I]);
    if (IsLeadByte(First)) {
      if (First != Second || I + 1 >= A.size() || A[I + 1] != B[I + 1]) return false;
      ++I;
    } else if (FoldAscii(First) != FoldAscii(Second)) {
      return false;
    }
  }
  return true;
}

// The rows of a frame and the opacity they are drawn with: the part in a bush at half.
struct TFramePart {
  int32_t FirstRow, EndRow;
  bool Half;
};

struct TBushRule {
  int32_t Parts;
  std::array<TFramePart, 2> Part;
};

constexpr std::array<TBushRule, 4> BushRules{{
    {1, {{{0, 32, false}, {}}}},
    {2, {{{0, 21, false}, {21, 32, true}}}},
    {2, {{{0, 16, false}, {16, 32, true}}}},
    {1, {{{0, 32, true}, {}}}},
}};

}  // namespace

TLcfCharSetGraphic::TLcfCharSetGraphic(const TGameFolder& Folder) : Folder(Folder) {}

void TLcfCharSetGraphic::Clear() {
  Names.clear();
  Sheets.clear();
  Used.clear();
  Transparent = false;
  Level = 0;
  Grey = false;
}

int32_t TLcfCharSetGraphic::IndexOf(std::string_view Name) const {
  for (size_t I = 0; I < Names.size(); ++I)
    if (SameNameIgnoringCase(Names[I], Name)) return int32_t(I);
  return -1;
}

int32_t TLcfCharSetGraphic::Load(const std::string& Name) {
  if (int32_t Index = IndexOf(Name); Index >= 0) {
    Used[size_t(Index)] = 1;
    return Index;
  }
  Names.push_back(Name);
  Used.push_back(1);
  Sheets.push_back(std::make_unique<TPrismSheet>());
  TPrismSheet& Sheet = *Sheets.back();
  Sheet.SetSize(ImageWidth, ImageHeight);
  auto Path = Folder.FindAsset(Name, "data", EAssetList::Image);
  if (!Path) throw EPrismImageError("Cannot open file \"" + Name + "\"");
  Sheet.LoadFromFile(*Path, true);
  return int32_t(Names.size() - 1);
}

TPrismSheet* TLcfCharSetGraphic::SheetOf(int32_t Index) {
  return Index >= 0 && size_t(Index) < Sheets.size() ? Sheets[size_t(Index)].get() : nullptr;
}

void TLcfCharSetGraphic::ClearUsed() { std::fill(Used.begin(), Used.end(), 0); }

void TLcfCharSetGraphic::Purge() {
  // The last entry is never removed: it is the one loaded most recently.
  size_t I = 0;
  while (I + 1 < Names.size()) {
    if (Used[I]) {
      ++I;
      continue;
    }
    if (Names.size() < KeptNames) break;
    Names.erase(Names.begin() + std::ptrdiff_t(I));
    Sheets.erase(Sheets.begin() + std::ptrdiff_t(I));
    Used.erase(Used.begin() + std::ptrdiff_t(I));
  }
}

TRect TLcfCharSetGraphic::FrameRect(int32_t Frame, int32_t Direction, int32_t Character) {
  const int32_t Column = Frame == 3 ? 1 : Frame;
  const int32_t Row = Direction >= 0 && Direction <= 3 ? Direction : 0;
  const int32_t Left = (Character % 4) * CharacterWidth + Column * FrameWidth;
  const int32_t Top = (Character / 4) * CharacterHeight + Row * FrameHeight;
  return {Left, Top, Left + FrameWidth, Top + FrameHeight};
}

void TLcfCharSetGraphic::DrawFrame(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Mode, int32_t Frame,
                                   int32_t Direction, int32_t Character, int32_t Index) {
  TPrismSheet* Sheet = SheetOf(Index);
  if (!Sheet || Mode < 0 || Mode >= int32_t(BushRules.size())) return;
  const TRect Source = FrameRect(Frame, Direction, Character);
  Sheet->Transparent = Transparent;
  Sheet->Color1.SetTone(100, 100, 100, Grey ? 0 : 100, true);
  const int32_t Opacity = 255 - 30 * Level, Half = Opacity / 2;
  const TBushRule& Rule = BushRules[size_t(Mode)];
  for (int32_t P = 0; P < Rule.Parts; ++P) {
    const TFramePart& Part = Rule.Part[size_t(P)];
    Sheet->Opacity = Part.Half ? Half : Opacity;
    Board.Draw(X - FrameWidth / 2, Y - FrameHeight + Part.FirstRow,
               {Source.Left, Source.Top + Part.FirstRow, Source.Right, Source.Top + Part.EndRow}, *Sheet);
  }
}
