// The battle animations of the database: each is a list of frames placing 96x96 cells of one
// image, plus timed entries that play a sound and flash the target or the screen. Every list
// owns its items; the players of animations iterate frames, cells and timings by index.
#pragma once

#include "data/Catalog.h"
#include "database/LD_System.h"

#include <cstdint>
#include <string>

// A list whose ItemAt is the plain Items: nothing at or beyond Count, never an exception,
// because its players walk it by index and stop at the first gap.
template <class T>
class TLcfPlainList : public TCatalogOf<T> {
 public:
  T* ItemAt(size_t Index) const { return this->Items(Index); }
};

enum EAnimationFlashScope : uint8_t { FlashNone = 0, FlashTarget = 1, FlashScreen = 2 };

// One timed entry: at Frame (1-based) play Sound and flash.
class TLcfAnimationTimingItem : public TCatalogItem {
 public:
  int32_t Frame = 0;
  TLcfSound Sound;
  uint8_t FlashScope = FlashNone;
  int32_t FlashRed = 31, FlashGreen = 31, FlashBlue = 31;  // 0..31
  int32_t FlashLevel = 31;                                 // strength 0..31
  int32_t Reserved8 = 0;  // stored in the file, read by nothing

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfAnimationTiming = TLcfPlainList<TLcfAnimationTimingItem>;

// One cell of a frame: which 96x96 cell of the image, where, how large and in which tone.
class TLcfAnimationCellItem : public TCatalogItem {
 public:
  uint8_t Visible = 1;
  int32_t Pattern = 0;
  int32_t X = 0, Y = 0;  // offset of the cell's centre, pixels
  int32_t Zoom = 100;    // percent
  int32_t Red = 100, Green = 100, Blue = 100, Saturation = 100;  // percent
  int32_t Transparency = 0;  // percent: 0 opaque, 100 invisible

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfAnimationCell = TLcfPlainList<TLcfAnimationCellItem>;

// One frame.
class TLcfAnimationPatternItem : public TCatalogItem {
 public:
  TLcfAnimationCell Cells;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfAnimationPattern = TLcfPlainList<TLcfAnimationPatternItem>;

enum EAnimationScope : uint8_t { AnimationOnEachTarget = 0, AnimationOnScreen = 1 };
enum EAnimationPosition : uint8_t { AnimationTop = 0, AnimationMiddle = 1, AnimationBottom = 2 };

class TLcfAnimationItem : public TCatalogItem {
 public:
  std::string GraphicName;  // an image of the folder "Battle"
  TLcfAnimationTiming Timings;
  uint8_t Scope = AnimationOnEachTarget;
  uint8_t Position = AnimationBottom;  // vertical anchor on a target
  TLcfAnimationPattern Frames;         // a cleared animation has 20 empty frames

  size_t FrameCount() const { return Frames.Count(); }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

class TLcfAnimation : public TCatalogOf<TLcfAnimationItem> {
 public:
  TLcfAnimation() : TCatalogOf("Invalid Name Of Battle Animations") {}
};
