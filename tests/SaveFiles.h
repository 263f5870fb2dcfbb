// Save files built byte by byte, as the program writes them, for the tests that read them.
#pragma once

#include <string>
#include <vector>

#include "CodecBytes.h"
#include "state/SaveData.h"

// One section of a save file: its id, its size and its payload.
inline void WriteSaveSection(TByteWriter& Out, uint32_t Id, const TBytes& Payload) {
  Out.Ber(Id);
  Out.Ber(uint32_t(Payload.size()));
  Out.Bytes(Payload);
}

// A save file with Header in its header section, then two more sections (one of an id the
// program does not know). Sections with the ids in Before come first, as a foreign file may
// put them.
inline std::string SaveFileBytes(const TLcfgSaveHeader& Header, const std::vector<uint32_t>& Before = {}) {
  TByteWriter Out;
  Out.BerString("LcfSaveData");
  for (uint32_t Id : Before) WriteSaveSection(Out, Id, {1, 2, 3});
  WriteSaveSection(Out, 100, SavedBytes(Header));
  WriteSaveSection(Out, 101, {0});
  WriteSaveSection(Out, 115, {9, 9});
  const TBytes Bytes = Out.Take();
  return std::string(Bytes.begin(), Bytes.end());
}
