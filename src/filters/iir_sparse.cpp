// Sparse IIR: y[n] = sum_i b_i x[n - pb_i] + sum_j a_j y[n - pa_j], with
// feedback added and taps not normalised. The state keeps both tap sets
// oldest position first, with the offsets of their positions, and the last
// order inputs and order2 outputs, newest first.
#include <climits>
#include <cstdint>
#include <cstring>

#include "core/checks.h"
#include "core/export.h"
#include "filters/iir_state.h"

namespace veks::iir {
namespace {

constexpr std::uint32_t kSparseId = 0x49495350u; // "PSII" in memory order

struct SparseHeader {
    std::uint32_t id;
    std::int32_t nz, nz2, order, order2;
    std::uint32_t b, pb, a, pa, hist; // offsets: taps, positions, input then output history
    std::uint32_t reserved[2];
};
static_assert(sizeof(SparseHeader) == 48, "48-byte header");

struct SparseLayout {
    std::int64_t b, pb, a, pa, hist, size;
};
SparseLayout sparse_layout(int nz, int nz2, int order, int order2) {
    SparseLayout l{};
    l.b = sizeof(SparseHeader);
    l.pb = l.b + up16(4 * std::int64_t(nz));
    l.a = l.pb + up16(4 * std::int64_t(nz));
    l.pa = l.a + up16(4 * std::int64_t(nz2));
    l.hist = l.pa + up16(4 * std::int64_t(nz2));
    l.size = l.hist + up16(8 * (std::int64_t(order) + order2) + 8) + 16;
    return l;
}

template <class T> T* at(void* base, std::uint32_t off) {
    return reinterpret_cast<T*>(static_cast<std::uint8_t*>(base) + off);
}
template <class T> T ld(const T* p, std::ptrdiff_t i) {
    T v;
    std::memcpy(&v, reinterpret_cast<const unsigned char*>(p) + i * std::ptrdiff_t(sizeof(T)), sizeof(T));
    return v;
}

VekStatus get_size(int nz, int nz2, int order, int order2, int* size) {
    VEKS_CHECK(check_ptrs(size));
    if (nz < 1 || nz2 < 0) return vekStsBadOrder;
    if (order < 0 || order2 < 0) return vekStsBadSparseTaps;
    const std::int64_t bytes = 2 * up16(4 * std::int64_t(nz)) + 2 * up16(4 * std::int64_t(nz2)) +
                               up16(8 * (std::int64_t(order) + order2) + 8) + 64;
    if (bytes > INT_MAX) return vekStsNoMemory;
    *size = static_cast<int>(bytes);
    return vekStsOk;
}

bool strictly_increasing(const Vek32s* pos, int n) {
    for (int i = 1; i < n; ++i)
        if (ld(pos, i) <= ld(pos, i - 1)) return false;
    return true;
}

VekStatus init(void** state, const Vek32f* taps, const Vek32s* pos, int nz, int nz2, const Vek32f* dly, Vek8u* buf) {
    VEKS_CHECK(check_ptrs(state, taps, pos, buf));
    if (nz < 1 || nz2 < 0) return vekStsBadOrder;
    const Vek32s* apos = pos + nz;
    if ((nz2 > 0 && ld(apos, 0) == 0) || ld(pos, 0) < 0) return vekStsBadSparseTaps;
    if (!strictly_increasing(pos, nz)) return vekStsBadSparseTaps;
    if (nz2 > 0 && ld(apos, 0) < 0) return vekStsBadSparseTaps;
    if (!strictly_increasing(apos, nz2)) return vekStsBadSparseTaps;
    const int order = ld(pos, nz - 1), order2 = nz2 ? ld(apos, nz2 - 1) : 0;
    const SparseLayout l = sparse_layout(nz, nz2, order, order2);
    if (l.size > INT_MAX) return vekStsNoMemory;

    auto* base = reinterpret_cast<std::uint8_t*>((reinterpret_cast<std::uintptr_t>(buf) + 15) & ~std::uintptr_t(15));
    auto* h = reinterpret_cast<SparseHeader*>(base);
    *h = SparseHeader{kSparseId, nz, nz2, order, order2, std::uint32_t(l.b), std::uint32_t(l.pb), std::uint32_t(l.a),
                      std::uint32_t(l.pa), std::uint32_t(l.hist), {0, 0}};
    float* b = at<float>(h, h->b);
    float* a = at<float>(h, h->a);
    std::int32_t* pb = at<std::int32_t>(h, h->pb);
    std::int32_t* pa = at<std::int32_t>(h, h->pa);
    for (int i = 0; i < nz; ++i) {
        b[i] = ld(taps, nz - 1 - i);
        pb[i] = order - ld(pos, nz - 1 - i);
    }
    for (int j = 0; j < nz2; ++j) {
        a[j] = ld(taps, nz + nz2 - 1 - j);
        pa[j] = order2 - ld(apos, nz2 - 1 - j);
    }
    float* hist = at<float>(h, h->hist);
    const std::size_t hist_bytes = sizeof(float) * (std::size_t(order) + std::size_t(order2));
    if (dly) std::memcpy(hist, dly, hist_bytes);
    else std::memset(hist, 0, hist_bytes);
    *state = h;
    return vekStsOk;
}

// Sample m of a stream whose block starts at index 0 and whose earlier
// samples are in hist, newest first.
inline float sample(const float* block, const float* hist, std::ptrdiff_t m) {
    return m >= 0 ? ld(block, m) : hist[-m - 1];
}

// The last count samples of the stream, newest first, back into hist.
void keep_last(const float* block, std::ptrdiff_t len, float* hist, std::ptrdiff_t count) {
    for (std::ptrdiff_t k = count - 1; k >= 0; --k) hist[k] = sample(block, hist, len - 1 - k); // reads hist[k - len] < k
}

VekStatus filter(const Vek32f* src, Vek32f* dst, int len, void* state) {
    VEKS_CHECK(check_ptrs(src, dst, state));
    VEKS_CHECK(check_len(len));
    auto* h = static_cast<SparseHeader*>(state);
    if (h->id != kSparseId) return vekStsBadContext;
    const float* b = at<float>(h, h->b);
    const float* a = at<float>(h, h->a);
    const std::int32_t* pb = at<std::int32_t>(h, h->pb);
    const std::int32_t* pa = at<std::int32_t>(h, h->pa);
    float* hx = at<float>(h, h->hist);
    float* hy = hx + h->order;
    for (std::ptrdiff_t n = 0; n < len; ++n) {
        float ff = 0.0f, fb = 0.0f;
        const std::ptrdiff_t oldest_x = n - h->order, oldest_y = n - h->order2;
        for (int i = 0; i < h->nz; ++i) ff += b[i] * sample(src, hx, oldest_x + pb[i]);
        for (int j = 0; j < h->nz2; ++j) fb += a[j] * sample(dst, hy, oldest_y + pa[j]);
        const float y = ff + fb;
        std::memcpy(reinterpret_cast<unsigned char*>(dst) + n * std::ptrdiff_t(sizeof(float)), &y, sizeof y);
    }
    keep_last(src, len, hx, h->order);
    keep_last(dst, len, hy, h->order2);
    return vekStsOk;
}

} // namespace
} // namespace veks::iir

using namespace veks::iir;

VEKS_API VekStatus veksIIRSparseGetStateSize_32f(int nzTapsLen, int nzTapsLen2, int order, int order2, int* pSize) {
    return get_size(nzTapsLen, nzTapsLen2, order, order2, pSize);
}
VEKS_API VekStatus veksIIRSparseInit_32f(VeksIIRSparseState_32f** ppState, const Vek32f* pNZTaps, const Vek32s* pNZTapPos,
                                         int nzTapsLen, int nzTapsLen2, const Vek32f* pDlyLine, Vek8u* pBuf) {
    return init(reinterpret_cast<void**>(ppState), pNZTaps, pNZTapPos, nzTapsLen, nzTapsLen2, pDlyLine, pBuf);
}
VEKS_API VekStatus veksIIRSparse_32f(const Vek32f* pSrc, Vek32f* pDst, int len, VeksIIRSparseState_32f* pState) {
    return filter(pSrc, pDst, len, pState);
}
