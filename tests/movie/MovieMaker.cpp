#include "movie/MovieMaker.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <numbers>
#include <stdexcept>

#include "graphics/FfmpegHandles.h"

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/log.h>
#include <libswscale/swscale.h>
}

namespace {

struct OutputCloser {
  void operator()(AVFormatContext* Context) const {
    if (Context->pb && !(Context->oformat->flags & AVFMT_NOFILE)) avio_closep(&Context->pb);
    avformat_free_context(Context);
  }
};
using OutputPtr = std::unique_ptr<AVFormatContext, OutputCloser>;

void Check(int Result, const char* Step) {
  if (Result < 0) {
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(Result, text, sizeof text);
    throw std::runtime_error(std::string("making a movie: ") + Step + ": " + text);
  }
}

template <typename T>
T* Need(T* Pointer, const char* Step) {
  if (!Pointer) throw std::runtime_error(std::string("making a movie: ") + Step);
  return Pointer;
}

struct TEncodedStream {
  CodecPtr Codec;
  AVStream* Stream = nullptr;
};

// Sends Frame (nullptr flushes) and writes every packet that comes out.
void Encode(AVFormatContext& Output, TEncodedStream& Encoded, const AVFrame* Frame) {
  Check(avcodec_send_frame(Encoded.Codec.get(), Frame), "send frame");
  PacketPtr packet(Need(av_packet_alloc(), "packet"));
  for (;;) {
    const int result = avcodec_receive_packet(Encoded.Codec.get(), packet.get());
    if (result == AVERROR(EAGAIN) || result == AVERROR_EOF) return;
    Check(result, "receive packet");
    av_packet_rescale_ts(packet.get(), Encoded.Codec->time_base, Encoded.Stream->time_base);
    packet->stream_index = Encoded.Stream->index;
    Check(av_interleaved_write_frame(&Output, packet.get()), "write packet");
  }
}

TEncodedStream AddVideo(AVFormatContext& Output, const TMovieRecipe& Recipe) {
  const AVCodec* codec = Need(avcodec_find_encoder_by_name(Recipe.VideoCodec.c_str()), "video encoder");
  TEncodedStream encoded;
  encoded.Stream = Need(avformat_new_stream(&Output, nullptr), "video stream");
  encoded.Codec.reset(Need(avcodec_alloc_context3(codec), "video context"));
  AVCodecContext& c = *encoded.Codec;
  c.width = Recipe.Width;
  c.height = Recipe.Height;
  c.time_base = {1, Recipe.FrameRate};
  c.framerate = {Recipe.FrameRate, 1};
  c.pix_fmt = codec->pix_fmts ? codec->pix_fmts[0] : AV_PIX_FMT_YUV420P;
  c.gop_size = 12;
  c.max_b_frames = Recipe.MaxBFrames;
  c.bit_rate = 1500000;
  // A fixed fine quantiser keeps solid colours close to what was asked for.
  c.flags |= AV_CODEC_FLAG_QSCALE;
  c.global_quality = FF_QP2LAMBDA * 2;
  c.thread_count = 1;
  if (Output.oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(&c, codec, nullptr), "open video encoder");
  Check(avcodec_parameters_from_context(encoded.Stream->codecpar, &c), "video parameters");
  encoded.Stream->time_base = c.time_base;
  return encoded;
}

TEncodedStream AddAudio(AVFormatContext& Output, const TMovieRecipe& Recipe) {
  const AVCodec* codec = Need(avcodec_find_encoder_by_name(Recipe.AudioCodec.c_str()), "audio encoder");
  TEncodedStream encoded;
  encoded.Stream = Need(avformat_new_stream(&Output, nullptr), "audio stream");
  encoded.Codec.reset(Need(avcodec_alloc_context3(codec), "audio context"));
  AVCodecContext& c = *encoded.Codec;
  c.sample_fmt = AV_SAMPLE_FMT_S16;
  c.sample_rate = Recipe.SampleRate;
  c.ch_layout = AV_CHANNEL_LAYOUT_MONO;
  c.bit_rate = 64000;
  c.time_base = {1, Recipe.SampleRate};
  if (Output.oformat->flags & AVFMT_GLOBALHEADER) c.flags |= AV_CODEC_FLAG_GLOBAL_HEADER;
  Check(avcodec_open2(&c, codec, nullptr), "open audio encoder");
  Check(avcodec_parameters_from_context(encoded.Stream->codecpar, &c), "audio parameters");
  encoded.Stream->time_base = c.time_base;
  return encoded;
}

// Draws picture Index in RGB and converts it into the encoder's pixel format.
void PaintPicture(const TMovieRecipe& Recipe, int Index, AVFrame& Rgb, AVFrame& Picture,
                  SwsContext& Converter) {
  Check(av_frame_make_writable(&Rgb), "writable picture");
  Check(av_frame_make_writable(&Picture), "writable picture");
  for (int y = 0; y < Recipe.Height; ++y) {
    uint8_t* row = Rgb.data[0] + size_t(y) * size_t(Rgb.linesize[0]);
    for (int x = 0; x < Recipe.Width; ++x) {
      const TMovieRgb colour = Recipe.Pixel(Index, x, y);
      row[3 * x] = colour.Red;
      row[3 * x + 1] = colour.Green;
      row[3 * x + 2] = colour.Blue;
    }
  }
  sws_scale(&Converter, Rgb.data, Rgb.linesize, 0, Recipe.Height, Picture.data, Picture.linesize);
  Picture.pts = Index;
}

FramePtr PictureFrame(int Format, int Width, int Height) {
  FramePtr frame(Need(av_frame_alloc(), "frame"));
  frame->format = Format;
  frame->width = Width;
  frame->height = Height;
  Check(av_frame_get_buffer(frame.get(), 0), "picture buffer");
  return frame;
}

// Feeds the tone up to sample EndSample, in the encoder's frame size (the last one padded with
// silence when the encoder needs whole frames).
class TToneWriter {
 public:
  TToneWriter(const TMovieRecipe& Recipe, TEncodedStream& Encoded)
      : Recipe_(Recipe), Encoded_(Encoded) {
    const AVCodecContext& c = *Encoded.Codec;
    Variable_ = c.frame_size <= 0 || (c.codec->capabilities & AV_CODEC_CAP_VARIABLE_FRAME_SIZE);
    FrameSize_ = Variable_ ? 1024 : c.frame_size;
    Frame_.reset(Need(av_frame_alloc(), "sound frame"));
    Frame_->format = c.sample_fmt;
    Frame_->sample_rate = c.sample_rate;
    Frame_->nb_samples = FrameSize_;
    Check(av_channel_layout_copy(&Frame_->ch_layout, &c.ch_layout), "sound layout");
    Check(av_frame_get_buffer(Frame_.get(), 0), "sound buffer");
  }

  void WriteUntil(AVFormatContext& Output, int64_t EndSample, int64_t LastSample) {
    while (Next_ < EndSample && Next_ < LastSample) {
      Check(av_frame_make_writable(Frame_.get()), "writable sound");
      // Encoders of any frame size take a short last frame; the others get it padded.
      Frame_->nb_samples = Variable_ ? int(std::min<int64_t>(FrameSize_, LastSample - Next_)) : FrameSize_;
      auto* samples = reinterpret_cast<int16_t*>(Frame_->data[0]);
      for (int i = 0; i < Frame_->nb_samples; ++i) {
        const int64_t n = Next_ + i;
        const double phase = 2 * std::numbers::pi * Recipe_.ToneHz * double(n) / Recipe_.SampleRate;
        samples[i] = n < LastSample ? int16_t(std::lround(Recipe_.ToneAmplitude * std::sin(phase))) : 0;
      }
      Frame_->pts = Next_;
      Encode(Output, Encoded_, Frame_.get());
      Next_ += Frame_->nb_samples;
    }
  }

 private:
  const TMovieRecipe& Recipe_;
  TEncodedStream& Encoded_;
  bool Variable_ = false;
  int FrameSize_ = 1024;
  FramePtr Frame_;
  int64_t Next_ = 0;
};

}  // namespace

bool HaveEncoder(const std::string& Name) { return avcodec_find_encoder_by_name(Name.c_str()); }

void MakeMovie(const std::string& FileName, const TMovieRecipe& Recipe) {
  // The muxer's advice about disc-compliant buffer sizes is no concern of a test movie.
  if (av_log_get_level() > AV_LOG_ERROR) av_log_set_level(AV_LOG_ERROR);
  AVFormatContext* raw = nullptr;
  Check(avformat_alloc_output_context2(&raw, nullptr, Recipe.Container.c_str(), FileName.c_str()),
        "container");
  OutputPtr output(Need(raw, "container"));
  TEncodedStream video = AddVideo(*output, Recipe);
  TEncodedStream audio;
  if (!Recipe.AudioCodec.empty()) audio = AddAudio(*output, Recipe);
  if (!(output->oformat->flags & AVFMT_NOFILE)) {
    Check(avio_open(&output->pb, FileName.c_str(), AVIO_FLAG_WRITE), "open file");
  }
  Check(avformat_write_header(output.get(), nullptr), "header");

  FramePtr rgb = PictureFrame(AV_PIX_FMT_RGB24, Recipe.Width, Recipe.Height);
  FramePtr picture = PictureFrame(video.Codec->pix_fmt, Recipe.Width, Recipe.Height);
  ScalerPtr converter(Need(sws_getContext(Recipe.Width, Recipe.Height, AV_PIX_FMT_RGB24, Recipe.Width,
                                          Recipe.Height, video.Codec->pix_fmt, SWS_POINT, nullptr,
                                          nullptr, nullptr),
                           "converter"));
  std::unique_ptr<TToneWriter> tone;
  if (audio.Codec) tone = std::make_unique<TToneWriter>(Recipe, audio);
  const int64_t lastSample = int64_t(Recipe.Frames) * Recipe.SampleRate / Recipe.FrameRate;
  for (int i = 0; i < Recipe.Frames; ++i) {
    if (tone) tone->WriteUntil(*output, int64_t(i + 1) * Recipe.SampleRate / Recipe.FrameRate, lastSample);
    PaintPicture(Recipe, i, *rgb, *picture, *converter);
    Encode(*output, video, picture.get());
  }
  if (tone) tone->WriteUntil(*output, lastSample, lastSample);
  Encode(*output, video, nullptr);
  if (audio.Codec) Encode(*output, audio, nullptr);
  Check(av_write_trailer(output.get()), "trailer");
}
