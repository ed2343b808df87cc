// Distinct peaks of a spectrum, by prominence, refined between bins.
#include <algorithm>
#include <cmath>

#include "spectrum.h"

namespace {

// True when, walking from peak k in direction step until a bin higher than
// the peak or the end, the spectrum dips at least depth dB below the peak.
bool dips_by(const std::vector<double>& L, int k, int step, double depth) {
    const int last = static_cast<int>(L.size()) - 1;
    for (int j = k + step; j >= 0 && j <= last; j += step) {
        if (L[j] > L[k]) return false;
        if (L[k] - L[j] >= depth) return true;
    }
    return true; // the end counts as a dip: nothing higher on this side
}

// The highest point within a bin of bin k, refined by the vertex of the
// parabola through the dB levels of it and its two neighbours.
Peak refine(const Spectrum& s, int k) {
    const std::vector<double>& L = s.level;
    const int os = Spectrum::kOversampling, last = static_cast<int>(L.size()) - 1;
    int i = k * os;
    for (int j = std::max(1, i - os); j <= std::min(last - 1, i + os); ++j)
        if (L[j] > L[i]) i = j;
    double offset = 0, top = L[i];
    if (i > 0 && i < last) {
        const double a = L[i - 1], b = L[i], c = L[i + 1], den = a - 2 * b + c;
        if (den < 0) {
            offset = 0.5 * (a - c) / den;
            top = b - 0.25 * (a - c) * offset;
        }
    }
    return {(i + offset) * s.step_hz(), top};
}

} // namespace

std::vector<Peak> find_peaks(const Spectrum& s, int count, double minProminence) {
    // Peaks are found on the frame's own bins (every kOversampling-th point):
    // there a window's side lobes fall off without separate maxima, while
    // the points between bins would show each side lobe as a peak.
    std::vector<double> L;
    for (std::size_t i = 0; i < s.level.size(); i += Spectrum::kOversampling) L.push_back(s.level[i]);
    std::vector<int> found;
    // The DC and Nyquist bins are edges of the spectrum, not peaks.
    for (int k = 1; k + 1 < static_cast<int>(L.size()); ++k) {
        if (!(L[k] > L[k - 1] && L[k] >= L[k + 1])) continue;
        // A peak stands out when both sides dip by the prominence before
        // reaching higher ground; the edges count as the end of the range.
        if (dips_by(L, k, -1, minProminence) && dips_by(L, k, +1, minProminence)) found.push_back(k);
    }
    std::sort(found.begin(), found.end(), [&](int a, int b) { return L[a] > L[b]; });
    // Side lobes of a window can form maxima of their own (Blackman, Hamming,
    // Kaiser): a peak within 3 dB of a stronger one's leakage is part of it.
    std::vector<Peak> out;
    for (int k : found) {
        if (static_cast<int>(out.size()) == count) break;
        const Peak p = refine(s, k);
        const bool leak = std::any_of(out.begin(), out.end(), [&](const Peak& q) {
            const std::size_t d = static_cast<std::size_t>(std::lround(std::fabs(p.freq - q.freq) / s.step_hz()));
            return d < s.leakage.size() && p.level <= q.level + s.leakage[d] + 3.0;
        });
        if (!leak) out.push_back(p);
    }
    return out;
}
