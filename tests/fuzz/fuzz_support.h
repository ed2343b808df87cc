// Shared machinery of the fuzz targets: a call builder that turns fuzz input
// into lengths, scalars and exactly-sized (possibly misaligned or null)
// buffers, and the checks every call must pass: a documented status, an
// error for a null pointer or a length below 1, no write on error, no write
// to a source. A failed check prints the function and aborts.
#pragma once

#include <fuzzer/FuzzedDataProvider.h>

#include <climits>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <limits>
#include <memory>
#include <random>
#include <type_traits>
#include <utility>
#include <vector>

#include "veks.h"

namespace fz {

inline bool documented_status(VekStatus st) {
    static const int kCodes[] = {0,   3,   4,   5,   6,   7,   8,   9,   27,  -5,  -6,  -8,  -9,  -10, -13,
                                 -15, -16, -17, -18, -19, -24, -25, -26, -27, -28, -29, -30, -31, -32, -33,
                                 -35, -38, -39, -40, -41, -42, -43, -44, -45, -46, -194, -206, -208, -209, -213};
    for (int c : kCodes)
        if (c == st) return true;
    return false;
}

[[noreturn]] inline void fail(const char* fn, const char* what, VekStatus st) {
    std::fprintf(stderr, "fuzz check failed: %s: %s (status %d)\n", fn, what, st);
    std::abort();
}

// Memory the library sees: exactly `bytes` in a heap block of its own (so
// AddressSanitizer catches a single byte past it) at a byte offset of 0..7,
// as callers pass any address; unchanged() compares with the snapshot.
struct Block {
    unsigned char* block;
    unsigned char* data;
    std::size_t bytes;
    std::vector<unsigned char> before;
    Block(std::size_t n, std::size_t offset)
        : block(static_cast<unsigned char*>(std::malloc(n + offset + 1))), data(block + offset), bytes(n) {}
    ~Block() { std::free(block); }
    Block(const Block&) = delete;
    void snapshot() { before.assign(data, data + bytes); }
    bool unchanged() const { return bytes == 0 || std::memcmp(data, before.data(), bytes) == 0; }
};

// Values that reach the interesting branches of scale factors and modes.
inline int interesting_int(FuzzedDataProvider& in) {
    static const int kInts[] = {0,  1,  -1, 2,  3,   7,   8,   14,  15,  16,  17,      30,     31,      32,
                                33, 62, 63, 64, -2,  -14, -15, -16, -17, -30, -31,     -32,    -33,     -63,
                                -64, 100, -100, 1 << 20, -(1 << 20), INT_MAX, INT_MIN, INT_MAX - 1, INT_MIN + 1};
    return in.ConsumeBool() ? in.PickValueInArray(kInts) : in.ConsumeIntegral<int>();
}

// How the fuzzer makes and releases a spec or state object of one kind:
// specialised per object type (make builds it in memory the call keeps and
// reports the transform length in n; null when the drawn parameters are refused).
template <class Spec> struct SpecTraits;

// Kinds made only by InitAlloc (traits set `allocated`) are released when
// the call is done; a freed one would be released memory, so never-built stands in.
template <class T, class = void> struct made_by_alloc : std::false_type {};
template <class T> struct made_by_alloc<T, std::void_t<decltype(T::allocated)>> : std::true_type {};

class Call {
public:
    Call(FuzzedDataProvider& in, const char* name) : in_(in), name_(name) {
        switch (in.ConsumeIntegralInRange(0, 7)) {
        case 0: len_ = 0; break;
        case 1: len_ = in.PickValueInArray({-1, -2, INT_MIN, -65536}); break;
        case 2: len_ = in.PickValueInArray({INT_MAX, 1 << 30, 1 << 28}); huge_ = true; break;
        case 3: len_ = in.ConsumeIntegralInRange(257, 5000); break;
        default: len_ = in.ConsumeIntegralInRange(1, 40); break;
        }
        null_mask_ = in.ConsumeBool() ? 0 : in.ConsumeIntegral<std::uint8_t>();
    }
    int length() { uses_len_ = true; return len_; }
    FuzzedDataProvider& input() { return in_; }
    const char* name() const { return name_; }

    // A spec argument: a valid object, a null pointer, a freed object or
    // memory that never held one.
    template <class Spec> Spec* spec() {
        const int mode = in_.ConsumeIntegralInRange(0, 7);
        if (mode == 0) {
            any_null_ = true;
            return nullptr;
        }
        Spec* s = mode == 1 ? nullptr : SpecTraits<Spec>::make(in_, *this, spec_n_);
        if (s != nullptr) spec_buf_bytes_ = SpecTraits<Spec>::buf_size(s);
        if (s != nullptr && mode == 2) {
            SpecTraits<Spec>::release(s);
            bad_spec_ = true;
            if constexpr (!made_by_alloc<SpecTraits<Spec>>::value) return s;
            s = nullptr;
        }
        if (s == nullptr) {  // zeroed memory: no identifier
            bad_spec_ = true;
            return static_cast<Spec*>(keep(std::calloc(4096, 1)));
        }
        if constexpr (made_by_alloc<SpecTraits<Spec>>::value)
            owned_.emplace_back(s, [](void* p) { SpecTraits<Spec>::release(static_cast<Spec*>(p)); });
        return s;
    }
    // Operand size of a transform call: its length plus extra elements.
    std::size_t spec_elems(int extra) const { return std::size_t(spec_n_ > 0 ? spec_n_ + extra : 8); }
    // The optional work buffer: null (the library allocates) or exactly the
    // size the spec asks for. It is scratch: not compared afterwards.
    template <class Spec> Vek8u* work_buffer(const Spec*) {
        if (spec_buf_bytes_ <= 0 || in_.ConsumeBool()) return nullptr;
        return static_cast<Vek8u*>(keep(std::malloc(std::size_t(spec_buf_bytes_))));
    }
    void* keep(void* block) { owned_.emplace_back(block, std::free); return block; }
    // Memory of `size` bytes at a drawn offset of 0..31, kept until the call is done.
    Vek8u* drawn_memory(int size) {
        const std::size_t offset = in_.ConsumeIntegralInRange(0, 31);
        return static_cast<Vek8u*>(keep(std::malloc(std::size_t(size) + offset))) + offset;
    }
    std::size_t vector_elems(int per, int extra = 0) {
        uses_len_ = true;
        return len_ > 0 && !huge_ ? std::size_t(len_) * per + extra : 0;
    }

    template <class T> T* src(std::size_t n) { return static_cast<T*>(buffer(n * sizeof(T), true)); }
    template <class T> T* dst(std::size_t n) { return static_cast<T*>(buffer(n * sizeof(T), false)); }
    // Pointers the function accepts as null.
    template <class T> T* optional_src(std::size_t n) { return optional<T>(n, true); }
    template <class T> T* optional_dst(std::size_t n) { return optional<T>(n, false); }
    // For the few functions documented to write part of their output before
    // reporting some errors.
    void allow_partial_output() { partial_ok_ = true; }

    // A median or window mask: below 1, even, on both sides of the stack
    // window limit, longer than the data; a run costs about len * mask.
    int mask_size() { return in_.ConsumeIntegralInRange(-3, 1100); }

    template <class T> T scalar() {
        if constexpr (std::is_same_v<T, int>) {
            return interesting_int(in_);
        } else if constexpr (std::is_floating_point_v<T>) {
            static const T kSpecial[] = {T(0), T(-0.0), T(1), T(-1), T(0.5), T(1e-30), T(1e30),
                                         std::numeric_limits<T>::infinity(), -std::numeric_limits<T>::infinity(),
                                         std::numeric_limits<T>::quiet_NaN(), std::numeric_limits<T>::denorm_min()};
            return in_.ConsumeBool() ? in_.PickValueInArray(kSpecial) : in_.ConsumeFloatingPoint<T>();
        } else {
            T v{};
            auto bytes = in_.ConsumeBytes<unsigned char>(sizeof v);
            if (!bytes.empty()) std::memcpy(&v, bytes.data(), bytes.size());
            return v;
        }
    }

    // Applies the checks to the status the library returned.
    void finish(VekStatus st) {
        if (!documented_status(st)) fail(name_, "undocumented status", st);
        if (any_null_ && st >= 0) fail(name_, "a null pointer was accepted", st);
        if (len_ < 1 && !any_null_ && uses_len_ && st >= 0) fail(name_, "a length below 1 was accepted", st);
        if (bad_spec_ && st >= 0) fail(name_, "a bad object or argument was accepted", st);
        if (st == vekStsNullPtr && !any_null_ && !optional_null_) fail(name_, "null-pointer status without a null pointer", st);
        for (const auto& b : sources_)
            if (!b->unchanged()) fail(name_, "a source was written", st);
        for (const auto& b : outputs_)
            if (st < 0 && !partial_ok_ && !b->unchanged()) fail(name_, "an error wrote an output", st);
    }

private:
    template <class T> T* optional(std::size_t n, bool source) {
        if (in_.ConsumeBool()) {
            optional_null_ = true;
            return nullptr;
        }
        const bool had_null = any_null_;
        T* p = static_cast<T*>(buffer(n * sizeof(T), source));
        if (p == nullptr && !(huge_ && uses_len_)) any_null_ = had_null;  // its own null is no error
        optional_null_ = optional_null_ || p == nullptr;
        return p;
    }
    void* buffer(std::size_t bytes, bool source) {
        const unsigned index = buffers_++;
        // Huge lengths cannot be backed by memory: every pointer is null then.
        if ((huge_ && uses_len_) || (index < 8 && (null_mask_ >> index) & 1)) {
            any_null_ = true;
            return nullptr;
        }
        const std::size_t offset = in_.ConsumeBool() ? 0 : in_.ConsumeIntegralInRange<std::size_t>(1, 7);
        Block& b = *(source ? sources_ : outputs_).emplace_back(std::make_unique<Block>(bytes, offset));
        // Contents: fuzz bytes first, then a pattern seeded by them.
        auto head = in_.ConsumeBytes<unsigned char>(std::min<std::size_t>(bytes, 64));
        if (!head.empty()) std::memcpy(b.data, head.data(), head.size());
        std::minstd_rand pattern(unsigned(head.size() * 131 + (head.empty() ? 0 : head[0])));
        for (std::size_t i = head.size(); i < bytes; ++i)
            b.data[i] = static_cast<unsigned char>(pattern() >> 8);
        b.snapshot();
        return b.data;
    }

    FuzzedDataProvider& in_;
    const char* name_;
    int len_ = 1;
    bool huge_ = false;
    bool any_null_ = false;
    bool uses_len_ = false;
    bool partial_ok_ = false;
    bool optional_null_ = false;
    bool bad_spec_ = false;
    int spec_n_ = 0;
    int spec_buf_bytes_ = 0;
    std::uint8_t null_mask_ = 0;
    std::vector<std::unique_ptr<void, void (*)(void*)>> owned_;  // memory kept and objects to release
    unsigned buffers_ = 0;
    std::vector<std::unique_ptr<Block>> sources_, outputs_;
};

struct Entry {
    const char* name;
    void (*run)(Call&);
};

template <std::size_t N> int run_table(const Entry (&table)[N], const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const Entry& e = table[in.ConsumeIntegralInRange<std::size_t>(0, N - 1)];
    // Buffers must be fully set up before the call expression runs, whatever
    // order the compiler evaluates the arguments in: Call owns them all.
    Call call(in, e.name);
    e.run(call);
    return 0;
}

} // namespace fz
