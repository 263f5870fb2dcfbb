#include "cadenza/CadenzaSynth.h"

#include <cstdlib>
#include <filesystem>
#include <mutex>

namespace {

constexpr const char* InstalledSoundFonts[] = {
    "/usr/share/sounds/sf2/TimGM6mb.sf2",
    "/usr/share/sounds/sf2/default-GM.sf2",
};

// The synthesiser reports every odd controller of a song as a warning on stderr; only real
// errors are worth a player's terminal.
void QuietenFluidLog() {
  static std::once_flag once;
  std::call_once(once, [] {
    for (int level : {FLUID_WARN, FLUID_INFO, FLUID_DBG}) fluid_set_log_function(level, nullptr, nullptr);
  });
}

}  // namespace

std::vector<std::string> CadenzaSoundFontCandidates() {
  const char* chosen = std::getenv("TESSERA_SOUNDFONT");
  if (chosen != nullptr && *chosen != '\0') return {chosen};
  return {std::begin(InstalledSoundFonts), std::end(InstalledSoundFonts)};
}

std::unique_ptr<TCadenzaSynth> LoadCadenzaSynth(int Rate, const std::vector<std::string>& Candidates) {
  QuietenFluidLog();
  auto synth = std::make_unique<TCadenzaSynth>();
  synth->Settings.reset(new_fluid_settings());
  if (!synth->Settings) return nullptr;
  fluid_settings_t* settings = synth->Settings.get();
  fluid_settings_setnum(settings, "synth.sample-rate", Rate);
  // The mixer serialises every call under its own lock, so the synthesiser's is pure cost.
  fluid_settings_setint(settings, "synth.threadsafe-api", 0);
  // Above the synthesiser's cautious default so songs sit level with sound effects, yet with
  // headroom for a dozen loud notes before the mix clips.
  fluid_settings_setnum(settings, "synth.gain", 0.3);
  synth->Synth.reset(new_fluid_synth(settings));
  if (!synth->Synth) return nullptr;
  std::error_code ignored;
  for (const std::string& path : Candidates)
    if (std::filesystem::is_regular_file(path, ignored) && fluid_is_soundfont(path.c_str()) && fluid_synth_sfload(synth->Synth.get(), path.c_str(), 1) != FLUID_FAILED)
      return synth;
  return nullptr;
}
