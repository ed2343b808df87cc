// IIR lowpass and highpass design: Butterworth or Chebyshev type I analog
// prototype (pass-band edge at 1 rad/s), frequency prewarping to
// tan(pi * rFreq), the lowpass-to-highpass mapping for highpass designs, and
// the bilinear transform. Poles and polynomials are formed in long double
// from the closed-form prototype poles and rounded to double at the end.
#include <cmath>
#include <complex>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"

namespace veks::filt {
namespace {

using Cplx = std::complex<long double>;
constexpr long double kPiL = 3.141592653589793238462643383279502884L;
constexpr int kMaxOrder = 12;

enum Prototype { kButterworth = 0, kChebyshev = 1 };

// Prototype pole k of order n (left half plane; poles k and n-1-k conjugate).
Cplx analog_pole(int type, int n, int k, long double tolerance_db) {
    const long double theta = kPiL * (2 * k + 1) / (2.0L * n);
    if (type == kButterworth) return {-std::sin(theta), std::cos(theta)};
    const long double eps = std::sqrt(std::pow(10.0L, tolerance_db / 10.0L) - 1.0L);
    const long double v = std::asinh(1.0L / eps) / n;
    return {-std::sinh(v) * std::sin(theta), std::cosh(v) * std::cos(theta)};
}

VekStatus design(bool highpass, double rfreq, double tolerance, int order, Vek64f* taps, int type) {
    VEKS_CHECK(check_ptrs(taps));
    if (!(rfreq > 0.0 && rfreq < 0.5)) return vekStsBadCutoff;
    if (order < 1 || order > kMaxOrder) return vekStsBadDesignOrder;
    if (type == kChebyshev && !(tolerance > 0.0 && tolerance <= 29.0)) return vekStsBadTolerance;
    if (type != kButterworth && type != kChebyshev) return vekStsOk;

    const long double warped = std::tan(kPiL * static_cast<long double>(rfreq));
    // Denominator: product of (1 - z_k z^-1) over the digital poles, built
    // from conjugate pairs (and the real pole of odd orders) in real terms.
    long double a[kMaxOrder + 1] = {1.0L};
    int deg = 0;
    auto multiply = [&](long double c1, long double c2, int terms) { // by 1 + c1 z^-1 (+ c2 z^-2)
        for (int i = deg + terms; i >= 1; --i) {
            long double v = a[i] + c1 * a[i - 1];
            if (terms == 2 && i >= 2) v += c2 * a[i - 2];
            a[i] = v;
        }
        deg += terms;
    };
    for (int k = 0; k < (order + 1) / 2; ++k) {
        const Cplx p = analog_pole(type, order, k, tolerance);
        const Cplx s = highpass ? warped / p : warped * p; // pole of the scaled analog filter
        const Cplx z = (1.0L + s) / (1.0L - s);            // bilinear transform
        if (2 * k + 1 == order) multiply(-z.real(), 0.0L, 1);
        else multiply(-2.0L * z.real(), std::norm(z), 2);
    }
    for (int i = deg + 1; i <= order; ++i) a[i] = 0.0L;

    // Numerator: all zeros at z = -1 (lowpass) or z = 1 (highpass), scaled
    // so that the gain at DC (Nyquist) is 1, or 1/sqrt(1 + eps^2) for even
    // Chebyshev orders (the ripple peaks at 1).
    long double a_ref = 0.0L, binom = 1.0L, b_ref = 0.0L;
    for (int i = 0; i <= order; ++i) a_ref += (highpass && i % 2 ? -a[i] : a[i]);
    long double b[kMaxOrder + 1];
    for (int i = 0; i <= order; ++i) {
        b[i] = highpass && i % 2 ? -binom : binom;
        b_ref += binom;
        binom = binom * (order - i) / (i + 1);
    }
    long double target = 1.0L;
    if (type == kChebyshev && order % 2 == 0)
        target = 1.0L / std::sqrt(std::pow(10.0L, static_cast<long double>(tolerance) / 10.0L));
    const long double g = target * a_ref / b_ref;
    for (int i = 0; i <= order; ++i) {
        const Vek64f bi = static_cast<double>(g * b[i]), ai = static_cast<double>(a[i]);
        std::memcpy(reinterpret_cast<unsigned char*>(taps) + sizeof(Vek64f) * std::size_t(i), &bi, sizeof bi);
        std::memcpy(reinterpret_cast<unsigned char*>(taps) + sizeof(Vek64f) * std::size_t(order + 1 + i), &ai,
                    sizeof ai);
    }
    return vekStsOk;
}

} // namespace
} // namespace veks::filt

using namespace veks::filt;

VEKS_API VekStatus veksIIRGenLowpass_64f(Vek64f rFreq, Vek64f tolerance, int order, Vek64f* pTaps, int filterType) {
    return design(false, rFreq, tolerance, order, pTaps, filterType);
}
VEKS_API VekStatus veksIIRGenHighpass_64f(Vek64f rFreq, Vek64f tolerance, int order, Vek64f* pTaps, int filterType) {
    return design(true, rFreq, tolerance, order, pTaps, filterType);
}
