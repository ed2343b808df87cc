// Spec life cycle shared by the FFT kinds: sizes, building and checks.
#pragma once

#include <climits>
#include <cstdint>

#include "transforms/fft_layout.h"

namespace veks::fft {

// Builds a spec of kind Id at the 32-byte boundary of mem (the argument
// checks of Init included) and stores its address in *out.
template <std::uint32_t Id> VekStatus init_spec(void** out, int order, int flag, int hint, Vek8u* mem, Vek8u* init_buf);
template <std::uint32_t Id> VekStatus get_sizes(int order, int flag, int hint, int* spec, int* init, int* work);
template <std::uint32_t Id> VekStatus get_buf_size(const void* spec, int* size);

// The caller's work buffer aligned up, or one allocated for the call.
class WorkArea {
public:
    WorkArea(Vek8u* caller, std::uint32_t bytes);
    ~WorkArea();
    WorkArea(const WorkArea&) = delete;
    WorkArea& operator=(const WorkArea&) = delete;
    bool ok() const { return ok_; }
    template <class T> T* as() const { return reinterpret_cast<T*>(data_); }

private:
    std::uint8_t* data_ = nullptr;
    Vek8u* owned_ = nullptr;
    bool ok_ = true;
};

} // namespace veks::fft
