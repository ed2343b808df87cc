// The two DCT engines built on the power-of-two FFT.
//
// FFT method (powers of two with the precision hint): the real FFT of x
// padded to 2N gives Y; X[k] = Re(Y_k) a_k + Im(Y_k) b_k with the post
// twiddles (a_k, b_k) = c_k (cos, sin)(pi k / 2N). The inverse feeds
// Z_0 = a_0 X_0, Z_k = (a_k, b_k) X_k / 2 and Z_N = 0 to the inverse real
// FFT of length 2N, whose first N values are the signal.
//
// Chirp method (other lengths above 100): the reordered real sequence
// v[n] = x[2n], v[N-1-n] = x[2n+1] has X[k] = c_k Re(e^(-i pi k/2N) V_k),
// V its N-point DFT. With nk = (n^2 + k^2 - (k-n)^2)/2 the DFT becomes a
// convolution with the chirp e^(i pi m^2/N), done through FFTs of length
// M >= 2N - 1; the pre-chirp, the post twist and c_k live in the tables.
// The inverse builds V_k = s_k e^(i pi k/2N) (X_k - i X_(N-k)), runs the
// conjugate convolution as the conjugate of the same one and reads the
// real parts, then undoes the reordering.
#pragma once

#include <cstddef>
#include <cstring>

#include "transforms/dct_inner_fft.h"
#include "transforms/dct_spec.h"
#include "transforms/fft_simd.h"

namespace veks::dct {

// work: 2N values, then the FFT's own work area.
template <class T, bool Inv>
VekStatus fft_method(const FloatHeader<T>* h, const T* src, T* dst, T* work) {
    const idx n = h->n;
    const auto* spec = at_offset<const typename InnerFft<T>::Real>(h, h->fft_spec);
    const T* tw = at_offset<const T>(h, h->post_twiddle);
    Vek8u* fft_buf = reinterpret_cast<Vek8u*>(work + 2 * n);
    T* y = work;
    if (!Inv) {
        std::memcpy(y, src, static_cast<std::size_t>(n) * sizeof(T));
        std::memset(y + n, 0, static_cast<std::size_t>(n) * sizeof(T));
        VEKS_CHECK(InnerFft<T>::real_fwd(y, spec, fft_buf));
        dst[0] = y[0] * tw[0];
        for (idx k = 1; k < n; ++k) dst[k] = y[2 * k] * tw[2 * k] + y[2 * k + 1] * tw[2 * k + 1];
        return vekStsOk;
    }
    y[0] = src[0] * tw[0];
    y[1] = 0;
    for (idx k = 1; k < n; ++k) {
        const T half = src[k] * T(0.5);
        y[2 * k] = half * tw[2 * k];
        y[2 * k + 1] = half * tw[2 * k + 1];
    }
    VEKS_CHECK(InnerFft<T>::real_inv(y, spec, fft_buf));
    std::memcpy(dst, y, static_cast<std::size_t>(n) * sizeof(T));
    return vekStsOk;
}

// z (M complex values) times the filter spectrum f.
template <class T>
void multiply_spectrum(T* z, const T* f, idx m) {
    using V = fft::Wide<T>;
    idx j = 0;
    for (; j + V::lanes <= m; j += V::lanes) {
        V zr, zi, fr, fi;
        V::load_ci(z + 2 * j, zr, zi);
        V::load_ci(f + 2 * j, fr, fi);
        V::store_ci(z + 2 * j, zr * fr - zi * fi, zr * fi + zi * fr);
    }
    for (; j < m; ++j) {
        const T zr = z[2 * j], zi = z[2 * j + 1];
        z[2 * j] = zr * f[2 * j] - zi * f[2 * j + 1];
        z[2 * j + 1] = zr * f[2 * j + 1] + zi * f[2 * j];
    }
}

// work: M complex values, then the FFT's own work area.
template <class T, bool Inv>
VekStatus chirp_method(const FloatHeader<T>* h, const T* src, T* dst, T* work) {
    const idx n = h->n, m = idx(1) << h->chirp_order;
    const auto* spec = at_offset<const typename InnerFft<T>::Cplx>(h, h->chirp_spec);
    const T* filter = at_offset<const T>(h, h->chirp_filter);
    const T* pre = at_offset<const T>(h, h->chirp_pre);
    T* z = work;
    Vek8u* fft_buf = reinterpret_cast<Vek8u*>(work + 2 * m);
    if (!Inv) {
        for (idx i = 0; i < n; ++i) {
            const T v = 2 * i < n ? src[2 * i] : src[2 * (n - 1 - i) + 1];
            z[2 * i] = v * pre[2 * i];
            z[2 * i + 1] = v * pre[2 * i + 1];
        }
    } else {
        const T* p = at_offset<const T>(h, h->chirp_inv_pre);
        // conj(p_k (X_k - i X_(N-k))) = conj(p_k) (X_k + i X_(N-k))
        for (idx k = 0; k < n; ++k) {
            const T a = src[k], b = k == 0 ? T(0) : src[n - k];
            z[2 * k] = p[2 * k] * a + p[2 * k + 1] * b;
            z[2 * k + 1] = p[2 * k] * b - p[2 * k + 1] * a;
        }
    }
    std::memset(z + 2 * n, 0, static_cast<std::size_t>(2 * (m - n)) * sizeof(T));
    VEKS_CHECK(InnerFft<T>::cplx_fwd(z, spec, fft_buf));
    multiply_spectrum(z, filter, m);
    VEKS_CHECK(InnerFft<T>::cplx_inv(z, spec, fft_buf));
    if (!Inv) {
        const T* q = at_offset<const T>(h, h->chirp_post);
        for (idx k = 0; k < n; ++k) dst[k] = q[2 * k] * z[2 * k] - q[2 * k + 1] * z[2 * k + 1];
        return vekStsOk;
    }
    // v_n = Re(a_n r_n) with a_n = pre[n]; then x[2n] = v[n], x[2n+1] = v[N-1-n].
    for (idx i = 0; i < n; ++i) {
        const T v = pre[2 * i] * z[2 * i] - pre[2 * i + 1] * z[2 * i + 1];
        if (2 * i < n) dst[2 * i] = v;
        else dst[2 * (n - 1 - i) + 1] = v;
    }
    return vekStsOk;
}

} // namespace veks::dct
