// Owning handles for FFmpeg's objects, so every way out of a decoder or encoder, exceptions
// included, frees them.
#pragma once

#include <memory>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libswscale/swscale.h>
}

struct CodecFreer {
  void operator()(AVCodecContext* Context) const { avcodec_free_context(&Context); }
};
struct FrameFreer {
  void operator()(AVFrame* Frame) const { av_frame_free(&Frame); }
};
struct PacketFreer {
  void operator()(AVPacket* Packet) const { av_packet_free(&Packet); }
};
struct ScalerFreer {
  void operator()(SwsContext* Context) const { sws_freeContext(Context); }
};

using CodecPtr = std::unique_ptr<AVCodecContext, CodecFreer>;
using FramePtr = std::unique_ptr<AVFrame, FrameFreer>;
using PacketPtr = std::unique_ptr<AVPacket, PacketFreer>;
using ScalerPtr = std::unique_ptr<SwsContext, ScalerFreer>;
