// The chunk codec on the records with the most shapes (nested records, lists, scripts, move
// routes, counted bytes): the first byte picks the record, the rest is read as it. Whatever
// reads must write, and writing must settle: the page condition's actor id clears to 1 but is
// omitted at 0, so one reload may change a record; after that, write and read agree exactly.
#include "database/LD_Event.h"
#include "database/LD_System.h"
#include "database/LD_Vocabulary.h"

#include <cstdlib>
#include <memory>

namespace {

std::unique_ptr<TCatalogBaseItem> Pick(uint8_t Selector) {
  switch (Selector % 5) {
    case 0: return std::make_unique<TLcfSystem>();
    case 1: return std::make_unique<TLcfEventItem>();
    case 2: return std::make_unique<TLcfCommonEventItem>();
    case 3: return std::make_unique<TLcfEventPageItem>();
    default: return std::make_unique<TLcfVocabulary>();
  }
}

TBytes Rewrite(uint8_t Selector, const TBytes& Bytes) {
  auto Record = Pick(Selector);
  TByteReader In(Bytes);
  Record->LoadFromStream(In);
  TByteWriter Out;
  Record->SaveToStream(Out);
  return Out.Take();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  if (Size == 0) return 0;
  auto Record = Pick(Data[0]);
  try {
    TByteReader In(std::span<const uint8_t>(Data + 1, Size - 1));
    Record->LoadFromStream(In);
  } catch (const EReadError&) {
    return 0;
  }
  TByteWriter First;
  Record->SaveToStream(First);
  const TBytes Second = Rewrite(Data[0], First.Buffer());
  if (Rewrite(Data[0], Second) != Second) std::abort();
  return 0;
}
