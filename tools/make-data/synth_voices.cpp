#include "tools/make-data/synth_voices.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr double pi = 3.14159265358979323846;

// xorshift32: the same noise for the same seed everywhere.
struct Noise {
    uint32_t state;
    explicit Noise(uint32_t seed) : state(seed * 2654435761u + 0x9e3779b9u) { if (!state) state = 1; }
    float next()
    {
        state ^= state << 13;
        state ^= state >> 17;
        state ^= state << 5;
        return static_cast<float>(state) / 2147483648.0f - 1.0f;
    }
};

// One-pole low-pass with its cutoff in Hz.
struct OnePole {
    float y = 0.0f;
    float step(float x, double cutoff)
    {
        const float a = static_cast<float>(1.0 - std::exp(-2.0 * pi * cutoff / synthRate));
        y += a * (x - y);
        return y;
    }
};

// Chamberlin state-variable filter; band-pass and high-pass outputs.
struct StateVariable {
    float low = 0.0f, band = 0.0f, high = 0.0f;
    void step(float x, double cutoff, float damping)
    {
        const float f = static_cast<float>(2.0 * std::sin(pi * std::min(cutoff, synthRate / 6.0) / synthRate));
        low += f * band;
        high = x - low - damping * band;
        band += f * high;
    }
};

size_t frameAt(double seconds)
{
    return seconds <= 0.0 ? 0 : static_cast<size_t>(seconds * synthRate + 0.5);
}

// Naive saw, -1..1, from a phase in cycles.
float saw(double phase)
{
    return static_cast<float>(2.0 * (phase - std::floor(phase)) - 1.0);
}

}  // namespace

void StereoBus::add(size_t frame, float value, float pan)
{
    if (frame >= left.size())
        return;
    const double angle = (pan + 1.0) * pi / 4.0;
    left[frame] += value * static_cast<float>(std::cos(angle) * std::sqrt(2.0));
    right[frame] += value * static_cast<float>(std::sin(angle) * std::sqrt(2.0));
}

double midiFrequency(int note)
{
    return 440.0 * std::pow(2.0, (note - 69) / 12.0);
}

void addKick(StereoBus& bus, double at, float gain, double decay)
{
    const size_t start = frameAt(at);
    const size_t length = frameAt(decay * 5.0);
    double phase = 0.0;
    Noise noise(static_cast<uint32_t>(start));
    for (size_t i = 0; i < length; ++i) {
        const double t = i / synthRate;
        const double freq = 50.0 + 110.0 * std::exp(-t / 0.04);
        phase += freq / synthRate;
        const double attack = std::min(1.0, t / 0.002);
        // Driven into saturation while loud: the squared-off body puts its odd
        // harmonics into the low bins the show's beat detector listens to.
        const double body = std::tanh(2.0 * std::sin(2.0 * pi * phase) * std::exp(-t / decay) * attack) / std::tanh(2.0);
        const double click = noise.next() * 0.1 * std::exp(-t / 0.0025);
        bus.add(start + i, static_cast<float>((body + click) * gain), 0.0f);
    }
}

void addSubStab(StereoBus& bus, double at, double freq, double length, float gain)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(length);
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        // It falls onto its note from above, which gives it the punch of a kick.
        phase += freq * (1.0 + 1.5 * std::exp(-t / 0.015)) / synthRate;
        // Full body, then a quick release: the low end drops through the
        // show's bass-hit level at once instead of lingering about it.
        const double env = std::min(1.0, t / 0.003) * std::exp(-t / 0.25) * std::min(1.0, (length - t) / 0.025);
        const double tone = std::sin(2.0 * pi * phase) + 0.25 * std::sin(4.0 * pi * phase);
        bus.add(start + i, static_cast<float>(tone * env * gain), 0.0f);
    }
}

void addBass(StereoBus& bus, double at, double freq, double length, float gain)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(length + 0.03);
    OnePole first, second;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        const double env = std::min(1.0, t / 0.003) * (t < length ? 1.0 : std::exp(-(t - length) / 0.008)) *
                           (0.6 + 0.4 * std::exp(-t / 0.08));
        const double cutoff = 300.0 + 1400.0 * std::exp(-t / 0.05);
        const float raw = 0.6f * saw(freq * t) + 0.4f * saw(freq * t * 1.004 + 0.3);
        const float filtered = second.step(first.step(raw, cutoff), cutoff);
        bus.add(start + i, static_cast<float>(filtered * env * gain), 0.0f);
    }
}

void addHat(StereoBus& bus, double at, float gain, bool open, float pan, uint32_t seed)
{
    const size_t start = frameAt(at);
    const double decay = open ? 0.16 : 0.028;
    const size_t frames = frameAt(decay * 6.0);
    Noise noise(seed);
    StateVariable filter;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        filter.step(noise.next(), 7500.0, 0.6f);
        bus.add(start + i, static_cast<float>(filter.high * std::exp(-t / decay) * gain), pan);
    }
}

void addClap(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(0.35);
    Noise noise(seed);
    StateVariable filter;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        // Three quick slaps and a tail, as hands never meet at once.
        double env = std::exp(-t / 0.09);
        for (double slap : {0.0, 0.011, 0.022})
            if (t >= slap)
                env += 1.5 * std::exp(-(t - slap) / 0.006);
        filter.step(noise.next(), 1300.0, 0.7f);
        const float v = static_cast<float>(filter.band * env * gain);
        bus.add(start + i, v, 0.1f);
        send.add(start + i, v * 0.5f, 0.0f);
    }
}

void addSnare(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(0.25);
    Noise noise(seed);
    StateVariable filter;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        filter.step(noise.next(), 3000.0, 0.9f);
        const double body = std::sin(2.0 * pi * 190.0 * t) * std::exp(-t / 0.03) * 0.4;
        const float v = static_cast<float>((filter.band * std::exp(-t / 0.07) + body) * gain);
        bus.add(start + i, v, -0.1f);
        send.add(start + i, v * 0.4f, 0.0f);
    }
}

void addCrash(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(2.5);
    Noise left(seed), right(seed + 7);
    StateVariable fl, fr;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        fl.step(left.next(), 5000.0, 0.5f);
        fr.step(right.next(), 5200.0, 0.5f);
        const double env = std::exp(-t / 0.55) * gain;
        bus.add(start + i, static_cast<float>(fl.high * env), -0.6f);
        bus.add(start + i, static_cast<float>(fr.high * env), 0.6f);
        send.add(start + i, static_cast<float>((fl.high + fr.high) * env * 0.3), 0.0f);
    }
}

void addRiser(StereoBus& bus, double from, double to, float gain, uint32_t seed)
{
    const size_t start = frameAt(from);
    const size_t frames = frameAt(to - from);
    Noise noise(seed);
    StateVariable filter;
    for (size_t i = 0; i < frames; ++i) {
        const double x = static_cast<double>(i) / frames;
        filter.step(noise.next(), 400.0 * std::pow(20.0, x), 0.35f);
        const float pan = static_cast<float>(0.5 * std::sin(2.0 * pi * 1.5 * x * x));
        bus.add(start + i, static_cast<float>(filter.band * x * x * gain), pan);
    }
}

void addPadChord(StereoBus& bus, StereoBus& send, double at, double length, const int* notes, int count,
                 float gain, float brightness)
{
    const size_t start = frameAt(at);
    const double release = 0.9;
    const size_t frames = frameAt(length + release * 4.0);
    const double detune[3] = {-0.0045, 0.0, 0.0052};
    const float pans[3] = {-0.6f, 0.0f, 0.6f};
    for (int n = 0; n < count; ++n) {
        const double freq = midiFrequency(notes[n]);
        OnePole filters[3];
        for (size_t i = 0; i < frames; ++i) {
            const double t = i / synthRate;
            const double env = std::min(1.0, t / 0.35) * (t < length ? 1.0 : std::exp(-(t - length) / release));
            if (t > length && env < 0.001)
                break;
            const double cutoff = 500.0 + 2500.0 * brightness + 300.0 * std::sin(2.0 * pi * 0.25 * (at + t));
            for (int v = 0; v < 3; ++v) {
                const float raw = saw(freq * (1.0 + detune[v]) * t + 0.37 * v + 0.11 * n);
                const float y = filters[v].step(raw, cutoff);
                const float out = static_cast<float>(y * env * gain);
                bus.add(start + i, out, pans[v] * (n % 2 ? -1.0f : 1.0f));
                if (v == 1)
                    send.add(start + i, out * 0.8f, 0.0f);
            }
        }
    }
}

void addLead(StereoBus& bus, StereoBus& send, double at, double length, double freq, float gain, double echo)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(length + 0.12);
    std::vector<float> note(frames);
    OnePole filter;
    double phase = 0.0;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        const double depth = 0.006 * std::min(1.0, std::max(0.0, (t - 0.15) / 0.2));
        phase += freq * (1.0 + depth * std::sin(2.0 * pi * 5.5 * t)) / synthRate;
        const double env = std::min(1.0, t / 0.012) * (t < length ? 1.0 : std::exp(-(t - length) / 0.04)) *
                           (0.8 + 0.2 * std::exp(-t / 0.1));
        const float raw = 0.7f * saw(phase) + 0.3f * (saw(phase) > saw(phase + 0.5) ? 1.0f : -1.0f);
        note[i] = static_cast<float>(filter.step(raw, 2600.0 + 1500.0 * std::exp(-t / 0.15)) * env * gain);
    }
    // The dry note in the middle, echoes alternating sides and fading.
    const size_t gap = frameAt(echo);
    for (int e = 0; e < 5; ++e) {
        const float level = e == 0 ? 1.0f : 0.45f * std::pow(0.55f, static_cast<float>(e - 1));
        const float pan = e == 0 ? 0.0f : (e % 2 ? -0.7f : 0.7f);
        for (size_t i = 0; i < frames; ++i) {
            bus.add(start + e * gap + i, note[i] * level, pan);
            if (e == 0)
                send.add(start + i, note[i] * 0.5f, 0.0f);
        }
    }
}

void addPluck(StereoBus& bus, StereoBus& send, double at, double freq, float gain, float pan)
{
    const size_t start = frameAt(at);
    const size_t frames = frameAt(0.5);
    OnePole filter;
    for (size_t i = 0; i < frames; ++i) {
        const double t = i / synthRate;
        const double env = std::min(1.0, t / 0.002) * std::exp(-t / 0.11);
        const float raw = saw(freq * t) - saw(freq * t + 0.3);
        const float v = static_cast<float>(filter.step(raw, 800.0 + 5000.0 * std::exp(-t / 0.05)) * env * gain);
        bus.add(start + i, v, pan);
        send.add(start + i, v * 0.6f, 0.0f);
    }
}

void addReverb(const StereoBus& send, StereoBus& out, float gain)
{
    // Four damped combs and two all-passes per side, the sides a little apart.
    const size_t combs[2][4] = {{1116, 1188, 1277, 1356}, {1139, 1211, 1300, 1379}};
    const size_t passes[2][2] = {{556, 441}, {579, 464}};
    for (int side = 0; side < 2; ++side) {
        const std::vector<float>& in = side == 0 ? send.left : send.right;
        std::vector<float>& dest = side == 0 ? out.left : out.right;
        std::vector<std::vector<float>> comb(4), pass(2);
        size_t combAt[4] = {}, passAt[2] = {};
        float damp[4] = {};
        for (int c = 0; c < 4; ++c)
            comb[c].assign(combs[side][c], 0.0f);
        for (int p = 0; p < 2; ++p)
            pass[p].assign(passes[side][p], 0.0f);
        for (size_t i = 0; i < in.size(); ++i) {
            const float x = 0.25f * (0.5f * (send.left[i] + send.right[i]) + in[i]);
            float sum = 0.0f;
            for (int c = 0; c < 4; ++c) {
                const float y = comb[c][combAt[c]];
                damp[c] = y * 0.7f + damp[c] * 0.3f;
                comb[c][combAt[c]] = x + damp[c] * 0.82f;
                combAt[c] = (combAt[c] + 1) % comb[c].size();
                sum += y;
            }
            for (int p = 0; p < 2; ++p) {
                const float buffered = pass[p][passAt[p]];
                const float y = -sum + buffered;
                pass[p][passAt[p]] = sum + buffered * 0.5f;
                passAt[p] = (passAt[p] + 1) % pass[p].size();
                sum = y;
            }
            dest[i] += sum * gain;
        }
    }
}
