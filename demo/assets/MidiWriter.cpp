#include "MidiWriter.h"

#include <algorithm>
#include <map>
#include <stdexcept>

namespace {

constexpr int TicksPerQuarter = 480;

struct TEvent {
  int Tick;
  int Order;  // note-offs before note-ons at the same tick, so repeated notes retrigger
  std::vector<uint8_t> Bytes;
};

std::vector<std::string_view> Words(std::string_view Text) {
  std::vector<std::string_view> Result;
  size_t i = 0;
  while (i < Text.size()) {
    while (i < Text.size() && (Text[i] == ' ' || Text[i] == '\n' || Text[i] == '|')) ++i;
    if (i >= Text.size()) break;
    size_t End = i;
    if (Text[i] == '[') {
      End = Text.find(']', i);
      if (End == std::string_view::npos) throw std::invalid_argument("unclosed chord");
      ++End;
    } else {
      while (End < Text.size() && Text[End] != ' ' && Text[End] != '\n' && Text[End] != '|') ++End;
    }
    Result.push_back(Text.substr(i, End - i));
    i = End;
  }
  return Result;
}

int NoteNumber(std::string_view Word) {
  static const std::map<char, int> Steps = {{'C', 0}, {'D', 2}, {'E', 4}, {'F', 5}, {'G', 7}, {'A', 9}, {'B', 11}};
  const auto Step = Steps.find(Word.empty() ? '?' : Word[0]);
  if (Step == Steps.end()) throw std::invalid_argument("bad note " + std::string(Word));
  int Note = Step->second;
  size_t i = 1;
  if (i < Word.size() && Word[i] == '#') ++Note, ++i;
  else if (i < Word.size() && Word[i] == 'b') --Note, ++i;
  if (i + 1 != Word.size() || Word[i] < '0' || Word[i] > '8') throw std::invalid_argument("bad note " + std::string(Word));
  return Note + (Word[i] - '0' + 1) * 12;
}

int LengthTicks(std::string_view Word) {
  const bool Dotted = Word.back() == '.';
  const std::string Value(Word.substr(1, Word.size() - 1 - (Dotted ? 1 : 0)));
  const int Division = std::stoi(Value);
  if (Division <= 0 || TicksPerQuarter * 4 % Division != 0) throw std::invalid_argument("bad length " + Value);
  const int Ticks = TicksPerQuarter * 4 / Division;
  return Dotted ? Ticks * 3 / 2 : Ticks;
}

// Walks a part, calling Note(tick, length, note, velocity) for each sounding note; returns the
// part's length in ticks.
template <class TOnNote>
int Walk(std::string_view Notes, TOnNote OnNote) {
  int Tick = 0, Length = TicksPerQuarter, Velocity = 96;
  for (std::string_view Word : Words(Notes)) {
    if (Word[0] == '/') {
      Length = LengthTicks(Word);
    } else if (Word[0] == 'v') {
      Velocity = std::clamp(std::stoi(std::string(Word.substr(1))), 1, 127);
    } else if (Word == "r") {
      Tick += Length;
    } else if (Word[0] == '[') {
      for (std::string_view Note : Words(Word.substr(1, Word.size() - 2))) OnNote(Tick, Length, NoteNumber(Note), Velocity);
      Tick += Length;
    } else {
      OnNote(Tick, Length, NoteNumber(Word), Velocity);
      Tick += Length;
    }
  }
  return Tick;
}

void PutVariable(std::vector<uint8_t>& Out, uint32_t Value) {
  uint8_t Bytes[5];
  int Count = 0;
  Bytes[Count++] = Value & 0x7F;
  while (Value >>= 7) Bytes[Count++] = uint8_t(0x80 | (Value & 0x7F));
  while (Count--) Out.push_back(Bytes[Count]);
}

void PutBig(std::vector<uint8_t>& Out, uint32_t Value, int Bytes) {
  for (int i = Bytes - 1; i >= 0; --i) Out.push_back(uint8_t(Value >> (8 * i)));
}

void PutTrack(std::vector<uint8_t>& File, std::vector<TEvent> Events, int EndTick) {
  std::stable_sort(Events.begin(), Events.end(), [](const TEvent& A, const TEvent& B) {
    return A.Tick != B.Tick ? A.Tick < B.Tick : A.Order < B.Order;
  });
  std::vector<uint8_t> Track;
  int Last = 0;
  for (const TEvent& E : Events) {
    PutVariable(Track, uint32_t(E.Tick - Last));
    Track.insert(Track.end(), E.Bytes.begin(), E.Bytes.end());
    Last = E.Tick;
  }
  PutVariable(Track, uint32_t(std::max(0, EndTick - Last)));
  Track.insert(Track.end(), {0xFF, 0x2F, 0x00});
  File.insert(File.end(), {'M', 'T', 'r', 'k'});
  PutBig(File, uint32_t(Track.size()), 4);
  File.insert(File.end(), Track.begin(), Track.end());
}

}  // namespace

int PartTicks(std::string_view Notes) {
  return Walk(Notes, [](int, int, int, int) {});
}

std::vector<uint8_t> WriteMidi(const TMidiSong& Song) {
  int EndTick = 0;
  for (const TMidiPart& Part : Song.Parts) EndTick = std::max(EndTick, PartTicks(Part.Notes));

  std::vector<uint8_t> File = {'M', 'T', 'h', 'd', 0, 0, 0, 6, 0, 1};
  PutBig(File, uint32_t(Song.Parts.size() + 1), 2);
  PutBig(File, TicksPerQuarter, 2);

  const uint32_t MicrosPerQuarter = uint32_t(60000000 / Song.Tempo);
  std::vector<TEvent> Conductor = {
      {0, 0, {0xFF, 0x51, 0x03, uint8_t(MicrosPerQuarter >> 16), uint8_t(MicrosPerQuarter >> 8), uint8_t(MicrosPerQuarter)}},
      {0, 0, {0xFF, 0x58, 0x04, uint8_t(Song.Beats), 2, 24, 8}},
  };
  PutTrack(File, Conductor, EndTick);

  for (const TMidiPart& Part : Song.Parts) {
    const uint8_t Channel = uint8_t(Part.Channel & 15);
    std::vector<TEvent> Events = {
        {0, 0, {uint8_t(0xB0 | Channel), 7, uint8_t(Part.Volume)}},
        {0, 0, {uint8_t(0xB0 | Channel), 10, uint8_t(Part.Pan)}},
    };
    // Controller 111 at the start marks where the player's loop returns to.
    if (Song.Loop) Events.push_back({0, 0, {uint8_t(0xB0 | Channel), 111, 0}});
    if (Channel != 9) Events.push_back({0, 0, {uint8_t(0xC0 | Channel), uint8_t(Part.Program)}});
    Walk(Part.Notes, [&](int Tick, int Length, int Note, int Velocity) {
      // Notes are released a little early so that repeated notes are heard as separate strokes.
      const int Off = Tick + std::max(1, Length - Length / 8);
      Events.push_back({Tick, 2, {uint8_t(0x90 | Channel), uint8_t(Note), uint8_t(Velocity)}});
      Events.push_back({Off, 1, {uint8_t(0x80 | Channel), uint8_t(Note), 0}});
    });
    PutTrack(File, std::move(Events), EndTick);
  }
  return File;
}
