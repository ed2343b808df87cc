// LMS recurrences transcribed: floating point in long double (taps, products single), fixed point exactly.
#pragma once

#include <cstdint>
#include <utility>
#include <vector>

#include "exact_ref.h"
#include "veks.h"

namespace lmsref {

// Reversed taps, doubled delay buffer, index: the single-rate LMS.
template <class D>
struct Lms {
    std::vector<float> taps_inv;
    std::vector<D> dly;
    int idx = 0;
    Lms(const std::vector<float>& natural_taps, const std::vector<D>& line, int index)
        : taps_inv(natural_taps.rbegin(), natural_taps.rend()), dly(line), idx(index) {
        dly.insert(dly.end(), line.begin(), line.end());
    }

    // One step; returns the output in long double (before conversion).
    long double step(D x, D ref, float mu) {
        const int L = static_cast<int>(taps_inv.size());
        dly[idx] = dly[idx + L] = x;
        idx = (idx + 1) % L;
        long double y = 0;
        for (int j = 0; j < L; ++j) y += static_cast<long double>(taps_inv[j] * static_cast<float>(dly[idx + j]));
        const long double w = static_cast<long double>(2.0f * mu) * (static_cast<long double>(ref) - y);
        for (int j = 0; j < L; ++j)
            taps_inv[j] = static_cast<float>(taps_inv[j] + w * static_cast<long double>(dly[idx + j]));
        return y;
    }
};

inline std::int64_t round_shift(std::int64_t v, int s) { return std::int64_t(vt::div_half_even(v, vt::pow2(s))); }
inline std::int32_t sat32(std::int64_t v) { return vt::sat<std::int32_t>(v); }
inline std::int16_t sat16(std::int64_t v) { return vt::sat<std::int16_t>(v); }

// The Q15 one-sample step on caller arrays (reversed Q31 taps, 2L delay).
inline std::int16_t q15_step(std::int16_t x, std::int16_t ref, std::vector<std::int32_t>& t, std::vector<std::int16_t>& d,
                             int& idx, int mu) {
    const int L = static_cast<int>(t.size());
    d[idx] = d[idx + L] = x;
    idx = (idx + 1) % L;
    std::int64_t acc = 0;
    for (int j = 0; j < L; ++j) acc += (t[j] >> 16) * d[idx + j];
    const std::int16_t y = sat16(round_shift(acc, 15));
    const std::int64_t e = std::int64_t(ref) - y;
    for (int j = 0; j < L; ++j) t[j] = sat32(t[j] + round_shift(std::int64_t(mu) * e * d[idx + j], 13));
    return y;
}

// The multirate LMS on complex values (the real form has im = 0 throughout).
struct Mr {
    std::vector<std::int64_t> tre, tim; // reversed taps
    std::vector<std::int64_t> hre, him; // history, oldest first
    int factor, step, mu;
    Mr(int taps, int factor_, int step_, int mu_)
        : tre(taps), tim(taps), hre(taps * factor_ + step_), him(taps * factor_ + step_), factor(factor_), step(step_),
          mu(mu_) {}
    void put(std::int64_t re, std::int64_t im) {
        hre.erase(hre.begin());
        him.erase(him.begin());
        hre.push_back(re);
        him.push_back(im);
    }
    std::size_t pos(int j, int lag) const {
        return hre.size() - 1 - lag - std::size_t(tre.size() - 1 - j) * factor;
    }
    std::pair<std::int64_t, std::int64_t> out() const {
        std::int64_t ar = 0, ai = 0;
        for (int j = 0; j < int(tre.size()); ++j) {
            const std::int64_t qr = tre[j] >> 16, qi = tim[j] >> 16, xr = hre[pos(j, 0)], xi = him[pos(j, 0)];
            ar += qr * xr - qi * xi;
            ai += qr * xi + qi * xr;
        }
        return {sat32(ar), sat32(ai)};
    }
    void update(std::int32_t er, std::int32_t ei) {
        int s = 0;
        while (s < 15 && ((er >> s) < -32768 || (er >> s) > 32767 || (ei >> s) < -32768 || (ei >> s) > 32767)) ++s;
        const std::int64_t wr = std::int64_t(mu) * sat16(er >> s), wi = std::int64_t(mu) * sat16(ei >> s);
        for (int j = 0; j < int(tre.size()); ++j) {
            const std::int64_t xr = hre[pos(j, step)], xi = him[pos(j, step)];
            tre[j] = sat32(tre[j] + round_shift(wr * xr + wi * xi, 28 - s));
            tim[j] = sat32(tim[j] + round_shift(wi * xr - wr * xi, 28 - s));
        }
    }
};

} // namespace lmsref
