// A record or list written to bytes and read back from them, through its own stream code.
#pragma once

#include "data/ByteStream.h"

template <class T>
TBytes SavedBytes(const T& Object) {
  TByteWriter W;
  Object.SaveToStream(W);
  return W.Take();
}

template <class T>
void LoadBytes(T& Object, const TBytes& Bytes) {
  TByteReader In(Bytes);
  Object.LoadFromStream(In);
}
