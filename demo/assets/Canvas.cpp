#include "Canvas.h"

#include <algorithm>
#include <cmath>

TCanvas::TCanvas(int Width, int Height, uint8_t Fill)
    : Width_(Width), Height_(Height), Pixels_(size_t(Width) * size_t(Height), Fill) {}

void TCanvas::FillRect(int X, int Y, int W, int H, uint8_t Color) {
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x) Put(x, y, Color);
}

void TCanvas::FrameRect(int X, int Y, int W, int H, uint8_t Color) {
  FillRect(X, Y, W, 1, Color);
  FillRect(X, Y + H - 1, W, 1, Color);
  FillRect(X, Y, 1, H, Color);
  FillRect(X + W - 1, Y, 1, H, Color);
}

void TCanvas::Line(int X0, int Y0, int X1, int Y1, uint8_t Color) {
  const int DX = std::abs(X1 - X0), DY = -std::abs(Y1 - Y0);
  const int SX = X0 < X1 ? 1 : -1, SY = Y0 < Y1 ? 1 : -1;
  int Error = DX + DY;
  for (;;) {
    Put(X0, Y0, Color);
    if (X0 == X1 && Y0 == Y1) return;
    const int E2 = 2 * Error;
    if (E2 >= DY) Error += DY, X0 += SX;
    if (E2 <= DX) Error += DX, Y0 += SY;
  }
}

void TCanvas::FillEllipse(double CX, double CY, double RX, double RY, uint8_t Color) {
  if (RX <= 0 || RY <= 0) return;
  for (int y = int(std::floor(CY - RY)); y <= int(std::ceil(CY + RY)); ++y)
    for (int x = int(std::floor(CX - RX)); x <= int(std::ceil(CX + RX)); ++x) {
      const double U = (x + 0.5 - CX) / RX, V = (y + 0.5 - CY) / RY;
      if (U * U + V * V <= 1.0) Put(x, y, Color);
    }
}

void TCanvas::FillPolygon(const std::vector<TPointF>& Points, uint8_t Color) {
  if (Points.size() < 3) return;
  double Top = Points[0].Y, Bottom = Points[0].Y;
  for (const TPointF& P : Points) Top = std::min(Top, P.Y), Bottom = std::max(Bottom, P.Y);
  for (int y = int(std::floor(Top)); y <= int(std::ceil(Bottom)); ++y) {
    const double SY = y + 0.5;
    std::vector<double> Crossings;
    for (size_t i = 0; i < Points.size(); ++i) {
      const TPointF& A = Points[i];
      const TPointF& B = Points[(i + 1) % Points.size()];
      if ((A.Y <= SY && B.Y > SY) || (B.Y <= SY && A.Y > SY))
        Crossings.push_back(A.X + (SY - A.Y) * (B.X - A.X) / (B.Y - A.Y));
    }
    std::sort(Crossings.begin(), Crossings.end());
    for (size_t i = 0; i + 1 < Crossings.size(); i += 2)
      for (int x = int(std::ceil(Crossings[i] - 0.5)); x < int(std::ceil(Crossings[i + 1] - 0.5)); ++x)
        Put(x, y, Color);
  }
}

void TCanvas::Paint(int X, int Y, int W, int H, const std::function<uint8_t(int, int)>& Paint) {
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x) Put(x, y, Paint(x, y));
}

void TCanvas::Recolor(int X, int Y, int W, int H,
                      const std::function<uint8_t(int, int, uint8_t)>& Recolor) {
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x)
      if (Inside(x, y)) Put(x, y, Recolor(x, y, At(x, y)));
}

void TCanvas::ShadeEllipse(double CX, double CY, double RX, double RY, ERamp Ramp, int Low, int High) {
  if (RX <= 0 || RY <= 0) return;
  // Light from the upper left and a little toward the viewer.
  const double LX = -0.55, LY = -0.65, LZ = 0.52;
  for (int y = int(std::floor(CY - RY)); y <= int(std::ceil(CY + RY)); ++y)
    for (int x = int(std::floor(CX - RX)); x <= int(std::ceil(CX + RX)); ++x) {
      const double U = (x + 0.5 - CX) / RX, V = (y + 0.5 - CY) / RY;
      const double R2 = U * U + V * V;
      if (R2 > 1.0) continue;
      const double Z = std::sqrt(1.0 - R2);
      const double Light = std::clamp(U * LX + V * LY + Z * LZ, 0.0, 1.0);
      Put(x, y, DitherTone(Ramp, x, y, Low + (High - Low) * Light));
    }
}

void TCanvas::Outline(int X, int Y, int W, int H, uint8_t Color) {
  std::vector<std::pair<int, int>> Marks;
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x) {
      if (At(x, y) != Clear) continue;
      auto Solid = [&](int NX, int NY) {
        if (NX < X || NY < Y || NX >= X + W || NY >= Y + H) return false;
        const uint8_t C = At(NX, NY);
        return C != Clear && C != Color;
      };
      if (Solid(x - 1, y) || Solid(x + 1, y) || Solid(x, y - 1) || Solid(x, y + 1))
        Marks.emplace_back(x, y);
    }
  for (auto [x, y] : Marks) Put(x, y, Color);
}

void TCanvas::RimLight(int X, int Y, int W, int H) {
  const TCanvas Before = *this;
  for (int y = Y; y < Y + H; ++y)
    for (int x = X; x < X + W; ++x) {
      const uint8_t C = Before.At(x, y);
      if (ShadeOf(C) < 0) continue;
      const bool OpenAbove = Before.At(x - 1, y) == Clear || Before.At(x, y - 1) == Clear ||
                             Before.At(x - 1, y) == Ink || Before.At(x, y - 1) == Ink;
      const bool OpenBelow = Before.At(x + 1, y) == Clear || Before.At(x, y + 1) == Clear ||
                             Before.At(x + 1, y) == Ink || Before.At(x, y + 1) == Ink;
      if (OpenAbove && !OpenBelow) Put(x, y, Tone(RampOf(C), ShadeOf(C) + 1));
      else if (OpenBelow && !OpenAbove) Put(x, y, Tone(RampOf(C), ShadeOf(C) - 1));
    }
}

void TCanvas::Art(int X, int Y, const std::vector<std::string_view>& Rows,
                  const std::map<char, uint8_t>& Key, bool Mirror) {
  for (size_t Row = 0; Row < Rows.size(); ++Row) {
    const std::string_view Line = Rows[Row];
    for (size_t Col = 0; Col < Line.size(); ++Col) {
      const char C = Line[Col];
      const int PX = Mirror ? X + int(Line.size()) - 1 - int(Col) : X + int(Col);
      if (auto Found = Key.find(C); Found != Key.end()) Put(PX, Y + int(Row), Found->second);
    }
  }
}

void TCanvas::Blit(const TCanvas& Source, int SX, int SY, int W, int H, int DX, int DY, bool Mirror,
                   bool SkipClear) {
  for (int y = 0; y < H; ++y)
    for (int x = 0; x < W; ++x) {
      const uint8_t C = Source.At(SX + (Mirror ? W - 1 - x : x), SY + y);
      if (SkipClear && C == Clear) continue;
      Put(DX + x, DY + y, C);
    }
}

TPrismBitmap TCanvas::ToBitmap() const {
  TPrismBitmap Bitmap;
  Bitmap.Allocate(Width_, Height_, 8);
  Bitmap.Palette = DemoPalette();
  Bitmap.Pixels = Pixels_;
  return Bitmap;
}

int Noise(int X, int Y, int Seed) {
  uint32_t H = uint32_t(X) * 374761393u + uint32_t(Y) * 668265263u + uint32_t(Seed) * 2246822519u;
  H = (H ^ (H >> 13)) * 1274126177u;
  H ^= H >> 16;
  return int(H & 255u);
}

int SmoothNoise(int X, int Y, int Cell, int Period, int Seed) {
  const int Cells = std::max(1, Period / Cell);
  auto Wrap = [&](int V) { return ((V % Cells) + Cells) % Cells; };
  const int CX = X >= 0 ? X / Cell : (X - Cell + 1) / Cell;
  const int CY = Y >= 0 ? Y / Cell : (Y - Cell + 1) / Cell;
  const double FX = double(X - CX * Cell) / Cell, FY = double(Y - CY * Cell) / Cell;
  auto Corner = [&](int DX, int DY) { return double(Noise(Wrap(CX + DX), Wrap(CY + DY), Seed)); };
  auto Ease = [](double T) { return T * T * (3 - 2 * T); };
  const double SX = Ease(FX), SY = Ease(FY);
  const double Top = Corner(0, 0) + (Corner(1, 0) - Corner(0, 0)) * SX;
  const double Bottom = Corner(0, 1) + (Corner(1, 1) - Corner(0, 1)) * SX;
  return int(Top + (Bottom - Top) * SY);
}

bool Dither(int X, int Y, int Level) {
  static constexpr int Bayer[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};
  return Bayer[Y & 3][X & 3] < Level;
}

uint8_t DitherTone(ERamp Ramp, int X, int Y, double Shade) {
  const int Base = int(std::floor(Shade));
  const int Fraction = int((Shade - Base) * 16.0);
  return Tone(Ramp, Dither(X, Y, Fraction) ? Base + 1 : Base);
}
