// DFT specs of any length: identifiers, the engine plan of a complex
// transform, and the spec records. A DFT spec is one allocation made by
// InitAlloc; its tables are further allocations that it owns, so the
// records hold plain pointers.
#pragma once

#include <cstdint>

#include "veks.h"

namespace veks::dft {

enum DftId : std::uint32_t {
    kIdC16sc = 10, kIdC16s = 11, kIdR16s = 12,
    kIdC32fc = 13, kIdC32f = 14, kIdR32f = 15,
    kIdC64fc = 16, kIdC64f = 17, kIdR64f = 18,
    kIdOutOrd32fc = 0x434D414A, kIdOutOrd64fc = 0x434D414B, // "JAMC", "KAMC"
};

// Unfactorisable lengths above these use the chirp convolution; below, the
// direct transform. Real odd lengths have their own, higher limit.
constexpr int kDirectLimit = 150;
constexpr int kDirectLimitRealOdd = 180;
constexpr int kMaxRadix = 150;
constexpr int kMaxPasses = 32;

enum class Mode : std::uint32_t { Small, Factor, Direct, Chirp };

// One pass of the mixed-radix transform (decimation in frequency, output in
// natural order): radix p over sub-transforms of length p * sub at stride
// `stride`. tw holds W^(j*k) of that length for j < sub, k = 1..p-1;
// kern the cosines and sines of the generic odd-radix kernel.
template <class T>
struct Pass {
    std::int32_t radix;
    std::int32_t stride;
    std::int32_t sub;
    T* tw;
    T* kern;
};

// The complex engine of one length.
template <class T>
struct Plan {
    std::int32_t n;
    Mode mode;
    std::uint32_t work;       // bytes of scratch a call needs (no slack)
    T* direct;                // direct engine: W^k, k < n
    std::int32_t chirp_len;   // chirp engine: convolution length M
    T* chirp;                 // c[k] = e^(-pi i k^2 / n)
    T* filter;                // transformed conj(c), times 1/M
    void* chirp_fft;          // complex FFT spec of length M
    std::uint32_t chirp_fft_work;
    std::int32_t passes;
    Pass<T> pass[kMaxPasses];
};

// Float and double DFT spec.
template <class T>
struct FloatDftSpec {
    std::uint32_t id;
    std::int32_t n;
    std::uint32_t fwd_scaled;
    std::uint32_t inv_scaled;
    T factor;
    std::uint32_t hint;
    std::uint32_t work_bytes; // as GetBufSize reports it (slack included)
    std::uint32_t pow2;
    void* fft;                // inner FFT spec of a power-of-two length
    Plan<T> plan;             // length n; n/2 for even real lengths
    T* recomb;                // even real lengths: W_n^k, k < n/2
};

// 16-bit DFT spec: an inner single-precision spec does the work.
struct ShortDftSpec {
    std::uint32_t id;
    std::int32_t n;
    std::uint32_t hint;
    std::uint32_t work_bytes;
    void* inner;
};

// Creation and release of the float specs (the argument checks of InitAlloc
// included); id chooses the kind.
template <class T> VekStatus create_float(FloatDftSpec<T>** out, std::uint32_t id, int n, int flag, int hint);
template <class T> void destroy_float(FloatDftSpec<T>* s);

// Checks the kind and runs a float spec's transform: interleaved complex
// data (kind id), split arrays, or real data with its spectrum in a layout.
enum class Layout { Perm, Pack, Ccs };
template <class T, bool Inv> VekStatus complex_call(const void* spec, std::uint32_t id, const T* src, T* dst, Vek8u* buf);
template <class T, bool Inv> VekStatus split_call(const void* spec, const T* sr, const T* si, T* dr, T* di, Vek8u* buf);
template <class T, bool Inv> VekStatus real_call(const void* spec, const T* src, T* dst, Layout l, Vek8u* buf);

} // namespace veks::dft
