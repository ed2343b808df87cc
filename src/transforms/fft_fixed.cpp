// The fixed-point FFT engine of the 16-bit specs.
#include "transforms/fft_fixed.h"

#include "transforms/fft_engine.h"

namespace veks::fft {
namespace {

template <bool Inv>
inline void twiddle(std::int32_t& re, std::int32_t& im, std::int32_t wr, std::int32_t wi) {
    if (Inv) wi = -wi;
    const std::int32_t r = q14_mul(re, wr) - q14_mul(im, wi);
    im = q14_mul(re, wi) + q14_mul(im, wr);
    re = r;
}

// Radix-4 pass of span L: one length-4 transform per j, the outputs
// twiddled and stored in the order 0, 2, 1, 3.
template <bool Inv>
void dif_radix4(std::int32_t* x, idx n, idx L, const short* tw) {
    const idx q = L / 4, s = n / L;
    for (idx b = 0; b < n; b += L) {
        for (idx j = 0; j < q; ++j) {
            std::int32_t* p0 = x + 2 * (b + j);
            std::int32_t* p1 = p0 + 2 * q;
            std::int32_t* p2 = p1 + 2 * q;
            std::int32_t* p3 = p2 + 2 * q;
            const std::int32_t sr02 = p0[0] + p2[0], si02 = p0[1] + p2[1];
            const std::int32_t dr02 = p0[0] - p2[0], di02 = p0[1] - p2[1];
            const std::int32_t sr13 = p1[0] + p3[0], si13 = p1[1] + p3[1];
            const std::int32_t dr13 = p1[0] - p3[0], di13 = p1[1] - p3[1];
            std::int32_t y0r = sr02 + sr13, y0i = si02 + si13;
            std::int32_t y2r = sr02 - sr13, y2i = si02 - si13;
            std::int32_t y1r, y1i, y3r, y3i;
            if (Inv) {
                y1r = dr02 - di13; y1i = di02 + dr13;
                y3r = dr02 + di13; y3i = di02 - dr13;
            } else {
                y1r = dr02 + di13; y1i = di02 - dr13;
                y3r = dr02 - di13; y3i = di02 + dr13;
            }
            if (j > 0) {
                const short* w = tw + 6 * j * s;
                twiddle<Inv>(y1r, y1i, w[0], w[1]);
                twiddle<Inv>(y2r, y2i, w[2], w[3]);
                twiddle<Inv>(y3r, y3i, w[4], w[5]);
            }
            p0[0] = y0r; p0[1] = y0i;
            p1[0] = y2r; p1[1] = y2i;
            p2[0] = y1r; p2[1] = y1i;
            p3[0] = y3r; p3[1] = y3i;
        }
    }
}

// Radix-2 stage of length 8 with the 1/sqrt(2) rotations in Q14.
template <bool Inv>
void dif_radix2_8(std::int32_t* x, idx n) {
    constexpr std::int32_t c = 11585;
    for (idx b = 0; b < n; b += 8) {
        for (int j = 0; j < 4; ++j) {
            std::int32_t* a = x + 2 * (b + j);
            std::int32_t* d = a + 8;
            std::int32_t dr = a[0] - d[0], di = a[1] - d[1];
            a[0] += d[0];
            a[1] += d[1];
            std::int32_t r = dr, i = di;
            switch (j) {
            case 1: // (1 -+ i)/sqrt(2)
                r = Inv ? q14_mul(dr, c) - q14_mul(di, c) : q14_mul(dr, c) + q14_mul(di, c);
                i = Inv ? q14_mul(di, c) + q14_mul(dr, c) : q14_mul(di, c) - q14_mul(dr, c);
                break;
            case 2: // -+i
                r = Inv ? -di : di;
                i = Inv ? dr : -dr;
                break;
            case 3: // (-1 -+ i)/sqrt(2)
                r = Inv ? -q14_mul(dr, c) - q14_mul(di, c) : q14_mul(di, c) - q14_mul(dr, c);
                i = Inv ? q14_mul(dr, c) - q14_mul(di, c) : -q14_mul(dr, c) - q14_mul(di, c);
                break;
            default: break;
            }
            d[0] = r;
            d[1] = i;
        }
    }
}

template <bool Inv>
void run(const ShortSpecHeader* h, std::int32_t* x, int m) {
    if (m == 0) return;
    const idx n = idx(1) << m;
    if (m == 1) {
        const std::int32_t r = x[0] - x[2], i = x[1] - x[3];
        x[0] += x[2];
        x[1] += x[3];
        x[2] = r;
        x[3] = i;
        return;
    }
    const short* tw = at_offset<const short>(h, h->radix4);
    idx L = n;
    for (; L > 8; L /= 4) dif_radix4<Inv>(x, n, L, tw);
    if (L == 8) {
        dif_radix2_8<Inv>(x, n);
        L = 4;
    }
    dif_radix4<Inv>(x, n, 4, tw);
}

} // namespace

void fixed_transform(const ShortSpecHeader* h, std::int32_t* x, bool inverse, int m) {
    if (inverse) run<true>(h, x, m);
    else run<false>(h, x, m);
    const idx n = idx(1) << m;
    if (h->sqrt_half) {
        for (idx i = 0; i < 2 * n; ++i) x[i] = (((x[i] & 0xFFFF) * 23170) >> 15) + (x[i] >> 16) * 46340;
    }
    if (m >= 2) permute_in_place(reinterpret_cast<Cx<std::int32_t>*>(x), n, at_offset<const std::int32_t>(h, h->bitrev));
}

} // namespace veks::fft
