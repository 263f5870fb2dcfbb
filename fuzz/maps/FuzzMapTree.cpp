// Any bytes given to the map tree reader end in a fixed-message error or a tree whose written
// form, after one reload, reads and writes back to itself; the inheritance walks never hang.
#include "maps/LD_MapTree.h"

#include <cstdlib>

namespace {

TBytes Saved(const TLcfMapTree& Tree) {
  TByteWriter Out;
  Tree.SaveToStream(Out);
  return Out.Take();
}

void Load(TLcfMapTree& Tree, const TBytes& Bytes) {
  TByteReader In(Bytes);
  Tree.LoadFromStream(In);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TLcfMapTree Tree;
  try {
    TByteReader In(std::span<const uint8_t>(Data, Size));
    Tree.LoadFromStream(In);
  } catch (const ELcfError&) {
    return 0;  // "Stream read error" or "Invalid Map"
  }
  for (size_t I = 0; I < Tree.Count(); ++I) {
    const int32_t Id = Tree.Items(I)->Id;
    try {
      Tree.ResolveMusic(Id);
      Tree.ResolveFlag(Id, EMapFlagKind::Save);
      Tree.CandidateTroops(Id, 3, 3, 1, nullptr);
    } catch (const ELcfError&) {
      // a parent that is not in the tree: "Invalid Map"
    }
  }
  TLcfMapTree Again;
  Load(Again, Saved(Tree));
  const TBytes Settled = Saved(Again);
  TLcfMapTree Third;
  Load(Third, Settled);
  if (Saved(Third) != Settled) std::abort();
  return 0;
}
