// The system record of the database (vehicles, title and game-over pictures, window skin,
// starting party, system musics, sounds and transitions, the battle-test set-up) and the music
// and sound settings that the map tree and the runtime state share with it.
#pragma once

#include "data/Catalog.h"

#include <array>
#include <cstdint>
#include <string>

// A music setting; "(OFF)" is silence.
class TLcfMusic : public TCatalogBaseItem {
 public:
  std::string Name = "(OFF)";
  int32_t FadeIn = 0;  // milliseconds
  int32_t Volume = 100, Tempo = 100, Balance = 50;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
  bool operator==(const TLcfMusic& O) const {
    return Name == O.Name && FadeIn == O.FadeIn && Volume == O.Volume && Tempo == O.Tempo && Balance == O.Balance;
  }
};

// A sound-effect setting; "(OFF)" is no sound. There is no fade.
class TLcfSound : public TCatalogBaseItem {
 public:
  std::string Name = "(OFF)";
  int32_t Volume = 100, Tempo = 100, Balance = 50;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
  bool operator==(const TLcfSound& O) const {
    return Name == O.Name && Volume == O.Volume && Tempo == O.Tempo && Balance == O.Balance;
  }
};

// One member of the battle-test party.
class TLcfTestPlayerItem : public TCatalogItem {
 public:
  int32_t ActorId = 1, Level = 1;
  std::array<int32_t, 5> Equipment{};  // weapon, shield, armour, helmet, accessory; 0 none

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
using TLcfTestPlayer = TCatalogOf<TLcfTestPlayerItem>;

enum class ESystemMusic { Title, Battle, Victory, Inn, Boat, Ship, Airship, GameOver, Count };
enum class ESystemSound {
  Cursor, Decision, Cancel, Buzzer, BattleStart, Escape, EnemyAttack, EnemyDamaged, ActorDamaged,
  Evasion, EnemyDefeated, ItemUse, Count
};
enum class ESystemTransition { TeleportErase, TeleportShow, BattleStartErase, BattleStartShow, BattleEndErase, BattleEndShow, Count };

class TLcfSystem : public TCatalogBaseItem {
 public:
  std::string BoatSprite, ShipSprite, AirshipSprite;
  int32_t BoatIndex = 0, ShipIndex = 0, AirshipIndex = 0;
  std::string TitlePicture, GameOverPicture, SystemGraphic;
  int32_t PartySize = 1;
  TBytes PartyIds{1, 0};  // 16-bit actor ids, little-endian; only PartySize of them count
  std::array<TLcfMusic, size_t(ESystemMusic::Count)> Musics;
  std::array<TLcfSound, size_t(ESystemSound::Count)> Sounds;
  std::array<uint8_t, size_t(ESystemTransition::Count)> Transitions{};
  int32_t WindowTiling = 0;  // 0 stretches the skin's background, other values tile it
  int32_t FontStyle = 0;     // 0 "TOVGOTH", other values "TOVMIN"
  int32_t Setting81 = 1;     // kept, not used by the runtime
  uint8_t Setting82 = 1;     // kept, not used by the runtime
  std::string TestBackdrop;
  TLcfTestPlayer TestParty;
  int32_t SaveCount = 0;     // edition stamp of the database

  // The starting party's actor id at Index, 0 outside 0..PartySize-1 or past the stored ids.
  int32_t PartyMember(int32_t Index) const;
  const TLcfMusic& Music(ESystemMusic M) const { return Musics[size_t(M)]; }
  const TLcfSound& Sound(ESystemSound S) const { return Sounds[size_t(S)]; }
  uint8_t Transition(ESystemTransition T) const { return Transitions[size_t(T)]; }

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
