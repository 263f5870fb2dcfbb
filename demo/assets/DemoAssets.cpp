#include "DemoAssets.h"

#include "Assets.h"
#include "graphics/PrismPng.h"

#include <fstream>
#include <functional>
#include <stdexcept>

namespace {

struct TPictureRecipe {
  const char* Path;
  TCanvas (*Draw)();
};

struct TSoundRecipe {
  const char* Path;
  TBytes (*Make)();
};

// Pictures by game folder: "data" holds what the map, menus and title use; battle pictures
// have folders of their own.
constexpr TPictureRecipe Pictures[] = {
    {"data/Kingdom.png", DrawChipset},
    {"data/Party.png", DrawPartyCharset},
    {"data/People.png", DrawPeopleCharset},
    {"data/Objects.png", DrawObjectCharset},
    {"data/Faces.png", DrawFaces},
    {"data/System.png", DrawSystemGraphic},
    {"data/Title.png", DrawTitle},
    {"data/GameOver.png", DrawGameOver},
    {"Panorama/Sky.png", DrawSkyPanorama},
    {"Panorama/Stars.png", DrawStarPanorama},
    {"Backdrop/Grassland.png", DrawGrasslandBackdrop},
    {"Backdrop/Forest.png", DrawForestBackdrop},
    {"Backdrop/Cave.png", DrawCaveBackdrop},
    {"Backdrop/Keep.png", DrawKeepBackdrop},
    {"Monster/Slime.png", DrawSlime},
    {"Monster/Bat.png", DrawBat},
    {"Monster/Wolf.png", DrawWolf},
    {"Monster/Skeleton.png", DrawSkeleton},
    {"Monster/Golem.png", DrawGolem},
    {"Battle/Slash.png", DrawSlashAnimation},
    {"Battle/Magic.png", DrawMagicAnimation},
};

constexpr TSoundRecipe Sounds[] = {
    {"data/Title.mid", ComposeTitleTheme},
    {"data/Town.mid", ComposeTownTheme},
    {"data/Field.mid", ComposeFieldTheme},
    {"data/Dungeon.mid", ComposeDungeonTheme},
    {"data/Battle.mid", ComposeBattleTheme},
    {"data/Boss.mid", ComposeBossTheme},
    {"data/Victory.mid", ComposeVictoryFanfare},
    {"data/Inn.mid", ComposeInnJingle},
    {"data/GameOver.mid", ComposeGameOverTheme},
    {"data/Cursor.wav", SynthCursor},
    {"data/Decision.wav", SynthDecision},
    {"data/Cancel.wav", SynthCancel},
    {"data/Buzzer.wav", SynthBuzzer},
    {"data/BattleStart.wav", SynthBattleStart},
    {"data/Escape.wav", SynthEscape},
    {"data/EnemyAttack.wav", SynthEnemyAttack},
    {"data/EnemyDamage.wav", SynthEnemyDamage},
    {"data/ActorDamage.wav", SynthActorDamage},
    {"data/Evasion.wav", SynthEvasion},
    {"data/EnemyDefeat.wav", SynthEnemyDefeat},
    {"data/ItemUse.wav", SynthItemUse},
    {"data/Door.wav", SynthDoor},
    {"data/Chest.wav", SynthChest},
    {"Sound/Slash.wav", SynthSlash},
    {"Sound/Fire.wav", SynthFire},
    {"Sound/Heal.wav", SynthHeal},
};

// The section and key the player reads to learn that no shared package is needed.
constexpr char PackageFlag[] = "[TOVRAX]\r\nFullPackageFlag=1\r\n";

}  // namespace

std::vector<TDemoFile> MakeDemoAssets() {
  std::vector<TDemoFile> Files;
  for (const TPictureRecipe& Recipe : Pictures) Files.push_back({Recipe.Path, EncodePng(Recipe.Draw().ToBitmap())});
  for (const TSoundRecipe& Recipe : Sounds) Files.push_back({Recipe.Path, Recipe.Make()});
  Files.push_back({"data/$$$.i", std::vector<uint8_t>(PackageFlag, PackageFlag + sizeof PackageFlag - 1)});
  return Files;
}

void WriteDemoAssets(const std::filesystem::path& GameFolder) {
  for (const TDemoFile& File : MakeDemoAssets()) {
    const std::filesystem::path Target = GameFolder / File.Path;
    std::filesystem::create_directories(Target.parent_path());
    // Written beside the target and renamed over it, so a game being played never sees half a file.
    const std::filesystem::path Temporary = Target.string() + ".part";
    {
      std::ofstream Out(Temporary, std::ios::binary | std::ios::trunc);
      Out.write(reinterpret_cast<const char*>(File.Bytes.data()), std::streamsize(File.Bytes.size()));
      if (!Out) throw std::runtime_error("Cannot write " + Temporary.string());
    }
    std::filesystem::rename(Temporary, Target);
  }
}
