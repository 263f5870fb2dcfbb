// Sets and rank tables of the database records: one byte per database entry, entry 1 first.
// A set holds 0/1, a rank table 0..4 (A..E). A table is stored only up to its last entry that
// differs from the value every entry past the stored length has, so the stored length can be
// shorter than the list it indexes.
#pragma once

#include "data/ByteStream.h"

#include <cstdint>

enum ERank : uint8_t { RankA, RankB, RankC, RankD, RankE, RankCount };

// Entry Id (from 1); Beyond for ids outside the stored length.
inline uint8_t TableEntry(const TBytes& Table, int32_t Id, uint8_t Beyond) {
  return Id >= 1 && size_t(Id) <= Table.size() ? Table[size_t(Id) - 1] : Beyond;
}

// Sets entry Id (from 1), filling the entries it passes over with Beyond so that they keep
// the value they had.
inline void SetTableEntry(TBytes& Table, int32_t Id, uint8_t Value, uint8_t Beyond) {
  if (Id < 1) return;
  if (size_t(Id) > Table.size()) Table.resize(size_t(Id), Beyond);
  Table[size_t(Id) - 1] = Value;
}

// Cuts a table to at most Count entries: the rule for writing a database whose list shrank.
inline void CutTable(TBytes& Table, size_t Count) {
  if (Table.size() > Count) Table.resize(Count);
}
