// The charsets and the face sheet.
#include "Assets.h"
#include "Characters.h"

namespace {

TCanvas Charset(const TLook* Looks) {
  TCanvas C(288, 256);
  for (int Character = 0; Character < 8; ++Character) {
    const int BX = (Character % 4) * 72, BY = (Character / 4) * 128;
    for (int Direction = 0; Direction < 4; ++Direction)
      for (int Frame = 0; Frame < 3; ++Frame)
        DrawWalker(C, BX + Frame * 24, BY + Direction * 32, Looks[Character], Direction, Frame);
  }
  return C;
}

}  // namespace

TCanvas DrawPartyCharset() { return Charset(PartyLooks()); }
TCanvas DrawPeopleCharset() { return Charset(PeopleLooks()); }

// Sixteen 48x48 portraits, four to a row: the party sheet's eight, then the townspeople's.
TCanvas DrawFaces() {
  TCanvas C(192, 192);
  for (int i = 0; i < 16; ++i) {
    const TLook& Look = i < 8 ? PartyLooks()[i] : PeopleLooks()[i - 8];
    DrawPortrait(C, (i % 4) * 48, (i / 4) * 48, Look);
  }
  return C;
}
