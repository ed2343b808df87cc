// Per-kind call tables so one test body covers every FFT kind, and a spec
// holder for any kind table.
#pragma once

#include <complex>
#include <stdexcept>
#include <string>

#include "signature_probe.h"
#include "veks_test.h"

namespace fftt {

using cld = std::complex<long double>;

// One kind of spec, its calls taking the spec as void*; get_size and init for the FFT kinds only; the
// length is an order or a number of points. run: complex kinds transform x in the kind's type; real
// kinds' forward gives bins 0..n/2 read from the layout, their inverse takes them and gives n values.
struct Kind {
    const char* name;
    bool dbl, real;
    VekStatus (*init_alloc)(void**, int, int, int);
    VekStatus (*free)(void*);
    VekStatus (*get_buf_size)(const void*, int*);
    std::vector<cld> (*run)(const void* spec, const std::vector<cld>& x, int n, bool inv, bool in_place, int layout,
                            Vek8u* buf, int offset);
    VekStatus (*get_size)(int, int, int, int*, int*, int*) = nullptr;
    VekStatus (*init)(void**, int, int, int, Vek8u*, Vek8u*) = nullptr;
};

// LEN turns the length argument n into the InitAlloc argument.
#define DFTT_LIFE(PRE, K, LEN)                                                                                       \
    [](void** p, int n, int f, int h) { return veks##PRE##InitAlloc_##K(reinterpret_cast<Veks##PRE##Spec_##K**>(p), LEN, f, h); }, \
        [](void* s) { return veks##PRE##Free_##K(static_cast<Veks##PRE##Spec_##K*>(s)); },                            \
        [](const void* s, int* b) { return veks##PRE##GetBufSize_##K(static_cast<const Veks##PRE##Spec_##K*>(s), b); }
#define FFTT_KIND(K)                                                                                         \
    Kind {                                                                                                   \
        #K, false, false, DFTT_LIFE(FFT, K, n), nullptr, veksFFTGetSize_##K,                                 \
            [](void** p, int o, int f, int h, Vek8u* m, Vek8u* b) {                                          \
                return veksFFTInit_##K(reinterpret_cast<VeksFFTSpec_##K**>(p), o, f, h, m, b); }             \
    }

inline const std::vector<Kind>& all_kinds() {
    static const std::vector<Kind> k = {
        FFTT_KIND(C_16sc), FFTT_KIND(C_16s), FFTT_KIND(R_16s), FFTT_KIND(C_32fc), FFTT_KIND(C_32f),
        FFTT_KIND(R_32f), FFTT_KIND(C_64fc), FFTT_KIND(C_64f), FFTT_KIND(R_64f), FFTT_KIND(C_32sc),
        FFTT_KIND(C_32s), FFTT_KIND(R_32s), FFTT_KIND(R_16s32s)};
    return k;
}

template <class K> const K& find(const std::vector<K>& kinds, const std::string& name) {
    for (const auto& k : kinds)
        if (name == k.name) return k;
    throw std::runtime_error(name);
}
inline const Kind& kind(const char* name) { return find(all_kinds(), name); }

constexpr int kFlags[] = {vekFftNormFwd, vekFftNormInv, vekFftNormSqrt, vekFftNormNone};

// A spec of a kind table (init_alloc, free, get_buf_size) made by InitAlloc
// and freed at scope exit; the length is an order or a number of points.
template <class K>
class SpecOf {
public:
    SpecOf(const K& k, int len, int flag, int hint = vekHintDefault) : k_(k) { status_ = k.init_alloc(&p_, len, flag, hint); }
    ~SpecOf() { if (p_) k_.free(p_); }
    SpecOf(const SpecOf&) = delete;
    SpecOf& operator=(const SpecOf&) = delete;
    template <class S> const S* as() const { return static_cast<const S*>(p_); }
    void* get() const { return p_; }
    VekStatus status() const { return status_; }
    int buf_size() const { int n = -1; k_.get_buf_size(p_, &n); return n; }

private:
    const K& k_;
    void* p_ = nullptr;
    VekStatus status_;
};
using Spec = SpecOf<Kind>;

// A call's check order driven by its signature: the spec (pointer to an opaque type) null, then another
// kind's spec (whatever data pointer is null), then each data pointer null; the work buffer stays null, every
// int 0, no error writes anything. A call with a length (argument len_at) checks its pointers first.
template <class T, class = void> struct Opaque : std::true_type {};
template <class T> struct Opaque<T, std::void_t<decltype(sizeof(T))>> : std::false_type {};
template <class A> constexpr bool is_spec_v = std::is_pointer_v<A> && Opaque<std::remove_pointer_t<A>>::value;
template <class A> constexpr bool is_data_v = std::is_pointer_v<A> && !is_spec_v<A> && !std::is_same_v<A, Vek8u*>;

template <class A> using SlotOf = sp::Slot<std::conditional_t<is_data_v<A> || !std::is_pointer_v<A>, A, int>>;

template <class A>
A probe_arg(SlotOf<A>& slot, int ordinal, int null_ordinal, const void* spec, bool is_len, int len) {
    if constexpr (is_spec_v<A>) return const_cast<A>(static_cast<const std::remove_pointer_t<A>*>(spec));
    else if constexpr (std::is_same_v<A, Vek8u*>) return nullptr;
    else return slot.get(ordinal, null_ordinal, is_len, len, 0);
}

template <class... Args, std::size_t... I>
void spec_checks_impl(VekStatus (*fn)(Args...), const void* spec, const void* other, int len_at, std::index_sequence<I...>) {
    std::tuple<SlotOf<Args>...> slots;
    std::array<int, sizeof...(Args)> ord{};
    const bool is_data[] = {is_data_v<Args>...};
    int n_data = 0;
    for (std::size_t i = 0; i < ord.size(); ++i) ord[i] = is_data[i] ? n_data++ : -1;
    const auto call = [&](const void* s, int nul, int len) {
        return fn(probe_arg<Args>(std::get<I>(slots), ord[I], nul, s, int(I) == len_at, len)...);
    };
    const auto intact = [&] { return (std::get<I>(slots).intact() && ...); };
    EXPECT_EQ(call(nullptr, -1, 0), vekStsNullPtr);
    for (int p = -1; p < n_data; ++p) EXPECT_EQ(call(other, p, 0), vekStsBadContext) << "pointer " << p << " null";
    for (int p = 0; p < n_data; ++p) EXPECT_EQ(call(spec, p, 0), vekStsNullPtr) << "pointer " << p << " null";
    EXPECT_TRUE(intact()) << "an error wrote output";
    if (len_at >= 0) vt::expect_ptrs_then_len(n_data, [&](int nul, int len) { return call(spec, nul, len); }, intact);
}

template <class... Args>
void expect_spec_checks(VekStatus (*fn)(Args...), const void* spec, const void* other, int len_at = -1) {
    spec_checks_impl(fn, spec, other, len_at, std::index_sequence_for<Args...>{});
}

} // namespace fftt
