// Decoding the show's track and reading its spectrum. The track is
// Data/music.mp3 under the working folder, or the file DUSKWHEEL_TRACK names.
#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "music/sound/resample.h"
#include "music/sound/sound.h"
#include "music/sound/sound_backend.h"
#include "music/sound/spectrum.h"

namespace {

std::string trackPath()
{
    const char* named = std::getenv("DUSKWHEEL_TRACK");
    return named ? named : "Data/music.mp3";
}

void DecodeShowTrack(benchmark::State& state)
{
    const std::string path = trackPath();
    std::vector<float> pcm;
    const char* why = "";
    for (auto _ : state) {
        if (!decodeMp3File(path.c_str(), pcm, why)) {
            state.SkipWithError((path + " " + why).c_str());
            return;
        }
        benchmark::DoNotOptimize(pcm.data());
    }
    state.counters["seconds of music"] = static_cast<double>(pcm.size() / 2) / soundRate;
}
BENCHMARK(DecodeShowTrack)->Unit(benchmark::kMillisecond);

// A track as long as the show's, sampled at 48 kHz, to 44100 Hz.
void ResampleShowLengthFrom48k(benchmark::State& state)
{
    std::vector<float> in(2 * 95 * 48000);
    for (size_t i = 0; i < in.size(); ++i)
        in[i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
    std::vector<float> out;
    for (auto _ : state) {
        resampleTo44100(in, 48000, out);
        benchmark::DoNotOptimize(out.data());
    }
}
BENCHMARK(ResampleShowLengthFrom48k)->Unit(benchmark::kMillisecond);

// One capture as the frame composer makes it: through the sound layer, at
// a new position every time.
void CaptureSpectrum(benchmark::State& state)
{
    SoundLayer layer(platformSoundBackend());
    soundUseExplicitPosition(layer, true);
    soundInit(layer);
    const SoundHandle track = soundStreamFromFile(layer, trackPath().c_str());
    if (track == 0) {
        state.SkipWithError((trackPath() + " " + soundLastFailure(layer)).c_str());
        soundFree(layer);
        return;
    }
    soundPlay(layer, track);
    float bins[spectrumBinCount];
    uint64_t position = soundRate;
    for (auto _ : state) {
        soundSetPosition(layer, position);
        soundSpectrum(layer, track, bins);
        benchmark::DoNotOptimize(bins);
        position = position + 735 < soundLength(layer, track) ? position + 735 : soundRate;  // a 60 Hz frame
    }
    soundFree(layer);
}
BENCHMARK(CaptureSpectrum)->Unit(benchmark::kMicrosecond);

// The mixdown, window, FFT and magnitudes alone, on a made-up signal.
void SpectrumOfPcm(benchmark::State& state)
{
    std::vector<float> pcm(2 * 8192);
    for (size_t i = 0; i < pcm.size(); ++i)
        pcm[i] = static_cast<float>(std::sin(0.05 * static_cast<double>(i)));
    float bins[spectrumBinCount];
    for (auto _ : state) {
        spectrumOfPcm(pcm.data(), 8192, 4096, bins);
        benchmark::DoNotOptimize(bins);
    }
}
BENCHMARK(SpectrumOfPcm)->Unit(benchmark::kMicrosecond);

}  // namespace
