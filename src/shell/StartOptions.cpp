#include "shell/StartOptions.h"

#include <charconv>

const char* const StartOptionsUsage =
    "usage: tessera [options] [TestPlay|BattleTest] [HideTitle] [Window] [troop id]\n"
    "\n"
    "Plays the game folder given by --game, else the program's own folder when it holds\n"
    "data/$$$.B, else the current folder.\n"
    "\n"
    "  --game DIR                 the game folder\n"
    "  --headless                 no window and no sound device\n"
    "  --frames N                 stop after N frames\n"
    "  --fast                     no frame pacing (headless: the clock follows the frames)\n"
    "  --seed N                   seed the random generator\n"
    "  --input FILE               replay timed key presses (FRAME KEY down|up per line)\n"
    "  --screenshot FRAME:FILE    write the screen after that frame as PNG (repeatable)\n"
    "  --save-state FILE          on exit, write the running game as a save file\n"
    "  --help                     this text\n";

namespace {

const std::string Empty;

uint64_t ParseCount(const std::string& option, const std::string& text) {
  uint64_t value = 0;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), value);
  if (text.empty() || error != std::errc() || end != text.data() + text.size()) {
    throw EStartOptions(option + " needs a whole number, not \"" + text + "\"");
  }
  return value;
}

TScreenshotRequest ParseScreenshot(const std::string& text) {
  const size_t colon = text.find(':');
  if (colon == std::string::npos || colon + 1 == text.size()) {
    throw EStartOptions("--screenshot needs FRAME:FILE.png, not \"" + text + "\"");
  }
  return {ParseCount("--screenshot", text.substr(0, colon)), text.substr(colon + 1)};
}

}  // namespace

const std::string& TStartOptions::Word(size_t index) const {
  return index < Words.size() ? Words[index] : Empty;
}

TStartOptions ParseStartOptions(const std::vector<std::string>& arguments) {
  TStartOptions options;
  for (size_t i = 0; i < arguments.size(); ++i) {
    const std::string& argument = arguments[i];
    if (argument.rfind("--", 0) != 0) {
      options.Words.push_back(argument);
      continue;
    }
    auto value = [&]() -> const std::string& {
      if (i + 1 >= arguments.size()) throw EStartOptions(argument + " needs a value");
      return arguments[++i];
    };
    if (argument == "--game") options.GameFolder = value();
    else if (argument == "--headless") options.Headless = true;
    else if (argument == "--fast") options.Fast = true;
    else if (argument == "--help") options.Help = true;
    else if (argument == "--frames") options.Frames = ParseCount(argument, value());
    else if (argument == "--seed") options.Seed = ParseCount(argument, value());
    else if (argument == "--input") options.InputFile = value();
    else if (argument == "--screenshot") options.Screenshots.push_back(ParseScreenshot(value()));
    else if (argument == "--save-state") options.SaveStateFile = value();
    else throw EStartOptions("unknown option " + argument);
  }
  return options;
}
