#include "music/sound/resample.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <mutex>
#include <numeric>

#include "music/sound/sound.h"

namespace {

constexpr double pi = 3.14159265358979323846;
constexpr int zeroCrossings = 32;   // of the sinc, on each side of the centre
constexpr double kaiserBeta = 8.0;  // about 80 dB of stop band
// The pass band ends at 90 % of the lower Nyquist frequency; the stop band
// starts about at it, past everything an MP3 encoder keeps.
constexpr double passBand = 0.90;

double besselI0(double x)
{
    double sum = 1.0;
    double term = 1.0;
    for (int k = 1; k < 40; ++k) {
        term *= (x / (2.0 * k)) * (x / (2.0 * k));
        sum += term;
    }
    return sum;
}

// One set of taps for each distinct fraction of an input sample at which an
// output sample falls: 44100 / gcd(rate, 44100) of them (147 from 48 kHz).
struct FilterBank {
    uint32_t fromRate = 0;
    int64_t reach = 0;  // taps run from whole - reach + 1 to whole + reach
    uint32_t phases = 0;
    std::vector<float> taps;

    explicit FilterBank(uint32_t rate) : fromRate(rate)
    {
        const double cutoff = 0.5 * std::min(1.0, static_cast<double>(soundRate) / fromRate) * passBand;
        const double halfWidth = zeroCrossings / (2.0 * cutoff);
        reach = static_cast<int64_t>(std::ceil(halfWidth));
        phases = soundRate / std::gcd(fromRate, soundRate);
        const auto width = static_cast<size_t>(2 * reach);
        taps.resize(phases * width);
        for (uint32_t p = 0; p < phases; ++p) {
            const double part = static_cast<double>(p) / phases;
            float* row = &taps[p * width];
            double sum = 0.0;
            for (size_t t = 0; t < width; ++t) {
                const double x = static_cast<double>(t) - static_cast<double>(reach - 1) - part;
                const double r = std::fabs(x) / halfWidth;
                const double window = r < 1.0 ? besselI0(kaiserBeta * std::sqrt(1.0 - r * r)) : 0.0;
                const double arg = 2.0 * cutoff * x;
                const double value = (arg == 0.0 ? 1.0 : std::sin(pi * arg) / (pi * arg)) * window;
                row[t] = static_cast<float>(value);
                sum += value;
            }
            // Each row sums to one: a constant stays exactly constant.
            for (size_t t = 0; t < width; ++t)
                row[t] = static_cast<float>(row[t] / sum);
        }
    }
};

// The taps depend on the rate alone, and building them takes longer than
// resampling a short file: each rate's are built once and kept, for the few
// rates a decoder gives (MPEG has nine).
std::shared_ptr<const FilterBank> filterBankFor(uint32_t fromRate)
{
    static std::mutex lock;
    static std::vector<std::shared_ptr<const FilterBank>> kept;
    const std::lock_guard<std::mutex> hold(lock);
    for (const auto& bank : kept)
        if (bank->fromRate == fromRate)
            return bank;
    auto bank = std::make_shared<const FilterBank>(fromRate);
    if (kept.size() < 16)
        kept.push_back(bank);
    return bank;
}

}  // namespace

void resampleTo44100(const std::vector<float>& in, uint32_t fromRate, std::vector<float>& out)
{
    const auto frames = static_cast<int64_t>(in.size() / 2);
    if (fromRate == 0 || fromRate == soundRate) {
        out.assign(in.begin(), in.begin() + 2 * frames);
        return;
    }
    const std::shared_ptr<const FilterBank> shared = filterBankFor(fromRate);
    const FilterBank& bank = *shared;
    const auto outFrames = static_cast<uint64_t>((static_cast<uint64_t>(frames) * soundRate + fromRate / 2) / fromRate);
    const size_t width = static_cast<size_t>(2 * bank.reach);
    const uint32_t stride = soundRate / bank.phases;
    out.assign(static_cast<size_t>(2 * outFrames), 0.0f);
    for (uint64_t n = 0; n < outFrames; ++n) {
        // Exact in integers: output frame n falls at input time n x fromRate / 44100.
        const uint64_t scaled = n * fromRate;
        const auto whole = static_cast<int64_t>(scaled / soundRate);
        const float* row = &bank.taps[(scaled % soundRate) / stride * width];
        const int64_t first = whole - bank.reach + 1;
        // Past either end of the track there is silence, so its ends fade in and out.
        const int64_t from = std::max<int64_t>(first, 0);
        const int64_t to = std::min<int64_t>(whole + bank.reach, frames - 1);
        double left = 0.0;
        double right = 0.0;
        const float* tap = row + (from - first);
        const float* frame = in.data() + 2 * from;
        for (int64_t k = from; k <= to; ++k, ++tap, frame += 2) {
            const double w = *tap;
            left += w * frame[0];
            right += w * frame[1];
        }
        out[static_cast<size_t>(2 * n)] = static_cast<float>(left);
        out[static_cast<size_t>(2 * n + 1)] = static_cast<float>(right);
    }
}
