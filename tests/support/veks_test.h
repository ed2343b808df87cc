// Shared test helpers: sentinel-guarded output buffers, check-order probes,
// bit-level comparisons and a deterministic random source.
#pragma once

#include <gtest/gtest.h>

#include <cmath>
#include <cstdint>
#include <limits>
#include <cstring>
#include <functional>
#include <random>
#include <vector>

#include "veks.h"

namespace vt {

constexpr unsigned char kSentinelByte = 0xA5;

// An output buffer of len elements followed by a guard zone. Every byte
// starts as the sentinel; intact() says nothing was written anywhere,
// guard_intact() that nothing was written past the first len elements.
template <class T>
class Guarded {
public:
    explicit Guarded(std::size_t len, std::size_t guard = 16) : len_(len), bytes_((len + guard) * sizeof(T)) {
        storage_.assign(bytes_ + 64, static_cast<char>(kSentinelByte));
        base_ = storage_.data() + (64 - reinterpret_cast<std::uintptr_t>(storage_.data()) % 64) % 64;
    }
    T* data() { return reinterpret_cast<T*>(base_); }
    const T* data() const { return reinterpret_cast<const T*>(base_); }
    T& operator[](std::size_t i) { return data()[i]; }
    std::size_t size() const { return len_; }
    void fill(const T& v) { for (std::size_t i = 0; i < len_; ++i) data()[i] = v; }
    void reset() { std::memset(base_, kSentinelByte, bytes_); }
    bool intact() const { return all_sentinel(0, bytes_); }
    bool guard_intact() const { return all_sentinel(len_ * sizeof(T), bytes_); }
    std::vector<T> values() const { return std::vector<T>(data(), data() + len_); }

private:
    bool all_sentinel(std::size_t from, std::size_t to) const {
        for (std::size_t i = from; i < to; ++i)
            if (static_cast<unsigned char>(base_[i]) != kSentinelByte) return false;
        return true;
    }
    std::size_t len_, bytes_;
    std::vector<char> storage_;
    char* base_;
};

// Check-order probe for the common "pointers, then length" rule.
// call(null_index, len) runs the function with pointer number null_index
// replaced by null (-1: no null pointer) and returns its status; intact()
// says the outputs still hold their sentinels. Verifies: any null pointer
// gives vekStsNullPtr even with a bad length; with valid pointers, len 0 and
// negative lengths give vekStsBadLength; no error writes anything.
inline void expect_ptrs_then_len(int n_ptrs, const std::function<VekStatus(int, int)>& call,
                                 const std::function<bool()>& intact = [] { return true; }) {
    for (int p = 0; p < n_ptrs; ++p) {
        for (int len : {0, -1, 4}) {
            EXPECT_EQ(call(p, len), vekStsNullPtr) << "pointer " << p << " null, len " << len;
            EXPECT_TRUE(intact()) << "error wrote output (pointer " << p << ")";
        }
    }
    for (int len : {0, -1, -2147483647 - 1}) {
        EXPECT_EQ(call(-1, len), vekStsBadLength) << "len " << len;
        EXPECT_TRUE(intact()) << "error wrote output (len " << len << ")";
    }
}

// Complex members that run as the real member on 2*len test the length
// first: a bad length wins over a null pointer.
inline void expect_len_then_ptrs(int n_ptrs, const std::function<VekStatus(int, int)>& call,
                                 const std::function<bool()>& intact = [] { return true; }) {
    for (int p = -1; p < n_ptrs; ++p) {
        EXPECT_EQ(call(p, 0), vekStsBadLength) << "pointer " << p << " null, len 0";
        EXPECT_TRUE(intact());
    }
    for (int p = 0; p < n_ptrs; ++p) {
        EXPECT_EQ(call(p, 4), vekStsNullPtr) << "pointer " << p << " null";
        EXPECT_TRUE(intact());
    }
}

// The pointer to pass for argument index i when index `null_index` is to be null.
template <class P>
P* ptr_or_null(P* p, int index, int null_index) { return index == null_index ? nullptr : p; }

// Bit-exact comparison (distinguishes -0.0 and NaN payloads).
template <class T>
bool same_bits(const T& a, const T& b) { return std::memcmp(&a, &b, sizeof(T)) == 0; }

template <class T>
std::uint64_t bits_of(const T& v) {
    std::uint64_t b = 0;
    std::memcpy(&b, &v, sizeof(T) < 8 ? sizeof(T) : 8);
    return b;
}

// Units in the last place between two finite floating values of one type.
template <class F>
double ulp_distance(F got, long double want) {
    if (std::isnan(static_cast<long double>(got)) || std::isnan(want)) return std::isnan(got) == std::isnan(want) ? 0 : 1e30;
    const F w = static_cast<F>(want);
    if (std::isinf(w) || std::isinf(got)) return got == w ? 0 : 1e30;
    const long double ulp = std::nextafter(std::fabs(w), std::numeric_limits<F>::infinity()) - std::fabs(w);
    return static_cast<double>(std::fabs(static_cast<long double>(got) - want) / ulp);
}

// Deterministic random values for sweeps.
class Rng {
public:
    explicit Rng(std::uint64_t seed = 12345) : gen_(seed) {}
    template <class I> I integer(I lo, I hi) { return static_cast<I>(std::uniform_int_distribution<long long>(lo, hi)(gen_)); }
    template <class I> I any() {
        return static_cast<I>(std::uniform_int_distribution<std::uint64_t>()(gen_));
    }
    double real(double lo, double hi) { return std::uniform_real_distribution<double>(lo, hi)(gen_); }
    std::mt19937_64& engine() { return gen_; }

private:
    std::mt19937_64 gen_;
};

} // namespace vt
