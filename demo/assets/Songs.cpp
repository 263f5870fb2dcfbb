// The demo's music. Each song is a hand-written melody over a chord progression of one chord
// per bar; the bass, the chords and the drums are laid out from the progression by a few
// accompaniment styles, so a song reads as a tune and its harmony.
#include "Assets.h"
#include "MidiWriter.h"

#include <map>
#include <sstream>
#include <stdexcept>

namespace {

// General MIDI programs used here (0-based).
enum EProgram : int {
  Piano = 0, MusicBox = 10, Vibraphone = 11, Organ = 19, NylonGuitar = 24, OverdriveGuitar = 29,
  AcousticBass = 32, FingerBass = 33, SynthBass = 38, Strings = 48, SlowStrings = 49, Timpani = 47,
  Choir = 52, Trumpet = 56, Brass = 61, SynthBrass = 62, FrenchHorn = 60, Oboe = 68, Clarinet = 71,
  Flute = 73, WarmPad = 89,
};

constexpr int DrumChannel = 9;

std::string NoteName(int Note) {
  static const char* Names[12] = {"C", "C#", "D", "D#", "E", "F", "F#", "G", "G#", "A", "A#", "B"};
  return std::string(Names[Note % 12]) + char('0' + Note / 12 - 1);
}

// A chord symbol ("C", "F#m", "Bb7", "Am7", "Gsus4", "Bdim") as its root pitch class and the
// intervals above the root.
struct TChord {
  int Root;
  std::vector<int> Intervals;
};

TChord ParseChord(const std::string& Symbol) {
  static const std::map<char, int> Steps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  static const std::map<std::string, std::vector<int>> Qualities = {
      {"", {0, 4, 7}},   {"m", {0, 3, 7}},      {"7", {0, 4, 7, 10}}, {"m7", {0, 3, 7, 10}},
      {"maj7", {0, 4, 7, 11}}, {"dim", {0, 3, 6}}, {"sus4", {0, 5, 7}},
  };
  const auto Step = Steps.find(Symbol.empty() ? '?' : Symbol[0]);
  if (Step == Steps.end()) throw std::invalid_argument("bad chord " + Symbol);
  int Root = Step->second;
  size_t i = 1;
  if (i < Symbol.size() && Symbol[i] == '#') ++Root, ++i;
  else if (i < Symbol.size() && Symbol[i] == 'b') --Root, ++i;
  const auto Quality = Qualities.find(Symbol.substr(i));
  if (Quality == Qualities.end()) throw std::invalid_argument("bad chord " + Symbol);
  return {(Root + 12) % 12, Quality->second};
}

std::vector<TChord> Progression(const std::string& Text) {
  std::istringstream In(Text);
  std::vector<TChord> Chords;
  for (std::string Symbol; In >> Symbol;) Chords.push_back(ParseChord(Symbol));
  return Chords;
}

// The chord's tones from the lowest at or above Floor.
std::vector<int> Voicing(const TChord& Chord, int Floor) {
  int Root = Floor - ((Floor - Chord.Root) % 12 + 12) % 12;
  if (Root < Floor) Root += 12;
  std::vector<int> Notes;
  for (int Interval : Chord.Intervals) Notes.push_back(Root + Interval);
  return Notes;
}

std::string ChordWord(const std::vector<int>& Notes) {
  std::string Word = "[";
  for (int Note : Notes) Word += NoteName(Note) + " ";
  Word.back() = ']';
  return Word;
}

enum class EBass { Held, RootFifth, Eighths, Waltz };
enum class EChords { Pad, Arpeggio, Stabs, Offbeat };

std::string BassLine(const std::vector<TChord>& Chords, EBass Style, int Beats) {
  std::string Out;
  for (const TChord& Chord : Chords) {
    const int Root = Voicing(Chord, 36)[0], Fifth = Root + 7;
    switch (Style) {
      case EBass::Held:
        Out += Beats == 4 ? "/1 " + NoteName(Root) + " | " : "/2. " + NoteName(Root) + " | ";
        break;
      case EBass::RootFifth:
        for (int Beat = 0; Beat < Beats; ++Beat) Out += "/4 " + NoteName(Beat % 2 ? Fifth : Root) + " ";
        Out += "| ";
        break;
      case EBass::Eighths:
        for (int Eighth = 0; Eighth < Beats * 2; ++Eighth)
          Out += "/8 " + NoteName(Eighth == Beats * 2 - 1 ? Fifth : Root) + " ";
        Out += "| ";
        break;
      case EBass::Waltz:
        Out += "/4 " + NoteName(Root) + " r " + NoteName(Fifth) + " | ";
        break;
    }
  }
  return Out;
}

std::string ChordPart(const std::vector<TChord>& Chords, EChords Style, int Beats) {
  std::string Out;
  for (const TChord& Chord : Chords) {
    const std::vector<int> Notes = Voicing(Chord, 55);
    switch (Style) {
      case EChords::Pad:
        Out += (Beats == 4 ? "/1 " : "/2. ") + ChordWord(Notes) + " | ";
        break;
      case EChords::Arpeggio: {
        // Up through the chord and its octave, then back down, in eighths.
        std::vector<int> Path = {Notes[0], Notes[1], Notes[2], Notes[0] + 12, Notes[2], Notes[1]};
        for (int Eighth = 0; Eighth < Beats * 2; ++Eighth) Out += "/8 " + NoteName(Path[size_t(Eighth) % Path.size()]) + " ";
        Out += "| ";
        break;
      }
      case EChords::Stabs: {
        const std::vector<int> Power = {Notes[0] - 12, Notes[0] - 5, Notes[0]};
        for (int Eighth = 0; Eighth < Beats * 2; ++Eighth)
          Out += (Eighth % 3 == 2 ? "/8 r " : "/8 " + ChordWord(Power) + " ");
        Out += "| ";
        break;
      }
      case EChords::Offbeat:
        for (int Beat = 0; Beat < Beats; ++Beat) Out += "/8 r " + ChordWord(Notes) + " ";
        Out += "| ";
        break;
    }
  }
  return Out;
}

// Drum patterns for one bar, repeated; the last bar of every four ends with a fill.
enum class EDrums { Rock, March, Soft, Heartbeat };

std::string Drums(EDrums Style, int Bars) {
  const std::map<EDrums, std::pair<std::string, std::string>> Patterns = {
      {EDrums::Rock, {"/8 [C2 F#2] F#2 [D2 F#2] F#2 [C2 F#2] [C2 F#2] [D2 F#2] F#2 ",
                      "/8 [C2 F#2] F#2 [D2 F#2] F#2 /16 D2 D2 A2 A2 G2 G2 F2 F2 "}},
      {EDrums::March, {"/8 [C2 F#2] F#2 D2 F#2 [C2 F#2] F#2 D2 [D2 F#2] ",
                       "/8 [C2 F#2] F#2 D2 F#2 /16 D2 D2 D2 D2 /8 D2 C#3 "}},
      {EDrums::Soft, {"/4 [C2 F#2] F#2 [C#2 F#2] F#2 ", "/4 [C2 F#2] F#2 [C#2 F#2] /8 F#2 F#2 "}},
      {EDrums::Heartbeat, {"/8 C2 C2 /4 r /2 r ", "/8 C2 C2 /4 r /8 C2 C2 /4 r "}},
  };
  const auto& [Bar, Fill] = Patterns.at(Style);
  std::string Out;
  for (int i = 0; i < Bars; ++i) Out += (i % 4 == 3 ? Fill : Bar) + "| ";
  return Out;
}

struct TSongPlan {
  int Tempo, Beats;
  bool Loop;
  std::string Chords, Melody;
  int Lead, Harmony, Bass;
  EChords HarmonyStyle;
  EBass BassStyle;
  bool HasDrums;
  EDrums DrumStyle;
  int PadProgram = -1;  // an extra held pad under everything, or -1
};

TBytes Compose(const TSongPlan& Plan) {
  const std::vector<TChord> Chords = Progression(Plan.Chords);
  TMidiSong Song{Plan.Tempo, Plan.Beats, Plan.Loop, {}};
  Song.Parts.push_back({0, Plan.Lead, 110, 64, Plan.Melody});
  Song.Parts.push_back({1, Plan.Harmony, 72, 44, ChordPart(Chords, Plan.HarmonyStyle, Plan.Beats)});
  Song.Parts.push_back({2, Plan.Bass, 96, 64, BassLine(Chords, Plan.BassStyle, Plan.Beats)});
  if (Plan.PadProgram >= 0) Song.Parts.push_back({3, Plan.PadProgram, 56, 84, ChordPart(Chords, EChords::Pad, Plan.Beats)});
  if (Plan.HasDrums) Song.Parts.push_back({DrumChannel, 0, 80, 64, Drums(Plan.DrumStyle, int(Chords.size()))});
  // Every part must fill exactly the bars of the progression, or the loop would drift.
  const int Expected = int(Chords.size()) * Plan.Beats * 480;
  for (const TMidiPart& Part : Song.Parts)
    if (PartTicks(Part.Notes) != Expected)
      throw std::logic_error("a part is " + std::to_string(PartTicks(Part.Notes)) + " ticks long, not " +
                             std::to_string(Expected));
  return WriteMidi(Song);
}

}  // namespace

TBytes ComposeTitleTheme() {
  return Compose({96, 4, true, "C G Am F C G F G",
                  "v100 /4 G4 C5 E5 G5 | /2. D5 /4 B4 | /4 C5 A4 E5 C5 | /2 F5 /4 E5 D5 | "
                  "/4 E5 G5 C6 B5 | /2 A5 /4 G5 F5 | /4 E5 D5 C5 A4 | /1 B4 |",
                  FrenchHorn, Strings, AcousticBass, EChords::Arpeggio, EBass::Held, true, EDrums::March, Choir});
}

TBytes ComposeTownTheme() {
  return Compose({112, 4, true, "F C Dm Bb F C Bb C",
                  "/8 A4 C5 F5 A5 /4 G5 F5 | /4 E5 G5 /2 C5 | /8 D5 E5 F5 D5 /4 A5 F5 | /2 D5 /4 r C5 | "
                  "/8 A4 C5 F5 A5 /4 C6 A5 | /4 G5 E5 /2 C5 | /8 D5 F5 E5 D5 /4 C5 D5 | /2. F5 /4 r |",
                  Flute, NylonGuitar, AcousticBass, EChords::Arpeggio, EBass::RootFifth, true, EDrums::Soft});
}

TBytes ComposeFieldTheme() {
  return Compose({126, 4, true, "D A Bm G D A G A",
                  "/4. D5 /8 A4 /4 D5 E5 | /2 F#5 /4 E5 D5 | /4. F#5 /8 E5 /4 D5 B4 | /1 A4 | "
                  "/4. D5 /8 A4 /4 D5 F#5 | /2 A5 /4 G5 F#5 | /4 E5 D5 E5 G5 | /1 E5 |",
                  Trumpet, Strings, FingerBass, EChords::Offbeat, EBass::RootFifth, true, EDrums::March, SlowStrings});
}

TBytes ComposeDungeonTheme() {
  return Compose({80, 4, true, "Am Am F E Am Dm E E",
                  "v80 /2 A4 /4 C5 B4 | /2. E4 /4 r | /4 F4 A4 C5 E5 | /2. G#4 /4 r | "
                  "/2 A4 /4 E5 D5 | /2 C5 /4 D5 F5 | /4 E5 D5 C5 B4 | /1 G#4 |",
                  Clarinet, SlowStrings, AcousticBass, EChords::Pad, EBass::Held, true, EDrums::Heartbeat, WarmPad});
}

TBytes ComposeBattleTheme() {
  return Compose({152, 4, true, "Em C D B7 Em C Am B7",
                  "/8 E5 E5 B4 E5 G5 F#5 E5 D5 | /4 E5 /8 G5 A5 /4 B5 G5 | /8 F#5 F#5 D5 F#5 A5 G5 F#5 E5 | "
                  "/2 D#5 /4 B4 r | /8 E5 E5 B4 E5 G5 F#5 E5 D5 | /4 C5 E5 G5 C6 | "
                  "/8 A5 G5 F#5 E5 F#5 G5 A5 F#5 | /2. B5 /4 r |",
                  SynthBrass, OverdriveGuitar, SynthBass, EChords::Stabs, EBass::Eighths, true, EDrums::Rock, Strings});
}

TBytes ComposeBossTheme() {
  return Compose({140, 4, true, "Cm Ab Bb G Cm Ab Fm G",
                  "/4 C5 /8 C5 D5 /4 Eb5 G5 | /4 Ab5 /8 G5 F5 /2 Eb5 | /4 F5 /8 F5 G5 /4 Ab5 Bb5 | /2. B5 /4 G5 | "
                  "/4 C6 /8 Bb5 Ab5 /4 G5 Eb5 | /4 Ab5 /8 G5 F5 /2 Eb5 | /8 F5 Eb5 D5 C5 /4 D5 F5 | /1 G5 |",
                  Organ, Strings, Timpani, EChords::Stabs, EBass::RootFifth, true, EDrums::Rock, Choir});
}

TBytes ComposeVictoryFanfare() {
  return Compose({132, 4, true, "C Am G7 C C F G C",
                  "/8 G4 C5 E5 G5 /2 C6 | /4 A5 /8 G5 E5 /2 G5 | /4 F5 E5 D5 E5 | /1 C5 | "
                  "/4 E5 G5 E5 C5 | /4 F5 A5 /2 F5 | /4 D5 F5 E5 D5 | /1 C5 |",
                  Trumpet, Brass, FingerBass, EChords::Offbeat, EBass::RootFifth, true, EDrums::March});
}

TBytes ComposeInnJingle() {
  return Compose({88, 4, false, "G D C G",
                  "/4 D5 G5 B5 /8 A5 G5 | /4 F#5 A5 /2 D5 | /4 E5 G5 /8 F#5 E5 /4 D5 | /1 G5 |",
                  MusicBox, Strings, AcousticBass, EChords::Pad, EBass::Held, false, EDrums::Soft, Vibraphone});
}

TBytes ComposeGameOverTheme() {
  return Compose({66, 4, true, "Dm Gm A Dm",
                  "v84 /2 A4 /4 F4 D4 | /2. G4 /4 Bb4 | /2 E4 /2 C#4 | /1 D4 |",
                  Piano, SlowStrings, AcousticBass, EChords::Pad, EBass::Held, false, EDrums::Soft, Oboe});
}
