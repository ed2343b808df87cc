// Arithmetic members against plain loops computing the same results, built
// with the same flags, and (for the float members) against memcpy moving
// the same number of bytes.
#include <cmath>
#include <cstring>
#include <limits>
#include <memory>

#include "bench_util.h"
#include "veks.h"

namespace {

template <class T> std::shared_ptr<T> buffer(int n, T fill) {
    std::shared_ptr<T> p(reinterpret_cast<T*>(veksMalloc_8u(static_cast<int>(n * sizeof(T)))), veksFree);
    for (int i = 0; i < n; ++i) p.get()[i] = fill;
    return p;
}
template <class T> std::shared_ptr<T> ramp(int n, int mod, int offset) {
    auto p = buffer<T>(n, T{});
    for (int i = 0; i < n; ++i) p.get()[i] = static_cast<T>(i % mod + offset);
    return p;
}

// ---- plain loops ---------------------------------------------------------------------
__attribute__((noinline)) void plain_add_32f(const float* a, const float* b, float* d, int n) {
    for (int i = 0; i < n; ++i) d[i] = a[i] + b[i];
}
__attribute__((noinline)) void plain_mul_32fc(const Vek32fc* a, const Vek32fc* b, Vek32fc* d, int n) {
    for (int i = 0; i < n; ++i) {
        const float re = a[i].re * b[i].re - a[i].im * b[i].im;
        const float im = a[i].re * b[i].im + a[i].im * b[i].re;
        d[i].re = re;
        d[i].im = im;
    }
}
inline Vek16s clamp16(int v) { return static_cast<Vek16s>(v > 32767 ? 32767 : (v < -32768 ? -32768 : v)); }
inline int round_shift(int v, int sf) { return (v + (1 << (sf - 1)) - 1 + ((v >> sf) & 1)) >> sf; }
__attribute__((noinline)) void plain_add_16s_sfs(const Vek16s* a, const Vek16s* b, Vek16s* d, int n, int sf) {
    for (int i = 0; i < n; ++i) d[i] = clamp16(round_shift(int(a[i]) + int(b[i]), sf));
}
__attribute__((noinline)) void plain_mul_16s_sfs(const Vek16s* a, const Vek16s* b, Vek16s* d, int n, int sf) {
    for (int i = 0; i < n; ++i) d[i] = clamp16(round_shift(int(a[i]) * int(b[i]), sf));
}
__attribute__((noinline)) int plain_div_32f(const float* a, const float* b, float* d, int n) {
    const float inf = std::numeric_limits<float>::infinity(), nan = std::numeric_limits<float>::quiet_NaN();
    bool zero = false;
    for (int i = 0; i < n; ++i) {
        if (a[i] == 0) {
            zero = true;
            d[i] = b[i] > 0 ? inf : (b[i] < 0 ? -inf : nan);
        } else {
            d[i] = b[i] / a[i];
        }
    }
    return zero ? vekStsDivByZero : vekStsOk;
}
__attribute__((noinline)) void plain_divc_16s_sfs(const Vek16s* s, Vek16s val, Vek16s* d, int n, int sf) {
    const float f = std::ldexp(1.0f, -sf) / float(val);
    for (int i = 0; i < n; ++i) {
        const float q = float(s[i]) * f;
        if (q >= -32768.0f && q <= 32767.0f) {
            const float t = (q + 32768.0f) + 0.5f;
            int k = static_cast<int>(t);
            if ((k & 1) && float(k) == t) --k;
            d[i] = static_cast<Vek16s>(k - 32768);
        } else {
            d[i] = q > 0 ? 32767 : -32768;
        }
    }
}

struct Registrar {
    Registrar() {
        for (int n : {1 << 10, 1 << 24}) {
            {
                auto a = ramp<float>(n, 97, 1), b = ramp<float>(n, 89, 2), d = buffer<float>(n, 0.0f);
                auto m = buffer<char>(n * 6, 0), m2 = buffer<char>(n * 6, 0);
                vb::add("Add_32f", "veks", n, 12, [=] { veksAdd_32f(a.get(), b.get(), d.get(), n); });
                vb::add("Add_32f", "plain", n, 12, [=] { plain_add_32f(a.get(), b.get(), d.get(), n); });
                vb::add("Add_32f", "memcpy_same_bytes", n, 12, [=] { std::memcpy(m2.get(), m.get(), std::size_t(n) * 6); });
                vb::add("Div_32f", "veks", n, 12, [=] { veksDiv_32f(a.get(), b.get(), d.get(), n); });
                vb::add("Div_32f", "plain", n, 12, [=] { plain_div_32f(a.get(), b.get(), d.get(), n); });
                vb::add("Div_32f", "memcpy_same_bytes", n, 12, [=] { std::memcpy(m2.get(), m.get(), std::size_t(n) * 6); });
            }
            {
                auto a = buffer<Vek32fc>(n, Vek32fc{1.5f, -2.0f}), b = buffer<Vek32fc>(n, Vek32fc{0.25f, 3.0f});
                auto d = buffer<Vek32fc>(n, Vek32fc{});
                auto m = buffer<char>(n * 12, 0), m2 = buffer<char>(n * 12, 0);
                vb::add("Mul_32fc", "veks", n, 24, [=] { veksMul_32fc(a.get(), b.get(), d.get(), n); });
                vb::add("Mul_32fc", "plain", n, 24, [=] { plain_mul_32fc(a.get(), b.get(), d.get(), n); });
                vb::add("Mul_32fc", "memcpy_same_bytes", n, 24, [=] { std::memcpy(m2.get(), m.get(), std::size_t(n) * 12); });
            }
            {
                auto a = ramp<Vek16s>(n, 30000, -15000), b = ramp<Vek16s>(n, 20011, -9000), d = buffer<Vek16s>(n, 0);
                vb::add("Add_16s_Sfs_1", "veks", n, 6, [=] { veksAdd_16s_Sfs(a.get(), b.get(), d.get(), n, 1); });
                vb::add("Add_16s_Sfs_1", "plain", n, 6, [=] { plain_add_16s_sfs(a.get(), b.get(), d.get(), n, 1); });
                vb::add("Mul_16s_Sfs_8", "veks", n, 6, [=] { veksMul_16s_Sfs(a.get(), b.get(), d.get(), n, 8); });
                vb::add("Mul_16s_Sfs_8", "plain", n, 6, [=] { plain_mul_16s_sfs(a.get(), b.get(), d.get(), n, 8); });
                vb::add("DivC_16s_Sfs_3", "veks", n, 4, [=] { veksDivC_16s_Sfs(a.get(), 3, d.get(), n, 0); });
                vb::add("DivC_16s_Sfs_3", "plain", n, 4, [=] { plain_divc_16s_sfs(a.get(), 3, d.get(), n, 0); });
            }
        }
    }
} registrar;

} // namespace
