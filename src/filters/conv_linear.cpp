// Linear convolution: the size rule and the three evaluations.
#include "filters/conv_linear.h"

#include <omp.h>

#include <algorithm>
#include <cstring>
#include <utility>

#include "core/core_services.h"
#include "filters/conv_direct.h"
#include "filters/conv_fft.h"

namespace veks::filt {
namespace {

// Short operands and short results go to the direct sum.
constexpr int kDirectBelowResult = 150;
constexpr int kDirectBelowShort = 32;
// Long operands spread their overlap-save blocks over threads.
constexpr int kThreadedAbove = 4096;

// One transform of the whole result: both operands padded to N, spectra
// multiplied in the Perm layout.
template <class F>
VekStatus conv_one_transform(const F* a, int la, const F* b, int lb, F* dst) {
    using Api = RealFft<F>;
    const int dlen = la + lb - 1;
    const int order = order_at_least(dlen, 2);
    const std::size_t n = std::size_t(1) << order;
    Scratch<F> mem(2 * n);
    if (mem.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order);
    if (!fft.ok()) return fft.status();
    F* x = mem.get();
    F* y = x + n;
    std::memcpy(x, a, sizeof(F) * la);
    std::fill(x + la, x + n, F(0));
    std::memcpy(y, b, sizeof(F) * lb);
    std::fill(y + lb, y + n, F(0));
    VekStatus st = Api::fwd_perm(x, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::fwd_perm(y, fft.spec(), fft.buffer(0));
    if (st == vekStsOk) st = Api::mul_perm(y, x, int(n));
    if (st == vekStsOk) st = Api::inv_perm(x, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;
    std::memcpy(dst, x, sizeof(F) * dlen);
    return vekStsOk;
}

// Overlap-save: the short operand's spectrum is made once; each block of S
// outputs transforms N inputs (L2 - 1 of them history) and keeps the
// outputs that did not wrap around.
template <class F>
VekStatus conv_overlap_save(const F* a, int la, const F* b, int lb, F* dst) {
    using Api = RealFft<F>;
    const long long dlen = static_cast<long long>(la) + lb - 1;
    const int order = order_at_least(2LL * lb, 2) + 1;
    const int n = 1 << order;
    const int step = n - lb + 1;
    const long long blocks = (dlen + step - 1) / step;
    const int threads = la > kThreadedAbove ? std::max(1, ownGetNumThreads()) : 1;

    Scratch<F> mem(static_cast<std::size_t>(n) * (1 + threads));
    Scratch<VekStatus> status(threads);
    if (mem.empty() || status.empty()) return vekStsNoMemory;
    CallFft<Api> fft(order, threads);
    if (!fft.ok()) return fft.status();

    F* h = mem.get();
    std::memcpy(h, b, sizeof(F) * lb);
    std::fill(h + lb, h + n, F(0));
    VekStatus st = Api::fwd_perm(h, fft.spec(), fft.buffer(0));
    if (st != vekStsOk) return st;

    auto run_block = [&](long long index, F* w, Vek8u* buf) -> VekStatus {
        const long long p = index * step;
        const long long start = index == 0 ? 0 : p - (lb - 1);
        const long long count = index == 0 ? std::min<long long>(la, step) : std::min<long long>(la - start, n);
        std::memcpy(w, a + start, sizeof(F) * count);
        std::fill(w + count, w + n, F(0));
        VekStatus s = Api::fwd_perm(w, fft.spec(), buf);
        if (s == vekStsOk) s = Api::mul_perm(h, w, n);
        if (s == vekStsOk) s = Api::inv_perm(w, fft.spec(), buf);
        if (s != vekStsOk) return s;
        const int from = index == 0 ? 0 : lb - 1;
        std::memcpy(dst + p, w + from, sizeof(F) * std::min<long long>(dlen - p, step));
        return vekStsOk;
    };

    if (threads < 2) {
        for (long long i = 0; i < blocks; ++i) {
            st = run_block(i, h + n, fft.buffer(0));
            if (st != vekStsOk) return st;
        }
        return vekStsOk;
    }
    int granted = 1;
#pragma omp parallel num_threads(threads)
    {
        const int t = omp_get_thread_num();
#pragma omp master
        {
            granted = omp_get_num_threads();
            for (int i = 0; i < threads; ++i) status[i] = vekStsOk;
        }
#pragma omp barrier
        VekStatus mine = vekStsOk;
        for (long long i = t; i < blocks; i += granted) {
            const VekStatus s = run_block(i, h + static_cast<std::size_t>(n) * (1 + t), fft.buffer(t));
            mine = std::min(mine, s);
        }
        status[t] = mine;
    }
    VekStatus result = vekStsOk;
    for (int i = 0; i < threads; ++i) result = std::min(result, status[i]);
    return result;
}

} // namespace

template <class F>
VekStatus conv_real(const F* a, int la, const F* b, int lb, F* dst) {
    if (la < lb) {
        std::swap(a, b);
        std::swap(la, lb);
    }
    const long long dlen = static_cast<long long>(la) + lb - 1;
    if (dlen < kDirectBelowResult || lb < kDirectBelowShort) {
        conv_direct(a, la, b, lb, dst);
        return vekStsOk;
    }
    if (la < 3LL * lb) return conv_one_transform(a, la, b, lb, dst);
    return conv_overlap_save(a, la, b, lb, dst);
}

template VekStatus conv_real<Vek32f>(const Vek32f*, int, const Vek32f*, int, Vek32f*);
template VekStatus conv_real<Vek64f>(const Vek64f*, int, const Vek64f*, int, Vek64f*);

} // namespace veks::filt
