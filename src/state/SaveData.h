// The save slots: where the fifteen "Save%.2d.lsd" files live and the summary at the head of
// each one. The title asks whether any slot is used; the save list shows each slot's summary.
// The header is the first section of every save file, so reading it never touches the rest.
#pragma once

#include <array>
#include <cstdint>
#include <optional>
#include <string>

#include "data/Catalog.h"

// The summary of a save, filled when saving.
class TLcfgSaveHeader : public TCatalogBaseItem {
 public:
  static constexpr int MemberCount = 4;

  double SaveTime = 0;  // local time of saving: days since 1899-12-30, time of day as fraction
  std::string LeaderName;
  int32_t LeaderLevel = 0, LeaderHp = 0;
  std::array<std::string, MemberCount> FaceNames;
  std::array<int32_t, MemberCount> FaceIndexes{};

  // A slot whose header carries a time has been saved into.
  bool Used() const { return SaveTime > 0; }
  // Member I's face (0..3); empty and 0 for any other I.
  std::string FaceOf(int32_t I) const;
  int32_t FaceIndexOf(int32_t I) const;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};

// Where a game's saves are kept: the game folder, or for a game installed read-only, the
// user's own folder for that game.
struct TSaveLocation {
  std::string GameFolder;      // with a trailing '/'
  std::string GameFolderName;  // names the user's folder for this game
  bool ExeReadOnly = false;
};

class TSaveSlots {
 public:
  static constexpr int SlotCount = 15;
  static constexpr int FirstSaveSection = 100;
  static constexpr const char* FileHeader = "LcfSaveData";

  explicit TSaveSlots(const TSaveLocation& Location);

  // The folder the saves go to, with a trailing '/'. Nothing creates it until a save is written.
  const std::string& Folder() const { return SaveFolder; }
  // "Save03.lsd" for slot 3.
  static std::string SlotFileName(int32_t Slot);
  // The path a save of Slot is written to.
  std::string SlotPath(int32_t Slot) const;
  // The existing file of Slot, matched without regard to letter case (games copied from
  // Windows may carry "SAVE03.LSD"); nothing when the slot has no file.
  std::optional<std::string> FindSlotFile(int32_t Slot) const;

  // Clears Header and reads the header section of Slot's file into it. False when the slot has
  // no file or the file cannot be read as a save; never raises.
  bool ReadHeader(int32_t Slot, TLcfgSaveHeader& Header) const;
  // The first slot whose header marks it as used, or 0 when none is.
  int32_t FirstUsedSlot() const;

 private:
  std::string SaveFolder;
};

// Reads the header section of a whole save file image: the file header string, then sections
// up to and including the header section; the sections before it are skipped unread. Raises
// EReadError ("Stream read error") on a damaged file.
void ReadSaveHeader(TByteReader& Stream, TLcfgSaveHeader& Header);
