#include "tools/make-data/default_track.h"

#include <algorithm>
#include <cmath>

#include "tools/make-data/synth_voices.h"

namespace {

// 131.25 BPM puts 35 beats between the logo at 4 s and the bass stabs at 20 s,
// so both sections open on a beat.
constexpr double beat = 60.0 / 131.25;
constexpr double trackSeconds = 95.0;
constexpr int logoBeat = 8;  // the beat at 4.0 s

double beatTime(double n)
{
    return 4.0 + (n - logoBeat) * beat;
}

// The first beat at or after a show time.
int firstBeatAt(double seconds)
{
    return static_cast<int>(std::ceil((seconds - 4.0) / beat - 1e-9)) + logoBeat;
}

enum class Part { Intro, Logo, Break, Stabs, Main, Greets, Turn, Credits, Ending, Tail };

struct Layout {
    int logo = firstBeatAt(4.0);
    int pause = firstBeatAt(18.0);
    int stabs = firstBeatAt(20.0);
    int main = firstBeatAt(32.0);
    int greets = firstBeatAt(62.0);
    int turn = firstBeatAt(81.0);
    int credits = firstBeatAt(82.0);
    int ending = firstBeatAt(90.2);
};

Part partOf(const Layout& l, int n)
{
    if (n < l.logo) return Part::Intro;
    if (n < l.pause) return Part::Logo;
    if (n < l.stabs) return Part::Break;
    if (n < l.main) return Part::Stabs;
    if (n < l.greets) return Part::Main;
    if (n < l.turn) return Part::Greets;
    if (n < l.credits) return Part::Turn;
    if (n < l.ending) return Part::Credits;
    if (n == l.ending) return Part::Ending;
    return Part::Tail;
}

struct Chord {
    int pad[4];
    int root;  // bass note, octave 2
};

// A minor: i - VI - III - VII, and for the greetings VI - VII - v - i.
const Chord mainChords[4] = {
    {{57, 60, 64, 69}, 45}, {{57, 60, 65, 69}, 41}, {{55, 60, 64, 67}, 48}, {{55, 59, 62, 67}, 43}};
const Chord greetChords[4] = {
    {{57, 60, 65, 72}, 41}, {{55, 59, 62, 71}, 43}, {{55, 59, 64, 67}, 40}, {{57, 60, 64, 69}, 45}};

int barOf(int n)
{
    return static_cast<int>(std::floor((n - logoBeat) / 4.0));
}

// The first beat of the first bar that starts at or after beat n.
int barStartFrom(int n)
{
    const int bar = barOf(n);
    const int start = logoBeat + bar * 4;
    return start == n ? n : start + 4;
}

// Chords change with whole bars, so a section that opens mid-bar keeps the
// old progression until its first full bar.
const Chord& chordAt(const Layout& l, int n)
{
    const int bar = barOf(n);
    const int index = ((bar % 4) + 4) % 4;
    const int barStart = logoBeat + bar * 4;
    if (barStart >= barStartFrom(l.greets) && barStart < l.turn)
        return greetChords[index];
    return mainChords[index];
}

// Two-bar phrases of the lead: start and length in sixteenths, note.
struct LeadNote {
    int start, length, note;
};
const LeadNote phraseA[] = {{0, 3, 69}, {3, 3, 72}, {6, 2, 76}, {8, 4, 74}, {12, 2, 72}, {14, 2, 69},
                            {16, 3, 67}, {19, 3, 69}, {22, 2, 72}, {24, 6, 76}, {30, 2, 74}};
const LeadNote phraseB[] = {{0, 3, 76}, {3, 3, 79}, {6, 2, 81}, {8, 4, 79}, {12, 2, 76}, {14, 2, 74},
                            {16, 3, 72}, {19, 3, 74}, {22, 2, 76}, {24, 8, 69}};

template <size_t N>
void playPhrase(StereoBus& music, StereoBus& send, double at, const LeadNote (&phrase)[N], int transpose,
                float gain)
{
    const double sixteenth = beat / 4.0;
    for (const LeadNote& note : phrase)
        addLead(music, send, at + note.start * sixteenth, note.length * sixteenth * 0.92,
                midiFrequency(note.note + transpose), gain, beat * 0.75);
}

}  // namespace

std::vector<float> composeDefaultTrack(const std::function<void(const char*)>& stage)
{
    const auto say = [&stage](const char* what) {
        if (stage)
            stage(what);
    };
    const size_t frames = static_cast<size_t>(trackSeconds * synthRate);
    StereoBus drums(frames), music(frames), send(frames);
    const Layout l;
    const double sixteenth = beat / 4.0;
    std::vector<double> kicks;  // for the side-chain

    say("drums");
    for (int n = 0; n <= l.ending; ++n) {
        const Part part = partOf(l, n);
        const double t = beatTime(n);
        const uint32_t seed = static_cast<uint32_t>(n * 16);
        const bool secondOrFourth = (n - logoBeat) % 2 == 1;
        switch (part) {
        case Part::Intro:
            if (n >= 4)
                addHat(drums, t + 2 * sixteenth, 0.05f + 0.01f * n, false, 0.3f, seed);
            break;
        case Part::Logo:
            addKick(drums, t, 0.66f, 0.08);
            kicks.push_back(t);
            addHat(drums, t + 2 * sixteenth, 0.11f, false, 0.25f, seed);
            if (n >= l.logo + 16 && secondOrFourth)
                addClap(drums, send, t, 0.22f, seed + 1);
            break;
        case Part::Break: {
            // A snare roll that doubles up into the stabs.
            const int steps = n == l.stabs - 1 ? 8 : 4;
            for (int s = 0; s < steps; ++s)
                addSnare(drums, send, t + s * beat / steps, 0.08f + 0.05f * (n - l.pause + s / 8.0f), seed + s);
            break;
        }
        case Part::Stabs:
            kicks.push_back(t);  // the bass stab is the kick here
            addHat(drums, t + 2 * sixteenth, 0.11f, false, 0.25f, seed);
            addHat(drums, t + 3 * sixteenth, 0.05f, false, -0.3f, seed + 2);
            if (secondOrFourth)
                addClap(drums, send, t, 0.2f, seed + 1);
            break;
        case Part::Main:
        case Part::Greets:
        case Part::Credits:
            addKick(drums, t, 0.66f, 0.08);
            kicks.push_back(t);
            addHat(drums, t + 2 * sixteenth, 0.09f, part != Part::Credits || n % 4 == 3, 0.25f, seed);
            addHat(drums, t + sixteenth, 0.035f, false, -0.35f, seed + 2);
            addHat(drums, t + 3 * sixteenth, 0.05f, false, -0.35f, seed + 3);
            if (secondOrFourth)
                addClap(drums, send, t, 0.24f, seed + 1);
            if (n == l.main || n == l.greets || n == l.credits)
                addCrash(drums, send, t, 0.06f, seed + 5);
            break;
        case Part::Turn:
            for (int s = 0; s < 4; ++s)
                addSnare(drums, send, t + s * sixteenth, 0.1f + 0.03f * s, seed + s);
            break;
        case Part::Ending:
            addKick(drums, t, 0.5f, 0.2);
            kicks.push_back(t);
            addCrash(drums, send, t, 0.07f, seed + 5);
            break;
        case Part::Tail:
            break;
        }
    }
    addRiser(drums, beatTime(l.pause), beatTime(l.stabs), 0.12f, 991);
    addRiser(drums, beatTime(l.turn) - 2 * beat, beatTime(l.credits), 0.08f, 992);

    say("bass");
    for (int n = l.logo; n < l.ending; ++n) {
        const Part part = partOf(l, n);
        const double t = beatTime(n);
        const Chord& chord = chordAt(l, n);
        if (part == Part::Stabs) {
            addSubStab(drums, t, midiFrequency(chord.root - 12), 0.12, 0.62f);
        } else if (part == Part::Logo) {
            addBass(music, t + 2 * sixteenth, midiFrequency(chord.root), sixteenth * 1.6, 0.2f);
        } else if (part == Part::Main || part == Part::Greets || part == Part::Credits) {
            // Rolling sixteenths around the kick, an octave jump on the last one.
            for (int s = 1; s < 4; ++s)
                addBass(music, t + s * sixteenth, midiFrequency(chord.root + (s == 3 && n % 2 ? 12 : 0)),
                        sixteenth * 0.8, s == 2 ? 0.22f : 0.15f);
        }
    }
    // The last chord's bass rings out under the ending.
    addSubStab(music, beatTime(l.ending), midiFrequency(33), 1.6, 0.25f);

    say("pads");
    for (int bar = barOf(0); beatTime(logoBeat + bar * 4) < beatTime(l.ending); ++bar) {
        const int n = logoBeat + bar * 4;
        const Chord& chord = chordAt(l, std::max(n, 0));
        const double start = std::max(0.0, beatTime(n));
        const Part part = partOf(l, std::max(n, 0));
        float brightness = 0.5f;
        float gain = 0.03f;
        if (part == Part::Intro) {
            brightness = 0.1f + 0.1f * (bar - barOf(0));
            gain = 0.02f;
        } else if (part == Part::Stabs || part == Part::Break) {
            brightness = 0.3f;
        } else if (part == Part::Greets) {
            brightness = 0.7f;
        }
        addPadChord(music, send, start, beatTime(n + 4) - start, chord.pad, 4, gain, brightness);
    }
    const int finalChord[4] = {57, 60, 64, 69};
    addPadChord(music, send, beatTime(l.ending), 2.2, finalChord, 4, 0.035f, 0.6f);

    say("lead and arpeggios");
    for (int n = l.stabs; n < l.main; ++n) {
        // Off-beat plucks answer the stabs.
        const Chord& chord = chordAt(l, n);
        addPluck(music, send, beatTime(n) + 2 * sixteenth, midiFrequency(chord.pad[(n % 3) + 1] + 12), 0.07f,
                 n % 2 ? 0.4f : -0.4f);
    }
    for (int n = barStartFrom(l.main + 12); n + 16 <= l.greets; n += 16) {
        playPhrase(music, send, beatTime(n), phraseA, 0, 0.11f);
        playPhrase(music, send, beatTime(n + 8), phraseB, 0, 0.11f);
    }
    for (int n = l.greets; n < l.turn; ++n) {
        const Chord& chord = chordAt(l, n);
        for (int s = 0; s < 4; ++s) {
            const int tone = chord.pad[(s + n) % 4] + 12;
            addPluck(music, send, beatTime(n) + s * sixteenth, midiFrequency(tone), 0.05f, s % 2 ? 0.5f : -0.5f);
        }
    }
    for (int n = barStartFrom(l.greets) + 8; n + 8 <= l.turn; n += 16)
        playPhrase(music, send, beatTime(n), phraseB, 12, 0.07f);
    for (int n = barStartFrom(l.credits); n + 8 <= l.ending; n += 8)
        playPhrase(music, send, beatTime(n), phraseA, 0, 0.1f);
    addLead(music, send, beatTime(l.ending), 1.6, midiFrequency(69), 0.1f, beat * 0.75);

    say("mixing");
    // The kick pushes the music bus down for a moment, which makes room for
    // it and gives the groove its pump.
    std::vector<float> duck(frames, 1.0f);
    for (double k : kicks) {
        const size_t start = static_cast<size_t>(k * synthRate);
        for (size_t i = 0; i < static_cast<size_t>(0.4 * synthRate) && start + i < frames; ++i) {
            const double t = i / synthRate;
            duck[start + i] = std::min(duck[start + i], static_cast<float>(1.0 - 0.6 * std::exp(-t / 0.09)));
        }
    }
    StereoBus master(frames);
    addReverb(send, master, 0.22f);
    std::vector<float> pcm(2 * frames);
    for (size_t i = 0; i < frames; ++i) {
        for (int side = 0; side < 2; ++side) {
            const float dry = side == 0 ? drums.left[i] + music.left[i] * duck[i] : drums.right[i] + music.right[i] * duck[i];
            float x = dry + (side == 0 ? master.left[i] : master.right[i]);
            // Soft knee above 0.75: peaks round off well short of full scale.
            const float a = std::fabs(x);
            if (a > 0.75f)
                x = std::copysign(0.75f + 0.15f * std::tanh((a - 0.75f) / 0.15f), x);
            pcm[2 * i + side] = x;
        }
    }
    // A short fade into the silence at the very end.
    const size_t fade = static_cast<size_t>(0.5 * synthRate);
    for (size_t i = 0; i < fade; ++i) {
        const float g = static_cast<float>(i) / fade;
        pcm[2 * (frames - 1 - i)] *= g;
        pcm[2 * (frames - 1 - i) + 1] *= g;
    }
    return pcm;
}
