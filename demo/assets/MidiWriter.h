// A small Standard MIDI File writer (format 1) and the note language the songs are written in.
//
// A part is a string of words separated by spaces:
//   C4 D#4 Bb3   a note (letter, optional # or b, octave; middle C is C4) lasting the current length
//   r            a rest of the current length
//   [C4 E4 G4]   a chord: the notes sound together
//   /4 /8 /2 /1 /16 /8. /4.   sets the current length (a dot adds half); lengths are note values
//   v90          sets the velocity of the following notes
//   |            a bar line, ignored (it keeps the writing readable)
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

struct TMidiPart {
  int Channel = 0;      // 9 is the percussion channel
  int Program = 0;      // General MIDI program, 0-based; ignored on channel 9
  int Volume = 100;     // controller 7
  int Pan = 64;         // controller 10
  std::string Notes;    // in the note language above
};

struct TMidiSong {
  int Tempo = 120;      // quarter notes per minute
  int Beats = 4;        // per bar, for the time signature
  bool Loop = true;     // marks the whole song as a loop with controller 111 at its start
  std::vector<TMidiPart> Parts;
};

// Raises std::invalid_argument for a word it does not understand.
std::vector<uint8_t> WriteMidi(const TMidiSong& Song);

// The tick length of a note-language part (480 ticks per quarter note): lets songs check that
// their parts are of equal length.
int PartTicks(std::string_view Notes);
