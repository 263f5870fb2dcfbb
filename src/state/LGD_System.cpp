#include "state/LGD_System.h"

#include <cstring>

namespace {

using F = TFieldMaker<TLcfgSystem>;
using S = TLcfgSystem;

// Overrides clear to an empty name, which means "the database's setting is in force"; "(OFF)"
// would be an override with silence.
template <auto Member, size_t Index>
void ClearOverride(TCatalogBaseItem& Record, const TFieldDesc&) {
  auto& slot = (static_cast<S&>(Record).*Member)[Index];
  slot.Clear();
  slot.Name.clear();
}

template <size_t Index>
constexpr TFieldDesc MusicOverride(uint32_t Id, std::string_view Name) {
  return F::Record<&S::MusicOverrides, Index>(Id, Name).ClearedBy(&ClearOverride<&S::MusicOverrides, Index>);
}
template <size_t Index>
constexpr TFieldDesc SoundOverride(uint32_t Id, std::string_view Name) {
  return F::Record<&S::SoundOverrides, Index>(Id, Name).ClearedBy(&ClearOverride<&S::SoundOverrides, Index>);
}

constexpr TFieldDesc SystemStateFields[] = {
    F::Fixed<&S::SceneId>(1, "SceneId"),
    F::Int<&S::FrameCounter>(11, "FrameCounter"),
    F::Text<&S::SkinName>(21, "SkinName").OmitEmpty(),
    F::Int<&S::SkinTiling>(22, "SkinTiling"),
    F::Int<&S::SkinFont>(23, "SkinFont"),
    F::Int<&S::SwitchCount>(31, "SwitchCount"),
    F::Bytes<&S::Switches>(32, "Switches", EDataFormat::UInt8).WrittenLength(&F::CountTimes<1, &S::SwitchCount>),
    F::Int<&S::VariableCount>(33, "VariableCount"),
    F::Bytes<&S::Variables>(34, "Variables", EDataFormat::Int32).WrittenLength(&F::CountTimes<4, &S::VariableCount>),
    F::Int<&S::MessageTransparent>(41, "MessageTransparent"),
    F::Int<&S::MessagePosition>(42, "MessagePosition", 2),
    F::Flag<&S::MessageAvoidPlayer>(43, "MessageAvoidPlayer", 1),
    F::Flag<&S::EventsMoveWhileBusy>(44, "EventsMoveWhileBusy"),
    F::Text<&S::FaceName>(51, "FaceName").OmitEmpty(),
    F::Int<&S::FaceIndex>(52, "FaceIndex"),
    F::Int<&S::FaceRight>(53, "FaceRight"),
    F::Flag<&S::FaceMirrored>(54, "FaceMirrored"),
    F::Flag<&S::ScriptMessage>(55, "ScriptMessage"),
    F::Flag<&S::MusicStopped>(61, "MusicStopped"),
    MusicOverride<0>(71, "TitleMusic"),
    MusicOverride<1>(72, "BattleMusic"),
    MusicOverride<2>(73, "VictoryMusic"),
    MusicOverride<3>(74, "InnMusic"),
    F::Record<&S::CurrentMusic>(75, "CurrentMusic"),
    F::Record<&S::VehicleReturnMusic>(76, "VehicleReturnMusic"),
    F::Record<&S::BattleReturnMusic>(77, "BattleReturnMusic"),
    F::Record<&S::MemorizedMusic>(78, "MemorizedMusic"),
    MusicOverride<4>(79, "BoatMusic"),
    MusicOverride<5>(80, "ShipMusic"),
    MusicOverride<6>(81, "AirshipMusic"),
    MusicOverride<7>(82, "GameOverMusic"),
    SoundOverride<0>(91, "CursorSound"),
    SoundOverride<1>(92, "DecisionSound"),
    SoundOverride<2>(93, "CancelSound"),
    SoundOverride<3>(94, "BuzzerSound"),
    SoundOverride<4>(95, "BattleStartSound"),
    SoundOverride<5>(96, "EscapeSound"),
    SoundOverride<6>(97, "EnemyAttackSound"),
    SoundOverride<7>(98, "EnemyDamagedSound"),
    SoundOverride<8>(99, "ActorDamagedSound"),
    SoundOverride<9>(100, "EvasionSound"),
    SoundOverride<10>(101, "EnemyDefeatedSound"),
    SoundOverride<11>(102, "ItemUseSound"),
    F::Fixed<&S::TransitionOverrides, 0>(111, "TeleportErase", S::NoTransitionOverride),
    F::Fixed<&S::TransitionOverrides, 1>(112, "TeleportShow", S::NoTransitionOverride),
    F::Fixed<&S::TransitionOverrides, 2>(113, "BattleStartErase", S::NoTransitionOverride),
    F::Fixed<&S::TransitionOverrides, 3>(114, "BattleStartShow", S::NoTransitionOverride),
    F::Fixed<&S::TransitionOverrides, 4>(115, "BattleEndErase", S::NoTransitionOverride),
    F::Fixed<&S::TransitionOverrides, 5>(116, "BattleEndShow", S::NoTransitionOverride),
    F::Fixed<&S::TeleportAllowed>(121, "TeleportAllowed", 1),
    F::Fixed<&S::EscapeAllowed>(122, "EscapeAllowed", 1),
    F::Fixed<&S::SaveAllowed>(123, "SaveAllowed", 1),
    F::Fixed<&S::MenuAllowed>(124, "MenuAllowed", 1),
    F::Text<&S::BattleBackdrop>(125, "BattleBackdrop").OmitEmpty(),
    F::Int<&S::SavesMade>(131, "SavesMade"),
    F::Int<&S::LastSaveSlot>(132, "LastSaveSlot", 1),
};
static_assert(AscendingIds(SystemStateFields));

// The system sounds that stay decoded in the library: cursor, decision, cancel and buzzer.
constexpr ESystemSound ReservedSounds[] = {ESystemSound::Cursor, ESystemSound::Decision,
                                           ESystemSound::Cancel, ESystemSound::Buzzer};
bool IsReserved(ESystemSound sound) { return size_t(sound) < std::size(ReservedSounds); }

constexpr int32_t FaceSize = 48;
constexpr const char* SoundOff = "(OFF)";

}  // namespace

const TRecordSchema TLcfgSystem::Fields{"System", SystemStateFields};

TLcfgSystem::TLcfgSystem(const TLcfDataBase& database, TAudioLibrary& audio, const TGameFolder& folder)
    : Skin(folder), Database(database), Audio(audio), Folder(folder) {
  FaceSheet.SetSize(FaceSize, FaceSize);
  FaceSheet.Transparent = true;
  ClearFields(*this);
}

void TLcfgSystem::Clear() {
  ClearFields(*this);
  ApplySkin();
  ReserveSystemSounds();
  LoadFace();
}

void TLcfgSystem::LoadFromStream(TByteReader& stream) {
  ClearFields(*this);
  ReadChunks(*this, stream);
  SettleStores();
  ApplySkin();
  LoadFace();
}

void TLcfgSystem::SettleStores() {
  SwitchCount = std::max(0, std::min(SwitchCount, int32_t(Switches.size())));
  Switches.resize(size_t(SwitchCount));
  VariableCount = std::max(0, std::min(VariableCount, int32_t(Variables.size() / 4)));
  Variables.resize(size_t(VariableCount) * 4);
}

// ---- Switches and variables ------------------------------------------------------------------

void TLcfgSystem::Grow(TBytes& store, int32_t& count, int32_t newCount, size_t size) {
  store.resize(size_t(newCount) * size, 0);
  count = newCount;
}

uint8_t TLcfgSystem::GetSwitch(int32_t id) const {
  if (id < 1 || id > SwitchCount) return 0;
  return Switches[size_t(id - 1)];
}

void TLcfgSystem::SetSwitch(int32_t id, uint8_t value) {
  if (id < 1) return;
  if (id > SwitchCount) Grow(Switches, SwitchCount, id, 1);
  Switches[size_t(id - 1)] = value;
}

int32_t TLcfgSystem::GetVariable(int32_t id) const {
  if (id < 1 || id > VariableCount) return 0;
  int32_t value;
  std::memcpy(&value, Variables.data() + size_t(id - 1) * 4, 4);
  return value;
}

void TLcfgSystem::SetVariable(int32_t id, int32_t value) {
  if (id < 1) return;
  if (id > VariableCount) Grow(Variables, VariableCount, id, 4);
  std::memcpy(Variables.data() + size_t(id - 1) * 4, &value, 4);
}

// ---- System musics, sounds and transitions -----------------------------------------------------

const TLcfMusic& TLcfgSystem::DatabaseMusic(EMusicSlot slot) const {
  return Database.System.Music(ESystemMusic(slot));
}

const TLcfMusic& TLcfgSystem::GetSystemMusic(EMusicSlot slot) const {
  const TLcfMusic& override = MusicOverrides[size_t(slot)];
  return override.Name.empty() ? DatabaseMusic(slot) : override;
}

void TLcfgSystem::SetSystemMusic(EMusicSlot slot, const TLcfMusic& music) {
  TLcfMusic& override = MusicOverrides[size_t(slot)];
  if (music == DatabaseMusic(slot)) {
    override.Name.clear();
  } else {
    override.Assign(music);
  }
}

const TLcfSound& TLcfgSystem::GetSystemSound(ESystemSound sound) const {
  const TLcfSound& override = SoundOverrides[size_t(sound)];
  return override.Name.empty() ? Database.System.Sound(sound) : override;
}

void TLcfgSystem::SetSystemSound(ESystemSound sound, const TLcfSound& value) {
  const std::string before = FindSoundFile(GetSystemSound(sound).Name);
  TLcfSound& override = SoundOverrides[size_t(sound)];
  if (value == Database.System.Sound(sound)) {
    override.Name.clear();
  } else {
    override.Assign(value);
  }
  if (IsReserved(sound)) {
    Audio.CadenzaCancelSound(before);
    Audio.CadenzaReserveSound(FindSoundFile(GetSystemSound(sound).Name));
  }
}

uint8_t TLcfgSystem::GetTransition(ESystemTransition transition) const {
  const uint8_t override = TransitionOverrides[size_t(transition)];
  return override == NoTransitionOverride ? Database.System.Transition(transition) : override;
}

void TLcfgSystem::SetTransition(ESystemTransition transition, uint8_t type) {
  TransitionOverrides[size_t(transition)] =
      type == Database.System.Transition(transition) ? NoTransitionOverride : type;
}

// ---- Music and sound player --------------------------------------------------------------------

// A file that is not found reaches the library as an empty path, so it plays nothing; a bare
// name could otherwise be opened relative to wherever the player was started.
std::string TLcfgSystem::FindMusicFile(const std::string& name) const {
  return Folder.FindAsset(name, "data", EAssetList::Music).value_or("");
}

std::string TLcfgSystem::FindSoundFile(const std::string& name) const {
  return Folder.FindAsset(name, "data", EAssetList::Sound).value_or("");
}

void TLcfgSystem::PlayMusic(const TLcfMusic& music, bool force) {
  if (force || MusicStopped || music.Name != CurrentMusic.Name) {
    if (music.Name == SoundOff) {
      Audio.CadenzaStopMusic();
    } else {
      Audio.CadenzaPlayMusic(FindMusicFile(music.Name));
      Audio.CadenzaFadeInMusic(music.FadeIn);
    }
  }
  Audio.CadenzaSetMusicVolume(music.Volume);
  Audio.CadenzaSetMusicSpeed(music.Tempo);
  Audio.CadenzaSetMusicPanpot(music.Balance);
  // Copied before use of a reference into this object could be overwritten.
  const TLcfMusic copy = music;
  CurrentMusic.Assign(copy);
  MusicStopped = 0;
  if (OnMusicStarted) OnMusicStarted();
}

void TLcfgSystem::FadeOutMusic(int32_t milliseconds) {
  if (MusicStopped) return;
  Audio.CadenzaFadeOutMusic(milliseconds);
  MusicStopped = 1;
}

void TLcfgSystem::StopMusic() {
  Audio.CadenzaStopMusic();
  MusicStopped = 1;
}

void TLcfgSystem::PlaySound(const TLcfSound& sound) {
  if (sound.Name == SoundOff) return;
  Audio.CadenzaPlaySoundEx(FindSoundFile(sound.Name), sound.Volume, sound.Tempo, sound.Balance);
}

void TLcfgSystem::ReserveSystemSounds() {
  for (ESystemSound sound : ReservedSounds) {
    Audio.CadenzaReserveSound(FindSoundFile(GetSystemSound(sound).Name));
  }
}

// ---- Window skin and face ----------------------------------------------------------------------

const std::string& TLcfgSystem::SkinFile() const {
  return SkinName.empty() ? Database.System.SystemGraphic : SkinName;
}

int32_t TLcfgSystem::SkinTilingInForce() const {
  return SkinName.empty() ? Database.System.WindowTiling : SkinTiling;
}

int32_t TLcfgSystem::SkinFontInForce() const {
  return SkinName.empty() ? Database.System.FontStyle : SkinFont;
}

void TLcfgSystem::SetSkin(const std::string& name, int32_t tiling, int32_t font) {
  const TLcfSystem& system = Database.System;
  if (name == system.SystemGraphic && tiling == system.WindowTiling && font == system.FontStyle) {
    SkinName.clear();
    SkinTiling = SkinFont = 0;
  } else {
    SkinName = name;
    SkinTiling = tiling;
    SkinFont = font;
  }
  ApplySkin();
}

// A skin that cannot be read leaves the windows black rather than stopping the game.
void TLcfgSystem::ApplySkin() {
  try {
    Skin.LoadImage(SkinFile());
  } catch (const std::exception&) {
  }
  Skin.Tiled = SkinTilingInForce() != 0;
  Skin.SetFont(SkinFontInForce());
}

// A face that is missing or unreadable shows no face; the message itself still appears.
void TLcfgSystem::LoadFace() {
  FaceSheet.Clear();
  if (FaceName.empty()) return;
  const auto file = Folder.FindAsset(FaceName, "data", EAssetList::Image);
  if (!file) return;
  FaceSheet.LoadFromFile(*file, {(FaceIndex % 4) * FaceSize, (FaceIndex / 4) * FaceSize}, false);
  if (FaceMirrored) FaceSheet.Mirror();
}
