// TPrismSheet: an 8-bit palettised picture in memory with the 256-entry 5-6-5 colour table it
// is drawn with. Colour effects (tone, saturation, flash, brightness, hue) recompute that table;
// pixels are only touched by loading and by the area operations below. A sheet owns its pixels
// and its two TPrismColorControl settings; it is neither copied nor moved (hold it by pointer).
#pragma once

#include "graphics/PrismImage.h"
#include "graphics/PrismTypes.h"

#include <array>
#include <cstdint>
#include <span>
#include <string>
#include <vector>

class TPrismSheet;

// One tone-and-flash adjustment of a sheet. Tone channels and saturation are percents
// (0..200, 100 neutral); the flash colour is 0..31 per channel with a weight of 0..32.
class TPrismColorControl {
 public:
  explicit TPrismColorControl(TPrismSheet* Owner) : Sheet(Owner) {}

  void Reset(bool Update);
  void SetTone(int32_t Red, int32_t Green, int32_t Blue, int32_t Saturation, bool Update);
  void SetFlash(int32_t FlashRed, int32_t FlashGreen, int32_t FlashBlue, int32_t FlashLevel, bool Update);
  void SetColor(int32_t Red, int32_t Green, int32_t Blue, int32_t Saturation, int32_t FlashRed,
                int32_t FlashGreen, int32_t FlashBlue, int32_t FlashLevel, bool Update);

  TPrismSheet* Sheet;
  int32_t Red = 100, Green = 100, Blue = 100, Saturation = 100;
  int32_t FlashRed = 0, FlashGreen = 0, FlashBlue = 0, FlashLevel = 0;

 private:
  void Changed(bool Update);
};

class TPrismSheet {
 public:
  TPrismSheet();
  TPrismSheet(const TPrismSheet&) = delete;
  TPrismSheet& operator=(const TPrismSheet&) = delete;

  int32_t Width() const { return FWidth; }
  int32_t Height() const { return FHeight; }
  TRect GetBounds() const { return {0, 0, FWidth, FHeight}; }
  uint8_t* ScanLine(int32_t Y) { return Pixels.data() + size_t(Y) * FWidth; }
  const uint8_t* ScanLine(int32_t Y) const { return Pixels.data() + size_t(Y) * FWidth; }
  std::span<const uint16_t, 256> Colors16() const { return std::span<const uint16_t, 256>(ColorTable.data(), 256); }

  void SetSize(int32_t W, int32_t H);
  void FreePixels();
  void Clear();
  void SetPaletteEntry(int Index, uint8_t R, uint8_t G, uint8_t B);
  void UpdatePalette();
  void RotateHue(int32_t Degrees);

  // Copies pixels and palette from a decoded 8-bit image, starting at Offset in the image.
  void AssignBitmap(const TPrismBitmap& Bitmap, TPoint Offset = {});
  void LoadFromFile(const std::string& FileName, TPoint Offset, bool RaiseErrors);
  void LoadFromFile(const std::string& FileName, bool RaiseErrors) { LoadFromFile(FileName, {}, RaiseErrors); }
  // The same from an XYZ picture held in memory (the program's built-in logos).
  void LoadXyzData(std::span<const uint8_t> Data, bool RaiseErrors);
  // The pixels and palette as an 8-bit image, for saving.
  TPrismBitmap ToBitmap() const;

  void Mirror();
  bool SameArea(const TRect& R1, const TRect& R2) const;
  bool IsAreaEmpty(const TRect& R) const;
  bool IsAreaFull(const TRect& R) const;
  void FillArea(const TRect& R, uint8_t Index);
  void CopyFrom(int32_t X, int32_t Y, const TRect& SourceRect, const TPrismSheet& Source);

  std::vector<uint8_t> Pixels;                    // Width * Height indices, rows top-down
  std::array<TPrismPaletteEntry, 256> Palette{};
  bool Transparent = false;                       // index 0 is never drawn
  int32_t Opacity = 255;                          // below 255 the sheet is blended
  bool AutoSize = false;                          // loading resizes the sheet to the image
  TPrismColorControl Color1{this}, Color2{this};
  int32_t Brightness = 100;                       // copied from the board last drawn on

  // The colour table followed by padding, so that a wide 32-bit gather at index 255 stays
  // inside the array. Only UpdatePalette and Clear write it.
  alignas(64) std::array<uint16_t, 256 + 16> ColorTable{};

 private:
  void AssignPixels(const TPrismBitmap& Bitmap, TPoint Offset);
  template <class Test>
  bool EveryPixel(const TRect& R, Test&& Check) const;

  int32_t FWidth = 0, FHeight = 0;
};

// Sine and cosine of byte angles (256 steps per turn).
extern const std::array<double, 256> SinTable;
extern const std::array<double, 256> CosTable;

// Clips one axis of a two-sided copy: position P with length N against Limit; Partner is the
// matching position on the other side and moves with P.
void ClipAxis(int32_t& P, int32_t& N, int32_t& Partner, int32_t Limit);
// Two-sided clipping of a W x H copy from (SX, SY) of a source to (X, Y) of a destination:
// afterwards W or H is 0 or less when nothing is left to copy.
void ClipCopy(int32_t& X, int32_t& Y, int32_t& SX, int32_t& SY, int32_t& W, int32_t& H, int32_t SourceWidth,
              int32_t SourceHeight, int32_t DestWidth, int32_t DestHeight);
// The same with proportional arithmetic (stretched draws): the partner's length K scales too.
void ClipAxisScaled(int32_t& P, int32_t& N, int32_t& Q, int32_t& K, int32_t Limit);
