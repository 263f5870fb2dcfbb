#include "database/LD_System.h"

namespace {

using FM = TFieldMaker<TLcfMusic>;
constexpr TFieldDesc MusicFields[] = {
    FM::Text<&TLcfMusic::Name>(1, "Name", "(OFF)"),
    FM::Int<&TLcfMusic::FadeIn>(2, "FadeIn"),
    FM::Int<&TLcfMusic::Volume>(3, "Volume", 100),
    FM::Int<&TLcfMusic::Tempo>(4, "Tempo", 100),
    FM::Int<&TLcfMusic::Balance>(5, "Balance", 50),
};
static_assert(AscendingIds(MusicFields));

using FS = TFieldMaker<TLcfSound>;
constexpr TFieldDesc SoundFields[] = {
    FS::Text<&TLcfSound::Name>(1, "Name", "(OFF)"),
    FS::Int<&TLcfSound::Volume>(3, "Volume", 100),
    FS::Int<&TLcfSound::Tempo>(4, "Tempo", 100),
    FS::Int<&TLcfSound::Balance>(5, "Balance", 50),
};
static_assert(AscendingIds(SoundFields));

using FT = TFieldMaker<TLcfTestPlayerItem>;
using TP = TLcfTestPlayerItem;
constexpr TFieldDesc TestPlayerFields[] = {
    FT::Int<&TP::ActorId>(1, "ActorId", 1),
    FT::Int<&TP::Level>(2, "Level", 1),
    FT::Int<&TP::Equipment, 0>(11, "Weapon"),
    FT::Int<&TP::Equipment, 1>(12, "Shield"),
    FT::Int<&TP::Equipment, 2>(13, "Armor"),
    FT::Int<&TP::Equipment, 3>(14, "Helmet"),
    FT::Int<&TP::Equipment, 4>(15, "Accessory"),
};
static_assert(AscendingIds(TestPlayerFields));

using F = TFieldMaker<TLcfSystem>;
using S = TLcfSystem;
constexpr TFieldDesc SystemFields[] = {
    F::Text<&S::BoatSprite>(11, "BoatSprite").OmitEmpty(),
    F::Text<&S::ShipSprite>(12, "ShipSprite").OmitEmpty(),
    F::Text<&S::AirshipSprite>(13, "AirshipSprite").OmitEmpty(),
    F::Int<&S::BoatIndex>(14, "BoatIndex"),
    F::Int<&S::ShipIndex>(15, "ShipIndex"),
    F::Int<&S::AirshipIndex>(16, "AirshipIndex"),
    F::Text<&S::TitlePicture>(17, "TitlePicture").OmitEmpty(),
    F::Text<&S::GameOverPicture>(18, "GameOverPicture").OmitEmpty(),
    F::Text<&S::SystemGraphic>(19, "SystemGraphic").OmitEmpty(),
    F::Int<&S::PartySize>(21, "PartySize", 1),
    F::Bytes<&S::PartyIds>(22, "PartyIds", EDataFormat::UInt16)
        .DefaultBytes(std::string_view("\x01\x00", 2))
        .WrittenLength(&F::CountTimes<2, &S::PartySize>),
    F::Record<&S::Musics, 0>(31, "TitleMusic"),
    F::Record<&S::Musics, 1>(32, "BattleMusic"),
    F::Record<&S::Musics, 2>(33, "VictoryMusic"),
    F::Record<&S::Musics, 3>(34, "InnMusic"),
    F::Record<&S::Musics, 4>(35, "BoatMusic"),
    F::Record<&S::Musics, 5>(36, "ShipMusic"),
    F::Record<&S::Musics, 6>(37, "AirshipMusic"),
    F::Record<&S::Musics, 7>(38, "GameOverMusic"),
    F::Record<&S::Sounds, 0>(41, "CursorSound"),
    F::Record<&S::Sounds, 1>(42, "DecisionSound"),
    F::Record<&S::Sounds, 2>(43, "CancelSound"),
    F::Record<&S::Sounds, 3>(44, "BuzzerSound"),
    F::Record<&S::Sounds, 4>(45, "BattleStartSound"),
    F::Record<&S::Sounds, 5>(46, "EscapeSound"),
    F::Record<&S::Sounds, 6>(47, "EnemyAttackSound"),
    F::Record<&S::Sounds, 7>(48, "EnemyDamagedSound"),
    F::Record<&S::Sounds, 8>(49, "ActorDamagedSound"),
    F::Record<&S::Sounds, 9>(50, "EvasionSound"),
    F::Record<&S::Sounds, 10>(51, "EnemyDefeatedSound"),
    F::Record<&S::Sounds, 11>(52, "ItemUseSound"),
    F::Fixed<&S::Transitions, 0>(61, "TeleportErase"),
    F::Fixed<&S::Transitions, 1>(62, "TeleportShow"),
    F::Fixed<&S::Transitions, 2>(63, "BattleStartErase"),
    F::Fixed<&S::Transitions, 3>(64, "BattleStartShow"),
    F::Fixed<&S::Transitions, 4>(65, "BattleEndErase"),
    F::Fixed<&S::Transitions, 5>(66, "BattleEndShow"),
    F::Int<&S::WindowTiling>(71, "WindowTiling"),
    F::Int<&S::FontStyle>(72, "FontStyle"),
    F::Int<&S::Setting81>(81, "Setting81", 1),
    F::Fixed<&S::Setting82>(82, "Setting82", 1),
    F::Text<&S::TestBackdrop>(84, "TestBackdrop").OmitEmpty(),
    F::List<&S::TestParty>(85, "TestParty"),
    F::Int<&S::SaveCount>(91, "SaveCount"),
};
static_assert(AscendingIds(SystemFields));

}  // namespace

const TRecordSchema TLcfMusic::Fields{"TLcfMusic", MusicFields};
const TRecordSchema TLcfSound::Fields{"TLcfSound", SoundFields};
const TRecordSchema TLcfTestPlayerItem::Fields{"TLcfTestPlayerItem", TestPlayerFields};
const TRecordSchema TLcfSystem::Fields{"TLcfSystem", SystemFields};

int32_t TLcfSystem::PartyMember(int32_t Index) const {
  if (Index < 0 || Index >= PartySize || size_t(Index) * 2 + 2 > PartyIds.size()) return 0;
  return PartyIds[size_t(Index) * 2] | (PartyIds[size_t(Index) * 2 + 1] << 8);
}
