// Movie playback over the game area: a file (AVI, MPG and the other usual containers) is decoded
// with FFmpeg's libraries, each picture scaled into a rectangle of the screen board and shown by
// its timestamp against the display's frame clock, its sound resampled and queued to the audio
// device. The call blocks until the movie ends. A file that cannot be opened or decoded is
// skipped, never raised as an error; F12 and closing the window end a movie through the display's
// own exceptions, which pass through with every decoder resource freed.
#pragma once

#include <string>

#include "graphics/PrismTypes.h"

class TPrismDraw;
class AudioStream;

class TPrismMovie {
 public:
  explicit TPrismMovie(TPrismDraw& Draw);

  // Plays FileName with its top-left corner at (X, Y) of the board, scaled to Width x Height (a
  // size of 0 or less takes the movie's own). Headless, frames are decoded and advanced without
  // being shown or heard. Returns whether the movie played (at least one picture was decoded);
  // nothing plays while the display's UseMovie is off.
  bool PlayMovie(const std::string& FileName, int32_t X, int32_t Y, int32_t Width, int32_t Height);
  // The same with the sound going to Sound, or nowhere when it is nullptr.
  bool PlayMovie(const std::string& FileName, int32_t X, int32_t Y, int32_t Width, int32_t Height,
                 AudioStream* Sound);

  bool MoviePlaying() const { return MoviePlaying_; }
  // Where the movie is shown, in board coordinates; empty when none is playing.
  const TRect& MovieRect() const { return MovieRect_; }

 private:
  TPrismDraw& Draw_;
  bool MoviePlaying_ = false;
  TRect MovieRect_;
};

// One movie through a TPrismMovie of the moment, for callers that keep none.
bool PlayMovie(TPrismDraw& Draw, const std::string& FileName, int32_t X, int32_t Y, int32_t Width,
               int32_t Height);
