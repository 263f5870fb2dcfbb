// TLcfCharSetGraphic: the cache of character sprite sheets (288x256 images of eight characters,
// each with three walking frames in four directions of 24x32 pixels) and the drawing of one
// frame, anchored at its bottom centre, optionally half transparent below a bush line and
// optionally grey. Sheets stay cached across maps; Purge drops unused ones once twenty or more
// are held. The map state owns one instance and draws with index 0 transparent.
#pragma once

#include "graphics/PrismBoard.h"
#include "graphics/PrismSheet.h"

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class TGameFolder;

class TLcfCharSetGraphic {
 public:
  static constexpr int32_t ImageWidth = 288, ImageHeight = 256;
  static constexpr int32_t FrameWidth = 24, FrameHeight = 32;
  static constexpr int32_t CharacterWidth = 72, CharacterHeight = 128;
  // Below this many cached names Purge keeps even the unused sheets.
  static constexpr size_t KeptNames = 20;

  // How much of a frame stands in a bush (drawn at half opacity).
  enum EBushMode : int32_t { BushNone = 0, BushShallow = 1, BushDeep = 2, BushWhole = 3 };

  // Folder is where sheets are looked up; it must outlive this object.
  explicit TLcfCharSetGraphic(const TGameFolder& Folder);

  void Clear();
  // The index of Name, loading it first when it is not cached. The file is looked up in the
  // folder "data"; a name that finds no file or a file that cannot be read raises
  // EPrismImageError, and the entry stays cached with its cleared sheet.
  int32_t Load(const std::string& Name);
  // The cached index of Name compared without regard to letter case, or -1.
  int32_t IndexOf(std::string_view Name) const;
  // The sheet of a cached entry (for its colour controls), or none for an index outside.
  TPrismSheet* SheetOf(int32_t Index);
  void ClearUsed();
  void Purge();
  size_t Count() const { return Names.size(); }

  // Draws frame Frame (3 shows frame 1) of direction Direction of character Character (0..7)
  // of sheet Index with its bottom centre at (X, Y). Mode is an EBushMode; other values draw
  // nothing, as does an index that is not cached.
  void DrawFrame(TPrismBoard& Board, int32_t X, int32_t Y, int32_t Mode, int32_t Frame, int32_t Direction,
                 int32_t Character, int32_t Index);

  // The rectangle of a frame on the sheet.
  static TRect FrameRect(int32_t Frame, int32_t Direction, int32_t Character);

  std::vector<std::string> Names;
  std::vector<std::unique_ptr<TPrismSheet>> Sheets;
  std::vector<uint8_t> Used;
  bool Transparent = false;  // copied into a sheet before each draw
  int32_t Level = 0;         // transparency level: opacity 255 - 30 * Level
  bool Grey = false;         // frames drawn with saturation 0

 private:
  const TGameFolder& Folder;
};
