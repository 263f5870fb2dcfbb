// The FluidSynth instance that plays songs: settings, synthesiser and the loaded General MIDI
// sound font, owned together. Loading reads the sound font from disk, so it is done before the
// synthesiser is handed to the mixer, never under the mixer's lock.
#pragma once

#include <fluidsynth.h>

#include <memory>
#include <string>
#include <vector>

struct TCadenzaSynth {
  struct SettingsDeleter {
    void operator()(fluid_settings_t* Settings) const { delete_fluid_settings(Settings); }
  };
  struct SynthDeleter {
    void operator()(fluid_synth_t* Synth) const { delete_fluid_synth(Synth); }
  };

  // Declared first so that the synthesiser, which refers to them, goes first.
  std::unique_ptr<fluid_settings_t, SettingsDeleter> Settings;
  std::unique_ptr<fluid_synth_t, SynthDeleter> Synth;
};

// The sound font paths tried in order: TESSERA_SOUNDFONT alone when it is set, otherwise the
// installed General MIDI fonts.
std::vector<std::string> CadenzaSoundFontCandidates();

// A synthesiser rendering at Rate with the first loadable sound font of Candidates; nothing
// when FluidSynth cannot start or no font loads.
std::unique_ptr<TCadenzaSynth> LoadCadenzaSynth(int Rate, const std::vector<std::string>& Candidates);
