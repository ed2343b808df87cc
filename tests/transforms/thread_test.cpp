// FFT, DFT, DCT and Hilbert specs are read-only once made: four threads
// sharing one (with and without their own work buffers) each get the result
// of a lone call, bit for bit.
#include <thread>

#include "float_kinds.h"

namespace {

constexpr int kThreads = 4;
constexpr std::size_t kBufBytes = 1 << 18; // more than any spec here asks for

// call(t, dst, buffer) writes thread t's output; buffer is null or a work
// area of kBufBytes. The serial results come first.
template <class Out>
void expect_shared_results(std::size_t out_elems, const std::function<VekStatus(int, Out*, Vek8u*)>& call) {
    std::vector<std::vector<Out>> want(kThreads, std::vector<Out>(out_elems)), got = want;
    for (int t = 0; t < kThreads; ++t) ASSERT_EQ(call(t, want[t].data(), nullptr), vekStsOk) << t;
    std::vector<std::thread> pool;
    for (int t = 0; t < kThreads; ++t)
        pool.emplace_back([&, t] {
            std::vector<Vek8u> buf(kBufBytes);
            for (int rep = 0; rep < 8; ++rep) call(t, got[t].data(), rep % 2 ? buf.data() : nullptr);
        });
    for (auto& th : pool) th.join();
    for (int t = 0; t < kThreads; ++t)
        EXPECT_EQ(std::memcmp(got[t].data(), want[t].data(), out_elems * sizeof(Out)), 0) << "thread " << t;
}

// Thread t's input of n values: float ramps, or 16-bit values when T is 16-bit.
template <class T> std::vector<std::vector<T>> inputs(std::size_t n) {
    std::vector<std::vector<T>> in(kThreads, std::vector<T>(n));
    for (int t = 0; t < kThreads; ++t)
        for (std::size_t i = 0; i < n; ++i)
            in[t][i] = sizeof(T) == 2 ? T(int((i * 37 + t * 101) % 2001) - 1000) : T(float((i * 7 + t * 13) % 23) * 0.125f - 1.0f);
    return in;
}

template <class T> const T* as(const std::vector<std::vector<float>>& in, int t) { return reinterpret_cast<const T*>(in[t].data()); }

TEST(TransformThreads, SharedSpecs) {
    dftt::Spec fs(dftt::fft_kinds()[0], 1 << 13, vekFftNormSqrt); // decomposition step: uses a work buffer
    fftt::Spec is(fftt::kind("C_16sc"), 8, vekFftNormNone, 0);     // fixed point
    const auto f = inputs<float>(2 << 13);
    expect_shared_results<Vek32fc>(1 << 13, [&](int t, Vek32fc* dst, Vek8u* buf) {
        return veksFFTFwd_CToC_32fc(as<Vek32fc>(f, t), dst, fs.as<VeksFFTSpec_C_32fc>(), buf);
    });
    const auto s = inputs<Vek16s>(2 << 8);
    expect_shared_results<Vek16sc>(1 << 8, [&](int t, Vek16sc* dst, Vek8u*) {
        return veksFFTInv_CToC_16sc_Sfs(reinterpret_cast<const Vek16sc*>(s[t].data()), dst, is.as<VeksFFTSpec_C_16sc>(), 8, nullptr);
    });
    for (int n : {60, 97, 1000, 1009}) { // every DFT engine
        dftt::Spec r(dftt::dft_kinds()[7], n, vekFftNormNone), o(dftt::dft_kinds()[2], n, vekFftNormNone);
        const dftt::Spec c(dftt::dft_int_kinds()[0], n, vekFftNormFwd);
        const auto x = inputs<double>(std::size_t(n));
        expect_shared_results<Vek64f>(std::size_t(n), [&](int t, Vek64f* dst, Vek8u* buf) {
            return veksDFTFwd_RToPack_64f(x[t].data(), dst, r.as<VeksDFTSpec_R_64f>(), buf);
        });
        const auto s = inputs<Vek16s>(std::size_t(2 * n));
        expect_shared_results<Vek16sc>(std::size_t(n), [&](int t, Vek16sc* dst, Vek8u* buf) {
            return veksDFTFwd_CToC_16sc_Sfs(reinterpret_cast<const Vek16sc*>(s[t].data()), dst, c.as<VeksDFTSpec_C_16sc>(), 0, buf);
        });
        const auto f = inputs<float>(std::size_t(2 * n));
        expect_shared_results<Vek32fc>(std::size_t(n), [&](int t, Vek32fc* dst, Vek8u* buf) {
            return veksDFTOutOrdFwd_CToC_32fc(as<Vek32fc>(f, t), dst, o.as<VeksDFTOutOrdSpec_C_32fc>(), buf);
        });
    }
    for (int n : {8, 100, 1000, 1024}) { // every DCT engine
        VeksDCTFwdSpec_32f* fwd = nullptr;
        VeksDCTInvSpec_16s* inv = nullptr;
        ASSERT_EQ(veksDCTFwdInitAlloc_32f(&fwd, n, 0), vekStsOk);
        ASSERT_EQ(veksDCTInvInitAlloc_16s(&inv, n, 0), vekStsOk);
        const auto x = inputs<float>(std::size_t(n));
        expect_shared_results<Vek32f>(std::size_t(n), [&](int t, Vek32f* dst, Vek8u* buf) {
            return veksDCTFwd_32f(x[t].data(), dst, fwd, buf);
        });
        const auto s = inputs<Vek16s>(std::size_t(n));
        expect_shared_results<Vek16s>(std::size_t(n), [&](int t, Vek16s* dst, Vek8u* buf) {
            return veksDCTInv_16s_Sfs(s[t].data(), dst, inv, 2, buf);
        });
        veksDCTFwdFree_32f(fwd);
        veksDCTInvFree_16s(inv);
    }
    VeksHilbertSpec_32f32fc* h = nullptr;
    ASSERT_EQ(veksHilbertInitAlloc_32f32fc(&h, 1000, 0), vekStsOk);
    const auto x = inputs<float>(1000);
    expect_shared_results<Vek32fc>(1000, [&](int t, Vek32fc* dst, Vek8u*) { return veksHilbert_32f32fc(x[t].data(), dst, h); });
    veksHilbertFree_32f32fc(h);
}

} // namespace
