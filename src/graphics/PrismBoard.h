// TPrismBoard: a 16-bit 5-6-5 drawing surface (the screen's back buffer is one) and every way a
// sheet is drawn onto it: plain, colour-keyed and opacity-blended copies, stretching, zoom,
// rotation and waves. The board's Brightness reaches a sheet's colour table when the sheet is
// drawn. Rows are stored top-down, so Pitch is positive.
#pragma once

#include "graphics/PrismSheet.h"
#include "graphics/PrismTypes.h"

#include <cstdint>
#include <span>
#include <vector>

class TPrismBoard {
 public:
  TPrismBoard() = default;
  TPrismBoard(int32_t W, int32_t H) { SetSize(W, H); }

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  int32_t Pitch() const { return FPitch; }   // bytes from row 0 to row 1; 0 below two rows
  void SetSize(int32_t W, int32_t H);
  void Clear();
  uint16_t* ScanLine(int32_t Y) { return Bitmap.data() + size_t(Y) * FWidth; }
  const uint16_t* ScanLine(int32_t Y) const { return Bitmap.data() + size_t(Y) * FWidth; }
  std::span<const uint16_t> Pixels() const { return Bitmap; }

  void FillRect(const TRect& Rect, TPrismRgb Color);
  void CopyFrom(int32_t X, int32_t Y, const TRect& SourceRect, const TPrismBoard& Source);

  void Draw(int32_t X, int32_t Y, const TRect& SourceRect, TPrismSheet& Sheet);
  void StretchDraw(const TRect& DestRect, TPrismSheet& Sheet, const TRect& SourceRect);
  void DrawZoom(int32_t CX, int32_t CY, double Zoom, double HalfHeight, double HalfWidth, const TRect& SourceRect,
                TPrismSheet& Sheet);
  void DrawRotate(int32_t CX, int32_t CY, double Zoom, uint8_t Angle, double OriginY, double OriginX,
                  const TRect& SourceRect, TPrismSheet& Sheet);
  void DrawWave(int32_t CX, int32_t CY, double Zoom, int32_t Phase, int32_t Period, int32_t Amplitude,
                double HalfHeight, double HalfWidth, const TRect& SourceRect, TPrismSheet& Sheet);

  int32_t Brightness = 100;   // percent: 0 black, 100 normal, 200 white

 private:
  void SyncBrightness(TPrismSheet& Sheet) const;

  std::vector<uint16_t> Bitmap;
  int32_t FWidth = 0, FHeight = 0, FPitch = 0;
};
