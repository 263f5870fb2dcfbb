// A structural check of Standard MIDI Files before they reach the synthesiser: header, track
// chunks and every event inside them must be well formed and within bounds. A song that fails
// plays nothing instead of being handed to a parser that might choke on it.
#pragma once

#include <cstdint>
#include <span>

// The most tracks a song may have: the synthesiser's player holds no more.
constexpr int CadenzaMaxMidiTracks = 128;

// Whether Bytes hold a playable Standard MIDI File: a six-byte header of format 0, 1 or 2 with
// ticks-per-quarter timing (time-code timing is refused), 1 to CadenzaMaxMidiTracks tracks, each
// track's events complete up to its end-of-track event, and lasting at least one tick (a song of no length has nothing to play, and looping it would
// never advance).
bool IsPlayableMidi(std::span<const uint8_t> Bytes);
