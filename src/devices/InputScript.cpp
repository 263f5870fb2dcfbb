#include "devices/InputScript.h"

#include <algorithm>
#include <charconv>
#include <fstream>
#include <sstream>

namespace {

struct TKeyName {
  const char* Name;
  uint8_t Key;
};

// Each game button is replayed through one of its default keys.
constexpr TKeyName KeyNames[] = {
    {"down", VirtualKey::Down},       {"left", VirtualKey::Left},     {"right", VirtualKey::Right},
    {"up", VirtualKey::Up},           {"decision", VirtualKey::Return}, {"cancel", VirtualKey::Escape},
    {"shift", VirtualKey::Shift},     {"ctrl", VirtualKey::Control},  {"f4", VirtualKey::F(4)},
    {"f5", VirtualKey::F(5)},         {"f9", VirtualKey::F(9)},       {"f10", VirtualKey::F(10)},
    {"f12", VirtualKey::F(12)},
};

std::string Lower(std::string_view text) {
  std::string out(text);
  for (char& c : out) c = (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c;
  return out;
}

std::vector<std::string> Words(std::string_view line) {
  std::istringstream in{std::string(line)};
  std::vector<std::string> words;
  for (std::string word; in >> word;) words.push_back(word);
  return words;
}

TInputEvent ParseLine(const std::vector<std::string>& words) {
  if (words.size() != 3) throw std::invalid_argument("expected FRAME KEY down|up");
  TInputEvent event;
  const std::string& frame = words[0];
  const auto [end, error] = std::from_chars(frame.data(), frame.data() + frame.size(), event.Frame);
  if (error != std::errc() || end != frame.data() + frame.size() || event.Frame == 0) {
    throw std::invalid_argument("the frame must be a whole number from 1, not \"" + frame + "\"");
  }
  const std::string key = Lower(words[1]);
  const auto* found = std::find_if(std::begin(KeyNames), std::end(KeyNames),
                                   [&](const TKeyName& k) { return key == k.Name; });
  if (found == std::end(KeyNames)) throw std::invalid_argument("unknown key \"" + words[1] + "\"");
  event.Key = found->Key;
  const std::string action = Lower(words[2]);
  if (action != "down" && action != "up") {
    throw std::invalid_argument("expected down or up, not \"" + words[2] + "\"");
  }
  event.Down = action == "down";
  return event;
}

}  // namespace

TInputScript TInputScript::Parse(std::string_view text, const std::string& fileName) {
  TInputScript script;
  size_t lineNumber = 0, start = 0;
  while (start < text.size()) {
    size_t end = text.find('\n', start);
    if (end == std::string_view::npos) end = text.size();
    std::string_view line = text.substr(start, end - start);
    start = end + 1;
    ++lineNumber;
    if (const size_t hash = line.find('#'); hash != std::string_view::npos) line = line.substr(0, hash);
    const auto words = Words(line);
    if (words.empty()) continue;
    try {
      script.Events_.push_back(ParseLine(words));
    } catch (const std::invalid_argument& error) {
      throw EInputScript(fileName + ":" + std::to_string(lineNumber) + ": " + error.what());
    }
  }
  std::stable_sort(script.Events_.begin(), script.Events_.end(),
                   [](const TInputEvent& a, const TInputEvent& b) { return a.Frame < b.Frame; });
  return script;
}

TInputScript TInputScript::Load(const std::string& fileName) {
  std::ifstream in(fileName, std::ios::binary);
  if (!in) throw EInputScript(fileName + ": cannot be read");
  std::ostringstream text;
  text << in.rdbuf();
  return Parse(text.str(), fileName);
}

void TInputScript::Apply(uint64_t frame, Platform& device) {
  while (Next_ < Events_.size() && Events_[Next_].Frame < frame) ++Next_;
  while (Next_ < Events_.size() && Events_[Next_].Frame == frame) {
    device.InjectKey(Events_[Next_].Key, Events_[Next_].Down);
    ++Next_;
  }
}
