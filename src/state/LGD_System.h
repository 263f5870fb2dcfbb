// The game-wide runtime state that belongs to no party, map or character: the scene and frame
// counter, switches and variables, message options and face, the music now playing and the
// musics to return to, the overrides of the database's system musics, sounds, transitions and
// window skin, and the allow flags. It is also the game's music and sound player, and owns the
// window skin and the message face. Saved as one section of the save file.
#pragma once

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "data/Catalog.h"
#include "data/GameFolder.h"
#include "database/LD_DataBase.h"
#include "devices/AudioLibrary.h"
#include "graphics/GR_System.h"
#include "graphics/PrismSheet.h"

class TLcfgSystem : public TCatalogBaseItem {
 public:
  // The overrides of the database's system musics, in the order of their save chunks.
  enum class EMusicSlot { Title, Battle, Victory, Inn, Boat, Ship, Airship, GameOver, Count };
  static constexpr size_t SoundCount = size_t(ESystemSound::Count);
  static constexpr size_t TransitionCount = size_t(ESystemTransition::Count);
  static constexpr uint8_t NoTransitionOverride = 255;

  TLcfgSystem(const TLcfDataBase& Database, TAudioLibrary& Audio, const TGameFolder& Folder);

  // Saved fields, in the order of their chunks.
  uint8_t SceneId = 0;
  int32_t FrameCounter = 0;
  std::string SkinName;
  int32_t SkinTiling = 0, SkinFont = 0;
  int32_t SwitchCount = 0;
  TBytes Switches;
  int32_t VariableCount = 0;
  TBytes Variables;  // 32-bit little-endian values
  int32_t MessageTransparent = 0, MessagePosition = 2;
  uint8_t MessageAvoidPlayer = 1, EventsMoveWhileBusy = 0;
  std::string FaceName;
  int32_t FaceIndex = 0, FaceRight = 0;
  uint8_t FaceMirrored = 0, ScriptMessage = 0, MusicStopped = 0;
  TLcfMusic CurrentMusic, VehicleReturnMusic, BattleReturnMusic, MemorizedMusic;
  std::array<TLcfMusic, size_t(EMusicSlot::Count)> MusicOverrides;
  std::array<TLcfSound, SoundCount> SoundOverrides;
  std::array<uint8_t, TransitionCount> TransitionOverrides{};
  uint8_t TeleportAllowed = 1, EscapeAllowed = 1, SaveAllowed = 1, MenuAllowed = 1;
  std::string BattleBackdrop;
  int32_t SavesMade = 0, LastSaveSlot = 1;

  // Owned, not saved.
  TLcfSystemGraphic Skin;
  TPrismSheet FaceSheet;
  // Called after a music was started, so the time it took does not count as lag.
  std::function<void()> OnMusicStarted;

  // New game and reset: every field to its start value, then the skin, the system sounds and
  // the face are applied.
  void Clear() override;
  // A loaded game: the saved fields, then the skin and the face.
  void LoadFromStream(TByteReader& Stream) override;

  uint8_t GetSwitch(int32_t Id) const;
  void SetSwitch(int32_t Id, uint8_t Value);
  int32_t GetVariable(int32_t Id) const;
  void SetVariable(int32_t Id, int32_t Value);

  const TLcfMusic& GetSystemMusic(EMusicSlot Slot) const;
  void SetSystemMusic(EMusicSlot Slot, const TLcfMusic& Music);
  const TLcfSound& GetSystemSound(ESystemSound Sound) const;
  void SetSystemSound(ESystemSound Sound, const TLcfSound& Value);
  uint8_t GetTransition(ESystemTransition Transition) const;
  void SetTransition(ESystemTransition Transition, uint8_t Type);

  std::string FindMusicFile(const std::string& Name) const;
  std::string FindSoundFile(const std::string& Name) const;
  void PlayMusic(const TLcfMusic& Music, bool Force = false);
  void FadeOutMusic(int32_t Milliseconds);
  void StopMusic();
  void PlaySound(const TLcfSound& Sound);
  void PlaySystemSound(ESystemSound Sound) { PlaySound(GetSystemSound(Sound)); }
  void ReserveSystemSounds();

  const std::string& SkinFile() const;
  int32_t SkinTilingInForce() const;
  int32_t SkinFontInForce() const;
  void SetSkin(const std::string& Name, int32_t Tiling, int32_t Font);
  void ApplySkin();
  void LoadFace();
  bool FaceShown() const { return !FaceName.empty() && ScriptMessage != 0; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }

 private:
  // The store grows to hold Count entries of Size bytes, new entries 0.
  static void Grow(TBytes& Store, int32_t& Count, int32_t NewCount, size_t Size);
  // A save whose count claims more entries than its bytes hold keeps only what is there.
  void SettleStores();
  const TLcfMusic& DatabaseMusic(EMusicSlot Slot) const;

  const TLcfDataBase& Database;
  TAudioLibrary& Audio;
  const TGameFolder& Folder;
};
