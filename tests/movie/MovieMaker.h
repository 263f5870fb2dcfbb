// Writes small movies with FFmpeg's own encoders, so tests and benchmarks need no movie file
// from anywhere: solid or patterned pictures, optionally a sine tone as sound.
#pragma once

#include <cstdint>
#include <functional>
#include <string>

struct TMovieRgb {
  uint8_t Red = 0, Green = 0, Blue = 0;
};

struct TMovieRecipe {
  // The muxer ("mpeg" for an .mpg program stream, "avi") and the encoders by name.
  std::string Container = "mpeg";
  std::string VideoCodec = "mpeg1video";
  int Width = 64, Height = 48;
  int Frames = 10;
  int FrameRate = 25;
  int MaxBFrames = 0;
  // The colour of each pixel of each picture.
  std::function<TMovieRgb(int Frame, int X, int Y)> Pixel = [](int, int, int) {
    return TMovieRgb{200, 40, 120};
  };
  // No sound when empty; otherwise a mono sine of ToneHz lasting as long as the pictures.
  std::string AudioCodec;
  int SampleRate = 22050;
  int ToneHz = 441;
  int16_t ToneAmplitude = 8000;
};

// Throws std::runtime_error naming the step that failed.
void MakeMovie(const std::string& FileName, const TMovieRecipe& Recipe);

// Whether this build of FFmpeg can encode with the named encoder.
bool HaveEncoder(const std::string& Name);
