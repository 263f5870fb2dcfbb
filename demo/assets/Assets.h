// Every picture, song and sound of the demo game, one function each. Pictures come back as
// canvases in the shared palette, songs as Standard MIDI Files, sounds as WAV files.
#pragma once

#include "Canvas.h"

#include <cstdint>
#include <vector>

using TBytes = std::vector<uint8_t>;

// Tiles and sprites (data folder).
TCanvas DrawChipset();
TCanvas DrawPartyCharset();
TCanvas DrawPeopleCharset();
TCanvas DrawObjectCharset();
TCanvas DrawFaces();
TCanvas DrawSystemGraphic();

// Full-screen pictures.
TCanvas DrawTitle();
TCanvas DrawGameOver();
TCanvas DrawSkyPanorama();
TCanvas DrawStarPanorama();
TCanvas DrawGrasslandBackdrop();
TCanvas DrawForestBackdrop();
TCanvas DrawCaveBackdrop();
TCanvas DrawKeepBackdrop();

// Enemies.
TCanvas DrawSlime();
TCanvas DrawBat();
TCanvas DrawWolf();
TCanvas DrawSkeleton();
TCanvas DrawGolem();

// Battle animation sheets (cells of 96x96, five to a row).
TCanvas DrawSlashAnimation();
TCanvas DrawMagicAnimation();

// Music.
TBytes ComposeTitleTheme();
TBytes ComposeTownTheme();
TBytes ComposeFieldTheme();
TBytes ComposeDungeonTheme();
TBytes ComposeBattleTheme();
TBytes ComposeBossTheme();
TBytes ComposeVictoryFanfare();
TBytes ComposeInnJingle();
TBytes ComposeGameOverTheme();

// System sounds, in the order the database lists them, and battle and map sounds.
TBytes SynthCursor();
TBytes SynthDecision();
TBytes SynthCancel();
TBytes SynthBuzzer();
TBytes SynthBattleStart();
TBytes SynthEscape();
TBytes SynthEnemyAttack();
TBytes SynthEnemyDamage();
TBytes SynthActorDamage();
TBytes SynthEvasion();
TBytes SynthEnemyDefeat();
TBytes SynthItemUse();
TBytes SynthDoor();
TBytes SynthChest();
TBytes SynthSlash();
TBytes SynthFire();
TBytes SynthHeal();
