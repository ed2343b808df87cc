// Bitwise AND, OR, XOR (vector-vector and vector-constant) and complement.
// Each kernel is a plain loop the compiler vectorises; when out-of-place
// buffers overlap, its run-time alias check falls back to the ascending
// element-by-element loop.
#include <cstdint>
#include <cstring>
#include <type_traits>

#include "core/checks.h"
#include "core/export.h"
#include "core/movement_kernels.h"

namespace veks {
namespace {

struct OpAnd { template <class T> T operator()(T a, T b) const { return T(a & b); } };
struct OpOr  { template <class T> T operator()(T a, T b) const { return T(a | b); } };
struct OpXor { template <class T> T operator()(T a, T b) const { return T(a ^ b); } };

template <class Op, class T>
VekStatus logic_vv(const T* src1, const T* src2, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src1, src2, dst));
    for (int n = 0; n < len; ++n) store_elem(dst, n, Op{}(load_elem(src1, n), load_elem(src2, n)));
    return vekStsOk;
}

template <class Op, class T>
VekStatus logic_vv_inplace(const T* src, T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, srcdst));
    for (int n = 0; n < len; ++n) store_elem(srcdst, n, Op{}(load_elem(srcdst, n), load_elem(src, n)));
    return vekStsOk;
}

template <class Op, class T>
void logic_vc_kernel(const T* src, T val, T* dst, int len) {
    for (int n = 0; n < len; ++n) store_elem(dst, n, Op{}(load_elem(src, n), val));
}

template <class Op, class T>
void logic_vc_kernel_inplace(T val, T* p, int len) {
    for (int n = 0; n < len; ++n) store_elem(p, n, Op{}(load_elem(p, n), val));
}

// A zero constant makes AND a zero-fill and OR/XOR a copy.
template <class Op, class T>
VekStatus logic_vc(const T* src, T val, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    const std::size_t bytes = static_cast<std::size_t>(len) * sizeof(T);
    if (val == 0) {
        if constexpr (std::is_same_v<Op, OpAnd>) std::memset(dst, 0, bytes);
        else copy_bytes_ascending(src, dst, bytes);
        return vekStsOk;
    }
    logic_vc_kernel<Op>(src, val, dst, len);
    return vekStsOk;
}

template <class Op, class T>
VekStatus logic_vc_inplace(T val, T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, srcdst));
    if (val == 0) {
        if constexpr (std::is_same_v<Op, OpAnd>) std::memset(srcdst, 0, static_cast<std::size_t>(len) * sizeof(T));
        return vekStsOk;
    }
    logic_vc_kernel_inplace<Op>(val, srcdst, len);
    return vekStsOk;
}

template <class T>
VekStatus logic_not(const T* src, T* dst, int len) {
    VEKS_CHECK(check_ptrs_len(len, src, dst));
    logic_vc_kernel<OpXor>(src, static_cast<T>(~T(0)), dst, len);
    return vekStsOk;
}

template <class T>
VekStatus logic_not_inplace(T* srcdst, int len) {
    VEKS_CHECK(check_ptrs_len(len, srcdst));
    logic_vc_kernel_inplace<OpXor>(static_cast<T>(~T(0)), srcdst, len);
    return vekStsOk;
}

} // namespace
} // namespace veks

using namespace veks;

#define VEKS_LOGIC_VV(name, op, s)                                                                       \
    VEKS_API VekStatus veks##name##_##s(const Vek##s* pSrc1, const Vek##s* pSrc2, Vek##s* pDst, int len) { \
        return logic_vv<op>(pSrc1, pSrc2, pDst, len);                                                    \
    }                                                                                                    \
    VEKS_API VekStatus veks##name##_##s##_I(const Vek##s* pSrc, Vek##s* pSrcDst, int len) {              \
        return logic_vv_inplace<op>(pSrc, pSrcDst, len);                                                 \
    }
#define VEKS_LOGIC_VC(name, op, s)                                                                       \
    VEKS_API VekStatus veks##name##_##s(const Vek##s* pSrc, Vek##s val, Vek##s* pDst, int len) {          \
        return logic_vc<op>(pSrc, val, pDst, len);                                                       \
    }                                                                                                    \
    VEKS_API VekStatus veks##name##_##s##_I(Vek##s val, Vek##s* pSrcDst, int len) {                      \
        return logic_vc_inplace<op>(val, pSrcDst, len);                                                  \
    }
#define VEKS_NOT(s)                                                                                      \
    VEKS_API VekStatus veksNot_##s(const Vek##s* pSrc, Vek##s* pDst, int len) { return logic_not(pSrc, pDst, len); } \
    VEKS_API VekStatus veksNot_##s##_I(Vek##s* pSrcDst, int len) { return logic_not_inplace(pSrcDst, len); }

// One row per element type.
#define VEKS_LOGIC_ROW(s)                                                                                \
    VEKS_LOGIC_VV(And, OpAnd, s) VEKS_LOGIC_VV(Or, OpOr, s) VEKS_LOGIC_VV(Xor, OpXor, s)                  \
    VEKS_LOGIC_VC(AndC, OpAnd, s) VEKS_LOGIC_VC(OrC, OpOr, s) VEKS_LOGIC_VC(XorC, OpXor, s) VEKS_NOT(s)

VEKS_LOGIC_ROW(8u)
VEKS_LOGIC_ROW(16u)
VEKS_LOGIC_ROW(32u)
