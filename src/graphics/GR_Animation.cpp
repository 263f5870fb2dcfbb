#include "graphics/GR_Animation.h"

#include "data/GameFolder.h"
#include "database/LD_Animation.h"

#include <algorithm>

namespace {

// A flash lasts six animation frames from the frame before its timing, fading by sixths of its
// strength: 7/6, 6/6, 5/6 ... 2/6.
constexpr int64_t FlashFramesBefore = 1, FlashFramesAfter = 4;
constexpr int32_t MaxFlashLevel = 31;
constexpr int32_t LastTimingFrameLimit = 20;

TAnimationFlash EntryAt(const std::vector<TAnimationFlash>& Table, int32_t Frame) {
  return Frame >= 0 && size_t(Frame) < Table.size() ? Table[size_t(Frame)] : TAnimationFlash{};
}

// Offsets come from the file; a hostile one must not overflow the centre.
int32_t SaturatedSum(int32_t A, int32_t B) {
  return int32_t(std::clamp<int64_t>(int64_t(A) + B, -1'000'000'000, 1'000'000'000));
}

}  // namespace

TLcfAnimationGraphic::TLcfAnimationGraphic(const TGameFolder& Folder) : Folder(Folder) {
  Sheet.AutoSize = true;
  Sheet.Transparent = true;
}

void TLcfAnimationGraphic::Clear() {
  FileName.clear();
  Sheet.Clear();
}

void TLcfAnimationGraphic::SetAnimation(const TLcfAnimationItem* Record, bool NoFlash) {
  Animation = Record;
  // The tables first: they follow the record even when its image cannot be loaded.
  BuildFlashTables(NoFlash);
  LoadImage(Record ? Record->GraphicName : std::string());
}

void TLcfAnimationGraphic::LoadImage(const std::string& Name) {
  if (Name == FileName) return;
  FileName = Name;
  Sheet.Clear();
  if (Name.empty()) return;
  auto Path = Folder.FindAsset(Name, "Battle", EAssetList::Image);
  if (!Path) throw EPrismImageError("Cannot open file \"" + Name + "\"");
  Sheet.LoadFromFile(*Path, true);
}

void TLcfAnimationGraphic::BuildFlashTables(bool NoFlash) {
  TargetFlash.clear();
  ScreenFlash.clear();
  if (!Animation) return;
  const size_t Size = Animation->FrameCount() + SpareFlashFrames;
  TargetFlash.assign(Size, {});
  ScreenFlash.assign(Size, {});
  if (NoFlash) return;
  for (size_t I = 0; I < Animation->Timings.Count(); ++I) {
    const TLcfAnimationTimingItem& Timing = *Animation->Timings.ItemAt(I);
    std::vector<TAnimationFlash>* Table = Timing.FlashScope == FlashTarget   ? &TargetFlash
                                          : Timing.FlashScope == FlashScreen ? &ScreenFlash
                                                                             : nullptr;
    if (!Table) continue;
    const int64_t F = Timing.Frame;
    for (int64_t K = std::max<int64_t>(0, F - FlashFramesBefore); K <= F + FlashFramesAfter && K < int64_t(Size); ++K) {
      const int64_t Level = std::min<int64_t>(MaxFlashLevel, int64_t(Timing.FlashLevel) * (F - K + 6) / 6);
      (*Table)[size_t(K)] = {Timing.FlashRed, Timing.FlashGreen, Timing.FlashBlue, int32_t(Level)};
    }
  }
}

TAnimationFlash TLcfAnimationGraphic::TargetFlashAt(int32_t Frame) const { return EntryAt(TargetFlash, Frame); }
TAnimationFlash TLcfAnimationGraphic::ScreenFlashAt(int32_t Frame) const { return EntryAt(ScreenFlash, Frame); }

void TLcfAnimationGraphic::ApplyScreenFlash(TPrismSheet& Target, int32_t Frame) const {
  if (Frame < 0 || size_t(Frame) >= ScreenFlash.size()) {
    Target.Color2.Reset(true);
    return;
  }
  const TAnimationFlash& Flash = ScreenFlash[size_t(Frame)];
  Target.Color2.SetFlash(Flash.Red, Flash.Green, Flash.Blue, Flash.Level, true);
}

void TLcfAnimationGraphic::DrawAnimationCell(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Cell, int32_t Frame,
                                             bool Flash) {
  if (!Animation || Frame < 0 || Cell < 0) return;
  const TLcfAnimationPatternItem* Pattern = Animation->Frames.ItemAt(size_t(Frame));
  const TLcfAnimationCellItem* Item = Pattern ? Pattern->Cells.ItemAt(size_t(Cell)) : nullptr;
  // Cells of a negative pattern or below the image have no pixels to show.
  if (!Item || Item->Pattern < 0 || Item->Pattern / CellsPerRow >= Sheet.Height() / CellSide + 1) return;
  const int32_t Left = (Item->Pattern % CellsPerRow) * CellSide, Top = (Item->Pattern / CellsPerRow) * CellSide;
  if (Flash)
    ApplyScreenFlash(Sheet, Frame);
  else
    Sheet.Color2.Reset(true);
  Sheet.Color1.SetTone(Item->Red, Item->Green, Item->Blue, Item->Saturation, true);
  Sheet.Opacity = std::clamp(int32_t((100 - int64_t(Item->Transparency)) * 255 / 100), 0, 255);
  Board.DrawZoom(SaturatedSum(X, Item->X), SaturatedSum(Y, Item->Y), Item->Zoom / 100.0, CellSide / 2, CellSide / 2,
                 {Left, Top, Left + CellSide, Top + CellSide}, Sheet);
}

void TLcfAnimationGraphic::DrawAnimationFrame(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Frame) {
  if (!Animation || Frame < 0) return;
  const TLcfAnimationPatternItem* Pattern = Animation->Frames.ItemAt(size_t(Frame));
  if (!Pattern) return;
  for (size_t I = 0; I < Pattern->Cells.Count(); ++I)
    if (Pattern->Cells.ItemAt(I)->Visible) DrawAnimationCell(Board, X, Y, int32_t(I), Frame, true);
}

void TLcfAnimationGraphic::PlayFrameSounds(int32_t Frame) const {
  if (!Animation || !SoundPlayer) return;
  for (size_t I = 0; I < Animation->Timings.Count(); ++I) {
    const TLcfAnimationTimingItem& Timing = *Animation->Timings.ItemAt(I);
    if (int64_t(Timing.Frame) != int64_t(Frame) + 1 || Timing.Sound.Name == "(OFF)") continue;
    auto Path = Folder.FindAsset(Timing.Sound.Name, "Sound", EAssetList::Sound);
    if (Path) SoundPlayer->PlayAnimationSound(*Path, Timing.Sound.Volume, Timing.Sound.Tempo, Timing.Sound.Balance);
  }
}

int32_t TLcfAnimationGraphic::LastTimingFrame() const {
  if (!Animation || Animation->Timings.Empty()) return 0;
  return std::min(LastTimingFrameLimit, Animation->Timings.ItemAt(Animation->Timings.Count() - 1)->Frame);
}
