// Table builders of the FFT specs.
#include "transforms/fft_tables.h"

#include <cmath>

namespace veks::fft {

std::uint32_t reverse_bits(std::uint32_t v, int bits) {
    std::uint32_t r = 0;
    for (int b = 0; b < bits; ++b) r |= ((v >> b) & 1u) << (bits - 1 - b);
    return r;
}

double quarter_value(std::int64_t k, int m) {
    const std::int64_t n = std::int64_t(1) << m;
    const double h = 6.283185307179586476925286766559 / static_cast<double>(n);
    return k <= n / 8 ? std::sin(static_cast<double>(k) * h) : std::cos(static_cast<double>(n / 4 - k) * h);
}

template <class T>
QuarterWave<T> build_quarter_wave(T* dst, int m) {
    const std::int64_t n4 = (std::int64_t(1) << m) / 4;
    if (m <= 10) {
        const std::int64_t stride = std::int64_t(1) << (10 - m);
        for (std::int64_t k = 0; k < n4; ++k) dst[k] = fixed_sine_table<T>()[k * stride];
        dst[n4] = T(1);
    } else {
        for (std::int64_t k = 0; k <= n4; ++k) dst[k] = static_cast<T>(quarter_value(k, m));
    }
    return {dst, 1, m};
}

template <class T>
void build_radix4(T* dst, const QuarterWave<T>& q0, int m) {
    const QuarterWave<T> q = q0.lower(m);
    const std::int64_t n = std::int64_t(1) << m;
    for (std::int64_t j = 0; j <= n / 4; ++j) {
        for (int p = 1; p <= 3; ++p) {
            T c, s;
            cos_sin(q, (p * j) % n, c, s);
            dst[6 * j + 2 * (p - 1)] = c;
            dst[6 * j + 2 * (p - 1) + 1] = -s;
        }
    }
}

void build_bitrev(std::int32_t* dst, int m) {
    const int bits = m - 2;
    const std::int32_t n = std::int32_t(1) << bits;
    std::int32_t pair_at = 0, self_at = n - 1;
    for (std::int32_t i = 1; i < n; ++i) {
        const std::int32_t j = static_cast<std::int32_t>(reverse_bits(static_cast<std::uint32_t>(i), bits));
        if (i < j) {
            dst[pair_at++] = 4 * i;
            dst[pair_at++] = 4 * j;
        } else if (i == j) {
            dst[self_at--] = 4 * i;
        }
    }
    dst[pair_at] = 0;
    dst[n] = 0;
}

template <class T>
void build_merge(T* dst, const QuarterWave<T>& q0, int m) {
    const QuarterWave<T> q = q0.lower(m);
    const std::int64_t n4 = (std::int64_t(1) << m) / 4;
    for (std::int64_t j = 0; j < n4; ++j) {
        T c, s;
        cos_sin(q, j, c, s);
        dst[j] = c;
        dst[n4 + j] = -s;
    }
}

template <class T>
void build_step(T* dst, const QuarterWave<T>& q0, int m, int k) {
    const QuarterWave<T> q = q0.lower(m);
    const std::int64_t n = std::int64_t(1) << m, p = std::int64_t(1) << k, cols = n / p;
    for (std::int64_t g = 0; g < cols / 4; ++g) {
        for (std::int64_t r = 0; r < p; ++r) {
            const std::int64_t row = reverse_bits(static_cast<std::uint32_t>(r), k);
            T* out = dst + (g * p + r) * 8;
            for (int t = 0; t < 4; ++t) {
                T c, s;
                cos_sin(q, (row * (4 * g + t)) & (n - 1), c, s);
                out[t] = c;
                out[4 + t] = -s;
            }
        }
    }
}

template <class T>
void build_recombination(T* fwd, T* inv, int m) {
    const std::int64_t n = std::int64_t(1) << m, n4 = n / 4;
    const std::int64_t pairs = n4 > 0 ? n4 : 1;
    for (std::int64_t j = 0; j < pairs; ++j) {
        double c, s;
        if (m <= 10) {
            const std::int64_t stride = std::int64_t(1) << (10 - m);
            // cos = S[N/4 - j]; at j = 0 that is the exact 1 behind the table
            c = j == 0 ? 1.0 : static_cast<double>(fixed_sine_table<T>()[(n4 - j) * stride]);
            s = static_cast<double>(fixed_sine_table<T>()[j * stride]);
        } else {
            c = static_cast<T>(quarter_value(n4 - j, m));
            s = static_cast<T>(quarter_value(j, m));
        }
        fwd[2 * j] = static_cast<T>(0.5 * static_cast<T>(c));
        fwd[2 * j + 1] = static_cast<T>(0.5 - 0.5 * static_cast<T>(s));
        inv[2 * j] = static_cast<T>(c);
        inv[2 * j + 1] = static_cast<T>(-static_cast<T>(s));
    }
}

void build_radix4_q14(short* dst, short* quarter, int m) {
    const std::int64_t n = std::int64_t(1) << m, n4 = n / 4;
    const std::int64_t stride = std::int64_t(1) << (10 - m);
    for (std::int64_t k = 0; k < n4; ++k) quarter[k] = kSine1024_q14[k * stride];
    quarter[n4] = 16384;
    const QuarterWave<short> q{quarter, 1, m};
    for (std::int64_t j = 0; j <= n4; ++j) {
        for (int p = 1; p <= 3; ++p) {
            short c, s;
            cos_sin(q, (p * j) % n, c, s);
            dst[6 * j + 2 * (p - 1)] = c;
            dst[6 * j + 2 * (p - 1) + 1] = static_cast<short>(-s);
        }
    }
}

#define VEKS_FFT_TABLES(T)                                                       \
    template QuarterWave<T> build_quarter_wave<T>(T*, int);                      \
    template void build_radix4<T>(T*, const QuarterWave<T>&, int);               \
    template void build_merge<T>(T*, const QuarterWave<T>&, int);                \
    template void build_step<T>(T*, const QuarterWave<T>&, int, int);            \
    template void build_recombination<T>(T*, T*, int);
VEKS_FFT_TABLES(float)
VEKS_FFT_TABLES(double)

} // namespace veks::fft
