// Finds a recording of what a sound server played in the track it should
// be. Each of the recording's last one-second stretches is correlated with
// the decoded track at every offset (coarse: a decimated mono mix), then
// frame by frame around the three best places (full rate, both channels).
// Prints where in the track the recording starts and how well it matches;
// fails when no stretch matches closely. Given the stamps of sound-sync-record
// and the positions of sound-sync-play as well, it also says how far the
// position the show's spectrum uses is from what is heard (sync.sh).
#include <algorithm>
#include <cmath>
#include <cstdint>
#include <cstdio>
#include <string>
#include <vector>

#include "music/sound/sound_backend.h"

namespace {

constexpr double rate = 44100.0;
constexpr size_t decimation = 32;
constexpr size_t stretchFrames = 44100;
constexpr size_t stretchCount = 6;
// The track heard unchanged scores 0.999 and more (16-bit rounding, wine's
// dither); unrelated sound scores about 0.02, and the track with its
// channels swapped 0.97. The track repeats its bars, so another place in it
// can score as much as 0.99 (printed as "the best other place"): the score
// says the track is heard unchanged, the best place says where. Starved of
// CPU, wine's sound path drops a frame or leaves a gap now and then, so one
// clean stretch of the six is enough.
constexpr double threshold = 0.99;

bool readRecording(const char* path, std::vector<float>& samples)
{
    std::FILE* file = std::fopen(path, "rb");
    if (!file)
        return false;
    unsigned char bytes[4];
    while (std::fread(bytes, 1, 4, file) == 4)
        for (int c = 0; c < 2; ++c)
            samples.push_back(static_cast<int16_t>(bytes[2 * c] | bytes[2 * c + 1] << 8) / 32768.0f);
    std::fclose(file);
    return true;
}

// Mono, summed over `decimation` frames.
std::vector<double> coarse(const std::vector<float>& stereo, size_t from, size_t frames)
{
    std::vector<double> out(frames / decimation);
    for (size_t i = 0; i < out.size(); ++i)
        for (size_t k = 0; k < decimation; ++k) {
            const size_t f = from + i * decimation + k;
            out[i] += stereo[2 * f] + stereo[2 * f + 1];
        }
    return out;
}

// In eight independent sums, which the compiler can keep in vector registers.
double dot(const double* a, const double* b, size_t n)
{
    double sums[8] = {};
    size_t i = 0;
    for (; i + 8 <= n; i += 8)
        for (size_t j = 0; j < 8; ++j)
            sums[j] += a[i + j] * b[i + j];
    double total = 0.0;
    for (; i < n; ++i)
        total += a[i] * b[i];
    for (const double s : sums)
        total += s;
    return total;
}

double normalized(double dot, double a, double b)
{
    return a > 0.0 && b > 0.0 ? dot / std::sqrt(a * b) : 0.0;
}

struct Match {
    long coarse = 0;
    long at = 0;  // the track frame that the stretch's first frame is
    double score = -1.0;
};

// Frame by frame, both channels, around a coarse find.
Match refine(const std::vector<float>& heard, size_t from, const std::vector<float>& track, long centre)
{
    Match m;
    m.coarse = centre;
    const long reach = static_cast<long>(decimation) / 2;
    for (long at = std::max(0L, centre - reach); at <= centre + reach; ++at) {
        if (2 * (static_cast<size_t>(at) + stretchFrames) > track.size())
            break;
        double dot = 0.0, hh = 0.0, tt = 0.0;
        for (size_t i = 0; i < 2 * stretchFrames; ++i) {
            const double h = heard[2 * from + i];
            const double t = track[2 * static_cast<size_t>(at) + i];
            dot += h * t;
            hh += h * h;
            tt += t * t;
        }
        const double s = normalized(dot, hh, tt);
        if (s > m.score) {
            m.score = s;
            m.at = at;
        }
    }
    return m;
}

// The best place in the track for the stretch of `heard` from frame `from`,
// and the best of the other places half a second or more away from it. The
// coarse scan tries the stretch at four phases of the decimation, so that
// the right place is never more than four frames out of step there.
std::pair<Match, Match> locate(const std::vector<float>& heard, size_t from, const std::vector<float>& track,
                               const std::vector<double>& y, const std::vector<double>& energy)
{
    constexpr size_t phases = 4;
    const size_t length = stretchFrames / decimation - 1;
    std::vector<double> score((y.size() - length + 1) * phases);
    for (size_t p = 0; p < phases; ++p) {
        const std::vector<double> x = coarse(heard, from + p * decimation / phases, length * decimation);
        double xx = 0.0;
        for (const double v : x)
            xx += v * v;
        for (size_t k = 0; k + length <= y.size(); ++k)
            score[k * phases + p] = normalized(dot(x.data(), y.data() + k, length), xx, energy[k + length] - energy[k]);
    }
    // score[k * phases + p]: the stretch starting at track frame k * decimation - p * decimation / phases.
    const auto frameOf = [&](size_t index) {
        return static_cast<long>(index / phases * decimation) - static_cast<long>(index % phases * decimation / phases);
    };
    const long apart = static_cast<long>(rate / 2);
    std::vector<Match> places;
    for (int n = 0; n < 3; ++n) {
        size_t top = score.size();
        for (size_t k = 0; k < score.size(); ++k) {
            bool taken = false;
            for (const Match& m : places)
                taken = taken || std::labs(frameOf(k) - m.coarse) < apart;
            if (!taken && (top == score.size() || score[k] > score[top]))
                top = k;
        }
        if (top < score.size())
            places.push_back(refine(heard, from, track, frameOf(top)));
    }
    std::sort(places.begin(), places.end(), [](const Match& a, const Match& b) { return a.score > b.score; });
    return {places[0], places.size() > 1 ? places[1] : Match{}};
}

// pairs FILE: the lines "A B" of a text file.
std::vector<std::pair<double, double>> pairs(const char* path)
{
    std::vector<std::pair<double, double>> lines;
    if (std::FILE* file = std::fopen(path, "r")) {
        long long a = 0, b = 0;
        while (std::fscanf(file, "%lld %lld", &a, &b) == 2)
            lines.emplace_back(static_cast<double>(a), static_cast<double>(b));
        std::fclose(file);
    }
    return lines;
}

// The play position minus the track frame being heard at the same moment,
// over the stretch from `from` on, where the recording is frame `offset` of
// the track: the heard frame at a time comes from a straight line fitted
// through the recorder's (frame, time played) stamps.
void printSync(const char* stampsPath, const char* positionsPath, long from, long offset)
{
    double n = 0, st = 0, sf = 0, stt = 0, stf = 0;
    double first = 0;
    for (const auto& [frame, ns] : pairs(stampsPath)) {
        if (frame < from)
            continue;
        if (n == 0)
            first = ns;
        const double t = (ns - first) / 1e9;
        n += 1;
        st += t;
        sf += frame;
        stt += t * t;
        stf += t * frame;
    }
    if (n < 2) {
        std::printf("sync: the recorder left too few stamps\n");
        return;
    }
    const double slope = (n * stf - st * sf) / (n * stt - st * st);
    const double intercept = (sf - slope * st) / n;
    std::vector<double> ahead;
    for (const auto& [ns, position] : pairs(positionsPath)) {
        const double heardFrame = intercept + slope * (ns - first) / 1e9;
        if (position >= 0 && heardFrame >= from && heardFrame < from + stretchCount * stretchFrames)
            ahead.push_back((position - (heardFrame + offset)) / rate * 1000.0);
    }
    if (ahead.empty()) {
        std::printf("sync: no play position fell in the stretch heard\n");
        return;
    }
    std::sort(ahead.begin(), ahead.end());
    std::printf("sync: the play position is %+.1f ms from what is heard (median of %zu readings, %+.1f to %+.1f; "
                "positive: ahead); the recorder's clock runs at %.1f frames a second\n",
                ahead[ahead.size() / 2], ahead.size(), ahead.front(), ahead.back(), slope);
}

}  // namespace

int main(int argc, char** argv)
{
    std::vector<float> heard;
    std::vector<float> track;
    const char* why = "";
    if ((argc != 3 && argc != 5) || !readRecording(argv[1], heard)) {
        std::fprintf(stderr, "usage: sound-heard RECORDING.raw TRACK.mp3 [STAMPS.txt POSITIONS.txt] (raw 16-bit "
                             "stereo at 44100 Hz)\n");
        return 2;
    }
    if (!decodeMp3File(argv[2], track, why)) {
        std::printf("FAIL: %s %s\n", argv[2], why);
        return 1;
    }
    const size_t heardFrames = heard.size() / 2;
    const size_t trackFrames = track.size() / 2;
    // The last seconds only: the sink's monitor loses a stretch when a
    // stream starts, so the recording's start need not follow on.
    if (heardFrames < (stretchCount + 1) * stretchFrames || trackFrames < stretchFrames) {
        std::printf("FAIL: the recording holds only %.2f s\n", heardFrames / rate);
        return 1;
    }
    const std::vector<double> y = coarse(track, 0, trackFrames);
    std::vector<double> energy(y.size() + 1, 0.0);  // energy[k]: the sum of y[0..k) squared
    for (size_t k = 0; k < y.size(); ++k)
        energy[k + 1] = energy[k] + y[k] * y[k];

    std::string scores;
    Match best;
    Match other;
    long bestFrom = 0;
    for (size_t n = stretchCount; n > 0; --n) {
        const size_t from = heardFrames - n * stretchFrames;
        const auto [match, runnerUp] = locate(heard, from, track, y, energy);
        char text[16];
        std::snprintf(text, sizeof text, " %.4f", match.score);
        scores += text;
        if (match.score > best.score) {
            best = match;
            bestFrom = static_cast<long>(from);
            other = runnerUp;
        }
    }
    const bool ok = best.score > threshold;
    std::printf("%s: the recording (%.2f s) starts %.0f ms into the track; of its last %zu one-second stretches the "
                "best matches the track there with correlation %.4f (needed > %.2f; the stretches:%s; the best other "
                "place in the track %.3f)\n",
                ok ? "ok" : "FAIL", heardFrames / rate, static_cast<double>(best.at - bestFrom) / rate * 1000.0,
                stretchCount, best.score, threshold, scores.c_str(), other.score);
    if (argc == 5)
        printSync(argv[3], argv[4], static_cast<long>(heardFrames - stretchCount * stretchFrames), best.at - bestFrom);
    return ok ? 0 : 1;
}
