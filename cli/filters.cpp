#include "filters.h"

#include <algorithm>
#include <cmath>

#include "cli.h"

int fir_window_code(const std::string& name) {
    // Codes of the FIR design functions; any other value means no window.
    if (name == "bartlett") return 0;
    if (name == "blackman") return 1;
    if (name == "hamming") return 2;
    if (name == "hann") return 3;
    if (name == "rect") return 7;
    throw CliError("unknown --window " + name + " (blackman, hamming, hann, bartlett or rect)");
}

std::vector<Vek64f> design_fir(Band band, double f1, double f2, int taps, int windowCode) {
    std::vector<Vek64f> h(taps);
    VekStatus st = vekStsOk;
    switch (band) {
    case Band::Lowpass: st = veksFIRGenLowpass_64f(f1, h.data(), taps, windowCode, 1); break;
    case Band::Highpass: st = veksFIRGenHighpass_64f(f1, h.data(), taps, windowCode, 1); break;
    case Band::Bandpass: st = veksFIRGenBandpass_64f(f1, f2, h.data(), taps, windowCode, 1); break;
    case Band::Bandstop: st = veksFIRGenBandstop_64f(f1, f2, h.data(), taps, windowCode, 1); break;
    }
    check_status(st, "FIR design");
    return h;
}

std::vector<Vek64f> design_iir(Band band, double f, int order) {
    std::vector<Vek64f> t(2 * (order + 1));
    const int butterworth = 0;
    check_status(band == Band::Lowpass ? veksIIRGenLowpass_64f(f, 0, order, t.data(), butterworth)
                                       : veksIIRGenHighpass_64f(f, 0, order, t.data(), butterworth),
                 "IIR design");
    return t;
}

std::vector<Vek64f> design_resampler(int up, int down) {
    const int phases = std::max(up, down), len = 64 * phases + 1;
    // Relative to the up-sampled rate, the lower rate's Nyquist frequency is
    // 0.5 / max(up, down).
    const double cutoff = 0.45 / phases;
    const int no_window = 7;
    std::vector<Vek64f> h(len);
    check_status(veksFIRGenLowpass_64f(cutoff, h.data(), len, no_window, 0), "resampler design");
    // Kaiser, beta 10: about 100 dB of stop-band attenuation; the library's
    // alpha is beta / ((len-1)/2).
    check_status(veksWinKaiser_64f_I(h.data(), len, static_cast<Vek32f>(20.0 / (len - 1))), "Kaiser window");
    Vek64f dc = 0;
    check_status(veksSum_64f(h.data(), len, &dc), "gain");
    check_status(veksMulC_64f_I(up / dc, h.data(), len), "gain");
    return h;
}

namespace {

std::vector<Vek32f> narrow(const std::vector<Vek64f>& taps) {
    std::vector<Vek32f> t(taps.size());
    check_status(veksConvert_64f32f(taps.data(), t.data(), static_cast<int>(taps.size())), "tap conversion");
    return t;
}

class FirStream : public StreamFilter {
public:
    explicit FirStream(const std::vector<Vek64f>& taps) {
        const std::vector<Vek32f> t = narrow(taps);
        check_status(veksFIRInitAlloc_32f(&state_, t.data(), static_cast<int>(t.size()), nullptr), "FIR set-up");
    }
    ~FirStream() override { veksFIRFree_32f(state_); }
    void run(const Vek32f* in, Vek32f* out, int n) override { check_status(veksFIR_32f(in, out, n, state_), "FIR"); }

private:
    VeksFIRState_32f* state_ = nullptr;
};

class IirStream : public StreamFilter {
public:
    IirStream(const std::vector<Vek64f>& taps, int order) {
        check_status(veksIIRInitAlloc64f_32f(&state_, taps.data(), order, nullptr), "IIR set-up");
    }
    ~IirStream() override { veksIIRFree64f_32f(state_); }
    void run(const Vek32f* in, Vek32f* out, int n) override {
        check_status(veksIIR64f_32f(in, out, n, state_), "IIR");
    }

private:
    VeksIIRState64f_32f* state_ = nullptr;
};

} // namespace

std::unique_ptr<StreamFilter> make_fir(const std::vector<Vek64f>& taps) { return std::make_unique<FirStream>(taps); }
std::unique_ptr<StreamFilter> make_iir(const std::vector<Vek64f>& taps, int order) {
    return std::make_unique<IirStream>(taps, order);
}

struct Multirate::State {
    VeksFIRState_32f* fir = nullptr;
};

Multirate::Multirate(const std::vector<Vek64f>& taps, int up, int down, int downPhase) : state_(new State) {
    const std::vector<Vek32f> t = narrow(taps);
    const VekStatus st =
        veksFIRMRInitAlloc_32f(&state_->fir, t.data(), static_cast<int>(t.size()), up, 0, down, downPhase, nullptr);
    if (st < 0) {
        delete state_;
        check_status(st, "multirate FIR set-up");
    }
}

Multirate::~Multirate() {
    veksFIRFree_32f(state_->fir);
    delete state_;
}

void Multirate::run(const Vek32f* in, Vek32f* out, int iters) {
    check_status(veksFIR_32f(in, out, iters, state_->fir), "multirate FIR");
}
