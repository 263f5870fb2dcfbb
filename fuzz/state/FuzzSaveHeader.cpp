// Any bytes given to the save-header reader end in "Stream read error" or a header whose
// written form reads back to itself.
#include "state/SaveData.h"

#include <cstdlib>

namespace {

TBytes Saved(const TLcfgSaveHeader& Header) {
  TByteWriter Out;
  Header.SaveToStream(Out);
  return Out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TLcfgSaveHeader Header;
  Header.Clear();
  try {
    TByteReader In(std::span<const uint8_t>(Data, Size));
    ReadSaveHeader(In, Header);
  } catch (const EReadError&) {
    return 0;
  }
  const TBytes First = Saved(Header);
  TLcfgSaveHeader Again;
  Again.Clear();
  TByteReader In(First);
  Again.LoadFromStream(In);
  if (Saved(Again) != First) std::abort();
  return 0;
}
