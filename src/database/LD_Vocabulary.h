// The vocabulary: every fixed word and message that the scenes show (battle messages, menu and
// command names, shop and inn texts, parameter terms). Read-only at run time.
#pragma once

#include "data/Catalog.h"

#include <array>
#include <string>

// One of the three sets of shop texts; a plain holder, addressed by the vocabulary's chunks.
struct TLcfVocabularyShop {
  std::string ShopGreeting;
  std::string ShopGreetingAgain;
  std::string ShopBuy;
  std::string ShopSell;
  std::string ShopLeave;
  std::string ShopBuyWhich;
  std::string ShopBuyHowMany;
  std::string ShopBought;
  std::string ShopSellWhich;
  std::string ShopSellHowMany;
  std::string ShopSold;
};

// One of the two sets of inn texts.
struct TLcfVocabularyInn {
  std::string InnGreeting;
  std::string InnGreetingEnd;
  std::string InnQuestion;
  std::string InnStay;
  std::string InnCancel;
};

class TLcfVocabulary : public TCatalogBaseItem {
 public:
  // Battle messages; a leading name is the battler's.
  std::string EnemyAppears;
  std::string PreemptiveStrike;
  std::string EscapeSuccess;
  std::string EscapeFailure;
  std::string Victory;
  std::string Defeat;
  std::string ExperienceGained;
  std::string GoldGainedPrefix;
  std::string GoldGainedSuffix;
  std::string ItemGained;
  std::string Attacks;
  std::string CriticalOnEnemy;
  std::string CriticalOnActor;
  std::string Defends;
  std::string Observes;
  std::string ChargesUp;
  std::string SelfDestructs;
  std::string EnemyEscapes;
  std::string EnemyTransforms;
  std::string EnemyDamaged;
  std::string EnemyUndamaged;
  std::string ActorDamaged;
  std::string ActorUndamaged;
  std::string SkillFailure1;
  std::string SkillFailure2;
  std::string SkillFailure3;
  std::string SkillFailure4;
  std::string UsesItem;
  std::string HpRecovered;
  std::string ParameterRaised;
  std::string ParameterLowered;
  std::string AbsorbedFromEnemy;
  std::string AbsorbedFromActor;
  std::string ResistanceRaised;
  std::string ResistanceLowered;
  std::string LevelUp;
  std::string SkillLearned;
  std::array<TLcfVocabularyShop, 3> Shops;
  std::array<TLcfVocabularyInn, 2> Inns;
  std::string HeldLabel;
  std::string EquippedLabel;
  std::string Currency;
  std::string CommandFight;
  std::string CommandAuto;
  std::string CommandEscape;
  std::string CommandAttack;
  std::string CommandDefend;
  std::string CommandItem;
  std::string CommandSkill;
  std::string CommandEquip;
  std::string CommandSave;
  std::string CommandEndGame;
  std::string TitleNewGame;
  std::string TitleContinue;
  std::string TitleShutdown;
  std::string LevelTerm;
  std::string HpTerm;
  std::string SpTerm;
  std::string NormalStatus;
  std::string ExpShort;
  std::string LevelShort;
  std::string HpShort;
  std::string SpShort;
  std::string SpCostLabel;
  std::string AttackTerm;
  std::string DefenseTerm;
  std::string SpiritTerm;
  std::string AgilityTerm;
  std::string WeaponSlot;
  std::string ShieldSlot;
  std::string ArmorSlot;
  std::string HelmetSlot;
  std::string AccessorySlot;
  std::string SaveHelp;
  std::string LoadHelp;
  std::string Yes;
  std::string No;
  std::string EndGameQuestion;
  std::string SaveFileLabel;

  // The shop set 0..2 or inn set 0..1; nothing for any other number.
  const TLcfVocabularyShop* ShopTexts(int Set) const;
  const TLcfVocabularyInn* InnTexts(int Set) const;

  static const TRecordSchema Fields;
  const TRecordSchema& Describe() const override { return Fields; }
};
