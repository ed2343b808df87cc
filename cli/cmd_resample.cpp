// veks resample: rational sample-rate conversion through the multirate FIR.
#include <algorithm>
#include <limits>
#include <memory>
#include <numeric>

#include "audio_io.h"
#include "cli.h"
#include "filters.h"
#include "progress.h"

namespace {

constexpr int kMaxFactor = 1024;

// Feeds the channels' multirate filters and writes their outputs, dropping
// the first `skip` (the filter's delay) and stopping after `limit`.
class ResampleStream {
public:
    ResampleStream(int channels, int up, int down, AudioWriter& out) : up_(up), down_(down), out_(out) {
        const std::vector<Vek64f> taps = design_resampler(up, down);
        // The low-pass delays by (len-1)/2 steps of the up-sampled stream:
        // output j is taken at step delay + j * down.
        const long long delay = (static_cast<long long>(taps.size()) - 1) / 2;
        skip_ = delay / down;
        for (int c = 0; c < channels; ++c)
            filters_.push_back(std::make_unique<Multirate>(taps, up, down, static_cast<int>(delay % down)));
        pending_.assign(channels, {});
        produced_.assign(channels, {});
    }

    void push(const Block& in, long long limit) {
        for (std::size_t c = 0; c < pending_.size(); ++c)
            pending_[c].insert(pending_[c].end(), in.ch[c].begin(), in.ch[c].begin() + in.frames);
        drain(limit);
    }

    // Zeros after the end push the filter's delayed tail out.
    void flush(long long limit) {
        Block zeros(static_cast<int>(pending_.size()), 4096);
        for (auto& ch : zeros.ch) std::fill(ch.begin(), ch.end(), 0.0f);
        zeros.frames = 4096;
        while (written_ < limit) push(zeros, limit);
    }

    long long written() const { return written_; }

private:
    void drain(long long limit) {
        const int iters = static_cast<int>(pending_[0].size() / down_);
        if (iters < 1) return;
        const std::size_t used = static_cast<std::size_t>(iters) * down_, made = static_cast<std::size_t>(iters) * up_;
        for (std::size_t c = 0; c < pending_.size(); ++c) {
            produced_[c].resize(made);
            filters_[c]->run(pending_[c].data(), produced_[c].data(), iters);
            pending_[c].erase(pending_[c].begin(), pending_[c].begin() + static_cast<std::ptrdiff_t>(used));
        }
        const long long drop = std::min<long long>(skip_, static_cast<long long>(made));
        skip_ -= drop;
        const long long keep = std::min<long long>(static_cast<long long>(made) - drop, limit - written_);
        if (keep <= 0) return;
        Block out(static_cast<int>(pending_.size()), static_cast<int>(keep));
        for (std::size_t c = 0; c < pending_.size(); ++c)
            std::copy(produced_[c].begin() + drop, produced_[c].begin() + drop + keep, out.ch[c].begin());
        out.frames = static_cast<int>(keep);
        out_.write(out);
        written_ += keep;
    }

    int up_, down_;
    AudioWriter& out_;
    long long skip_ = 0, written_ = 0;
    std::vector<std::unique_ptr<Multirate>> filters_;
    std::vector<std::vector<Vek32f>> pending_, produced_;
};

} // namespace

int run_resample(const std::vector<std::string>& argv) {
    Args args(argv, {"--format", "--quiet!"});
    args.expect_positional(3, "veks resample RATE IN OUT [--format FMT]");
    const long to = parse_integer(args.positional()[0], "RATE", 1000, 768000);
    AudioReader in(args.positional()[1]);
    const std::string& out_path = args.positional()[2];
    const long from = in.rate(), g = std::gcd(to, from);
    const int up = static_cast<int>(to / g), down = static_cast<int>(from / g);
    if (up > kMaxFactor || down > kMaxFactor)
        throw CliError("cannot resample " + std::to_string(from) + " Hz to " + std::to_string(to) + " Hz: the ratio " +
                       std::to_string(up) + "/" + std::to_string(down) + " has a term above " +
                       std::to_string(kMaxFactor));
    const int nch = in.channels();
    const int format = output_format(out_path, args.text("--format", ""), in.format(), static_cast<int>(to), nch);

    AudioWriter out(out_path, static_cast<int>(to), nch, format);
    Block block(nch, 1 << 14);
    long long done = 0;
    Progress progress("resample", in.frames(), args.flag("--quiet"));
    if (up == down) { // same rate: a copy (still through the conversions)
        while (in.read(block)) {
            out.write(block);
            done += block.frames;
            progress.update(done);
        }
    } else {
        ResampleStream stream(nch, up, down, out);
        const long long unbounded = std::numeric_limits<long long>::max();
        while (int n = in.read(block)) {
            stream.push(block, unbounded);
            done += n;
            progress.update(done);
        }
        // Output j stands at input time j * down / up: all j before the end.
        const long long total = (done * up + down - 1) / down;
        stream.flush(total);
    }
    out.commit();
    return 0;
}
