// The WAV decoder and the MIDI file check on well-formed and damaged files.
#include "cadenza/CadenzaMidi.h"
#include "cadenza/CadenzaWave.h"
#include "cadenza/AudioFixtures.h"

#include <gtest/gtest.h>

using namespace AudioFixtures;

namespace {

std::vector<uint8_t> Patched(std::vector<uint8_t> Bytes, size_t At, std::vector<uint8_t> With) {
  std::copy(With.begin(), With.end(), Bytes.begin() + long(At));
  return Bytes;
}

std::vector<uint8_t> Cut(std::vector<uint8_t> Bytes, size_t Size) {
  Bytes.resize(Size);
  return Bytes;
}

// A WAV file with an odd-sized unknown chunk (padded) between the header and "fmt ".
std::vector<uint8_t> WithOddChunkFirst() {
  std::vector<uint8_t> plain = Wave(8000, 1, 16, {100, -100});
  std::vector<uint8_t> out(plain.begin(), plain.begin() + 12);
  PutTag(out, "LIST");
  PutLe(out, 3, 4);
  out.insert(out.end(), {1, 2, 3, 0});
  out.insert(out.end(), plain.begin() + 12, plain.end());
  return out;
}

// The extensible header form with the PCM sub-format.
std::vector<uint8_t> Extensible() {
  std::vector<uint8_t> out;
  PutTag(out, "RIFF");
  PutLe(out, 0, 4);
  PutTag(out, "WAVE");
  PutTag(out, "fmt ");
  PutLe(out, 40, 4);
  PutLe(out, 0xFFFE, 2);
  PutLe(out, 2, 2);
  PutLe(out, 48000, 4);
  PutLe(out, 48000 * 4, 4);
  PutLe(out, 4, 2);
  PutLe(out, 16, 2);
  PutLe(out, 22, 2);
  PutLe(out, 16, 2);
  PutLe(out, 3, 4);
  PutLe(out, 1, 2);  // the GUID's first bytes: PCM
  out.insert(out.end(), 14, 0);
  PutTag(out, "data");
  PutLe(out, 4, 4);
  PutLe(out, uint32_t(-16384), 2);
  PutLe(out, 16384, 2);
  return out;
}

struct WaveCase {
  const char* Name;
  std::vector<uint8_t> Bytes;
  bool Decodes;
  int Rate = 0, Channels = 0;
  std::vector<float> Samples = {};
};

TEST(CadenzaWave, DecodesPcmAndRefusesTheRest) {
  const std::vector<uint8_t> mono16 = Wave(22050, 1, 16, {16384, -32768, 32767});
  const WaveCase cases[] = {
      {"8-bit mono", Wave(11025, 1, 8, {128, 192, 0, 255}), true, 11025, 1, {0, 0.5f, -1, 127 / 128.0f}},
      {"16-bit mono", mono16, true, 22050, 1, {0.5f, -1, 32767 / 32768.0f}},
      {"16-bit stereo", Wave(44100, 2, 16, {16384, -8192}), true, 44100, 2, {0.5f, -0.25f}},
      {"8-bit stereo", Wave(8000, 2, 8, {64, 192}), true, 8000, 2, {-0.5f, 0.5f}},
      {"padded chunk before fmt", WithOddChunkFirst(), true, 8000, 1, {100 / 32768.0f, -100 / 32768.0f}},
      {"extensible PCM", Extensible(), true, 48000, 2, {-0.5f, 0.5f}},
      // A data size larger than the file: what is there plays.
      {"data size past the end", Patched(mono16, 40, {0xFF, 0xFF, 0xFF, 0x7F}), true, 22050, 1,
       {0.5f, -1, 32767 / 32768.0f}},
      // A last sample cut in half is dropped, not read past the end.
      {"half a sample at the end", Cut(mono16, mono16.size() - 1), true, 22050, 1, {0.5f, -1}},
      {"not RIFF", Patched(mono16, 0, {'R', 'I', 'F', 'X'}), false},
      {"not WAVE", Patched(mono16, 8, {'A', 'V', 'I', ' '}), false},
      {"compressed", Patched(mono16, 20, {2, 0}), false},
      {"24 bits", Patched(mono16, 34, {24, 0}), false},
      {"three channels", Patched(mono16, 22, {3, 0}), false},
      {"rate zero", Patched(mono16, 24, {0, 0, 0, 0}), false},
      {"no data chunk", Cut(mono16, 36), false},
      {"header only", Cut(mono16, 12), false},
      {"empty data", Wave(8000, 1, 16, {}), false},
      {"fmt too short", Patched(mono16, 16, {8, 0, 0, 0}), false},
  };
  for (const WaveCase& c : cases) {
    SCOPED_TRACE(c.Name);
    const auto pcm = DecodeCadenzaWave(c.Bytes);
    ASSERT_EQ(pcm.has_value(), c.Decodes);
    if (!pcm) continue;
    EXPECT_EQ(pcm->Rate, c.Rate);
    EXPECT_EQ(pcm->Channels, c.Channels);
    EXPECT_EQ(pcm->Samples, c.Samples);
  }
}

TEST(CadenzaWave, AnyTruncationIsSafe) {
  const std::vector<uint8_t> whole = Wave(22050, 2, 16, {1, 2, 3, 4, 5, 6});
  for (size_t size = 0; size < whole.size(); ++size) {
    const auto pcm = DecodeCadenzaWave(Cut(whole, size));
    if (pcm) {
      EXPECT_LE(pcm->Samples.size(), 6u);
    }
  }
}

struct MidiCase {
  const char* Name;
  std::vector<uint8_t> Bytes;
  bool Playable;
};

// A format-0 file around the given track bytes.
std::vector<uint8_t> SongWithTrack(std::vector<uint8_t> Track, uint16_t Division = 96, uint16_t Tracks = 1) {
  std::vector<uint8_t> out;
  PutTag(out, "MThd");
  PutBe(out, 6, 4);
  PutBe(out, 0, 2);
  PutBe(out, Tracks, 2);
  PutBe(out, Division, 2);
  PutTag(out, "MTrk");
  PutBe(out, uint32_t(Track.size()), 4);
  out.insert(out.end(), Track.begin(), Track.end());
  return out;
}

TEST(CadenzaMidi, ChecksHeaderTracksAndEvents) {
  const std::vector<uint8_t> song = Song(4, 2);
  std::vector<uint8_t> withJunkChunk = SongWithTrack({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00});
  withJunkChunk.insert(withJunkChunk.begin() + 14, {'X', 'F', 'I', 'H', 0, 0, 0, 1, 7});
  const MidiCase cases[] = {
      {"generated song", song, true},
      {"running status", SongWithTrack({0x00, 0x90, 60, 100, 0x60, 62, 100, 0x00, 0xFF, 0x2F, 0x00}), true},
      {"sysex and meta", SongWithTrack({0x00, 0xF0, 0x02, 0x7E, 0xF7, 0x10, 0xFF, 0x03, 0x01, 'A', 0, 0xFF, 0x2F, 0}),
       true},
      {"no end of track", SongWithTrack({0x00, 0x90, 60, 100, 0x60, 0x80, 60, 0}), false},
      {"running status across a meta event", SongWithTrack({0x00, 0x90, 60, 100, 0x00, 0xFF, 0x01, 0x00, 0x60, 60, 0,
                                                             0x00, 0xFF, 0x2F, 0x00}),
       false},
      {"tempo of two bytes", SongWithTrack({0x00, 0xFF, 0x51, 0x02, 0x07, 0xA1, 0x60, 0xFF, 0x2F, 0x00}), false},
      {"note number of 148", SongWithTrack({0x00, 0x90, 0x94, 100, 0x60, 0xFF, 0x2F, 0x00}), false},
      {"escaped bytes", SongWithTrack({0x00, 0xF7, 0x01, 0x7E, 0x60, 0xFF, 0x2F, 0x00}), false},
      {"unknown chunk before the track", withJunkChunk, true},
      {"bytes after end of track ignored", SongWithTrack({0x10, 0xFF, 0x2F, 0x00, 0xF5, 0xF5}), true},
      // Nothing to play, and looping a song of no length would never advance.
      {"no length", SongWithTrack({0x00, 0x90, 60, 100, 0x00, 0x80, 60, 0, 0x00, 0xFF, 0x2F, 0x00}), false},
      {"no length in any track", Song(0), false},
      {"running status with no status", SongWithTrack({0x00, 60, 100}), false},
      {"note cut short", SongWithTrack({0x00, 0x90, 60}), false},
      {"meta longer than the track", SongWithTrack({0x00, 0xFF, 0x01, 0x7F, 'A'}), false},
      {"five-byte length", SongWithTrack({0x00, 0xF0, 0x80, 0x80, 0x80, 0x80, 0x01}), false},
      {"system real-time byte", SongWithTrack({0x00, 0xF8}), false},
      {"time-code division", SongWithTrack({0x00, 0xFF, 0x2F, 0x00}, 0xE728), false},
      {"division zero", SongWithTrack({0x00, 0xFF, 0x2F, 0x00}, 0), false},
      {"more tracks promised than present", SongWithTrack({0x00, 0xFF, 0x2F, 0x00}, 96, 2), false},
      {"no tracks", SongWithTrack({}, 96, 0), false},
      {"track size past the end", Cut(song, song.size() - 3), false},
      {"format 3", Patched(song, 9, {3}), false},
      {"not a MIDI file", Wave(8000, 1, 8, {1, 2, 3}), false},
      {"header size past the end", Patched(song, 4, {0x7F, 0, 0, 0}), false},
      {"header longer than six bytes", Patched(song, 7, {8}), false},
      {"empty", {}, false},
  };
  for (const MidiCase& c : cases) {
    SCOPED_TRACE(c.Name);
    EXPECT_EQ(IsPlayableMidi(c.Bytes), c.Playable);
  }
}

TEST(CadenzaMidi, AnyTruncationIsRefusedSafely) {
  const std::vector<uint8_t> song = Song(2);
  for (size_t size = 0; size < song.size(); ++size) EXPECT_FALSE(IsPlayableMidi(Cut(song, size))) << size;
}

}  // namespace
