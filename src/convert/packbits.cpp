// Packing variable-length bit fields, most significant bit first.
#include <cstdint>

#include "core/checks.h"
#include "core/export.h"

namespace veks {
namespace {

VekStatus pack_bits(const Vek32u* src, const int* bit_lens, int len, Vek8u* dst, int dst_bit_offset, int* total_bits) {
    VEKS_CHECK(check_ptrs(src, bit_lens, dst, total_bits));
    if (len < 1 || dst_bit_offset < 0) return vekStsBadLength;

    VekStatus status = vekStsOk;
    // The accumulator holds `pending` bits, right-aligned; it starts with the
    // bits of the first byte that lie before the offset, which are kept.
    const int offset = dst_bit_offset & 7;
    std::uint64_t acc = offset == 0 ? 0 : static_cast<std::uint64_t>(dst[0] >> (8 - offset));
    int pending = offset;
    std::int64_t total = 0;
    Vek8u* out = dst;
    for (int i = 0; i < len; ++i) {
        int n = bit_lens[i];
        if (n < 0 || n > 32) {
            n = n < 0 ? 0 : 32;
            status = vekStsBitLenClamped;
        }
        if (n == 0) continue;
        const std::uint64_t field = static_cast<std::uint64_t>(src[i]) & ((std::uint64_t(1) << n) - 1);
        acc = (acc << n) | field;
        pending += n;
        total += n;
        while (pending >= 8) {
            pending -= 8;
            *out++ = static_cast<Vek8u>(acc >> pending);
        }
    }
    // The last partial byte: remaining bits on top, its own low bits kept.
    if (pending > 0) {
        const unsigned keep = (1u << (8 - pending)) - 1;
        *out = static_cast<Vek8u>(((acc << (8 - pending)) & ~keep & 0xFFu) | (*out & keep));
    }
    *total_bits = static_cast<int>(total);
    return status;
}

} // namespace
} // namespace veks

VEKS_API VekStatus veksPackBits_32u8u(const Vek32u* pSrc, const int* pSrcBitsLen, int len, Vek8u* pDst,
                                      int dstBitOffset, int* pDstLenBits) {
    return veks::pack_bits(pSrc, pSrcBitsLen, len, pDst, dstBitOffset, pDstLenBits);
}
