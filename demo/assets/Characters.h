// The look of a person, shared by the walking sprites and the face portraits so that each
// character wears the same colours in both.
#pragma once

#include "Canvas.h"

enum class EHair { Short, Spiky, Long, Ponytail, Bald, Bun };
enum class EHat { None, Wizard, Helmet, Hood, Crown, Bandana, Straw };

struct TLook {
  ERamp Skin = ERamp::Skin;
  ERamp Hair = ERamp::DarkHair;
  ERamp Top = ERamp::Navy;      // shirt, tunic or robe
  ERamp Bottom = ERamp::Wood;   // trousers
  ERamp Accent = ERamp::Red;    // cape, hat, belt
  EHair HairStyle = EHair::Short;
  EHat Hat = EHat::None;
  bool Robe = false;            // a long robe or dress instead of trousers
  bool Cape = false;
  bool Beard = false;
  bool Armour = false;          // steel plates on the shoulders and chest
  bool Apron = false;
};

// The eight looks of a charset, in sheet order.
const TLook* PartyLooks();   // hero, three companions, guard, king, priestess, sage
const TLook* PeopleLooks();  // townspeople

// One 24x32 walking frame of a look. Direction 0 up, 1 right, 2 down, 3 left; Frame 0..2,
// frame 1 standing.
void DrawWalker(TCanvas& Canvas, int X, int Y, const TLook& Look, int Direction, int Frame);

// A 48x48 portrait of a look.
void DrawPortrait(TCanvas& Canvas, int X, int Y, const TLook& Look);
