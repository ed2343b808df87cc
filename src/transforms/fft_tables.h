// Twiddle, bit-reversal and sine tables of the FFT specs.
#pragma once

#include <cstdint>

namespace veks::fft {

// sin(2 pi k / 1024), k = 0..256 (the last exactly 1), and its Q14 twin.
extern const float kSine1024_32f[257];
extern const double kSine1024_64f[257];
extern const short kSine1024_q14[257];

template <class T> const T* fixed_sine_table();
template <> inline const float* fixed_sine_table<float>() { return kSine1024_32f; }
template <> inline const double* fixed_sine_table<double>() { return kSine1024_64f; }

// A quarter-wave sine table S[k] = sin(2 pi k / 2^order), k = 0..2^order/4,
// read from a table of a higher order with a stride.
template <class T>
struct QuarterWave {
    const T* s;
    std::int64_t stride;
    int order;
    T at(std::int64_t k) const { return s[k * stride]; }
    // The same sine table seen at a lower order.
    QuarterWave lower(int m) const { return {s, stride << (order - m), m}; }
};

// cos and sin of 2 pi t / 2^order for any t in [0, 2^order), by folding into
// the first quadrant.
template <class T>
inline void cos_sin(const QuarterWave<T>& q, std::int64_t t, T& c, T& s) {
    const std::int64_t n = std::int64_t(1) << q.order, n4 = n / 4;
    if (t <= n4) { c = q.at(n4 - t); s = q.at(t); }
    else if (t <= 2 * n4) { c = -q.at(t - n4); s = q.at(2 * n4 - t); }
    else if (t <= 3 * n4) { c = -q.at(3 * n4 - t); s = -q.at(t - 2 * n4); }
    else { c = q.at(t - 3 * n4); s = -q.at(n - t); }
}

// sin(2 pi k / 2^m) for 0 <= k <= 2^m/4 as the table builders compute it for
// m >= 11: sine below the octant, cosine of the complement above, in double.
double quarter_value(std::int64_t k, int m);

// Fills S[0..2^m/4] for order m (from the fixed table for m <= 10) and
// returns the table's view. The caller holds the control-word guard.
template <class T> QuarterWave<T> build_quarter_wave(T* dst, int m);

// Radix-4 twiddles of order m: for j = 0..2^m/4, W^j, W^2j, W^3j with
// W = e^(-2 pi i/2^m), as (re, im) pairs.
template <class T> void build_radix4(T* dst, const QuarterWave<T>& q, int m);

// Bit-reversal table of order m >= 2 (2^(m-2) + 1 entries).
void build_bitrev(std::int32_t* dst, int m);

// Merge twiddles of the blocked path: W_N^j, j = 0..N/4-1, all real parts
// then all imaginary parts.
template <class T> void build_merge(T* dst, const QuarterWave<T>& q, int m);

// Twiddles of a decomposition step N = 2^k * 2^(m-k): for each group of four
// columns c and each row position r (holding row bitrev_k(r)), the four
// factors W_N^(row * column) as four real parts then four imaginary parts.
template <class T> void build_step(T* dst, const QuarterWave<T>& q, int m, int k);

// Recombination pairs of the real transforms, j = 0..max(N/4, 1)-1:
// forward (0.5 cos, 0.5 - 0.5 sin), inverse (cos, -sin) of 2 pi j/N.
template <class T> void build_recombination(T* fwd, T* inv, int m);

// Q14 radix-4 twiddles of order m <= 10 from the fixed Q14 table.
void build_radix4_q14(short* dst, short* quarter, int m);

std::uint32_t reverse_bits(std::uint32_t v, int bits);

} // namespace veks::fft
