// TLcfAnimationGraphic: plays the pictures of one battle animation. It holds the animation record
// (not owned), its image of 96x96 cells in rows of five, and two flash tables (target and
// screen) with one entry per animation frame, precomputed from the timings. It draws one frame
// at a point with each cell's zoom, tone and transparency, and hands the sounds of a frame to a
// small player interface, since the audio library belongs to the state layer. The callers count
// the frames.
#pragma once

#include "graphics/PrismBoard.h"
#include "graphics/PrismSheet.h"

#include <cstdint>
#include <string>
#include <vector>

class TGameFolder;
class TLcfAnimationItem;

// A flash colour (0..31 per channel) and its level (0..31).
struct TAnimationFlash {
  int32_t Red = 0, Green = 0, Blue = 0, Level = 0;
  bool operator==(const TAnimationFlash&) const = default;
};

// Where the sounds of animation frames go; the state layer forwards them to the audio library.
class TLcfAnimationSoundPlayer {
 public:
  virtual ~TLcfAnimationSoundPlayer() = default;
  virtual void PlayAnimationSound(const std::string& Path, int32_t Volume, int32_t Tempo, int32_t Balance) = 0;
};

class TLcfAnimationGraphic {
 public:
  static constexpr int32_t CellSide = 96, CellsPerRow = 5;
  // Flash entries past the last frame: a flash started near the end still fades out.
  static constexpr size_t SpareFlashFrames = 10;

  // Folder is where images and sounds are looked up; it must outlive this object.
  explicit TLcfAnimationGraphic(const TGameFolder& Folder);

  void Clear();
  // Keeps the record (not owned, may be none), loads its image and builds the flash tables.
  void SetAnimation(const TLcfAnimationItem* Record, bool NoFlash);
  // Loads the image Name of the folder "Battle" unless it is the one already loaded. An empty
  // name leaves the sheet cleared; a name that finds no file, or a file that cannot be read,
  // raises EPrismImageError with the sheet cleared, which then draws nothing.
  void LoadImage(const std::string& Name);
  void BuildFlashTables(bool NoFlash);

  // The flash of a frame (0-based); nothing outside the table.
  TAnimationFlash TargetFlashAt(int32_t Frame) const;
  TAnimationFlash ScreenFlashAt(int32_t Frame) const;
  // Puts the screen flash of Frame into Color2 of Sheet; outside the table, resets Color2.
  void ApplyScreenFlash(TPrismSheet& Target, int32_t Frame) const;

  // Draws cell Cell of frame Frame (both 0-based) centred on (X + cell x, Y + cell y).
  // Indices without a cell draw nothing.
  void DrawAnimationCell(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Cell, int32_t Frame, bool Flash);
  // Every visible cell of Frame, in cell order, with the screen flash.
  void DrawAnimationFrame(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Frame);
  // Plays every sound whose timing falls on Frame (0-based) through SoundPlayer. A sound whose
  // file is not found is not played.
  void PlayFrameSounds(int32_t Frame) const;
  // 0 without timings, else the frame number of the last timing, at most 20.
  int32_t LastTimingFrame() const;

  const TLcfAnimationItem* Animation = nullptr;
  std::string FileName;
  TPrismSheet Sheet;  // takes the image's size; index 0 is never drawn
  std::vector<TAnimationFlash> TargetFlash, ScreenFlash;
  TLcfAnimationSoundPlayer* SoundPlayer = nullptr;  // not owned; none plays nothing

 private:
  const TGameFolder& Folder;
};
