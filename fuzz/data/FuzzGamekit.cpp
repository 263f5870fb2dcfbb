// gamekit's promise: any file it can dump builds back to the same bytes.
#include "GameJson.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  const std::span<const uint8_t> File(Data, Size);
  TJson Doc;
  try {
    Doc = DumpFile(File);
  } catch (const EReadError&) {
    return 0;
  }
  const TBytes Built = BuildFile(TJson::parse(Doc.dump()));
  if (!std::equal(Built.begin(), Built.end(), File.begin(), File.end())) std::abort();
  return 0;
}
