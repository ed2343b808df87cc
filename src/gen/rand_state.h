// Layouts of the uniform and Gaussian noise states. Doubles sit on 4-byte
// boundaries so that the byte sizes the interface reports (48, 52, 60, 68)
// hold; the states carry their kind's identifier first.
#pragma once

#include <cstddef>
#include <cstdint>
#include <type_traits>

#include "gen/rand_engine.h"
#include "veks.h"

namespace veks::gen {

template <class T> constexpr std::int32_t uniform_id = 0;
template <> inline constexpr std::int32_t uniform_id<Vek8u> = 35;
template <> inline constexpr std::int32_t uniform_id<Vek16s> = 36;
template <> inline constexpr std::int32_t uniform_id<Vek32f> = 37;

template <class T> constexpr std::int32_t gauss_id = 0;
template <> inline constexpr std::int32_t gauss_id<Vek8u> = 38;
template <> inline constexpr std::int32_t gauss_id<Vek16s> = 39;
template <> inline constexpr std::int32_t gauss_id<Vek32f> = 40;

// Spare bytes at the end of the Gaussian states.
template <class T> constexpr std::size_t gauss_reserved = std::is_same_v<T, Vek32f> ? 12 : 8;

#pragma pack(push, 4)
template <class T>
struct UniformState {
    std::int32_t id;
    std::uint32_t seed;
    T low, high;
    double mean;  // (low + high) / 2
    double scale; // (high - low) * q
    RandWords words;
};

template <class T>
struct GaussState {
    std::int32_t id;
    std::uint32_t seed;
    T mean, std_dev;
    RandWords words;
    std::int32_t none_pending; // 1: the next element draws a new pair
    double factor;             // f of the pending pair
    double pending;            // u1 of the pending pair
    unsigned char reserved[gauss_reserved<T>];
};
#pragma pack(pop)

static_assert(sizeof(UniformState<Vek8u>) == 48 && sizeof(UniformState<Vek16s>) == 48 &&
              sizeof(UniformState<Vek32f>) == 52, "uniform state sizes");
static_assert(sizeof(GaussState<Vek8u>) == 60 && sizeof(GaussState<Vek16s>) == 60 && sizeof(GaussState<Vek32f>) == 68,
              "Gaussian state sizes");

} // namespace veks::gen
