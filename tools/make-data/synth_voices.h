#pragma once
#include <cstddef>
#include <cstdint>
#include <vector>

// The instruments of the default track. Each adds one note into a bus at a
// time in seconds; every one is a pure function of its arguments, so the
// same score gives the same samples on every run.

constexpr double synthRate = 44100.0;

struct StereoBus {
    std::vector<float> left;
    std::vector<float> right;
    explicit StereoBus(size_t length) : left(length, 0.0f), right(length, 0.0f) {}
    size_t frames() const { return left.size(); }
    // pan -1 (left) .. +1 (right), equal power.
    void add(size_t frame, float value, float pan);
};

double midiFrequency(int note);

// A driven sine whose pitch drops from about 160 Hz to 50 Hz, with a click on top.
void addKick(StereoBus& bus, double at, float gain, double decay);
// A short sub-bass hit that drops onto freq.
void addSubStab(StereoBus& bus, double at, double freq, double length, float gain);
// A plucked, filtered saw bass.
void addBass(StereoBus& bus, double at, double freq, double length, float gain);
void addHat(StereoBus& bus, double at, float gain, bool open, float pan, uint32_t seed);
void addClap(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed);
void addSnare(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed);
void addCrash(StereoBus& bus, StereoBus& send, double at, float gain, uint32_t seed);
// Noise through a band-pass that sweeps up from..to; louder towards the end.
void addRiser(StereoBus& bus, double from, double to, float gain, uint32_t seed);
// Three detuned saws per note, slow attack, soft filter; brightness 0..1.
void addPadChord(StereoBus& bus, StereoBus& send, double at, double length, const int* notes, int count,
                 float gain, float brightness);
// A singing saw lead with vibrato and a dotted-eighth ping-pong echo.
void addLead(StereoBus& bus, StereoBus& send, double at, double length, double freq, float gain, double echo);
// A short bright pluck for arpeggios.
void addPluck(StereoBus& bus, StereoBus& send, double at, double freq, float gain, float pan);

// A small room on the send bus, added into out.
void addReverb(const StereoBus& send, StereoBus& out, float gain);
