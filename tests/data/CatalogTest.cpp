// The chunk encoding: compressed integers, strings, every field kind with its read and write
// rule, unknown chunks, lists and their errors. Expected bytes are worked out by hand.
#include "data/Catalog.h"

#include <gtest/gtest.h>

#include <array>

namespace {

TBytes Hex(std::initializer_list<int> Values) {
  TBytes B;
  for (int V : Values) B.push_back(uint8_t(V));
  return B;
}

TEST(BerInt, WritesTheShortestFormAndNegativesInFiveBytes) {
  const struct {
    int32_t Value;
    TBytes Bytes;
  } Cases[] = {
      {0, Hex({0x00})},
      {127, Hex({0x7F})},
      {128, Hex({0x81, 0x00})},
      {300, Hex({0x82, 0x2C})},
      {16383, Hex({0xFF, 0x7F})},
      {16384, Hex({0x81, 0x80, 0x00})},
      {2147483647, Hex({0x87, 0xFF, 0xFF, 0xFF, 0x7F})},
      {-1, Hex({0x8F, 0xFF, 0xFF, 0xFF, 0x7F})},
  };
  for (const auto& C : Cases) {
    TByteWriter W;
    WriteBerInt(W, C.Value);
    EXPECT_EQ(W.Buffer(), C.Bytes) << C.Value;
    TByteReader R(C.Bytes);
    EXPECT_EQ(ReadBerInt(R), C.Value);
    EXPECT_TRUE(R.AtEnd());
  }
}

TEST(BerInt, ReaderKeepsTheLow32BitsOfLongForms) {
  // Six bytes: 0x81 followed by the five-byte form of -1: the leading group is shifted out.
  const TBytes Long = Hex({0x81, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F});
  TByteReader R(Long);
  EXPECT_EQ(R.BerInt(), -1);
  // A non-canonical zero-padded 5 is still 5.
  const TBytes Padded = Hex({0x80, 0x80, 0x05});
  TByteReader P(Padded);
  EXPECT_EQ(P.BerInt(), 5);
}

TEST(BerInt, WithSizePrefixesTheByteCount) {
  TByteWriter W;
  WriteBerInt(W, 300, true);
  EXPECT_EQ(W.Buffer(), Hex({0x02, 0x82, 0x2C}));
}

TEST(ByteReader, ReadsPastTheEndAreStreamReadErrors) {
  const TBytes Cut = Hex({0x81});  // a compressed integer that never ends
  TByteReader R(Cut);
  EXPECT_THROW(R.Ber(), EReadError);
  const TBytes ShortString = Hex({0x05, 'a', 'b'});
  TByteReader S(ShortString);
  try {
    S.BerString();
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_STREQ(E.what(), "Stream read error");
    EXPECT_EQ(E.Offset, 1u);
  }
}

TEST(ByteReader, StringsAreLengthPrefixed) {
  TByteWriter W;
  WriteBerString(W, "");
  WriteBerString(W, "$$$B");
  EXPECT_EQ(W.Buffer(), Hex({0x00, 0x04, '$', '$', '$', 'B'}));
  TByteReader R(W.Buffer());
  EXPECT_EQ(ReadBerString(R), "");
  EXPECT_EQ(ReadBerString(R), "$$$B");
}

// A record with one field of every kind.
class TSample : public TCatalogBaseItem {
 public:
  int32_t Number = 7;
  int32_t Quirk = 1;
  uint8_t Flag = 1;
  double Ratio = 0.5;
  std::array<uint16_t, 2> Pair{};
  uint8_t Single = 3;
  std::string Always, Optional;
  TBytes Blob;
  int32_t BlobCount = 0;
  TBytes Ranks;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TSampleItem : public TCatalogItem {
 public:
  int32_t Value = 0;
  TSample Inner;
  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TSampleList = TCatalogOf<TSampleItem>;

using F = TFieldMaker<TSample>;
constexpr TFieldDesc SampleFields[] = {
    F::Int<&TSample::Number>(1, "Number", 7),
    F::Int<&TSample::Quirk>(2, "Quirk", 0).ClearedTo(1),
    F::Flag<&TSample::Flag>(3, "Flag", 1),
    F::Double<&TSample::Ratio>(4, "Ratio", 0.5),
    F::Fixed<&TSample::Pair>(5, "Pair"),
    F::Fixed<&TSample::Single>(6, "Single", 3),
    F::Text<&TSample::Always>(7, "Always"),
    F::Text<&TSample::Optional>(8, "Optional").OmitEmpty(),
    F::Int<&TSample::BlobCount>(9, "BlobCount"),
    F::Bytes<&TSample::Blob>(10, "Blob").WrittenLength(&F::CountTimes<2, &TSample::BlobCount>),
    F::TableCount<&TSample::Ranks>(11, "RankCount", 2),
    F::Table<&TSample::Ranks>(12, "Ranks", 2),
};
static_assert(AscendingIds(SampleFields));
const TRecordSchema TSample::Fields{"TSample", SampleFields};

using FI = TFieldMaker<TSampleItem>;
constexpr TFieldDesc SampleItemFields[] = {
    FI::Text<&TSampleItem::Name>(1, "Name").OmitEmpty(),
    FI::Int<&TSampleItem::Value>(2, "Value"),
    FI::Record<&TSampleItem::Inner>(3, "Inner"),
};
const TRecordSchema TSampleItem::Fields{"TSampleItem", SampleItemFields};

TBytes Save(const TCatalogBaseItem& R) {
  TByteWriter W;
  R.SaveToStream(W);
  return W.Take();
}

template <class T>
T Load(const TBytes& B) {
  T R;
  TByteReader In(B);
  R.LoadFromStream(In);
  return R;
}

TEST(Record, DefaultsAreOmittedAndAlwaysWrittenKindsAppear) {
  TSample S;
  S.Clear();
  // Quirk clears to 1 but its written default is 0, so a cleared record writes it.
  EXPECT_EQ(Save(S), Hex({0x02, 0x01, 0x01,              // Quirk 1
                          0x05, 0x04, 0, 0, 0, 0,        // Pair, always
                          0x06, 0x01, 0x03,              // Single, always
                          0x07, 0x00,                    // Always: empty but written
                          0x0A, 0x00,                    // Blob, 0 of 0 stated bytes
                          0x0C, 0x00,                    // Ranks, nothing left after trimming
                          0x00}));
}

TEST(Record, RoundTripOfEveryKind) {
  TSample S;
  S.Clear();
  S.Number = -1;
  S.Flag = 0;
  S.Ratio = 2.25;
  S.Pair = {0x1234, 0xFFFF};
  S.Optional = "x";
  S.Blob = {1, 2, 3, 4, 5};
  S.BlobCount = 2;  // only four bytes are stated
  S.Ranks = {2, 0, 2, 2};
  const TBytes B = Save(S);
  // The integer chunk of -1 is its id, 05 and the five bytes.
  EXPECT_EQ(TBytes(B.begin(), B.begin() + 7), Hex({0x01, 0x05, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F}));
  const TSample R = Load<TSample>(B);
  EXPECT_EQ(R.Number, -1);
  EXPECT_EQ(R.Flag, 0);
  EXPECT_EQ(R.Ratio, 2.25);
  EXPECT_EQ(R.Pair[0], 0x1234);
  EXPECT_EQ(R.Pair[1], 0xFFFF);
  EXPECT_EQ(R.Optional, "x");
  EXPECT_EQ(R.Blob, Hex({1, 2, 3, 4}));
  EXPECT_EQ(R.Ranks, Hex({2, 0}));  // trailing rank C entries are not written
  EXPECT_EQ(Save(R), Save(Load<TSample>(Save(R))));
}

TEST(Record, WrongSizedFixedChunksAreIgnoredAndUnknownChunksSkipped) {
  const TBytes B = Hex({0x03, 0x02, 0x00, 0x00,        // Flag in two bytes: ignored
                        0x06, 0x02, 0x09, 0x09,        // Single in two bytes: ignored
                        0x04, 0x04, 1, 2, 3, 4,        // Ratio in four bytes: ignored
                        0x63, 0x03, 0x01, 0x02, 0x03,  // chunk 99: unknown
                        0x87, 0x68, 0x01, 0x2A,        // chunk 1000: unknown
                        0x01, 0x01, 0x2A,              // Number 42
                        0x00});
  const TSample R = Load<TSample>(B);
  EXPECT_EQ(R.Flag, 1);
  EXPECT_EQ(R.Single, 3);
  EXPECT_EQ(R.Ratio, 0.5);
  EXPECT_EQ(R.Number, 42);
}

TEST(Record, LoadStartsFromClearAndAcceptsAnyOrder) {
  TSample R = Load<TSample>(Hex({0x08, 0x01, 'b', 0x01, 0x01, 0x05, 0x00}));
  EXPECT_EQ(R.Optional, "b");
  EXPECT_EQ(R.Number, 5);
  const TBytes Zero = Hex({0x00});
  TByteReader In(Zero);
  R.LoadFromStream(In);
  EXPECT_EQ(R.Optional, "");
  EXPECT_EQ(R.Number, 7);
  EXPECT_EQ(R.Quirk, 1);
}

TEST(Record, IntegerPayloadCutShortStaysInsideItsChunk) {
  // Chunk 1 of size 1 holds 0x81, the start of a two-byte integer; chunk 8 follows.
  const TSample R = Load<TSample>(Hex({0x01, 0x01, 0x81, 0x08, 0x01, 'z', 0x00}));
  EXPECT_EQ(R.Optional, "z");
  EXPECT_EQ(R.Number, 1);
}

TEST(Record, DamagedRecordsAreStreamReadErrors) {
  const TBytes Cases[] = {
      Hex({}),                        // nothing at all
      Hex({0x01, 0x01, 0x05}),        // no closing 0
      Hex({0x07, 0x05, 'a', 0x00}),   // a chunk larger than the data
      Hex({0x07, 0x8F, 0xFF, 0xFF, 0xFF, 0x7F, 0x00}),  // a size near 4 GiB
  };
  for (const TBytes& B : Cases) EXPECT_THROW(Load<TSample>(B), EReadError);
}

TEST(Record, AssignCopiesThroughTheEncoding) {
  TSample A;
  A.Clear();
  A.Always = "copied";
  A.Number = 99;
  TSample B;
  B.Assign(A);
  EXPECT_EQ(B.Always, "copied");
  EXPECT_EQ(B.Number, 99);
}

TEST(List, EmptyListIsOneZeroByteAndItemsLoadSortedById) {
  TSampleList L;
  TByteWriter W;
  L.SaveToStream(W);
  EXPECT_EQ(W.Buffer(), Hex({0x00}));

  // Items 3, 1, 2 with values 30, 10, 20.
  const TBytes B = Hex({0x03, 0x03, 0x02, 0x01, 0x1E, 0x00, 0x01, 0x02, 0x01, 0x0A, 0x00, 0x02, 0x02, 0x01, 0x14, 0x00});
  TByteReader In(B);
  L.LoadFromStream(In);
  ASSERT_EQ(L.Count(), 3u);
  for (int32_t I = 0; I < 3; ++I) {
    EXPECT_EQ(L.Items(size_t(I))->Id, I + 1);
    EXPECT_EQ(L.Items(size_t(I))->Value, (I + 1) * 10);
  }
  EXPECT_EQ(L.Find(2), L.Items(1));
  EXPECT_EQ(L.Items(3), nullptr);
  EXPECT_EQ(L.Find(4), nullptr);
}

TEST(List, SameIdTwiceLoadsIntoOneItemTheLaterReplacing) {
  const TBytes B = Hex({0x02, 0x01, 0x01, 0x01, 'a', 0x02, 0x01, 0x05, 0x00, 0x01, 0x02, 0x01, 0x06, 0x00});
  TSampleList L;
  TByteReader In(B);
  L.LoadFromStream(In);
  ASSERT_EQ(L.Count(), 1u);
  EXPECT_EQ(L.Items(0)->Name, "");
  EXPECT_EQ(L.Items(0)->Value, 6);
}

TEST(List, FailedLoadLeavesItEmpty) {
  TSampleList L;
  L.Append();
  const TBytes Cases[] = {
      Hex({0x02, 0x01, 0x00}),                          // shorter than its count
      Hex({0x87, 0xFF, 0xFF, 0xFF, 0x7F, 0x01, 0x00}),  // a count of 2^31-1 in seven bytes
  };
  for (const TBytes& B : Cases) {
    TByteReader In(B);
    EXPECT_THROW(L.LoadFromStream(In), EReadError);
    EXPECT_EQ(L.Count(), 0u);
  }
}

TEST(List, HugeIdsMakeOneItemNotGigabytes) {
  TSampleList L;
  L.GetOrCreate(2147483647);
  L.GetOrCreate(5);
  ASSERT_EQ(L.Count(), 2u);
  EXPECT_EQ(L.Items(0)->Id, 5);
  EXPECT_EQ(L.Find(2147483647)->Id, 2147483647);
}

TEST(List, DeleteRenumbersTheLaterItems) {
  TSampleList L;
  for (int I = 1; I <= 4; ++I) L.Append().Value = I * 10;
  L.Delete(2);
  ASSERT_EQ(L.Count(), 3u);
  EXPECT_EQ(L.Items(1)->Id, 2);
  EXPECT_EQ(L.Items(1)->Value, 30);
  EXPECT_EQ(L.Items(2)->Id, 3);
  EXPECT_EQ(L.Items(2)->Value, 40);
}

TEST(List, TypedLookupsRaiseTheListMessage) {
  TCatalogOf<TSampleItem> L("Invalid Sample");
  L.Append();
  EXPECT_EQ(L.ItemById(1).Id, 1);
  try {
    L.ItemById(2);
    FAIL();
  } catch (const ELcfError& E) {
    EXPECT_STREQ(E.what(), "Invalid Sample");
  }
  EXPECT_THROW(L.ItemAt(1), ELcfError);
}

TEST(List, ErrorsNameThePathOfTheDamagedField) {
  // Item 4's Inner record has a Number chunk that claims 9 bytes.
  const TBytes B = Hex({0x01, 0x04, 0x03, 0x03, 0x01, 0x09, 0x00, 0x00});
  TSampleList L;
  TByteReader In(B);
  try {
    L.LoadFromStream(In);
    FAIL();
  } catch (const EReadError& E) {
    EXPECT_EQ(E.Path, "[4].Inner.Number");
  }
}

}  // namespace
