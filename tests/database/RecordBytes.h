// Hand-made record bytes for the list tests: chunks written one by one, so that a test can
// leave chunks out, give them odd sizes, and look at what the writer produced.
#pragma once

#include "data/Catalog.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <map>

struct TChunk {
  uint32_t Id;
  TBytes Payload;
};

inline TBytes IntPayload(int32_t Value) {
  TByteWriter W;
  W.BerInt(Value);
  return W.Take();
}

// The chunks and the closing 0 of one record.
inline TBytes RecordBytes(std::initializer_list<TChunk> Chunks) {
  TByteWriter W;
  for (const TChunk& C : Chunks) {
    W.Ber(C.Id);
    W.Ber(uint32_t(C.Payload.size()));
    W.Bytes(C.Payload);
  }
  W.Ber(0);
  return W.Take();
}

template <class T>
T LoadRecord(const TBytes& Bytes, int32_t Id = 2) {
  T Record;
  Record.SetId(Id);
  TByteReader In(Bytes);
  Record.LoadFromStream(In);
  EXPECT_TRUE(In.AtEnd());
  return Record;
}

// What the writer produced for one record, by chunk id.
inline std::map<uint32_t, TBytes> WrittenChunks(const TCatalogBaseItem& Record) {
  TByteWriter W;
  Record.SaveToStream(W);
  TByteReader In(W.Buffer());
  std::map<uint32_t, TBytes> Chunks;
  for (uint32_t Id = In.Ber(); Id != 0; Id = In.Ber()) {
    const auto Payload = In.Bytes(In.Ber());
    Chunks[Id] = TBytes(Payload.begin(), Payload.end());
  }
  return Chunks;
}

template <class T>
T ReadBack(const T& Record) {
  TByteWriter W;
  Record.SaveToStream(W);
  return LoadRecord<T>(W.Buffer(), Record.Id);
}
