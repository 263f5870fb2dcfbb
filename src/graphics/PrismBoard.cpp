#include "graphics/PrismBoard.h"

#include "graphics/PrismBlit.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <limits>
#include <vector>

namespace {

TPixelRule RuleOf(const TPrismSheet& Sheet) {
  return {Sheet.ColorTable.data(), Sheet.Transparent, std::clamp(Sheet.Opacity, 0, 255)};
}

// Calls Body<Keyed, Blended>(Colors, W) with the sheet's rule fixed at compile time, so that the
// per-pixel loops of the transforms carry no rule tests.
template <class Body>
void WithRule(const TPrismSheet& Sheet, Body&& Run) {
  TPixelRule Rule = RuleOf(Sheet);
  uint32_t W = uint32_t(Rule.Opacity) + 1;
  bool Blended = Rule.Opacity < 255;
  if (Rule.Keyed)
    Blended ? Run.template operator()<true, true>(Rule.Colors, W) : Run.template operator()<true, false>(Rule.Colors, W);
  else
    Blended ? Run.template operator()<false, true>(Rule.Colors, W) : Run.template operator()<false, false>(Rule.Colors, W);
}

uint8_t BrightChannel(uint8_t C, int32_t B) {
  if (B < 100) return uint8_t(std::max(0, C * B / 100));
  if (B > 100) return uint8_t(std::min(255, C + (B - 100) * (255 - C) / 100));
  return C;
}

// Trunc toward zero into 32 bits. Values beyond the 64-bit range (a zoom near zero) saturate;
// the low 32 bits are kept, as fixed-point steps wrap.
int32_t TruncWrap(double Value) {
  if (std::isnan(Value)) return 0;
  constexpr double Limit = 9.2e18;
  int64_t Whole = int64_t(std::clamp(std::trunc(Value), -Limit, Limit));
  return int32_t(uint32_t(uint64_t(Whole)));
}

// Trunc toward zero for coordinates, saturating at the 32-bit range.
int32_t TruncCoord(double Value) {
  if (std::isnan(Value)) return 0;
  return int32_t(std::clamp(std::trunc(Value), -2.0e9, 2.0e9));
}

int32_t RoundCoord(double Value) {
  if (std::isnan(Value)) return 0;
  return int32_t(std::clamp(std::nearbyint(Value), -2.0e9, 2.0e9));
}

// The part of SourceRect that lies on the sheet; transforms never read outside it.
TRect ReadableArea(const TRect& SourceRect, const TPrismSheet& Sheet) {
  return {std::max(SourceRect.Left, 0), std::max(SourceRect.Top, 0), std::min(SourceRect.Right, Sheet.Width()),
          std::min(SourceRect.Bottom, Sheet.Height())};
}

}  // namespace

void TPrismBoard::SetSize(int32_t W, int32_t H) {
  W = std::max(W, 0), H = std::max(H, 0);
  if (W != FWidth || H != FHeight) {
    Bitmap.assign(size_t(W) * H, 0);
    FWidth = W, FHeight = H;
    FPitch = H >= 2 ? W * 2 : 0;
  }
  Clear();
}

void TPrismBoard::Clear() { std::fill(Bitmap.begin(), Bitmap.end(), 0); }

void TPrismBoard::SyncBrightness(TPrismSheet& Sheet) const {
  if (Sheet.Brightness == Brightness) return;
  Sheet.Brightness = Brightness;
  Sheet.UpdatePalette();
}

void TPrismBoard::FillRect(const TRect& Rect, TPrismRgb Color) {
  uint16_t Word = uint16_t((BrightChannel(Color.Red, Brightness) >> 3) << 11 |
                           (BrightChannel(Color.Green, Brightness) >> 2) << 5 | BrightChannel(Color.Blue, Brightness) >> 3);
  int32_t Left = std::max(Rect.Left, 0), Right = std::min(Rect.Right, FWidth);
  for (int32_t y = std::max(Rect.Top, 0); y < std::min(Rect.Bottom, FHeight); ++y)
    if (Right > Left) std::fill(ScanLine(y) + Left, ScanLine(y) + Right, Word);
}

void TPrismBoard::CopyFrom(int32_t X, int32_t Y, const TRect& SourceRect, const TPrismBoard& Source) {
  int32_t SX = SourceRect.Left, SY = SourceRect.Top, W = SourceRect.Width(), H = SourceRect.Height();
  ClipCopy(X, Y, SX, SY, W, H, Source.Width(), Source.Height(), FWidth, FHeight);
  if (W <= 0 || H <= 0) return;
  // memmove: a board may copy within itself.
  for (int32_t y = 0; y < H; ++y) {
    int32_t Row = (&Source == this && Y > SY) ? H - 1 - y : y;
    std::memmove(ScanLine(Y + Row) + X, Source.ScanLine(SY + Row) + SX, size_t(W) * 2);
  }
}

void TPrismBoard::Draw(int32_t X, int32_t Y, const TRect& SourceRect, TPrismSheet& Sheet) {
  SyncBrightness(Sheet);
  int32_t SX = SourceRect.Left, SY = SourceRect.Top, W = SourceRect.Width(), H = SourceRect.Height();
  ClipCopy(X, Y, SX, SY, W, H, Sheet.Width(), Sheet.Height(), FWidth, FHeight);
  if (W <= 0 || H <= 0) return;
  TPixelRule Rule = RuleOf(Sheet);
  for (int32_t y = 0; y < H; ++y) BlitRow(ScanLine(Y + y) + X, Sheet.ScanLine(SY + y) + SX, W, Rule);
}

void TPrismBoard::StretchDraw(const TRect& DestRect, TPrismSheet& Sheet, const TRect& SourceRect) {
  if (DestRect.Width() == SourceRect.Width() && DestRect.Height() == SourceRect.Height()) {
    Draw(DestRect.Left, DestRect.Top, SourceRect, Sheet);
    return;
  }
  SyncBrightness(Sheet);
  const int32_t DW = DestRect.Width(), DH = DestRect.Height(), SW = SourceRect.Width(), SH = SourceRect.Height();
  // An empty or inverted destination has no pixels to map onto (and nothing to divide by).
  if (DW <= 0 || DH <= 0) return;
  int32_t SX = SourceRect.Left, SY = SourceRect.Top, CSW = SW, CSH = SH;
  int32_t DX = DestRect.Left, DY = DestRect.Top, CDW = DW, CDH = DH;
  ClipAxisScaled(SX, CSW, DX, CDW, Sheet.Width());
  ClipAxisScaled(SY, CSH, DY, CDH, Sheet.Height());
  ClipAxisScaled(DX, CDW, SX, CSW, FWidth);
  ClipAxisScaled(DY, CDH, SY, CSH, FHeight);
  if (CSW < 0 || CSH == 0 || CDW <= 0 || CDH <= 0) return;
  // The proportional clip can round one pixel past the picture; such pixels are not drawn.
  const int32_t FirstX = std::max(DX, 0), EndX = std::min<int64_t>(int64_t(DX) + CDW, FWidth);
  const int32_t FirstY = std::max(DY, 0), EndY = std::min<int64_t>(int64_t(DY) + CDH, FHeight);
  if (EndX <= FirstX || EndY <= FirstY) return;
  std::vector<int32_t> Columns(static_cast<size_t>(EndX - FirstX));
  for (int32_t X = FirstX; X < EndX; ++X)
    Columns[X - FirstX] = int32_t(SourceRect.Left + int64_t(X - DestRect.Left) * SW / DW);
  WithRule(Sheet, [&]<bool Keyed, bool Blended>(const uint16_t* Colors, uint32_t W) {
    for (int32_t Y = FirstY; Y < EndY; ++Y) {
      int64_t Row = SourceRect.Top + int64_t(Y - DestRect.Top) * SH / DH;
      if (Row < 0 || Row >= Sheet.Height()) continue;
      const uint8_t* Source = Sheet.ScanLine(int32_t(Row));
      uint16_t* Dest = ScanLine(Y);
      for (int32_t X = FirstX; X < EndX; ++X) {
        int32_t Column = Columns[X - FirstX];
        if (uint32_t(Column) < uint32_t(Sheet.Width())) PlotPixel<Keyed, Blended>(Dest[X], Source[Column], Colors, W);
      }
    }
  });
}

void TPrismBoard::DrawZoom(int32_t CX, int32_t CY, double Zoom, double HalfHeight, double HalfWidth,
                           const TRect& SourceRect, TPrismSheet& Sheet) {
  if (Zoom == 1.0) {
    Draw(RoundCoord(CX - HalfWidth), RoundCoord(CY - HalfHeight), SourceRect, Sheet);
    return;
  }
  StretchDraw({RoundCoord(CX - Zoom * HalfWidth), RoundCoord(CY - Zoom * HalfHeight), RoundCoord(CX + Zoom * HalfWidth),
               RoundCoord(CY + Zoom * HalfHeight)},
              Sheet, SourceRect);
}

void TPrismBoard::DrawRotate(int32_t CX, int32_t CY, double Zoom, uint8_t Angle, double OriginY, double OriginX,
                             const TRect& SourceRect, TPrismSheet& Sheet) {
  if (!(Zoom > 0)) return;
  SyncBrightness(Sheet);
  const double S = SinTable[Angle], C = CosTable[Angle];
  const double W = SourceRect.Width(), H = SourceRect.Height();
  const int32_t X0 = TruncCoord(CX - Zoom * (OriginX * C - OriginY * S)), Y0 = TruncCoord(CY - Zoom * (OriginX * S + OriginY * C));
  const int32_t X1 = TruncCoord(Zoom * W * C + X0), Y1 = TruncCoord(Zoom * W * S + Y0);
  const int32_t X2 = TruncCoord(X0 - Zoom * H * S), Y2 = TruncCoord(Zoom * H * C + Y0);
  const int32_t X3 = TruncCoord(Zoom * W * C + X2), Y3 = TruncCoord(Zoom * W * S + Y2);
  const int32_t Left = std::max({0, std::min({X0, X1, X2, X3})}), Right = std::min({FWidth, std::max({X0, X1, X2, X3})});
  const int32_t Top = std::max({0, std::min({Y0, Y1, Y2, Y3})}), Bottom = std::min({FHeight, std::max({Y0, Y1, Y2, Y3})});
  if (Right <= Left || Bottom <= Top) return;
  const uint32_t DU = uint32_t(TruncWrap(C * 65536 / Zoom)), DV = uint32_t(TruncWrap(-S * 65536 / Zoom));
  const TRect Area = ReadableArea(SourceRect, Sheet);
  // Unsigned compares test both ends of the area at once.
  const uint32_t AreaW = uint32_t(std::max(0, Area.Width())), AreaH = uint32_t(std::max(0, Area.Height()));
  WithRule(Sheet, [&]<bool Keyed, bool Blended>(const uint16_t* Colors, uint32_t Weight) {
    for (int32_t Y = Top; Y < Bottom; ++Y) {
      const double DX = Left - CX, DY = Y - CY;
      uint32_t U = uint32_t(TruncWrap(((DX * C + DY * S) / Zoom + OriginX + SourceRect.Left) * 65536));
      uint32_t V = uint32_t(TruncWrap(((-S * DX + DY * C) / Zoom + OriginY + SourceRect.Top) * 65536));
      uint16_t* Dest = ScanLine(Y);
      for (int32_t X = Left; X < Right; ++X, U += DU, V += DV) {
        const uint32_t SX = (U >> 16) - uint32_t(Area.Left), SY = (V >> 16) - uint32_t(Area.Top);
        if (SX < AreaW && SY < AreaH)
          PlotPixel<Keyed, Blended>(Dest[X], Sheet.ScanLine(int32_t(SY) + Area.Top)[SX + Area.Left], Colors, Weight);
      }
    }
  });
}

void TPrismBoard::DrawWave(int32_t CX, int32_t CY, double Zoom, int32_t Phase, int32_t Period, int32_t Amplitude,
                           double HalfHeight, double HalfWidth, const TRect& SourceRect, TPrismSheet& Sheet) {
  if (Period <= 0) return;
  SyncBrightness(Sheet);
  const int32_t Left = CX - TruncCoord(HalfWidth * Zoom), Top = CY - TruncCoord(HalfHeight * Zoom);
  const int32_t Right = CX + TruncCoord(HalfWidth * Zoom), Bottom = CY + TruncCoord(HalfHeight * Zoom);
  const int32_t SW = SourceRect.Width(), SH = SourceRect.Height();
  const int32_t DW = TruncCoord(Zoom * SW), DH = TruncCoord(Zoom * SH);
  if (Right <= Left || Bottom <= Top || SW <= 0 || DW <= 0) return;
  int32_t SY = SourceRect.Top, CSH = SH, DY = Top, CDH = DH;
  ClipAxisScaled(SY, CSH, DY, CDH, Sheet.Height());
  ClipAxisScaled(DY, CDH, SY, CSH, FHeight);
  if (CSH <= 0 || CDH <= 0) return;
  std::vector<int32_t> Columns(static_cast<size_t>(DW));
  for (int32_t i = 0; i < DW; ++i)
    Columns[i] = SourceRect.Left + int32_t(std::min<int64_t>(SW - 1, int64_t(SW) * i / (Right - Left)));
  WithRule(Sheet, [&]<bool Keyed, bool Blended>(const uint16_t* Colors, uint32_t W) {
    for (int32_t j = 0; j < CDH; ++j) {
      const int32_t BoardY = DY + j;
      if (BoardY < 0 || BoardY >= FHeight) continue;
      const int64_t Row = SY + std::min<int64_t>(CSH - 1, int64_t(SH) * (j + DY - Top) / (Bottom - Top) + SourceRect.Top - SY);
      if (Row < 0 || Row >= Sheet.Height()) continue;
      const int32_t Step = int32_t((int64_t(j) * 256 * CSH / CDH) / Period);
      const int32_t Shift = TruncCoord(SinTable[uint8_t(Phase + Step)] * Amplitude * Zoom);
      const int64_t Start = int64_t(Left) + Shift;
      const int32_t First = int32_t(std::max<int64_t>(0, -Start)), End = int32_t(std::min<int64_t>(DW, FWidth - Start));
      const uint8_t* Source = Sheet.ScanLine(int32_t(Row));
      uint16_t* Dest = ScanLine(BoardY);
      for (int32_t i = First; i < End; ++i)
        if (uint32_t(Columns[i]) < uint32_t(Sheet.Width()))
          PlotPixel<Keyed, Blended>(Dest[Start + i], Source[Columns[i]], Colors, W);
    }
  });
}
