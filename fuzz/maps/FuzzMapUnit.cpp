// Any bytes given to the map unit reader end in "Stream read error" or a map whose written form,
// after one reload, reads and writes back to itself; every cell of its layers can be asked for.
#include "maps/LD_Map.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TLcfMap Map;
  try {
    Map.LoadFromBytes(std::span<const uint8_t>(Data, Size));
  } catch (const EReadError&) {
    return 0;
  }
  for (const TLcfMapLayer* Layer : {&Map.LowerLayer, &Map.UpperLayer})
    for (int32_t P : {-1, 0, 1, 99, 65534, 65535, INT32_MAX, INT32_MIN})
      if (Layer->TileAt(P, P) < -1) std::abort();
  TLcfMap Again;
  Again.LoadFromBytes(Map.SaveToBytes());
  const TBytes Settled = Again.SaveToBytes();
  TLcfMap Third;
  Third.LoadFromBytes(Settled);
  if (Third.SaveToBytes() != Settled) std::abort();
  return 0;
}
