#include "graphics/PrismMovie.h"

#include <algorithm>
#include <cstring>
#include <deque>
#include <memory>
#include <mutex>
#include <vector>

#include "graphics/FfmpegHandles.h"
#include "graphics/PrismBoard.h"
#include "graphics/PrismDraw.h"
#include "platform/Platform.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libavutil/mem.h>
#include <libswresample/swresample.h>
#include <libswscale/swscale.h>
}

namespace {

// The sound as the audio device takes it.
constexpr int SoundRate = 44100, SoundChannels = 2;
// Sound stamped with a rate outside these is damaged; a tiny rate would stretch a few samples
// into hours of queued sound.
constexpr int MinSampleRate = 4000, MaxSampleRate = 768000;

// A movie is shown at most this large on either side: the board is 320x240, and a script's size
// must not turn into a huge buffer.
constexpr int32_t MaxMovieSide = 2048;
// Pictures larger than this on either side are taken for a damaged stream and not shown.
constexpr int MaxPictureSide = 8192;
// A picture stamped further than this after the one before has a damaged stamp.
constexpr double MaxTimeGapMs = 5000.0;
// A picture stays on screen at most this long after the last one, for the movie's end.
constexpr double MaxPictureMs = 1000.0;
// Decoding runs ahead of the picture only to keep this much sound queued, and never by more than
// MaxPicturesAhead pictures.
constexpr double SoundLeadMs = 250.0;
constexpr size_t MaxPicturesAhead = 16;
// After the last picture, the queued sound gets this long past its own end to play out.
constexpr double SoundTailSlackMs = 500.0;
// Read errors in a row after which the rest of the file is given up.
constexpr int MaxReadErrors = 16;

// Only containers that hold movies are opened, and only from local files, so a file that
// pretends to be a playlist cannot make the player read other files or the network.
constexpr const char* MovieFormats =
    "avi,mpeg,mpegts,mpegvideo,m4v,mov,matroska,asf,flv,ogg,h261,h263,h264,hevc,mjpeg";

struct FormatCloser {
  void operator()(AVFormatContext* Context) const { avformat_close_input(&Context); }
};
struct ResamplerFreer {
  void operator()(SwrContext* Context) const { swr_free(&Context); }
};
struct AvMemoryFreer {
  void operator()(void* Memory) const { av_free(Memory); }
};
struct DictionaryFreer {
  void operator()(AVDictionary* Dictionary) const { av_dict_free(&Dictionary); }
};

using FormatPtr = std::unique_ptr<AVFormatContext, FormatCloser>;
using ResamplerPtr = std::unique_ptr<SwrContext, ResamplerFreer>;
using AvBuffer = std::unique_ptr<uint8_t, AvMemoryFreer>;

// The player keeps no log; a damaged movie is skipped without a word.
void QuietLibraries() {
  static std::once_flag once;
  std::call_once(once, [] { av_log_set_level(AV_LOG_QUIET); });
}

FramePtr NewFrame() {
  FramePtr frame(av_frame_alloc());
  if (!frame) throw std::bad_alloc();
  return frame;
}

FormatPtr OpenMovieFile(const std::string& FileName) {
  AVDictionary* raw = nullptr;
  av_dict_set(&raw, "protocol_whitelist", "file", 0);
  av_dict_set(&raw, "format_whitelist", MovieFormats, 0);
  std::unique_ptr<AVDictionary, DictionaryFreer> options(raw);
  // The protocol is spelled out so that a name with a colon is never taken for a URL.
  const std::string url = "file:" + FileName;
  AVFormatContext* context = nullptr;
  raw = options.release();
  const int result = avformat_open_input(&context, url.c_str(), nullptr, &raw);
  options.reset(raw);
  if (result < 0) return nullptr;
  FormatPtr format(context);
  if (avformat_find_stream_info(format.get(), nullptr) < 0) return nullptr;
  return format;
}

CodecPtr OpenDecoder(const AVStream& Stream, const AVCodec& Codec) {
  CodecPtr context(avcodec_alloc_context3(&Codec));
  if (!context) return nullptr;
  if (avcodec_parameters_to_context(context.get(), Stream.codecpar) < 0) return nullptr;
  // One thread: a movie of this size decodes in a fraction of a core, and frame threads would
  // only hold pictures back.
  context->thread_count = 1;
  context->pkt_timebase = Stream.time_base;
  if (avcodec_open2(context.get(), &Codec, nullptr) < 0) return nullptr;
  return context;
}

// One decoded picture and the time, in milliseconds from the movie's start, at which it is due.
struct TMoviePicture {
  FramePtr Frame;
  double TimeMs = 0;
};

// Reads a movie file packet by packet: pictures are kept in display order with their due times,
// sound (when there is somewhere to send it) is resampled and queued as soon as it is decoded.
class TMovieDecoder {
 public:
  TMovieDecoder() = default;
  ~TMovieDecoder() { av_channel_layout_uninit(&ResamplerLayout_); }
  TMovieDecoder(const TMovieDecoder&) = delete;
  TMovieDecoder& operator=(const TMovieDecoder&) = delete;

  bool Open(const std::string& FileName) {
    Format_ = OpenMovieFile(FileName);
    if (!Format_) return false;
    const AVCodec* videoCodec = nullptr;
    VideoIndex_ = av_find_best_stream(Format_.get(), AVMEDIA_TYPE_VIDEO, -1, -1, &videoCodec, 0);
    if (VideoIndex_ < 0 || !videoCodec) return false;
    const AVStream& video = *Format_->streams[VideoIndex_];
    Video_ = OpenDecoder(video, *videoCodec);
    if (!Video_) return false;
    VideoTimeBase_ = av_q2d(video.time_base);
    const AVRational rate = av_guess_frame_rate(Format_.get(), Format_->streams[VideoIndex_], nullptr);
    if (rate.num > 0 && rate.den > 0) {
      PictureMs_ = std::clamp(1000.0 / av_q2d(rate), 1.0, MaxPictureMs);
    }
    if (Format_->start_time != AV_NOPTS_VALUE) StartMs_ = double(Format_->start_time) / 1000.0;
    Packet_.reset(av_packet_alloc());
    Received_ = NewFrame();
    if (!Packet_) return false;
    AudioIndex_ = av_find_best_stream(Format_.get(), AVMEDIA_TYPE_AUDIO, -1, VideoIndex_, nullptr, 0);
    return true;
  }

  bool HasSound() const { return AudioIndex_ >= 0; }

  // Sound is decoded only when it has somewhere to go. A movie whose sound cannot be decoded
  // still plays, silent.
  void SendSoundTo(AudioStream* Sound) {
    if (!Sound || AudioIndex_ < 0) return;
    const AVStream& stream = *Format_->streams[AudioIndex_];
    const AVCodec* codec = avcodec_find_decoder(stream.codecpar->codec_id);
    if (!codec) return;
    Audio_ = OpenDecoder(stream, *codec);
    AudioTimeBase_ = av_q2d(stream.time_base);
    Sound_ = Sound;
  }

  bool AtEnd() const { return AtEnd_; }
  std::deque<TMoviePicture>& Pictures() { return Pictures_; }
  // When the last picture decoded so far stops being shown.
  double VideoEndMs() const { return LastPictureMs_ + PictureMs_; }
  // When the sound queued so far has played out, if the device started with the movie.
  double SoundEndMs() const { return double(SoundFramesQueued_) * 1000.0 / SoundRate; }

  // Reads one packet and decodes what it holds; at the end of the file, drains the decoders.
  void ReadNext() {
    if (AtEnd_) return;
    const int result = av_read_frame(Format_.get(), Packet_.get());
    if (result < 0) {
      if (result != AVERROR_EOF && ++ReadErrors_ < MaxReadErrors) return;
      Drain();
      return;
    }
    ReadErrors_ = 0;
    if (Packet_->stream_index == VideoIndex_) {
      DecodeVideo(Packet_.get());
    } else if (Sound_ && Audio_ && Packet_->stream_index == AudioIndex_) {
      DecodeAudio(Packet_.get());
    }
    av_packet_unref(Packet_.get());
  }

  // Of the pictures whose time has come, only the latest is worth keeping.
  void DropSuperseded(double NowMs) {
    while (Pictures_.size() >= 2 && Pictures_[1].TimeMs <= NowMs) Pictures_.pop_front();
  }

 private:
  void Drain() {
    AtEnd_ = true;
    DecodeVideo(nullptr);
    if (Sound_ && Audio_) DecodeAudio(nullptr);
    if (Resampler_) QueueResampled(nullptr, 0);
  }

  void DecodeVideo(const AVPacket* Packet) {
    // A damaged packet is refused and the next one tried; the decoder resynchronises itself.
    if (avcodec_send_packet(Video_.get(), Packet) < 0 && Packet) return;
    while (avcodec_receive_frame(Video_.get(), Received_.get()) >= 0) {
      if (IsShowable(*Received_)) {
        const double timeMs = PictureTime(*Received_);
        Pictures_.push_back({std::move(Received_), timeMs});
        Received_ = NewFrame();
      } else {
        av_frame_unref(Received_.get());
      }
    }
  }

  static bool IsShowable(const AVFrame& Frame) {
    return Frame.width > 0 && Frame.height > 0 && Frame.width <= MaxPictureSide &&
           Frame.height <= MaxPictureSide && Frame.format != AV_PIX_FMT_NONE;
  }

  // Times never go back, and a stamp that leaps far ahead is taken for damage: the picture then
  // follows the last one at the movie's frame rate, so a broken file cannot freeze the screen
  // on a picture whose time never comes.
  double PictureTime(const AVFrame& Frame) {
    const double earliest = HavePicture_ ? LastPictureMs_ : 0.0;
    const double following = HavePicture_ ? LastPictureMs_ + PictureMs_ : 0.0;
    double timeMs = following;
    if (Frame.best_effort_timestamp != AV_NOPTS_VALUE) {
      const double stamped = double(Frame.best_effort_timestamp) * VideoTimeBase_ * 1000.0 - StartMs_;
      if (stamped <= earliest + MaxTimeGapMs) timeMs = std::max(stamped, earliest);
    }
    HavePicture_ = true;
    LastPictureMs_ = timeMs;
    return timeMs;
  }

  void DecodeAudio(const AVPacket* Packet) {
    if (avcodec_send_packet(Audio_.get(), Packet) < 0 && Packet) return;
    while (avcodec_receive_frame(Audio_.get(), Received_.get()) >= 0) {
      QueueSound(*Received_);
      av_frame_unref(Received_.get());
    }
  }

  void QueueSound(const AVFrame& Frame) {
    if (!PrepareResampler(Frame)) return;
    if (!SoundStarted_) {
      SoundStarted_ = true;
      QueueSilenceUntil(Frame);
    }
    QueueResampled(const_cast<const uint8_t**>(Frame.extended_data), Frame.nb_samples);
  }

  // Sound that begins after the movie's start is preceded by as much silence, so that it keeps
  // its place against the pictures.
  void QueueSilenceUntil(const AVFrame& Frame) {
    if (Frame.best_effort_timestamp == AV_NOPTS_VALUE) return;
    const double startMs = double(Frame.best_effort_timestamp) * AudioTimeBase_ * 1000.0 - StartMs_;
    if (!(startMs > 0 && startMs <= MaxTimeGapMs)) return;
    const size_t frames = size_t(startMs * SoundRate / 1000.0);
    const std::vector<int16_t> silence(frames * SoundChannels, 0);
    Sound_->Queue(silence.data(), frames);
    SoundFramesQueued_ += frames;
  }

  bool PrepareResampler(const AVFrame& Frame) {
    AVChannelLayout layout{};
    const int channels = Frame.ch_layout.nb_channels;
    if (channels <= 0 || channels > 64 || Frame.sample_rate < MinSampleRate ||
        Frame.sample_rate > MaxSampleRate ||
        Frame.nb_samples <= 0) {
      return false;
    }
    if (Frame.ch_layout.order == AV_CHANNEL_ORDER_UNSPEC) {
      av_channel_layout_default(&layout, channels);
    } else if (av_channel_layout_copy(&layout, &Frame.ch_layout) < 0) {
      return false;
    }
    const bool same = Resampler_ && Frame.format == ResamplerFormat_ &&
                      Frame.sample_rate == ResamplerRate_ &&
                      av_channel_layout_compare(&layout, &ResamplerLayout_) == 0;
    if (same) {
      av_channel_layout_uninit(&layout);
      return true;
    }
    Resampler_.reset();
    av_channel_layout_uninit(&ResamplerLayout_);
    ResamplerLayout_ = layout;
    ResamplerFormat_ = Frame.format;
    ResamplerRate_ = Frame.sample_rate;
    AVChannelLayout stereo = AV_CHANNEL_LAYOUT_STEREO;
    SwrContext* raw = nullptr;
    if (swr_alloc_set_opts2(&raw, &stereo, AV_SAMPLE_FMT_S16, SoundRate, &ResamplerLayout_,
                            AVSampleFormat(Frame.format), Frame.sample_rate, 0, nullptr) < 0) {
      swr_free(&raw);
      return false;
    }
    ResamplerPtr resampler(raw);
    // Mono sound goes to both speakers at its own loudness, not lowered as a centre channel
    // mixed into stereo would be.
    static constexpr double MonoToStereo[2] = {1.0, 1.0};
    if (channels == 1 && swr_set_matrix(resampler.get(), MonoToStereo, 1) < 0) return false;
    if (swr_init(resampler.get()) < 0) return false;
    Resampler_ = std::move(resampler);
    return true;
  }

  // In = nullptr flushes what the resampler still holds.
  void QueueResampled(const uint8_t** In, int InSamples) {
    const int capacity = swr_get_out_samples(Resampler_.get(), InSamples);
    if (capacity <= 0) return;
    Resampled_.resize(size_t(capacity) * SoundChannels);
    uint8_t* out = reinterpret_cast<uint8_t*>(Resampled_.data());
    const int produced = swr_convert(Resampler_.get(), &out, capacity, In, InSamples);
    if (produced <= 0) return;
    Sound_->Queue(Resampled_.data(), size_t(produced));
    SoundFramesQueued_ += size_t(produced);
  }

  AudioStream* Sound_ = nullptr;
  FormatPtr Format_;
  CodecPtr Video_, Audio_;
  PacketPtr Packet_;
  FramePtr Received_;
  int VideoIndex_ = -1, AudioIndex_ = -1;
  double VideoTimeBase_ = 0, AudioTimeBase_ = 0;
  double StartMs_ = 0;
  // Without a usable frame rate a picture lasts what one lasts at 25 per second.
  double PictureMs_ = 40.0;
  bool HavePicture_ = false;
  double LastPictureMs_ = 0;
  bool AtEnd_ = false;
  int ReadErrors_ = 0;
  std::deque<TMoviePicture> Pictures_;

  ResamplerPtr Resampler_;
  AVChannelLayout ResamplerLayout_{};
  int ResamplerFormat_ = -1, ResamplerRate_ = 0;
  bool SoundStarted_ = false;
  size_t SoundFramesQueued_ = 0;
  std::vector<int16_t> Resampled_;
};

TRect Intersection(const TRect& A, const TRect& B) {
  TRect r{std::max(A.Left, B.Left), std::max(A.Top, B.Top), std::min(A.Right, B.Right),
          std::min(A.Bottom, B.Bottom)};
  if (r.Right <= r.Left || r.Bottom <= r.Top) return {};
  return r;
}

// The part of the board a movie covers. It scales each picture into its rectangle, copies what
// falls on the board, and on leaving puts back what the board showed before, as the game screen
// reappears when a movie window closes.
class TMovieScreen {
 public:
  TMovieScreen(TPrismBoard& Board, const TRect& Target)
      : Board_(Board),
        Target_(Target),
        Visible_(Intersection(Target, {0, 0, Board.Width(), Board.Height()})) {
    if (Visible_.Width() <= 0) return;
    Saved_.reserve(size_t(Visible_.Width()) * size_t(Visible_.Height()));
    for (int32_t y = Visible_.Top; y < Visible_.Bottom; ++y) {
      const uint16_t* row = Board_.ScanLine(y) + Visible_.Left;
      Saved_.insert(Saved_.end(), row, row + Visible_.Width());
    }
    // Rows of the staging picture start on 64-byte boundaries for the scaler's wide kernels.
    StagingStride_ = FFALIGN(Target_.Width() * int(sizeof(uint16_t)), 64);
    Staging_.reset(static_cast<uint8_t*>(av_malloc(size_t(StagingStride_) * size_t(Target_.Height()))));
    if (!Staging_) throw std::bad_alloc();
  }

  ~TMovieScreen() {
    const uint16_t* saved = Saved_.data();
    for (int32_t y = Visible_.Top; y < Visible_.Bottom && !Saved_.empty(); ++y) {
      std::copy_n(saved, Visible_.Width(), Board_.ScanLine(y) + Visible_.Left);
      saved += Visible_.Width();
    }
  }

  TMovieScreen(const TMovieScreen&) = delete;
  TMovieScreen& operator=(const TMovieScreen&) = delete;

  void Show(const AVFrame& Picture) {
    if (Visible_.Width() <= 0) return;
    SwsContext* scaler = sws_getCachedContext(
        Scaler_.release(), Picture.width, Picture.height, AVPixelFormat(Picture.format),
        Target_.Width(), Target_.Height(), AV_PIX_FMT_RGB565, SWS_BILINEAR, nullptr, nullptr, nullptr);
    Scaler_.reset(scaler);
    if (!scaler) return;
    uint8_t* planes[4] = {Staging_.get(), nullptr, nullptr, nullptr};
    int strides[4] = {StagingStride_, 0, 0, 0};
    if (sws_scale(scaler, Picture.data, Picture.linesize, 0, Picture.height, planes, strides) <= 0) {
      return;
    }
    CopyVisible();
  }

 private:
  void CopyVisible() {
    const int32_t width = Visible_.Width();
    for (int32_t y = Visible_.Top; y < Visible_.Bottom; ++y) {
      const uint8_t* row = Staging_.get() + size_t(y - Target_.Top) * size_t(StagingStride_);
      std::memcpy(Board_.ScanLine(y) + Visible_.Left,
                  row + size_t(Visible_.Left - Target_.Left) * sizeof(uint16_t),
                  size_t(width) * sizeof(uint16_t));
    }
  }

  TPrismBoard& Board_;
  TRect Target_, Visible_;
  std::vector<uint16_t> Saved_;
  AvBuffer Staging_;
  int StagingStride_ = 0;
  ScalerPtr Scaler_;
};

TRect MovieTarget(int32_t X, int32_t Y, int32_t Width, int32_t Height, const AVFrame& First) {
  const int32_t width = std::min(Width > 0 ? Width : First.width, MaxMovieSide);
  const int32_t height = std::min(Height > 0 ? Height : First.height, MaxMovieSide);
  // Far-off positions are clamped before adding, so the rectangle cannot overflow.
  const int32_t left = std::clamp(X, -4 * MaxMovieSide, 4 * MaxMovieSide);
  const int32_t top = std::clamp(Y, -4 * MaxMovieSide, 4 * MaxMovieSide);
  return {left, top, left + width, top + height};
}

// Marks the movie as playing for its whole run, and on any way out (its end, F12, closing the
// window) clears the mark and restarts the display's schedule, which the movie has held up.
class TPlayingMark {
 public:
  TPlayingMark(TPrismDraw& Draw, bool& Playing, TRect& Rect, const TRect& Target)
      : Draw_(Draw), Playing_(Playing), Rect_(Rect) {
    Playing_ = true;
    Rect_ = Target;
  }
  ~TPlayingMark() {
    Playing_ = false;
    Rect_ = {};
    Draw_.ResetTiming();
  }
  TPlayingMark(const TPlayingMark&) = delete;
  TPlayingMark& operator=(const TPlayingMark&) = delete;

 private:
  TPrismDraw& Draw_;
  bool& Playing_;
  TRect& Rect_;
};

// Plays an opened movie to its end; false when not one picture of it can be decoded.
bool PlayOpened(TPrismDraw& Draw, TMovieDecoder& Decoder, bool& Playing, TRect& Rect, int32_t X,
                int32_t Y, int32_t Width, int32_t Height, AudioStream* Sound) {
  Decoder.SendSoundTo(Sound);
  std::deque<TMoviePicture>& pictures = Decoder.Pictures();
  while (pictures.empty() && !Decoder.AtEnd()) Decoder.ReadNext();
  if (pictures.empty()) return false;

  const TRect target = MovieTarget(X, Y, Width, Height, *pictures.front().Frame);
  const TPlayingMark mark(Draw, Playing, Rect, target);
  TMovieScreen screen(Draw.Board(), target);
  const bool present = !Draw.Device().Headless();
  // Opening the file and priming the Decoder may have taken longer than a frame; the movie's
  // clock starts with a fresh schedule.
  Draw.ResetTiming();
  const uint64_t startMs = Draw.Elapsed();
  FramePtr shown;
  for (;;) {
    Draw.WaitFrame();
    const double nowMs = double(Draw.Elapsed() - startMs);
    auto wantsMore = [&] {
      if (pictures.empty() || pictures.back().TimeMs <= nowMs) return true;
      return Sound && pictures.size() < MaxPicturesAhead &&
             double(Sound->QueuedFrames()) * 1000.0 / SoundRate < SoundLeadMs;
    };
    while (!Decoder.AtEnd() && wantsMore()) {
      Decoder.ReadNext();
      Decoder.DropSuperseded(nowMs);
    }
    Decoder.DropSuperseded(nowMs);
    if (!pictures.empty() && pictures.front().TimeMs <= nowMs) {
      shown = std::move(pictures.front().Frame);
      pictures.pop_front();
      screen.Show(*shown);
    }
    if (present) Draw.Present();
    const bool soundDone = !Sound || Sound->QueuedFrames() == 0 ||
                           nowMs >= Decoder.SoundEndMs() + SoundTailSlackMs;
    if (Decoder.AtEnd() && pictures.empty() && nowMs >= Decoder.VideoEndMs() && soundDone) break;
  }
  return true;
}

}  // namespace

TPrismMovie::TPrismMovie(TPrismDraw& Draw) : Draw_(Draw) {}

bool TPrismMovie::PlayMovie(const std::string& FileName, int32_t X, int32_t Y, int32_t Width,
                            int32_t Height) {
  if (!Draw_.UseMovie) return false;
  QuietLibraries();
  TMovieDecoder decoder;
  if (!decoder.Open(FileName)) return false;
  // The device is opened only for a movie that has sound, and never headless.
  std::unique_ptr<AudioStream> sound;
  if (decoder.HasSound()) sound = OpenAudioStream(SoundRate, SoundChannels, Draw_.Device().Headless());
  return PlayOpened(Draw_, decoder, MoviePlaying_, MovieRect_, X, Y, Width, Height, sound.get());
}

bool TPrismMovie::PlayMovie(const std::string& FileName, int32_t X, int32_t Y, int32_t Width,
                            int32_t Height, AudioStream* Sound) {
  if (!Draw_.UseMovie) return false;
  QuietLibraries();
  TMovieDecoder decoder;
  if (!decoder.Open(FileName)) return false;
  return PlayOpened(Draw_, decoder, MoviePlaying_, MovieRect_, X, Y, Width, Height, Sound);
}

bool PlayMovie(TPrismDraw& Draw, const std::string& FileName, int32_t X, int32_t Y, int32_t Width,
               int32_t Height) {
  TPrismMovie movie(Draw);
  return movie.PlayMovie(FileName, X, Y, Width, Height);
}
