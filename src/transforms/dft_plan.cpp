// The complex DFT engines of one length: straight-line kernels (n <= 4),
// the mixed-radix passes, the direct transform and the chirp convolution.
#include "transforms/dft_plan.h"

#include <cmath>
#include <cstring>
#include <type_traits>

#include "core/core_services.h"
#include "core/export.h"
#include "transforms/dft_fft.h"
#include "transforms/dft_kernels.h"

namespace veks::dft {
namespace {

constexpr long double kPi = 3.141592653589793238462643383279502884L;

template <class T> T* alloc_values(std::int64_t count) {
    const std::int64_t bytes = count * static_cast<std::int64_t>(sizeof(T));
    if (bytes < 1 || bytes > 0x7fffffff) return nullptr;
    return reinterpret_cast<T*>(veksMalloc_8u(static_cast<int>(bytes)));
}

// Lengths the work areas start at inside one buffer keep 32-byte steps.
constexpr std::uint32_t up32(std::uint64_t v) { return static_cast<std::uint32_t>((v + 31) & ~std::uint64_t(31)); }

// ---- mixed-radix passes ---------------------------------------------------------
// Pass over x into y: for j < sub and q < stride, the p values
// x[q + stride (j + t sub)] go through the radix-p butterfly; output k,
// times W^(j k), goes to y[q + stride (p j + k)]. tw holds W^(j k) at
// (k - 1) sub + j. Vectors run along q (stride >= lanes) or along j (the
// first pass, stride 1).

template <int P> struct Radix { constexpr int p() const { return P; } };
struct AnyRadix { int r; int p() const { return r; } };
// Room for one butterfly's values: exact for the fixed radices, so that
// the compiler keeps them in registers.
template <class R> struct Room { static constexpr int value = kMaxRadix; };
template <int P> struct Room<Radix<P>> { static constexpr int value = P; };

template <bool Inv, class V, class R>
inline void butterfly(V* a, R radix, const typename V::real* kern) {
    if constexpr (std::is_same_v<R, AnyRadix>) bfly_odd<Inv>(a, radix.p(), kern);
    else if constexpr (R{}.p() == 2) bfly2<Inv>(a);
    else if constexpr (R{}.p() == 3) bfly3<Inv>(a);
    else if constexpr (R{}.p() == 4) bfly4<Inv>(a);
    else bfly5<Inv>(a);
}

// Columns q0 <= q < q1 (q1 - q0 a multiple of V::lanes) of the row j.
template <bool Inv, class V, class R, class T>
inline void pass_row(const Pass<T>& ps, R radix, const T* x, T* y, idx j, idx q0, idx q1) {
    const idx s = ps.stride, m = ps.sub;
    const int p = radix.p();
    V w[Room<R>::value];
    for (int k = 1; k < p; ++k) w[k] = V::bcast(ps.tw + 2 * ((k - 1) * m + j));
    V a[Room<R>::value];
    for (idx q = q0; q < q1; q += V::lanes) {
        for (int t = 0; t < p; ++t) a[t] = V::load(x + 2 * (q + s * (j + t * m)));
        butterfly<Inv>(a, radix, ps.kern);
        a[0].store(y + 2 * (q + s * p * j));
        if (j == 0) { // W^0 = 1: the whole last pass and the first row of the others
            for (int k = 1; k < p; ++k) a[k].store(y + 2 * (q + s * k));
        } else {
            for (int k = 1; k < p; ++k) twiddle<Inv>(a[k], w[k]).store(y + 2 * (q + s * (p * j + k)));
        }
    }
}

template <bool Inv, class V, class R, class T>
void pass_any(const Pass<T>& ps, R radix, const T* x, T* y) {
    using S = Cx<T>;
    const idx s = ps.stride, m = ps.sub;
    const int p = radix.p();
    if constexpr (V::lanes == 2) {
        if (s == 1) {
            // two rows at once: their inputs are neighbours, their outputs p apart
            idx j = 0;
            V a[Room<R>::value];
            for (; j + 2 <= m; j += 2) {
                for (int t = 0; t < p; ++t) a[t] = V::load(x + 2 * (j + t * m));
                butterfly<Inv>(a, radix, ps.kern);
                const V b0 = a[0];
                b0.store_lo(y + 2 * p * j);
                b0.store_hi(y + 2 * p * (j + 1));
                for (int k = 1; k < p; ++k) {
                    const V b = twiddle<Inv>(a[k], V::load(ps.tw + 2 * ((k - 1) * m + j)));
                    b.store_lo(y + 2 * (p * j + k));
                    b.store_hi(y + 2 * (p * (j + 1) + k));
                }
            }
            for (; j < m; ++j) pass_row<Inv, S>(ps, radix, x, y, j, 0, 1);
            return;
        }
    }
    const idx vec_end = s - s % V::lanes;
    for (idx j = 0; j < m; ++j) {
        pass_row<Inv, V>(ps, radix, x, y, j, 0, vec_end);
        if (vec_end < s) pass_row<Inv, S>(ps, radix, x, y, j, vec_end, s);
    }
}

template <bool Inv, class T>
void run_pass(const Pass<T>& ps, const T* x, T* y) {
    using V = CxV<T>;
    switch (ps.radix) {
    case 2: pass_any<Inv, V>(ps, Radix<2>{}, x, y); break;
    case 3: pass_any<Inv, V>(ps, Radix<3>{}, x, y); break;
    case 4: pass_any<Inv, V>(ps, Radix<4>{}, x, y); break;
    case 5: pass_any<Inv, V>(ps, Radix<5>{}, x, y); break;
    default: pass_any<Inv, V>(ps, AnyRadix{ps.radix}, x, y); break;
    }
}

// Twelve points (factors 4 then 3) with both passes in registers: the
// radix-4 butterflies over x[j + 3t] with the first pass's twiddles W^(jk),
// then the radix-3 butterflies over j for each k into X[k + 4m]. Every
// input is read before the first output is written, so src may equal dst.
template <bool Inv, class V, class T>
void run_twelve(const Plan<T>& p, const T* src, T* dst) {
    const T* tw = p.pass[0].tw; // W^(jk) at (k - 1) 3 + j
#ifdef VEKS_DFT_SSE2
    if constexpr (V::lanes == 2) {
        // b: rows j = 0, 1 in the two lanes; c: row 2 in the low lane
        V b[4], c[4];
        for (int t = 0; t < 4; ++t) b[t] = V::load(src + 6 * t), c[t] = V::bcast(src + 6 * t + 4);
        bfly4<Inv>(b);
        bfly4<Inv>(c);
        for (int k = 1; k < 4; ++k) {
            b[k] = twiddle<Inv>(b[k], V::load(tw + 6 * (k - 1)));
            c[k] = twiddle<Inv>(c[k], V::bcast(tw + 6 * (k - 1) + 4));
        }
        for (int k = 0; k < 4; k += 2) { // outputs k, k + 1 side by side
            V d[3] = {{_mm_movelh_ps(b[k].v, b[k + 1].v)}, {_mm_movehl_ps(b[k + 1].v, b[k].v)},
                      {_mm_movelh_ps(c[k].v, c[k + 1].v)}};
            bfly3<Inv>(d);
            for (int m = 0; m < 3; ++m) d[m].store(dst + 2 * (4 * m + k));
        }
    } else
#endif
    {
        V a[3][4];
        for (int j = 0; j < 3; ++j)
            for (int t = 0; t < 4; ++t) a[j][t] = V::load(src + 2 * (j + 3 * t));
        for (int j = 0; j < 3; ++j) {
            bfly4<Inv>(a[j]);
            for (int k = 1; k < 4; ++k) a[j][k] = twiddle<Inv>(a[j][k], V::load(tw + 2 * (3 * (k - 1) + j)));
        }
        for (int k = 0; k < 4; ++k) {
            V d[3] = {a[0][k], a[1][k], a[2][k]};
            bfly3<Inv>(d);
            for (int m = 0; m < 3; ++m) d[m].store(dst + 2 * (4 * m + k));
        }
    }
}

// Passes alternate between dst and the work area so that the last one
// writes dst; an in-place call with an odd number of passes starts from a
// copy of the input.
template <bool Inv, class T>
void run_factor(const Plan<T>& p, const T* src, T* dst, T* work) {
    if (p.n == 12) {
        run_twelve<Inv, CxV<T>>(p, src, dst);
        return;
    }
    const int np = p.passes;
    const T* in = src;
    if (src == dst && np % 2 == 1) {
        std::memcpy(work, src, static_cast<std::size_t>(p.n) * 2 * sizeof(T));
        in = work;
    }
    for (int i = 0; i < np; ++i) {
        T* out = (np - 1 - i) % 2 == 0 ? dst : work;
        run_pass<Inv>(p.pass[i], in, out);
        in = out;
    }
}

template <bool Inv, class T>
void run_small(int n, const T* src, T* dst) {
    Cx<T> a[4];
    for (int i = 0; i < n; ++i) a[i] = ld(src, i);
    switch (n) {
    case 2: bfly2<Inv>(a); break;
    case 3: bfly3<Inv>(a); break;
    case 4: bfly4<Inv>(a); break;
    default: break;
    }
    for (int i = 0; i < n; ++i) st(dst, i, a[i]);
}

template <bool Inv, class T>
void run_direct(const Plan<T>& p, const T* src, T* dst, T* work) {
    const idx n = p.n;
    T* out = src == dst ? work : dst;
    for (idx k = 0; k < n; ++k) {
        T re = 0, im = 0;
        idx t = 0;
        for (idx j = 0; j < n; ++j) {
            const Cx<T> v = twiddle<Inv>(ld(src, j), ld(p.direct, t));
            re += v.re;
            im += v.im;
            t += k;
            if (t >= n) t -= n;
        }
        st(out, k, Cx<T>{re, im});
    }
    if (out != dst) std::memcpy(dst, out, static_cast<std::size_t>(n) * 2 * sizeof(T));
}

// X[k] = c[k] * sum_j (c[j] x[j]) conj(c[k - j]), the sum a circular
// convolution of length M done by FFTs. The inverse is the forward
// transform read backwards.
// out[i] = x[i] * w[i] for i < n (out may be x).
template <class T>
void mul_arrays(const T* x, const T* w, T* out, idx n) {
    using V = CxV<T>;
    idx i = 0;
    for (; i + V::lanes <= n; i += V::lanes) twiddle<false>(V::load(x + 2 * i), V::load(w + 2 * i)).store(out + 2 * i);
    for (; i < n; ++i) st(out, i, twiddle<false>(ld(x, i), ld(w, i)));
}

template <bool Inv, class T>
void run_chirp(const Plan<T>& p, const T* src, T* dst, T* work) {
    const idx n = p.n, m = p.chirp_len;
    T* a = work;
    Vek8u* fft_work = reinterpret_cast<Vek8u*>(work + 2 * m);
    mul_arrays(src, p.chirp, a, n);
    std::memset(a + 2 * n, 0, static_cast<std::size_t>(m - n) * 2 * sizeof(T));
    FftOf<T>::template c<false>(a, a, p.chirp_fft, fft_work);
    mul_arrays(a, p.filter, a, m);
    FftOf<T>::template c<true>(a, a, p.chirp_fft, fft_work);
    if (!Inv) {
        mul_arrays(a, p.chirp, dst, n);
        return;
    }
    mul_arrays(a, p.chirp, a, n);
    st(dst, 0, ld(a, 0));
    for (idx k = 1; k < n; ++k) st(dst, n - k, ld(a, k));
}

// ---- building ----------------------------------------------------------------------

// Factors in pass order: a 2 first, then the 4s, then odd factors; false
// when the length does not split into them with a last factor <= 150.
bool factorise(int n, int* f, int& count) {
    count = 0;
    int r = n, fours = 0;
    while (r % 4 == 0) { r /= 4; ++fours; }
    if (r % 2 == 0) { f[count++] = 2; r /= 2; }
    for (int i = 0; i < fours; ++i) f[count++] = 4;
    if (r >= 9) {
        for (int d = 3; r >= d * d;) {
            if (d > kMaxRadix) return false;
            if (r % d == 0) { f[count++] = d; r /= d; }
            else d += 2;
        }
    }
    f[count++] = r;
    return count >= 2 && r <= kMaxRadix;
}

template <class T>
VekStatus build_factor(Plan<T>& p, const T* base, int step) {
    int f[kMaxPasses];
    int count = 0;
    factorise(p.n, f, count);
    p.mode = Mode::Factor;
    p.passes = count;
    std::int64_t stride = 1;
    for (int i = 0; i < count; ++i) {
        Pass<T>& ps = p.pass[i];
        const int r = f[i];
        ps.radix = r;
        ps.stride = static_cast<std::int32_t>(stride);
        ps.sub = static_cast<std::int32_t>(p.n / stride / r);
        if (!(ps.tw = alloc_values<T>(2 * std::int64_t(ps.sub) * (r - 1) + 2))) return vekStsNoMemory;
        for (std::int64_t j = 0; j < ps.sub; ++j)
            for (int k = 1; k < r; ++k) {
                const std::int64_t e = j * k * stride * step; // W_n^(j k stride), below n
                ps.tw[2 * ((k - 1) * ps.sub + j)] = base[2 * e];
                ps.tw[2 * ((k - 1) * ps.sub + j) + 1] = base[2 * e + 1];
            }
        if (r > 5) {
            const int h = (r - 1) / 2;
            if (!(ps.kern = alloc_values<T>(2 * h * h))) return vekStsNoMemory;
            const std::int64_t unit = std::int64_t(p.n / r) * step; // W_r = W_n^(n/r)
            for (int k = 1; k <= h; ++k)
                for (int j = 1; j <= h; ++j) {
                    const std::int64_t e = (j * k % r) * unit;
                    ps.kern[2 * ((k - 1) * h + j - 1)] = base[2 * e];
                    ps.kern[2 * ((k - 1) * h + j - 1) + 1] = -base[2 * e + 1];
                }
        }
        stride *= r;
    }
    p.work = static_cast<std::uint32_t>(2 * sizeof(T) * std::uint64_t(p.n));
    return vekStsOk;
}

template <class T>
VekStatus build_chirp(Plan<T>& p) {
    const std::int64_t n = p.n;
    int order = 0;
    while ((std::int64_t(1) << order) < 2 * n - 1) ++order;
    const std::int64_t m = std::int64_t(1) << order;
    p.mode = Mode::Chirp;
    p.chirp_len = static_cast<std::int32_t>(m);
    if (!(p.chirp = alloc_values<T>(2 * n)) || !(p.filter = alloc_values<T>(2 * m))) return vekStsNoMemory;
    std::int64_t r = 0; // k^2 mod 2n
    for (std::int64_t k = 0; k < n; ++k) {
        const double a = static_cast<double>(kPi * static_cast<long double>(r) / static_cast<long double>(n));
        p.chirp[2 * k] = static_cast<T>(std::cos(a));
        p.chirp[2 * k + 1] = static_cast<T>(-std::sin(a));
        r = (r + 2 * k + 1) % (2 * n);
    }
    std::memset(p.filter, 0, static_cast<std::size_t>(2 * m) * sizeof(T));
    for (std::int64_t k = 0; k < n; ++k) {
        const T re = p.chirp[2 * k], im = -p.chirp[2 * k + 1];
        p.filter[2 * k] = re;
        p.filter[2 * k + 1] = im;
        if (k > 0) {
            p.filter[2 * (m - k)] = re;
            p.filter[2 * (m - k) + 1] = im;
        }
    }
    VEKS_CHECK(FftOf<T>::alloc_c(&p.chirp_fft, order, vekFftNormNone, vekHintDefault));
    int buf = 0;
    VEKS_CHECK(FftOf<T>::buf_c(p.chirp_fft, &buf));
    p.chirp_fft_work = static_cast<std::uint32_t>(buf);
    VEKS_CHECK(FftOf<T>::template c<false>(p.filter, p.filter, p.chirp_fft, nullptr));
    const T inv_m = T(1) / static_cast<T>(m);
    for (std::int64_t i = 0; i < 2 * m; ++i) p.filter[i] *= inv_m;
    p.work = static_cast<std::uint32_t>(2 * sizeof(T) * std::uint64_t(m)) + p.chirp_fft_work;
    return vekStsOk;
}

} // namespace

template <class T>
T* base_table(int n) {
    T* w = alloc_values<T>(2 * std::int64_t(n));
    if (!w) return nullptr;
    const FpuControlGuard guard;
    // One half of the circle by sin/cos, the other half by conjugate symmetry.
    for (std::int64_t k = 0; 2 * k <= n; ++k) {
        const double a = static_cast<double>(2 * kPi * static_cast<long double>(k) / static_cast<long double>(n));
        const T c = static_cast<T>(std::cos(a)), s = static_cast<T>(std::sin(a));
        w[2 * k] = c;
        w[2 * k + 1] = -s;
        if (k > 0) {
            w[2 * (n - k)] = c;
            w[2 * (n - k) + 1] = s;
        }
    }
    return w;
}

template <class T>
VekStatus build_plan(Plan<T>& p, int n, int direct_limit, const T* base, int step) {
    std::memset(&p, 0, sizeof p);
    p.n = n;
    if (n <= 4) {
        p.mode = Mode::Small;
        return vekStsOk;
    }
    int f[kMaxPasses], count = 0;
    if (factorise(n, f, count)) return build_factor(p, base, step);
    if (n > direct_limit) return build_chirp(p);
    p.mode = Mode::Direct;
    if (!(p.direct = alloc_values<T>(2 * std::int64_t(n)))) return vekStsNoMemory;
    for (std::int64_t k = 0; k < n; ++k) {
        p.direct[2 * k] = base[2 * k * step];
        p.direct[2 * k + 1] = base[2 * k * step + 1];
    }
    p.work = static_cast<std::uint32_t>(2 * sizeof(T) * std::uint64_t(n));
    return vekStsOk;
}

template <class T>
void free_plan(Plan<T>& p) {
    veksFree(p.direct);
    veksFree(p.chirp);
    veksFree(p.filter);
    if (p.chirp_fft) FftOf<T>::free_c(p.chirp_fft);
    for (int i = 0; i < p.passes; ++i) {
        veksFree(p.pass[i].tw);
        veksFree(p.pass[i].kern);
    }
    std::memset(&p, 0, sizeof p);
}

template <class T, bool Inv>
void run_plan(const Plan<T>& p, const T* src, T* dst, T* work) {
    switch (p.mode) {
    case Mode::Small: run_small<Inv>(p.n, src, dst); break;
    case Mode::Factor: run_factor<Inv>(p, src, dst, work); break;
    case Mode::Direct: run_direct<Inv>(p, src, dst, work); break;
    case Mode::Chirp: run_chirp<Inv>(p, src, dst, work); break;
    }
}

template <class T>
bool plan_uses_work(const Plan<T>& p) { return p.mode != Mode::Small && !(p.mode == Mode::Factor && p.n == 12); }

std::uint32_t work_slot(std::uint64_t bytes) { return up32(bytes); }

#define VEKS_DFT_PLAN_INSTANCES(T)                                                  \
    template T* base_table<T>(int);                                                 \
    template VekStatus build_plan<T>(Plan<T>&, int, int, const T*, int);            \
    template void free_plan<T>(Plan<T>&);                                           \
    template void run_plan<T, false>(const Plan<T>&, const T*, T*, T*);             \
    template void run_plan<T, true>(const Plan<T>&, const T*, T*, T*);             \
    template bool plan_uses_work<T>(const Plan<T>&);
VEKS_DFT_PLAN_INSTANCES(float)
VEKS_DFT_PLAN_INSTANCES(double)

} // namespace veks::dft
