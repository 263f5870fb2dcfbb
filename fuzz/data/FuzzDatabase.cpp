// Any bytes given to the database reader end in EReadError or a database that writes and
// reads back to itself.
#include "database/LD_DataBase.h"

#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* Data, size_t Size) {
  TLcfDataBase DB;
  try {
    TByteReader In(std::span<const uint8_t>(Data, Size));
    DB.LoadFromStream(In);
  } catch (const EReadError&) {
    return 0;
  }
  TByteWriter First;
  DB.SaveToStream(First);
  TLcfDataBase Again;
  TByteReader In(First.Buffer());
  Again.LoadFromStream(In);
  TByteWriter Second;
  Again.SaveToStream(Second);
  if (First.Buffer() != Second.Buffer()) std::abort();
  return 0;
}
