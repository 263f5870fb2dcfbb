#include "graphics/PrismSheet.h"

#include "graphics/PrismXyz.h"

#include <algorithm>
#include <cmath>
#include <cstring>
#include <numbers>

namespace {

std::array<double, 256> MakeTable(double (*Function)(double)) {
  std::array<double, 256> Table{};
  for (int i = 0; i < 256; ++i) Table[i] = Function(i * std::numbers::pi / 128);
  return Table;
}

int32_t Clamp(int32_t Value, int32_t High) { return std::clamp(Value, 0, High); }

// The tone of both controls together for one channel, kept inside 0..200.
int32_t CombinedTone(int32_t First, int32_t Second) { return Clamp(First + Second - 100, 200); }

struct Rgb565 {
  int32_t R, G, B;
};

constexpr Rgb565 MaxChannel{31, 63, 31};

Rgb565 ApplySaturation(Rgb565 C, int32_t S) {
  int32_t Grey = (3 * C.R + 3 * C.G + C.B) / 10;
  if (S < 100)
    return {((100 - S) * Grey + S * C.R) / 100, ((100 - S) * 2 * Grey + S * C.G) / 100,
            ((100 - S) * Grey + S * C.B) / 100};
  if (S > 100)
    return {Clamp(((200 - S) * C.R + (S - 100) * (3 * C.R - 2 * Grey)) / 100, 31),
            Clamp(((200 - S) * C.G + (S - 100) * (3 * C.G - 4 * Grey)) / 100, 63),
            Clamp(((200 - S) * C.B + (S - 100) * (3 * C.B - 2 * Grey)) / 100, 31)};
  return C;
}

// Towards the channel's maximum above 100 percent, towards black below.
int32_t ScaleChannel(int32_t C, int32_t Percent, int32_t Max) {
  if (Percent > 100) return C + (Max - C) * (Percent - 100) / 100;
  if (Percent < 100) return C * Percent / 100;
  return C;
}

Rgb565 ApplyFlash(Rgb565 C, const TPrismColorControl& Control) {
  int32_t L = Control.FlashLevel;
  if (L <= 0) return C;
  return {(L * Control.FlashRed + (32 - L) * C.R) / 32, (L * 2 * Control.FlashGreen + (32 - L) * C.G) / 32,
          (L * Control.FlashBlue + (32 - L) * C.B) / 32};
}

struct HueInput {
  int32_t V, S;
  double H;
};

HueInput ToHsv(const TPrismPaletteEntry& E) {
  int32_t Max = std::max({E.Red, E.Green, E.Blue}), Min = std::min({E.Red, E.Green, E.Blue});
  HueInput Out{Max, Max == 0 ? 0 : (Max - Min) * 255 / Max, 0.0};
  if (Out.S == 0) return Out;
  double Delta = Max - Min;
  if (E.Red == Max)
    Out.H = 60 * ((E.Green - E.Blue) / Delta);
  else if (E.Green == Max)
    Out.H = 60 * ((E.Blue - E.Red) / Delta + 2);
  else
    Out.H = 60 * ((E.Red - E.Green) / Delta + 4);
  if (Out.H < 0) Out.H += 360;
  return Out;
}

uint8_t RoundChannel(double Value) { return uint8_t(std::clamp(std::nearbyint(Value), 0.0, 255.0)); }

TPrismPaletteEntry FromHsv(int32_t V, int32_t S, int32_t H) {
  auto Entry = [](double R, double G, double B) {
    return TPrismPaletteEntry{RoundChannel(R), RoundChannel(G), RoundChannel(B), 0};
  };
  if (S <= 0) return Entry(V, V, V);
  double L = double(V) * S / 255, C = V - L;
  double Sector = std::trunc(H / 60.0);
  double M = std::nearbyint((H / 60.0 - Sector) * L);
  switch (int(Sector)) {
    case 0: return Entry(V, C + M, C);
    case 1: return Entry(V - M, V, C);
    case 2: return Entry(C, V, C + M);
    case 3: return Entry(C, V - M, V);
    case 4: return Entry(C + M, C, V);
    case 5: return Entry(V, C, V - M);
    default: return Entry(V, V, V);
  }
}

}  // namespace

const std::array<double, 256> SinTable = MakeTable([](double A) { return std::sin(A); });
const std::array<double, 256> CosTable = MakeTable([](double A) { return std::cos(A); });

void ClipAxis(int32_t& P, int32_t& N, int32_t& Partner, int32_t Limit) {
  if (P < 0) {
    N += P;
    Partner -= P;
    P = 0;
  }
  if (int64_t(P) + N > Limit) N = Limit - P;
}

void ClipCopy(int32_t& X, int32_t& Y, int32_t& SX, int32_t& SY, int32_t& W, int32_t& H, int32_t SourceWidth,
              int32_t SourceHeight, int32_t DestWidth, int32_t DestHeight) {
  ClipAxis(SX, W, X, SourceWidth);
  ClipAxis(SY, H, Y, SourceHeight);
  ClipAxis(X, W, SX, DestWidth);
  ClipAxis(Y, H, SY, DestHeight);
}

void ClipAxisScaled(int32_t& P, int32_t& N, int32_t& Q, int32_t& K, int32_t Limit) {
  if (P < 0) {
    int32_t Kept = N + P;
    if (Kept > 0) {
      K = int32_t(int64_t(K) * Kept / N);
      Q -= int32_t(int64_t(K) * P / Kept);
    }
    N = Kept;
    P = 0;
  }
  if (int64_t(P) + N > Limit && N != 0) {
    int32_t Old = N;
    N = Limit - P;
    K = std::max<int32_t>(1, int32_t(int64_t(K) * (Limit - P) / Old));
  }
}

// ---- TPrismColorControl ----

void TPrismColorControl::Changed(bool Update) {
  if (Update && Sheet) Sheet->UpdatePalette();
}

void TPrismColorControl::Reset(bool Update) { SetColor(100, 100, 100, 100, 0, 0, 0, 0, Update); }

void TPrismColorControl::SetTone(int32_t R, int32_t G, int32_t B, int32_t S, bool Update) {
  if (R == Red && G == Green && B == Blue && S == Saturation) return;
  Red = R, Green = G, Blue = B, Saturation = S;
  Changed(Update);
}

void TPrismColorControl::SetFlash(int32_t R, int32_t G, int32_t B, int32_t Level, bool Update) {
  if (R == FlashRed && G == FlashGreen && B == FlashBlue && Level == FlashLevel) return;
  FlashRed = R, FlashGreen = G, FlashBlue = B, FlashLevel = Level;
  Changed(Update);
}

void TPrismColorControl::SetColor(int32_t R, int32_t G, int32_t B, int32_t S, int32_t FR, int32_t FG,
                                  int32_t FB, int32_t Level, bool Update) {
  if (R == Red && G == Green && B == Blue && S == Saturation && FR == FlashRed && FG == FlashGreen &&
      FB == FlashBlue && Level == FlashLevel)
    return;
  Red = R, Green = G, Blue = B, Saturation = S;
  FlashRed = FR, FlashGreen = FG, FlashBlue = FB, FlashLevel = Level;
  Changed(Update);
}

// ---- TPrismSheet ----

TPrismSheet::TPrismSheet() { UpdatePalette(); }

void TPrismSheet::SetSize(int32_t W, int32_t H) {
  W = std::max(W, 0), H = std::max(H, 0);
  if (W == FWidth && H == FHeight) return;
  FWidth = W, FHeight = H;
  Pixels.assign(size_t(W) * H, 0);
}

void TPrismSheet::FreePixels() {
  Pixels = {};
  FWidth = FHeight = 0;
}

void TPrismSheet::Clear() {
  std::fill(Pixels.begin(), Pixels.end(), 0);
  Palette.fill({});
  ColorTable.fill(0);
}

void TPrismSheet::SetPaletteEntry(int Index, uint8_t R, uint8_t G, uint8_t B) {
  if (Index < 0 || Index > 255) return;
  Palette[Index].Red = R, Palette[Index].Green = G, Palette[Index].Blue = B;
}

void TPrismSheet::UpdatePalette() {
  const int32_t ToneR = CombinedTone(Color1.Red, Color2.Red), ToneG = CombinedTone(Color1.Green, Color2.Green),
                ToneB = CombinedTone(Color1.Blue, Color2.Blue),
                Saturation = CombinedTone(Color1.Saturation, Color2.Saturation);
  for (int i = 0; i < 256; ++i) {
    Rgb565 C{Palette[i].Red >> 3, Palette[i].Green >> 2, Palette[i].Blue >> 3};
    C = ApplySaturation(C, Saturation);
    C = {ScaleChannel(C.R, ToneR, 31), ScaleChannel(C.G, ToneG, 63), ScaleChannel(C.B, ToneB, 31)};
    C = ApplyFlash(ApplyFlash(C, Color1), Color2);
    C = {ScaleChannel(C.R, Brightness, MaxChannel.R), ScaleChannel(C.G, Brightness, MaxChannel.G),
         ScaleChannel(C.B, Brightness, MaxChannel.B)};
    // Out-of-range settings (a flash colour above 31, say) must not spill into a neighbour.
    ColorTable[i] = uint16_t((Clamp(C.R, 31) << 11) | (Clamp(C.G, 63) << 5) | Clamp(C.B, 31));
  }
}

void TPrismSheet::RotateHue(int32_t Degrees) {
  if (Degrees != 0) {
    for (int i = 1; i < 256; ++i) {
      HueInput In = ToHsv(Palette[i]);
      // A negative turn is the same turn the other way round, never a grey palette.
      int32_t H = int32_t(std::nearbyint(Degrees + In.H)) % 360;
      if (H < 0) H += 360;
      Palette[i] = FromHsv(In.V, In.S, H);
    }
  }
  UpdatePalette();
}

void TPrismSheet::AssignPixels(const TPrismBitmap& Bitmap, TPoint Offset) {
  // Columns and rows of the image that fall outside it (a negative or too large offset) are
  // simply not copied.
  int32_t FirstX = std::max(0, -Offset.X), FirstY = std::max(0, -Offset.Y);
  int32_t Columns = std::min(int64_t(Bitmap.Width) - Offset.X, int64_t(FWidth));
  int32_t Rows = std::min(int64_t(Bitmap.Height) - Offset.Y, int64_t(FHeight));
  for (int32_t y = FirstY; y < Rows; ++y)
    if (Columns > FirstX)
      std::memcpy(ScanLine(y) + FirstX, Bitmap.ScanLine(y + Offset.Y) + FirstX + Offset.X, size_t(Columns - FirstX));
}

void TPrismSheet::AssignBitmap(const TPrismBitmap& Bitmap, TPoint Offset) {
  if (Bitmap.BitsPerPixel != 8) throw EInvalidGraphic("An image format is illegal");
  if (AutoSize) SetSize(Bitmap.Width, Bitmap.Height);
  AssignPixels(Bitmap, Offset);
  Palette = Bitmap.Palette;
  UpdatePalette();
}

namespace {

template <class Load>
void LoadGuarded(TPrismSheet& Sheet, bool RaiseErrors, Load&& Loader) {
  Sheet.Clear();
  try {
    Loader();
  } catch (const std::exception&) {
    if (RaiseErrors) throw;
  }
}

}  // namespace

void TPrismSheet::LoadFromFile(const std::string& FileName, TPoint Offset, bool RaiseErrors) {
  LoadGuarded(*this, RaiseErrors, [&] {
    if (!FileName.empty()) AssignBitmap(LoadImageFile(FileName), Offset);
  });
}

void TPrismSheet::LoadXyzData(std::span<const uint8_t> Data, bool RaiseErrors) {
  LoadGuarded(*this, RaiseErrors, [&] { AssignBitmap(DecodeXyz(Data)); });
}

TPrismBitmap TPrismSheet::ToBitmap() const {
  TPrismBitmap Bitmap;
  Bitmap.Width = FWidth, Bitmap.Height = FHeight, Bitmap.BitsPerPixel = 8;
  Bitmap.Palette = Palette;
  Bitmap.Pixels = Pixels;
  return Bitmap;
}

void TPrismSheet::Mirror() {
  for (int32_t y = 0; y < FHeight; ++y) std::reverse(ScanLine(y), ScanLine(y) + FWidth);
}

namespace {

bool Inside(const TRect& R, int32_t W, int32_t H) {
  return R.Left >= 0 && R.Top >= 0 && R.Right <= W && R.Bottom <= H;
}

TRect ClipToSheet(const TRect& R, int32_t W, int32_t H) {
  return {std::max(R.Left, 0), std::max(R.Top, 0), std::min(R.Right, W), std::min(R.Bottom, H)};
}

}  // namespace

bool TPrismSheet::SameArea(const TRect& R1, const TRect& R2) const {
  if (R1.Width() != R2.Width() || R1.Height() != R2.Height()) return false;
  if (R1.Height() <= 0 || R1.Width() <= 0) return true;
  // Areas reaching outside the sheet hold no bytes to compare; they never match.
  if (!Inside(R1, FWidth, FHeight) || !Inside(R2, FWidth, FHeight)) return false;
  for (int32_t y = 0; y < R1.Height(); ++y)
    if (std::memcmp(ScanLine(R1.Top + y) + R1.Left, ScanLine(R2.Top + y) + R2.Left, size_t(R1.Width())) != 0)
      return false;
  return true;
}

template <class Test>
bool TPrismSheet::EveryPixel(const TRect& R, Test&& Check) const {
  TRect C = ClipToSheet(R, FWidth, FHeight);
  for (int32_t y = C.Top; y < C.Bottom; ++y)
    for (int32_t x = C.Left; x < C.Right; ++x)
      if (!Check(ScanLine(y)[x])) return false;
  return true;
}

bool TPrismSheet::IsAreaEmpty(const TRect& R) const {
  return EveryPixel(R, [](uint8_t Index) { return Index == 0; });
}

bool TPrismSheet::IsAreaFull(const TRect& R) const {
  return EveryPixel(R, [](uint8_t Index) { return Index != 0; });
}

void TPrismSheet::FillArea(const TRect& R, uint8_t Index) {
  TRect C = ClipToSheet(R, FWidth, FHeight);
  for (int32_t y = C.Top; y < C.Bottom; ++y)
    if (C.Right > C.Left) std::memset(ScanLine(y) + C.Left, Index, size_t(C.Right - C.Left));
}

void TPrismSheet::CopyFrom(int32_t X, int32_t Y, const TRect& SourceRect, const TPrismSheet& Source) {
  int32_t SX = SourceRect.Left, SY = SourceRect.Top, W = SourceRect.Width(), H = SourceRect.Height();
  ClipCopy(X, Y, SX, SY, W, H, Source.Width(), Source.Height(), FWidth, FHeight);
  if (W <= 0 || H <= 0) return;
  for (int32_t y = 0; y < H; ++y) {
    const uint8_t* From = Source.ScanLine(SY + y) + SX;
    uint8_t* To = ScanLine(Y + y) + X;
    if (!Source.Transparent) {
      std::memmove(To, From, size_t(W));
      continue;
    }
    for (int32_t x = 0; x < W; ++x) To[x] = From[x] ? From[x] : To[x];
  }
}
