#include "graphics/PrismZlib.h"

#include "graphics/PrismImage.h"

#include <zlib.h>

#include <algorithm>
#include <limits>

struct TInflater::State {
  z_stream Z{};
};

TInflater::TInflater() : S(std::make_unique<State>()) {
  if (inflateInit(&S->Z) != Z_OK) throw EPrismImageError("Zlib Error");
}

TInflater::~TInflater() { inflateEnd(&S->Z); }

void TInflater::SetInput(std::span<const uint8_t> Input) {
  S->Z.next_in = const_cast<Bytef*>(Input.data());
  S->Z.avail_in = uInt(std::min<size_t>(Input.size(), std::numeric_limits<uInt>::max()));
}

size_t TInflater::InputLeft() const { return S->Z.avail_in; }

TInflater::Result TInflater::Fill(uint8_t* Out, size_t Size, size_t& Produced) {
  Produced = 0;
  if (FEnded) return Result::Ended;
  z_stream& Z = S->Z;
  while (Produced < Size) {
    Z.next_out = Out + Produced;
    Z.avail_out = uInt(std::min<size_t>(Size - Produced, std::numeric_limits<uInt>::max()));
    uInt Before = Z.avail_out;
    int Code = inflate(&Z, Z_NO_FLUSH);
    Produced += Before - Z.avail_out;
    if (Code == Z_STREAM_END) {
      FEnded = true;
      return Result::Ended;
    }
    // Without progress and without input the stream simply wants more; with input left it
    // cannot go on at all.
    if ((Code == Z_BUF_ERROR || Code == Z_OK) && Z.avail_in == 0 && Z.avail_out != 0) return Result::Starved;
    if (Code != Z_OK) return Result::Failed;
  }
  return Result::Full;
}

bool TInflater::AtEnd() {
  uint8_t Scratch;
  size_t Produced;
  Result R = Fill(&Scratch, 1, Produced);
  return R == Result::Ended && Produced == 0;
}

std::vector<uint8_t> Deflate(std::span<const uint8_t> Raw) {
  z_stream Z{};
  if (deflateInit(&Z, Z_DEFAULT_COMPRESSION) != Z_OK) throw EPrismImageError("Zlib Error");
  std::vector<uint8_t> Out(deflateBound(&Z, uLong(Raw.size())));
  Z.next_in = const_cast<Bytef*>(Raw.data());
  Z.avail_in = uInt(Raw.size());
  Z.next_out = Out.data();
  Z.avail_out = uInt(Out.size());
  int Code = deflate(&Z, Z_FINISH);
  Out.resize(Out.size() - Z.avail_out);
  deflateEnd(&Z);
  if (Code != Z_STREAM_END) throw EPrismImageError("Zlib Error");
  return Out;
}
