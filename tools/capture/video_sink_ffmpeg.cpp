// The video file through FFmpeg's libraries: H.264 from libx264 and AAC in
// an MP4 or Matroska file, written so that the same frames give the same bytes.
#include <algorithm>
#include <cstdarg>
#include <csignal>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <mutex>
#include <system_error>
#include <thread>
#include <vector>

extern "C" {
#include <libavcodec/avcodec.h>
#include <libavformat/avformat.h>
#include <libavutil/channel_layout.h>
#include <libavutil/opt.h>
#include <libswscale/swscale.h>
}

#include "music/sound/sound.h"
#include "tools/capture/frame_pipe.h"
#include "tools/capture/show_audio.h"
#include "tools/capture/video_sink.h"

namespace {

// x264 splits its work over a fixed number of threads: its output depends on
// that number, so a machine-dependent count would change the bytes.
constexpr int x264Threads = 4;
constexpr int audioBitRate = 192000;

// The libraries' own last complaint (x264 says why it refuses a size), kept
// for our one line instead of going to stderr as it comes.
std::mutex complaintLock;
std::string lastComplaint;

void keepComplaint(void* source, int level, const char* format, va_list args)
{
    if (level > AV_LOG_ERROR)
        return;
    char line[512];
    int prefix = 0;  // no "[libx264 @ 0x...]"
    av_log_format_line2(source, level, format, args, line, sizeof line, &prefix);
    std::string text = line;
    while (!text.empty() && (text.back() == '\n' || text.back() == ' '))
        text.pop_back();
    std::lock_guard<std::mutex> held(complaintLock);
    lastComplaint = text;
}

std::string avError(int code)
{
    char text[AV_ERROR_MAX_STRING_SIZE] = {};
    av_strerror(code, text, sizeof text);
    return text;
}

// What went wrong in a call that the library explains better than its code.
std::string complaintOr(int code)
{
    std::lock_guard<std::mutex> held(complaintLock);
    std::string text;
    text.swap(lastComplaint);
    return text.empty() ? avError(code) : text;
}

void forgetComplaint()
{
    std::lock_guard<std::mutex> held(complaintLock);
    lastComplaint.clear();
}

class FfmpegVideoSink final : public VideoSink {
public:
    explicit FfmpegVideoSink(const VideoPlan& plan) : plan(plan) {}
    ~FfmpegVideoSink() override;

    bool open(SoundLayer& music, std::string& error, int& exitCode);
    uint8_t* frameBuffer() override;
    void submitFrame() override;
    std::string failure() override;
    bool finish(std::string& error) override;

private:
    bool openEncoders(std::string& error, int& exitCode);
    void encodeLoop();
    bool encodePicture(const uint8_t* bottomUpBgra);
    bool encodeAudioUpTo(uint64_t end, bool last);
    bool encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame);
    void fail(const std::string& why);
    void removeFile();

    VideoPlan plan;
    std::vector<float> pcm;  // interleaved stereo from the first frame's show time to the end
    AVFormatContext* format = nullptr;
    AVCodecContext* video = nullptr;
    AVCodecContext* audio = nullptr;
    AVStream* videoStream = nullptr;
    AVStream* audioStream = nullptr;
    SwsContext* scaler = nullptr;
    AVFrame* picture = nullptr;
    AVFrame* sound = nullptr;
    AVPacket* packet = nullptr;
    std::unique_ptr<FramePipe> pipe;
    uint8_t* filling = nullptr;
    std::thread encoder;
    std::mutex failureLock;
    std::string failureText;
    bool fileCreated = false;
    bool finished = false;
    // The encoder's thread owns these until finish joins it.
    uint64_t videoFrames = 0;
    uint64_t audioFrames = 0;
    int audioBlock = 0;  // samples the AAC encoder takes at a time
};

FfmpegVideoSink::~FfmpegVideoSink()
{
    if (encoder.joinable()) {
        pipe->close();
        encoder.join();
    }
    if (!finished)
        removeFile();
    sws_freeContext(scaler);
    av_frame_free(&picture);
    av_frame_free(&sound);
    av_packet_free(&packet);
    avcodec_free_context(&video);
    avcodec_free_context(&audio);
    avformat_free_context(format);
}

void FfmpegVideoSink::removeFile()
{
    if (format && format->pb)
        avio_closep(&format->pb);
    if (!fileCreated)
        return;
    fileCreated = false;
    // Only a regular file gets here (open refuses anything else), so this
    // never takes a device or a folder with it.
    std::remove(plan.path.c_str());
}

void FfmpegVideoSink::fail(const std::string& why)
{
    std::lock_guard<std::mutex> held(failureLock);
    if (failureText.empty())
        failureText = why;
}

std::string FfmpegVideoSink::failure()
{
    std::lock_guard<std::mutex> held(failureLock);
    return failureText;
}

bool FfmpegVideoSink::openEncoders(std::string& error, int& exitCode)
{
    exitCode = 1;
    const AVCodec* h264 = avcodec_find_encoder_by_name("libx264");
    const AVCodec* aac = avcodec_find_encoder(AV_CODEC_ID_AAC);
    if (!h264 || !aac) {
        error = std::string("this FFmpeg has no ") + (h264 ? "AAC" : "libx264 (H.264)") + " encoder";
        return false;
    }
    const bool globalHeader = (format->oformat->flags & AVFMT_GLOBALHEADER) != 0;

    video = avcodec_alloc_context3(h264);
    audio = avcodec_alloc_context3(aac);
    if (!video || !audio) {
        error = "out of memory for the encoders";
        return false;
    }
    video->width = plan.width;
    video->height = plan.height;
    video->pix_fmt = AV_PIX_FMT_YUV420P;
    video->time_base = AVRational{static_cast<int>(plan.rate.den), static_cast<int>(plan.rate.num)};
    video->framerate = AVRational{static_cast<int>(plan.rate.num), static_cast<int>(plan.rate.den)};
    // A key frame every two seconds or so keeps seeking quick.
    video->gop_size = static_cast<int>((2 * plan.rate.num + plan.rate.den - 1) / plan.rate.den);
    video->thread_count = x264Threads;
    video->color_range = AVCOL_RANGE_MPEG;
    video->color_primaries = AVCOL_PRI_BT709;
    video->color_trc = AVCOL_TRC_BT709;
    video->colorspace = AVCOL_SPC_BT709;
    video->flags |= AV_CODEC_FLAG_BITEXACT | (globalHeader ? AV_CODEC_FLAG_GLOBAL_HEADER : 0);
    av_opt_set(video->priv_data, "preset", "veryfast", 0);
    av_opt_set_double(video->priv_data, "crf", plan.crf, 0);
    forgetComplaint();
    int rc = avcodec_open2(video, h264, nullptr);
    if (rc < 0) {
        // What it was given is what was asked for: the size, the rate, the quality.
        error = "the H.264 encoder refuses " + std::to_string(plan.width) + "x" + std::to_string(plan.height) +
                ": " + complaintOr(rc);
        exitCode = 2;
        return false;
    }

    audio->sample_fmt = AV_SAMPLE_FMT_FLTP;
    audio->sample_rate = static_cast<int>(soundRate);
    av_channel_layout_default(&audio->ch_layout, 2);
    audio->bit_rate = audioBitRate;
    audio->time_base = AVRational{1, static_cast<int>(soundRate)};
    audio->flags |= AV_CODEC_FLAG_BITEXACT | (globalHeader ? AV_CODEC_FLAG_GLOBAL_HEADER : 0);
    forgetComplaint();
    rc = avcodec_open2(audio, aac, nullptr);
    if (rc < 0) {
        error = "the AAC encoder does not open: " + complaintOr(rc);
        return false;
    }

    videoStream = avformat_new_stream(format, nullptr);
    audioStream = avformat_new_stream(format, nullptr);
    if (!videoStream || !audioStream || avcodec_parameters_from_context(videoStream->codecpar, video) < 0 ||
        avcodec_parameters_from_context(audioStream->codecpar, audio) < 0) {
        error = "cannot set up the streams";
        return false;
    }
    videoStream->time_base = video->time_base;
    videoStream->avg_frame_rate = video->framerate;
    audioStream->time_base = audio->time_base;

    // The picture comes as full-range RGB and is stored the way HD video is.
    scaler = sws_getContext(plan.width, plan.height, AV_PIX_FMT_BGRA, plan.width, plan.height, AV_PIX_FMT_YUV420P,
                            SWS_BICUBIC | SWS_ACCURATE_RND | SWS_BITEXACT, nullptr, nullptr, nullptr);
    if (!scaler) {
        error = "cannot set up the colour conversion";
        return false;
    }
    const int* bt709 = sws_getCoefficients(SWS_CS_ITU709);
    sws_setColorspaceDetails(scaler, bt709, 1, bt709, 0, 0, 1 << 16, 1 << 16);

    picture = av_frame_alloc();
    sound = av_frame_alloc();
    packet = av_packet_alloc();
    if (!picture || !sound || !packet) {
        error = "out of memory for the frames";
        return false;
    }
    picture->format = video->pix_fmt;
    picture->width = plan.width;
    picture->height = plan.height;
    sound->format = audio->sample_fmt;
    sound->sample_rate = audio->sample_rate;
    av_channel_layout_copy(&sound->ch_layout, &audio->ch_layout);
    audioBlock = audio->frame_size > 0 ? audio->frame_size : 1024;
    sound->nb_samples = audioBlock;
    if (av_frame_get_buffer(picture, 0) < 0 || av_frame_get_buffer(sound, 0) < 0) {
        error = "out of memory for the frames";
        return false;
    }
    return true;
}

bool FfmpegVideoSink::open(SoundLayer& music, std::string& error, int& exitCode)
{
    std::error_code status;
    const auto kind = std::filesystem::status(plan.path, status).type();
    if (kind != std::filesystem::file_type::not_found && kind != std::filesystem::file_type::regular &&
        kind != std::filesystem::file_type::none) {
        error = "--video: " + plan.path + " is there and is not a file";
        exitCode = 2;
        return false;
    }
    // Through the file protocol whatever the name holds: "a:b.mp4" is a
    // file, not a protocol that FFmpeg would go looking for.
    const std::string url = "file:" + plan.path;
    if (avformat_alloc_output_context2(&format, nullptr, nullptr, url.c_str()) < 0 || !format) {
        error = "--video: no container for " + plan.path;
        exitCode = 2;
        return false;
    }
    format->flags |= AVFMT_FLAG_BITEXACT;  // no version strings, dates or random ids
    if (!openEncoders(error, exitCode))
        return false;

    exitCode = 1;
    const uint64_t first = sampleFrameAt(plan.firstFrameMs);
    if (!readShowAudio(music, first, sampleFrameAt(plan.endMs), pcm, error))
        return false;

    // A file-size limit becomes an ordinary write error, which removes the
    // half-written file, instead of a signal that ends the program.
    std::signal(SIGXFSZ, SIG_IGN);
    int rc = avio_open(&format->pb, url.c_str(), AVIO_FLAG_WRITE);
    if (rc < 0) {
        error = "cannot write " + plan.path + ": " + avError(rc);
        exitCode = 2;
        return false;
    }
    fileCreated = true;
    AVDictionary* options = nullptr;
    // The index at the front, so that a player starts before it has the whole file.
    if (std::strcmp(format->oformat->name, "mp4") == 0)
        av_dict_set(&options, "movflags", "+faststart", 0);
    rc = avformat_write_header(format, &options);
    av_dict_free(&options);
    if (rc < 0) {
        error = "cannot write " + plan.path + ": " + avError(rc);
        return false;
    }

    const size_t frameBytes = static_cast<size_t>(plan.width) * static_cast<size_t>(plan.height) * 4;
    pipe = std::make_unique<FramePipe>(frameBytes, pipeDepthFor(frameBytes));
    encoder = std::thread(&FfmpegVideoSink::encodeLoop, this);
    return true;
}

uint8_t* FfmpegVideoSink::frameBuffer()
{
    if (!filling)
        filling = pipe->acquire();
    return filling;
}

void FfmpegVideoSink::submitFrame()
{
    if (filling)
        pipe->submit(filling);
    filling = nullptr;
}

void FfmpegVideoSink::encodeLoop()
{
    while (uint8_t* frame = pipe->next()) {
        const bool ok = encodePicture(frame);
        pipe->release(frame);
        if (!ok) {
            pipe->close();
            return;
        }
    }
}

bool FfmpegVideoSink::encodePicture(const uint8_t* bottomUpBgra)
{
    const int stride = plan.width * 4;
    // Read from the last row up: the file's first row is the picture's top.
    const uint8_t* rows[1] = {bottomUpBgra + static_cast<size_t>(plan.height - 1) * stride};
    const int strides[1] = {-stride};
    const int rc = av_frame_make_writable(picture);
    if (rc < 0) {
        fail("out of memory for a frame: " + avError(rc));
        return false;
    }
    sws_scale(scaler, rows, strides, 0, plan.height, picture->data, picture->linesize);
    picture->pts = static_cast<int64_t>(videoFrames);
    if (!encode(video, videoStream, picture))
        return false;
    ++videoFrames;
    // The music keeps pace with the pictures, so the file interleaves evenly.
    return encodeAudioUpTo(samplesInFrames(videoFrames, plan.rate), false);
}

bool FfmpegVideoSink::encodeAudioUpTo(uint64_t end, bool last)
{
    end = std::min<uint64_t>(end, pcm.size() / 2);
    const int frameSize = audioBlock;
    const bool shortLastFrame = (audio->codec->capabilities & AV_CODEC_CAP_SMALL_LAST_FRAME) != 0;
    while (audioFrames < end) {
        const uint64_t left = end - audioFrames;
        if (left < static_cast<uint64_t>(frameSize) && !last)
            return true;
        const int count = left < static_cast<uint64_t>(frameSize) ? static_cast<int>(left) : frameSize;
        int rc = av_frame_make_writable(sound);
        if (rc < 0) {
            fail("out of memory for the sound: " + avError(rc));
            return false;
        }
        // Interleaved to one plane a channel, as the AAC encoder takes it.
        const float* in = pcm.data() + audioFrames * 2;
        float* leftPlane = reinterpret_cast<float*>(sound->data[0]);
        float* rightPlane = reinterpret_cast<float*>(sound->data[1]);
        for (int i = 0; i < count; ++i) {
            leftPlane[i] = in[2 * i];
            rightPlane[i] = in[2 * i + 1];
        }
        sound->nb_samples = count;
        if (count < frameSize && !shortLastFrame) {
            // An encoder that takes only whole frames gets silence after the end.
            for (int channel = 0; channel < 2; ++channel) {
                float* samples = reinterpret_cast<float*>(sound->data[channel]);
                std::fill(samples + count, samples + frameSize, 0.0f);
            }
            sound->nb_samples = frameSize;
        }
        sound->pts = static_cast<int64_t>(audioFrames);
        if (!encode(audio, audioStream, sound))
            return false;
        audioFrames += static_cast<uint64_t>(count);
    }
    return true;
}

bool FfmpegVideoSink::encode(AVCodecContext* codec, AVStream* stream, const AVFrame* frame)
{
    int rc = avcodec_send_frame(codec, frame);
    if (rc < 0) {
        fail(std::string("the ") + (codec == video ? "H.264" : "AAC") + " encoder failed: " + avError(rc));
        return false;
    }
    for (;;) {
        rc = avcodec_receive_packet(codec, packet);
        if (rc == AVERROR(EAGAIN) || rc == AVERROR_EOF)
            return true;
        if (rc < 0) {
            fail(std::string("the ") + (codec == video ? "H.264" : "AAC") + " encoder failed: " + avError(rc));
            return false;
        }
        av_packet_rescale_ts(packet, codec->time_base, stream->time_base);
        packet->stream_index = stream->index;
        rc = av_interleaved_write_frame(format, packet);
        if (rc < 0) {
            fail("cannot write " + plan.path + ": " + avError(rc));
            return false;
        }
    }
}

bool FfmpegVideoSink::finish(std::string& error)
{
    if (filling) {
        pipe->release(filling);  // taken but never drawn into
        filling = nullptr;
    }
    pipe->finish();
    encoder.join();
    if (failureText.empty() && videoFrames == 0)
        fail("no frame was drawn");
    if (failureText.empty()) {
        // The music under the frames: all of it after a whole capture, whose
        // last frame reaches --to; after a stop, as far as the frames go.
        if (encodeAudioUpTo(samplesInFrames(videoFrames, plan.rate), true) && encode(audio, audioStream, nullptr) &&
            encode(video, videoStream, nullptr)) {
            int rc = av_write_trailer(format);
            if (rc >= 0 && format->pb->error < 0)
                rc = format->pb->error;
            const int closed = avio_closep(&format->pb);  // lets go of the file either way
            if (rc < 0 || closed < 0)
                fail("cannot write " + plan.path + ": " + avError(rc < 0 ? rc : closed));
        }
    }
    if (!failureText.empty()) {
        error = failureText;
        removeFile();
        return false;
    }
    finished = true;
    return true;
}

}  // namespace

std::unique_ptr<VideoSink> openVideoSink(const VideoPlan& plan, SoundLayer& sound, std::string& error,
                                         int& exitCode)
{
    av_log_set_callback(keepComplaint);  // failures get one line of ours
    auto sink = std::make_unique<FfmpegVideoSink>(plan);
    if (!sink->open(sound, error, exitCode))
        return nullptr;
    return sink;
}
