#include "composer/show_advance.h"

#include <algorithm>

#include "frame/beat_tracking.h"
#include "scenes/dot_grid.h"

namespace {

// The scenes' own state and the orbit, over delta, at show time t.
void advanceMotion(ShowState& show, int32_t t, float frameDelta)
{
    const float sceneDelta = frameDelta * 0.25f;
    advanceLogoScene(show.logo, t, sceneDelta);
    advanceTextWallFirst(show.firstWall, t, sceneDelta);
    advanceDotGrid(show.beat.stepScale, t, sceneDelta);
    advanceGreetingsCaption(show.captions, t, sceneDelta, show.beat.greetsStep);
    advanceTextWallSecond(show.secondWall, t, sceneDelta);
}

}  // namespace

void advanceShowTick(ShowState& show, int32_t t, float frameDelta, const float* bins)
{
    BeatState& beat = show.beat;
    std::copy(bins, bins + tickSpectrumBins, beat.spectrum);
    const float seconds = frameDelta * 0.5f;

    beat.orbitPhase += static_cast<float>(frameDelta * 0.125);
    const float rollAngle = beat.orbitPhase * 15.0f;
    // The camera still sees the previous tick's hit; the beat below is this tick's.
    show.cameraSinceHit = beat.sinceHit;
    show.camera = cameraFor(beat.orbitPhase, rollAngle, beat.sinceHit);
    detectBeat(beat);
    updateShowCounters(beat, t, seconds);
    // The dot grid shrinks the scale a beat has just reset, in the same tick.
    advanceMotion(show, t, frameDelta);
    planScreenFades(static_cast<uint32_t>(t), show.fadeDone, show.fades);
    show.time = t;
}

ShowState showBetweenTicks(const ShowState& last, int32_t showTime)
{
    ShowState show = last;
    if (showTime <= last.time)
        return show;
    const double seconds = (showTime - last.time) / 1000.0;
    const float frameDelta = static_cast<float>(seconds * 2.0);
    BeatState& beat = show.beat;
    beat.orbitPhase += static_cast<float>(frameDelta * 0.125);
    // The camera's hit recovers towards the one the next tick will see, which
    // a new hit has already reset.
    const float sinceHit = std::min(beat.sinceHit, static_cast<float>(last.cameraSinceHit + seconds));
    show.camera = cameraFor(beat.orbitPhase, beat.orbitPhase * 15.0f, sinceHit);
    advanceMotion(show, showTime, frameDelta);
    planScreenFades(static_cast<uint32_t>(showTime), show.fadeDone, show.fades);
    show.time = showTime;
    return show;
}
