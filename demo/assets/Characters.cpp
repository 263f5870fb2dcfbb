// The people of the demo: walking sprites in four directions and portraits, both built from
// the same few shapes (a big round head, a small body) so every character is a set of colours
// and options rather than a drawing of its own.
#include "Characters.h"

#include <cmath>

namespace {

// Colours a mask of pixels with a ball shading centred on (CX, CY), so hair and hoods follow
// the round of the head instead of lying flat.
void ShadeInside(TCanvas& S, const std::function<bool(int, int)>& Mask, double CX, double CY,
                 double RX, double RY, ERamp Ramp, int Low, int High) {
  TCanvas Ball(S.Width(), S.Height());
  Ball.ShadeEllipse(CX, CY, RX, RY, Ramp, Low, High);
  for (int y = 0; y < S.Height(); ++y)
    for (int x = 0; x < S.Width(); ++x)
      if (Mask(x, y)) S.Put(x, y, Ball.At(x, y) != Clear ? Ball.At(x, y) : Tone(Ramp, Low));
}

bool InEllipse(int X, int Y, double CX, double CY, double RX, double RY) {
  const double U = (X + 0.5 - CX) / RX, V = (Y + 0.5 - CY) / RY;
  return U * U + V * V <= 1.0;
}

// Shades a rectangle across its width: light on the left, dark on the right.
void Column(TCanvas& S, int X, int Y, int W, int H, ERamp Ramp, int Shade) {
  S.Paint(X, Y, W, H, [&](int x, int) {
    const int Step = W <= 2 ? 0 : (x - X == 0 ? 1 : x - X >= W - 2 ? -1 : 0);
    return Tone(Ramp, Shade + Step);
  });
}

struct TPose {
  int Direction, Frame, Bob;
  bool Side() const { return Direction == 1 || Direction == 3; }
  bool Back() const { return Direction == 0; }
};

void DrawLegs(TCanvas& S, const TLook& L, const TPose& P) {
  const ERamp Shoe = ERamp::DarkHair;
  if (P.Side()) {
    const int Spread = P.Frame == 1 ? 0 : 3;
    const bool FrontFirst = P.Frame == 0;
    const int BackX = 10 - Spread, FrontX = 11 + Spread;
    const int BackShade = 2, FrontShade = 3;
    const int XA = FrontFirst ? BackX : FrontX, XB = FrontFirst ? FrontX : BackX;
    const int SA = FrontFirst ? BackShade : FrontShade, SB = FrontFirst ? FrontShade : BackShade;
    if (!L.Robe) {
      Column(S, XA, 23, 3, 6, L.Bottom, SA);
      Column(S, XB, 23, 3, 6, L.Bottom, SB);
    }
    S.FillRect(XA, 29, 4, 2, Tone(Shoe, 2));
    S.FillRect(XB, 29, 4, 2, Tone(Shoe, 3));
    return;
  }
  const int LeftEnd = 29 + (P.Frame == 0 ? 1 : P.Frame == 2 ? -1 : 0);
  const int RightEnd = 29 + (P.Frame == 2 ? 1 : P.Frame == 0 ? -1 : 0);
  if (!L.Robe) {
    Column(S, 8, 23, 3, LeftEnd - 23, L.Bottom, 4);
    Column(S, 13, 23, 3, RightEnd - 23, L.Bottom, 3);
  }
  S.FillRect(8, LeftEnd, 3, 2, Tone(Shoe, 3));
  S.FillRect(13, RightEnd, 3, 2, Tone(Shoe, 2));
}

void DrawCape(TCanvas& S, const TLook& L, const TPose& P) {
  const int B = P.Bob;
  if (P.Back()) {
    S.FillPolygon({{6, 16.0 + B}, {18, 16.0 + B}, {19.5, 29}, {4.5, 29}}, Tone(L.Accent, 3));
    S.Recolor(0, 16, 24, 14, [&](int x, int y, uint8_t C) {
      if (C != Tone(L.Accent, 3)) return C;
      return (x % 4 == 1 && y > 19 + B) ? Tone(L.Accent, 2) : Tone(L.Accent, x < 9 ? 4 : 3);
    });
  } else if (P.Side()) {
    const double Flow = P.Frame == 1 ? 0 : 1.5;
    S.FillPolygon({{9, 16.0 + B}, {12, 16.0 + B}, {11, 28}, {4.5 - Flow, 28}}, Tone(L.Accent, 2));
  } else {
    S.FillPolygon({{6, 16.0 + B}, {18, 16.0 + B}, {19, 27}, {5, 27}}, Tone(L.Accent, 2));
  }
}

void DrawBody(TCanvas& S, const TLook& L, const TPose& P) {
  const int B = P.Bob;
  const int Left = P.Side() ? 9 : 7, Width = P.Side() ? 7 : 10;
  if (L.Robe) {
    const double Hem = 30;
    S.FillPolygon({{double(Left), 16.0 + B}, {double(Left + Width), 16.0 + B},
                   {Left + Width + 2.0, Hem}, {Left - 2.0, Hem}},
                  Tone(L.Top, 4));
    S.Recolor(0, 16, 24, 15, [&](int x, int y, uint8_t C) {
      if (C != Tone(L.Top, 4)) return C;
      if (y >= int(Hem) - 1) return Tone(L.Top, 2);
      const double Across = (x - (Left - 2.0)) / (Width + 4.0);
      return DitherTone(L.Top, x, y, 5.2 - Across * 2.4);
    });
  } else {
    Column(S, Left, 16 + B, Width, 8 - B, L.Top, 4);
    S.FillRect(Left, 22, Width, 1, Tone(L.Accent, 2));
  }
  if (L.Apron && !P.Back())
    Column(S, P.Side() ? Left + 3 : Left + 2, 18 + B, P.Side() ? 3 : Width - 4, L.Robe ? 10 : 6, ERamp::Bone, 5);
  if (L.Armour) {
    if (!P.Back()) Column(S, Left + 1, 17 + B, Width - 2, 4, ERamp::Steel, 5);
    S.ShadeEllipse(P.Side() ? 12.5 : 7, 17.5 + B, 2.5, 2, ERamp::Steel, 3, 7);
    if (!P.Side()) S.ShadeEllipse(17, 17.5 + B, 2.5, 2, ERamp::Steel, 2, 6);
  }
}

void DrawArms(TCanvas& S, const TLook& L, const TPose& P) {
  const int B = P.Bob;
  const ERamp Sleeve = L.Armour ? ERamp::Steel : L.Top;
  if (P.Side()) {
    const int HandX = P.Frame == 0 ? 14 : P.Frame == 2 ? 9 : 11;
    S.Line(12, 17 + B, HandX, 22 + B, Tone(Sleeve, 3));
    S.Line(13, 17 + B, HandX + 1, 22 + B, Tone(Sleeve, 4));
    S.FillRect(HandX, 22 + B, 2, 2, Tone(L.Skin, 4));
    return;
  }
  const int LeftLength = 6 + (P.Frame == 2 ? 1 : P.Frame == 0 ? -1 : 0);
  const int RightLength = 6 + (P.Frame == 0 ? 1 : P.Frame == 2 ? -1 : 0);
  Column(S, 5, 17 + B, 2, LeftLength - 2, Sleeve, 4);
  Column(S, 17, 17 + B, 2, RightLength - 2, Sleeve, 3);
  S.FillRect(5, 15 + B + LeftLength, 2, 2, Tone(L.Skin, 5));
  S.FillRect(17, 15 + B + RightLength, 2, 2, Tone(L.Skin, 3));
}

void DrawHead(TCanvas& S, const TLook& L, const TPose& P) {
  const double CX = 12, CY = 10.0 + P.Bob, RX = 6.6, RY = 6.2;
  const int B = P.Bob;
  S.ShadeEllipse(CX, CY, RX, RY, L.Skin, 3, 6);

  // Hair: everything of the head outside the face, plus the style's extra locks.
  const bool Side = P.Side(), Back = P.Back();
  auto Hair = [&](int x, int y) {
    const bool Head = InEllipse(x, y, CX, CY - 1.2, RX + 0.6, RY - 0.2);
    bool Face;
    if (Back) Face = false;
    else if (Side) Face = x >= 12 && y >= 8 + B;
    else Face = y >= 8 + B && std::abs(x + 0.5 - CX) < 5.2 && !(y == 8 + B && (x % 3 == 0));
    bool Extra = false;
    switch (L.HairStyle) {
      case EHair::Long:
        Extra = y >= 10 + B && y <= 19 + B &&
                (Back ? std::abs(x + 0.5 - CX) < 6.5
                      : Side ? (x >= 6 && x <= 11) : (std::abs(x + 0.5 - CX) >= 4.5 && std::abs(x + 0.5 - CX) < 7.5));
        break;
      case EHair::Ponytail:
        Extra = Back ? (std::abs(x + 0.5 - CX) < 2 && y >= 12 + B && y <= 18 + B)
                     : Side && x >= 4 && x <= 6 && y >= 8 + B && y <= 16 + B;
        break;
      case EHair::Spiky:
        Extra = y >= 1 + B && y < 5 + B && (Noise(x, 0, 7) & 1 ? y >= 2 + B : y >= 3 + B) && x >= 6 && x <= 17;
        break;
      case EHair::Bun:
        Extra = InEllipse(x, y, Side ? 8 : CX, 2.5 + B, 3, 2.5);
        break;
      default:
        break;
    }
    if (L.HairStyle == EHair::Bald)
      return !Back && !Side ? (Head && !Face && y >= 7 + B && std::abs(x + 0.5 - CX) > 4.5)
                            : (Head && y >= 8 + B && !Face);
    return (Head && !Face) || Extra;
  };
  if (L.Hat != EHat::Hood && L.Hat != EHat::Helmet) ShadeInside(S, Hair, CX, CY - 2, 8, 8, L.Hair, 2, 6);

  if (!Back) {
    const int EyeY = 11 + B;
    if (Side) {
      S.FillRect(15, EyeY, 1, 2, Ink);
      S.Put(18, EyeY + 2, Tone(L.Skin, 4));
    } else {
      S.FillRect(9, EyeY, 1, 2, Ink);
      S.FillRect(14, EyeY, 1, 2, Ink);
      S.Put(8, EyeY + 2, Tone(ERamp::Pink, 5));
      S.Put(15, EyeY + 2, Tone(ERamp::Pink, 5));
    }
    if (L.Beard) {
      S.Paint(0, 12 + B, 24, 6, [&](int x, int y) {
        const bool In = InEllipse(x, y, Side ? 14.5 : CX, 14.5 + B, Side ? 3.5 : 5, 3.5) && y >= 13 + B;
        return In ? Tone(ERamp::Bone, (x + y) % 3 ? 6 : 4) : S.At(x, y);
      });
    }
  }

  switch (L.Hat) {
    case EHat::Wizard:
      S.FillPolygon({{5.5, 6.0 + B}, {18.5, 6.0 + B}, {Side ? 8.0 : 15.0, 0}}, Tone(L.Accent, 3));
      S.Recolor(0, 0, 24, 7 + B, [&](int x, int, uint8_t C) {
        return C == Tone(L.Accent, 3) ? Tone(L.Accent, x < 12 ? 4 : 3) : C;
      });
      S.FillEllipse(12, 6.0 + B, 9, 1.6, Tone(L.Accent, 2));
      S.FillRect(7, 4 + B, 10, 1, Tone(ERamp::Gold, 5));
      break;
    case EHat::Helmet:
      ShadeInside(S, [&](int x, int y) {
        return InEllipse(x, y, CX, CY - 1, RX + 0.8, RY + 0.4) && (Back || y < 9 + B || (Side && x < 11));
      }, CX, CY - 2, 8, 8, ERamp::Steel, 2, 7);
      if (!Back) S.FillRect(Side ? 11 : 6, 8 + B, Side ? 8 : 12, 1, Tone(ERamp::Steel, 1));
      S.FillRect(11, 2 + B, 2, 2, Tone(L.Accent, 4));
      break;
    case EHat::Hood:
      ShadeInside(S, [&](int x, int y) {
        const bool Hood = InEllipse(x, y, CX, CY - 0.5, RX + 1.2, RY + 1.2) || (y >= 14 + B && y <= 17 + B && std::abs(x + 0.5 - CX) < 6);
        const bool Opening = Back ? false : Side ? InEllipse(x, y, 15, 11.0 + B, 4, 4.2) : InEllipse(x, y, CX, 11.5 + B, 4.8, 4.2);
        return Hood && !Opening;
      }, CX, CY - 1, 9, 9, L.Accent, 1, 5);
      break;
    case EHat::Crown:
      S.FillRect(7, 3 + B, 10, 2, Tone(ERamp::Gold, 5));
      for (int x : {7, 10, 13, 16}) S.FillRect(x, 1 + B, 1, 2, Tone(ERamp::Gold, 6));
      S.Put(12, 3 + B, Tone(ERamp::Red, 5));
      break;
    case EHat::Bandana:
      S.FillRect(6, 5 + B, 12, 2, Tone(L.Accent, 4));
      if (Back || Side) S.FillRect(Side ? 4 : 10, 7 + B, 3, 3, Tone(L.Accent, 3));
      break;
    case EHat::Straw:
      S.FillEllipse(12, 6.0 + B, 9.5, 2.2, Tone(ERamp::Sand, 4));
      S.ShadeEllipse(12, 4.0 + B, 5, 3, ERamp::Sand, 3, 6);
      S.FillRect(7, 5 + B, 10, 1, Tone(ERamp::Red, 4));
      break;
    case EHat::None:
      break;
  }
}

void DrawFrame(TCanvas& Out, int X, int Y, const TLook& L, int Direction, int Frame) {
  TCanvas S(24, 32);
  const TPose P{Direction == 3 ? 1 : Direction, Frame, Frame == 1 ? 0 : 1};
  if (L.Cape && !P.Back()) DrawCape(S, L, P);
  DrawLegs(S, L, P);
  DrawBody(S, L, P);
  DrawArms(S, L, P);
  if (L.Cape && P.Back()) DrawCape(S, L, P);
  DrawHead(S, L, P);
  S.Outline(0, 0, 24, 32, Ink);
  Out.Blit(S, 0, 0, 24, 32, X, Y, Direction == 3);
}

constexpr TLook Party[8] = {
    // the hero: spiky brown hair, blue tunic, red cape
    {ERamp::Skin, ERamp::Wood, ERamp::Navy, ERamp::Wood, ERamp::Red, EHair::Spiky, EHat::None, false, true},
    // the mage: long golden hair, purple robe and hat
    {ERamp::Skin, ERamp::Blonde, ERamp::Purple, ERamp::Wood, ERamp::Purple, EHair::Long, EHat::Wizard, true},
    // the knight: steel armour, red plume
    {ERamp::Skin, ERamp::DarkHair, ERamp::Slate, ERamp::Stone, ERamp::Red, EHair::Short, EHat::Helmet, false,
     false, false, true},
    // the ranger: red ponytail under a green hood
    {ERamp::Skin, ERamp::Brick, ERamp::Emerald, ERamp::Wood, ERamp::Moss, EHair::Ponytail, EHat::Hood},
    // a guard
    {ERamp::Skin, ERamp::DarkHair, ERamp::Navy, ERamp::Stone, ERamp::Navy, EHair::Short, EHat::Helmet, false,
     false, false, true},
    // the king
    {ERamp::Skin, ERamp::Bone, ERamp::Crimson, ERamp::Wood, ERamp::Gold, EHair::Short, EHat::Crown, true, true,
     true},
    // a priestess
    {ERamp::Skin, ERamp::Blonde, ERamp::Bone, ERamp::Wood, ERamp::Sky, EHair::Long, EHat::Hood, true},
    // the sage
    {ERamp::Skin, ERamp::Bone, ERamp::Teal, ERamp::Wood, ERamp::Teal, EHair::Bald, EHat::None, true, false, true},
};

constexpr TLook People[8] = {
    // an old man
    {ERamp::Skin, ERamp::Bone, ERamp::Moss, ERamp::Wood, ERamp::Wood, EHair::Bald, EHat::None, false, false, true},
    // a woman in a pink dress
    {ERamp::Skin, ERamp::DarkHair, ERamp::Pink, ERamp::Wood, ERamp::Red, EHair::Long, EHat::None, true},
    // a boy
    {ERamp::Skin, ERamp::Blonde, ERamp::Emerald, ERamp::Dirt, ERamp::Wood, EHair::Spiky},
    // a girl
    {ERamp::Skin, ERamp::Orange, ERamp::Red, ERamp::Wood, ERamp::Gold, EHair::Ponytail, EHat::None, true},
    // the merchant
    {ERamp::Skin, ERamp::DarkHair, ERamp::Orange, ERamp::Wood, ERamp::Teal, EHair::Short, EHat::Bandana, false,
     false, false, false, true},
    // the innkeeper
    {ERamp::Skin, ERamp::Wood, ERamp::Brick, ERamp::Wood, ERamp::Wood, EHair::Bun, EHat::None, true, false,
     false, false, true},
    // a farmer
    {ERamp::Skin, ERamp::Wood, ERamp::Moss, ERamp::Navy, ERamp::Red, EHair::Short, EHat::Straw},
    // a nun
    {ERamp::Skin, ERamp::DarkHair, ERamp::Night, ERamp::Wood, ERamp::Night, EHair::Short, EHat::Hood, true},
};

}  // namespace

const TLook* PartyLooks() { return Party; }
const TLook* PeopleLooks() { return People; }

void DrawWalker(TCanvas& Canvas, int X, int Y, const TLook& Look, int Direction, int Frame) {
  DrawFrame(Canvas, X, Y, Look, Direction, Frame);
}

namespace {

bool PortraitHair(const TLook& L, int x, int y) {
  const double DX = x + 0.5 - 24;
  const bool Cap = InEllipse(x, y, 24, 20, 13.5, 12.5);
  const bool Fringe = y < 16 + (Noise(x / 3, 0, 5) % 4);
  const bool Sides = std::abs(DX) > 10.5 && y < 30;
  switch (L.HairStyle) {
    case EHair::Bald:
      return Cap && std::abs(DX) > 10 && y > 17 && y < 30;
    case EHair::Long:
      if (std::abs(DX) > 8.5 && std::abs(DX) < 15.5 && y >= 18 && y < 46) return true;
      break;
    case EHair::Spiky:
      if (y >= 4 && y < 12 && std::abs(DX) < 12 && (y - 4) * 2 > std::abs(int(DX) % 6 - 3) * 3) return true;
      break;
    case EHair::Ponytail:
      if (InEllipse(x, y, 38, 32, 4, 10)) return true;
      break;
    case EHair::Bun:
      if (InEllipse(x, y, 24, 8, 6.5, 5.5)) return true;
      break;
    case EHair::Short:
      break;
  }
  return Cap && (Fringe || Sides);
}

void PortraitHat(TCanvas& S, const TLook& L) {
  switch (L.Hat) {
    case EHat::Wizard:
      S.FillPolygon({{9, 14}, {39, 14}, {32, -2}}, Tone(L.Accent, 3));
      S.Recolor(0, 0, 48, 15, [&](int x, int, uint8_t C) {
        return C == Tone(L.Accent, 3) ? Tone(L.Accent, x < 26 ? 4 : 3) : C;
      });
      S.FillEllipse(24, 14, 21, 3.2, Tone(L.Accent, 2));
      S.FillRect(12, 10, 24, 2, Tone(ERamp::Gold, 5));
      break;
    case EHat::Helmet:
      ShadeInside(S, [&](int x, int y) { return InEllipse(x, y, 24, 20, 14.5, 14) && y < 20; }, 24, 16, 16, 16,
                  ERamp::Steel, 2, 7);
      S.FillRect(9, 19, 30, 2, Tone(ERamp::Steel, 2));
      S.FillRect(22, 1, 4, 6, Tone(L.Accent, 4));
      break;
    case EHat::Hood:
      ShadeInside(S, [&](int x, int y) {
        const bool Hood = InEllipse(x, y, 24, 24, 16.5, 18) || (y >= 36 && std::abs(x + 0.5 - 24) < 15);
        return Hood && !InEllipse(x, y, 24, 27, 10.5, 12) && y < 44;
      }, 24, 20, 18, 20, L.Accent, 1, 5);
      break;
    case EHat::Crown:
      S.FillRect(13, 6, 22, 5, Tone(ERamp::Gold, 5));
      S.FillRect(13, 10, 22, 1, Tone(ERamp::Gold, 2));
      for (int x : {13, 19, 25, 31}) S.FillPolygon({{double(x), 6}, {x + 4.0, 6}, {x + 2.0, 1}}, Tone(ERamp::Gold, 6));
      S.FillRect(23, 7, 3, 3, Tone(ERamp::Red, 5));
      break;
    case EHat::Bandana:
      S.FillRect(11, 11, 26, 4, Tone(L.Accent, 4));
      S.FillRect(11, 14, 26, 1, Tone(L.Accent, 2));
      break;
    case EHat::Straw:
      S.ShadeEllipse(24, 9, 10, 6, ERamp::Sand, 3, 6);
      S.FillEllipse(24, 13, 21, 4, Tone(ERamp::Sand, 4));
      S.FillRect(14, 11, 20, 2, Tone(ERamp::Red, 4));
      break;
    case EHat::None:
      break;
  }
}

}  // namespace

void DrawPortrait(TCanvas& Canvas, int X, int Y, const TLook& L) {
  TCanvas S(48, 48);
  // Shoulders and neck.
  S.FillPolygon({{3, 48}, {9, 39}, {39, 39}, {45, 48}}, Tone(L.Top, 4));
  S.Recolor(0, 38, 48, 10, [&](int x, int y, uint8_t C) {
    return C == Tone(L.Top, 4) ? DitherTone(L.Top, x, y, 5.3 - x / 48.0 * 2.6) : C;
  });
  if (L.Armour) {
    S.ShadeEllipse(10, 44, 8, 6, ERamp::Steel, 2, 7);
    S.ShadeEllipse(38, 44, 8, 6, ERamp::Steel, 2, 6);
  }
  if (L.Cape) S.FillRect(5, 45, 38, 3, Tone(L.Accent, 3));
  S.FillRect(19, 32, 10, 8, Tone(L.Skin, 3));
  // Head and ears.
  S.ShadeEllipse(12.5, 26, 2.5, 3.5, L.Skin, 3, 5);
  S.ShadeEllipse(35.5, 26, 2.5, 3.5, L.Skin, 2, 4);
  S.ShadeEllipse(24, 24, 11.5, 12.5, L.Skin, 3, 6);
  // Eyes, brows, nose, mouth.
  for (int EX : {17, 28}) {
    S.FillRect(EX, 24, 4, 1, Ink);
    S.FillRect(EX, 25, 4, 4, White);
    S.FillRect(EX + 1, 25, 2, 4, Tone(L.Hair == ERamp::Bone ? ERamp::Navy : L.Hair, 2));
    S.Put(EX + 1, 25, White);
    S.FillRect(EX, 21, 4, 1, Tone(L.Hair, 1));
  }
  S.Put(24, 30, Tone(L.Skin, 2));
  S.Put(23, 31, Tone(L.Skin, 3));
  S.FillRect(22, 34, 5, 1, Tone(ERamp::Red, 3));
  S.Put(16, 31, Tone(ERamp::Pink, 5));
  S.Put(31, 31, Tone(ERamp::Pink, 5));
  if (L.Beard)
    S.Paint(10, 29, 28, 14, [&](int x, int y) {
      const bool In = InEllipse(x, y, 24, 34, 10, 8.5) && !(y < 33 && std::abs(x + 0.5 - 24) < 4);
      return In ? Tone(ERamp::Bone, (x * 3 + y) % 5 == 0 ? 4 : 6) : S.At(x, y);
    });
  if (L.Hat != EHat::Hood && L.Hat != EHat::Helmet)
    ShadeInside(S, [&](int x, int y) { return PortraitHair(L, x, y); }, 22, 16, 16, 18, L.Hair, 2, 6);
  PortraitHat(S, L);
  S.Outline(0, 0, 48, 48, Ink);
  Canvas.Blit(S, 0, 0, 48, 48, X, Y);
}
