// Welch's averaged spectrum through the library's windows and real FFT.
#include <algorithm>
#include <cmath>

#include "cli.h"
#include "spectrum.h"

WindowKind parse_window_kind(const std::string& name) {
    if (name == "hann") return WindowKind::Hann;
    if (name == "hamming") return WindowKind::Hamming;
    if (name == "blackman") return WindowKind::Blackman;
    if (name == "kaiser") return WindowKind::Kaiser;
    throw CliError("unknown --window " + name + " (hann, hamming, blackman or kaiser)");
}

namespace {

const char* window_name(WindowKind k) {
    switch (k) {
    case WindowKind::Hann: return "Hann";
    case WindowKind::Hamming: return "Hamming";
    case WindowKind::Blackman: return "Blackman";
    case WindowKind::Kaiser: return "Kaiser (beta 9)";
    }
    return "";
}

std::vector<Vek32f> window_weights(WindowKind kind, int n) {
    std::vector<Vek32f> w(n, 1.0f);
    switch (kind) {
    case WindowKind::Hann: check_status(veksWinHann_32f_I(w.data(), n), "Hann window"); break;
    case WindowKind::Hamming: check_status(veksWinHamming_32f_I(w.data(), n), "Hamming window"); break;
    case WindowKind::Blackman: check_status(veksWinBlackmanStd_32f_I(w.data(), n), "Blackman window"); break;
    case WindowKind::Kaiser:
        // The library's alpha is beta / ((N-1)/2).
        check_status(veksWinKaiser_32f_I(w.data(), n, static_cast<Vek32f>(18.0 / (n - 1))), "Kaiser window");
        break;
    }
    return w;
}

} // namespace

struct WelchAverager::Impl {
    int order, n, m; // frame length n, transform length m = n * oversampling
    double rate;
    WindowKind kind;
    std::vector<Vek32f> window, frame, ccs, power;
    std::vector<Vek64f> power_wide, sum;
    std::vector<std::vector<Vek32f>> pending; // per channel, fewer than n samples
    std::vector<Vek8u> fft_buffer;
    VeksFFTSpec_R_32f* spec = nullptr;
    long long frames = 0;

    void transform(const Vek32f* x) {
        const int half = m / 2 + 1;
        check_status(veksMul_32f(x, window.data(), frame.data(), n), "windowing"); // the rest stays zero
        check_status(veksFFTFwd_RToCCS_32f(frame.data(), ccs.data(), spec, fft_buffer.empty() ? nullptr : fft_buffer.data()),
                     "real FFT");
        check_status(veksPowerSpectr_32fc(reinterpret_cast<const Vek32fc*>(ccs.data()), power.data(), half), "power");
        check_status(veksConvert_32f64f(power.data(), power_wide.data(), half), "widening");
        check_status(veksAdd_64f_I(power_wide.data(), sum.data(), half), "averaging");
        ++frames;
    }

    // The window's own power spectrum (a sine's leakage) in dB below its
    // peak, made non-increasing with distance: the highest side lobe at that
    // distance or beyond.
    std::vector<double> leakage() const {
        std::vector<Vek32f> padded(m, 0.0f), spectrum(m + 2), p(m / 2 + 1);
        std::copy(window.begin(), window.end(), padded.begin());
        check_status(veksFFTFwd_RToCCS_32f(padded.data(), spectrum.data(), spec, nullptr), "real FFT");
        check_status(veksPowerSpectr_32fc(reinterpret_cast<const Vek32fc*>(spectrum.data()), p.data(), m / 2 + 1), "power");
        std::vector<double> env(p.size());
        double highest = 0;
        for (std::size_t i = p.size(); i-- > 0;) {
            highest = std::max(highest, double(p[i]));
            env[i] = highest > 0 ? 10.0 * std::log10(highest / p[0]) : -400.0;
        }
        return env;
    }
};

WelchAverager::WelchAverager(int order, WindowKind kind, int channels, double rate) : impl_(new Impl) {
    Impl& m = *impl_;
    m.order = order;
    m.n = 1 << order;
    m.m = m.n * Spectrum::kOversampling;
    m.rate = rate;
    m.kind = kind;
    m.window = window_weights(kind, m.n);
    m.frame.assign(m.m, 0.0f);
    m.ccs.resize(m.m + 2);
    m.power.resize(m.m / 2 + 1);
    m.power_wide.resize(m.m / 2 + 1);
    m.sum.assign(m.m / 2 + 1, 0.0);
    m.pending.assign(channels, {});
    // Zero padding samples the spectrum between the frame's bins, so that a
    // parabola through three points fits the top of a peak closely.
    int oversampled_order = order;
    while ((1 << oversampled_order) < m.m) ++oversampled_order;
    check_status(veksFFTInitAlloc_R_32f(&m.spec, oversampled_order, vekFftNormNone, vekHintDefault), "FFT set-up");
    int buf = 0;
    check_status(veksFFTGetBufSize_R_32f(m.spec, &buf), "FFT buffer size");
    m.fft_buffer.resize(buf);
}

WelchAverager::~WelchAverager() { veksFFTFree_R_32f(impl_->spec); }

void WelchAverager::feed(const Block& block) {
    Impl& m = *impl_;
    const int hop = m.n / 2;
    for (std::size_t c = 0; c < block.ch.size(); ++c) {
        std::vector<Vek32f>& p = m.pending[c];
        p.insert(p.end(), block.ch[c].begin(), block.ch[c].begin() + block.frames);
        std::size_t start = 0;
        for (; start + m.n <= p.size(); start += hop) m.transform(p.data() + start);
        p.erase(p.begin(), p.begin() + static_cast<std::ptrdiff_t>(start));
    }
}

Spectrum WelchAverager::result() const {
    const Impl& m = *impl_;
    if (m.frames == 0) throw CliError("not enough samples for one frame");
    Spectrum s;
    s.size = m.n;
    s.rate = m.rate;
    s.frames = m.frames;
    s.window = window_name(m.kind);
    // A sine centred on a bin gives |X| = amplitude * sum(w) / 2.
    double wsum = 0;
    for (Vek32f v : m.window) wsum += v;
    const double to_dbfs = -20.0 * std::log10(wsum / 2);
    s.level.resize(m.sum.size());
    for (std::size_t k = 0; k < m.sum.size(); ++k) {
        const double p = m.sum[k] / double(m.frames);
        s.level[k] = (p > 0 ? 10.0 * std::log10(p) : -400.0) + to_dbfs;
    }
    s.leakage = m.leakage();
    return s;
}
