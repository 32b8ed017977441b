// The main window's backdrop: a calm dusk over a mountain lake, drawn row by row so it is ready
// in a few milliseconds. Kept dark and soft, because editor windows sit on top of it.
#include "data/shell_pictures.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <vector>

namespace camvista::data
{

namespace
{

constexpr int kWidth = 1500;
constexpr int kHeight = 1004;
constexpr int kHorizon = 640; // the lake's far edge
constexpr float kSunX = 1060.0f;
constexpr float kSunY = 600.0f;
// High in the strip of sky that the main window shows at its opening size beside the browser
// and an editor opened next to it (640 pixels across, less 161 and 374), above the clouds.
constexpr float kMoonX = 588.0f;
constexpr float kMoonY = 95.0f;
constexpr int kMoonReach = 24; // the disc and the brighter part of its halo

struct Rgb {
    float r, g, b;
};

Rgb lerp(const Rgb &a, const Rgb &b, float t)
{
    return {a.r + (b.r - a.r) * t, a.g + (b.g - a.g) * t, a.b + (b.b - a.b) * t};
}

std::uint32_t hash(std::uint32_t x)
{
    x ^= x >> 16;
    x *= 0x7feb352dU;
    x ^= x >> 15;
    x *= 0x846ca68bU;
    x ^= x >> 16;
    return x;
}

float unit(std::uint32_t h)
{
    return static_cast<float>(h & 0xffffU) / 65535.0f;
}

float smooth(float t)
{
    return t * t * (3.0f - 2.0f * t);
}

float noise1(float x, std::uint32_t seed)
{
    const float fl = std::floor(x);
    const auto i = static_cast<std::uint32_t>(static_cast<std::int32_t>(fl));
    const float t = smooth(x - fl);
    const float a = unit(hash(i * 747796405U + seed));
    const float b = unit(hash((i + 1) * 747796405U + seed));
    return a + (b - a) * t;
}

float noise2(float x, float y, std::uint32_t seed)
{
    const float fx = std::floor(x), fy = std::floor(y);
    const auto ix = static_cast<std::uint32_t>(static_cast<std::int32_t>(fx));
    const auto iy = static_cast<std::uint32_t>(static_cast<std::int32_t>(fy));
    const float tx = smooth(x - fx), ty = smooth(y - fy);
    const auto at = [seed](std::uint32_t px, std::uint32_t py) {
        return unit(hash(px * 73856093U ^ py * 19349663U ^ seed));
    };
    const float top = at(ix, iy) + (at(ix + 1, iy) - at(ix, iy)) * tx;
    const float bottom = at(ix, iy + 1) + (at(ix + 1, iy + 1) - at(ix, iy + 1)) * tx;
    return top + (bottom - top) * ty;
}

float ridge(float x, float scale, std::uint32_t seed)
{
    float sum = 0, amp = 1, norm = 0;
    for (int o = 0; o < 5; ++o) {
        sum += amp * noise1(x / scale, seed + static_cast<std::uint32_t>(o) * 101U);
        norm += amp;
        amp *= 0.5f;
        scale *= 0.5f;
    }
    return sum / norm;
}

// Sky colour from the top of the picture down to the horizon.
Rgb skyAt(float t)
{
    static const Rgb stops[] = {{12, 14, 34},   {34, 32, 70},    {78, 56, 100},
                                {150, 90, 108}, {200, 130, 112}, {218, 156, 118}};
    static const float at[] = {0.0f, 0.32f, 0.6f, 0.82f, 0.95f, 1.0f};
    for (int i = 1; i < 6; ++i)
        if (t <= at[i])
            return lerp(stops[i - 1], stops[i], (t - at[i - 1]) / (at[i] - at[i - 1]));
    return stops[5];
}

QRgb pack(const Rgb &c)
{
    const auto ch = [](float v) { return static_cast<int>(std::clamp(v, 0.0f, 255.0f)); };
    return qRgb(ch(c.r), ch(c.g), ch(c.b));
}

Rgb unpack(QRgb c)
{
    return {static_cast<float>(qRed(c)), static_cast<float>(qGreen(c)),
            static_cast<float>(qBlue(c))};
}

// Per-column outlines of the three mountain ranges and the far shore's trees.
struct Ranges {
    std::vector<int> far, mid, shore;
};

Ranges ranges()
{
    Ranges r{std::vector<int>(kWidth), std::vector<int>(kWidth), std::vector<int>(kWidth)};
    for (int x = 0; x < kWidth; ++x) {
        const float fx = static_cast<float>(x);
        // Far peaks, highest left of the sun so its glow sits in a saddle.
        const float lift = 60.0f * std::exp(-std::pow((fx - 700.0f) / 260.0f, 2.0f));
        r.far[x] = static_cast<int>(560.0f - 190.0f * ridge(fx, 420.0f, 11) - lift + 40.0f);
        r.mid[x] = static_cast<int>(610.0f - 110.0f * ridge(fx + 3000.0f, 260.0f, 23));
        // Far shore: a low bank of conifers, each a small spike.
        const int tree = x / 7;
        const std::uint32_t h = hash(static_cast<std::uint32_t>(tree) + 999U);
        const int height = 6 + static_cast<int>(h % 14U);
        const int dx = std::abs(x - (tree * 7 + 3));
        const int bank = static_cast<int>(626.0f - 10.0f * ridge(fx, 180.0f, 37));
        r.shore[x] = std::min(bank, bank - height + dx * height / 4);
    }
    return r;
}

// Near shore silhouettes: a bank along the bottom and a stand of pines on the right.
std::vector<std::uint8_t> foregroundMask(int &topRow)
{
    std::vector<std::uint8_t> mask(static_cast<std::size_t>(kWidth) * kHeight, 0);
    topRow = kHeight;
    const auto span = [&](int y, int x0, int x1) {
        if (y < 0 || y >= kHeight)
            return;
        x0 = std::max(x0, 0);
        x1 = std::min(x1, kWidth - 1);
        if (x0 > x1)
            return;
        std::fill_n(mask.begin() + static_cast<std::ptrdiff_t>(y) * kWidth + x0, x1 - x0 + 1, 1);
        topRow = std::min(topRow, y);
    };
    for (int x = 0; x < kWidth; ++x) {
        const float fx = static_cast<float>(x);
        const float rise = std::max(0.0f, (fx - 1150.0f) / 350.0f);
        int top = static_cast<int>(930.0f - 26.0f * ridge(fx, 240.0f, 51) - 150.0f * rise * rise);
        top -= static_cast<int>(hash(static_cast<std::uint32_t>(x) * 31U + 7U) % 9U); // reeds
        for (int y = top; y < kHeight; ++y)
            span(y, x, x);
    }
    struct Pine {
        int x, top, base, width;
    };
    static constexpr Pine pines[] = {{1330, 560, 900, 76}, {1392, 500, 880, 92},
                                     {1455, 540, 860, 84}, {1280, 660, 920, 52},
                                     {1490, 600, 860, 70}, {230, 760, 940, 48}};
    for (const Pine &p : pines) {
        for (int y = p.top; y <= p.base; ++y) {
            const float t = static_cast<float>(y - p.top) / static_cast<float>(p.base - p.top);
            // Tiered branches: each tier starts narrow and widens downwards.
            const float tier = std::fmod(static_cast<float>(y - p.top), 26.0f) / 26.0f;
            const float half = p.width * 0.5f * t * (0.62f + 0.38f * tier) + 1.5f;
            const int jitter =
                static_cast<int>(hash(static_cast<std::uint32_t>(y * 13 + p.x)) % 3U) - 1;
            span(y, p.x - static_cast<int>(half) + jitter, p.x + static_cast<int>(half) - jitter);
        }
        for (int y = p.base; y < p.base + 40; ++y)
            span(y, p.x - 3, p.x + 3);
    }
    return mask;
}

} // namespace

QImage backgroundPhotograph()
{
    QImage image(kWidth, kHeight, QImage::Format_RGB32);
    const Ranges mountains = ranges();

    // Separable tables: sun glow (a 2-D Gaussian splits into a row and a column factor), the
    // vignette, and the cloud field sampled on a coarse grid.
    std::vector<float> glowX(kWidth), glowWideX(kWidth), vigX(kWidth);
    for (int x = 0; x < kWidth; ++x) {
        const float dx = static_cast<float>(x) - kSunX;
        glowX[x] = std::exp(-dx * dx / (150.0f * 150.0f));
        glowWideX[x] = std::exp(-dx * dx / (520.0f * 520.0f));
        const float u = static_cast<float>(x) / kWidth - 0.55f;
        vigX[x] = 1.0f - 0.35f * u * u;
    }
    std::vector<float> glowY(kHeight), glowWideY(kHeight), vigY(kHeight);
    for (int y = 0; y < kHeight; ++y) {
        const float dy = static_cast<float>(y) - kSunY;
        glowY[y] = std::exp(-dy * dy / (90.0f * 90.0f));
        glowWideY[y] = std::exp(-dy * dy / (230.0f * 230.0f));
        const float v = static_cast<float>(y) / kHeight - 0.45f;
        vigY[y] = 1.0f - 0.55f * v * v;
    }
    constexpr int kCellX = 8, kCellY = 4;
    constexpr int gridW = kWidth / kCellX + 2, gridH = kHorizon / kCellY + 2;
    std::vector<float> cloud(static_cast<std::size_t>(gridW) * gridH);
    for (int gy = 0; gy < gridH; ++gy) {
        const float y = static_cast<float>(gy * kCellY);
        // Clouds live in a band across the middle of the sky.
        const float band = std::clamp((y - 110.0f) / 120.0f, 0.0f, 1.0f) *
                           std::clamp((560.0f - y) / 140.0f, 0.0f, 1.0f);
        for (int gx = 0; gx < gridW; ++gx) {
            const float x = static_cast<float>(gx * kCellX);
            float n = 0, amp = 0.5f, fx = x / 420.0f, fy = y / 46.0f;
            for (int o = 0; o < 4; ++o) {
                n += amp * noise2(fx, fy, 77U + static_cast<std::uint32_t>(o));
                amp *= 0.5f;
                fx *= 2.1f;
                fy *= 2.1f;
            }
            const float d = std::clamp((n - 0.43f) / 0.2f, 0.0f, 1.0f);
            cloud[static_cast<std::size_t>(gy) * gridW + gx] = d * d * band;
        }
    }

    // Sky, clouds, stars, moon and mountains above the horizon.
    const Rgb glowColour{255, 176, 112};
    const Rgb haze{196, 128, 118};
    const Rgb farRock{104, 78, 118}, midRock{62, 50, 86}, shoreRock{26, 24, 42};
    const float moonX = kMoonX, moonY = kMoonY;
    for (int y = 0; y < kHorizon; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float t = static_cast<float>(y) / kHorizon;
        const Rgb base = skyAt(t);
        const Rgb cloudDark = lerp(Rgb{44, 38, 72}, Rgb{150, 92, 112}, t * t);
        const int gy = y / kCellY;
        const float fy = static_cast<float>(y % kCellY) / kCellY;
        const float *c0 = &cloud[static_cast<std::size_t>(gy) * gridW];
        const float *c1 = c0 + gridW;
        const float starChance = std::max(0.0f, 1.0f - t * 2.6f);
        for (int x = 0; x < kWidth; ++x) {
            const float glow = 0.6f * glowX[x] * glowY[y] + 0.42f * glowWideX[x] * glowWideY[y];
            Rgb c = lerp(base, glowColour, std::min(glow, 0.9f));
            if (y >= mountains.far[x]) {
                // Rock fades into the evening haze towards its foot.
                const Rgb *rock = &farRock;
                float mist = static_cast<float>(y - mountains.far[x]) / 120.0f;
                if (y >= mountains.shore[x]) {
                    rock = &shoreRock;
                    mist = 0.05f;
                } else if (y >= mountains.mid[x]) {
                    rock = &midRock;
                    mist = static_cast<float>(y - mountains.mid[x]) / 160.0f;
                }
                c = lerp(*rock, haze, std::min(mist, 0.7f) * 0.6f);
                c = lerp(c, glowColour, std::min(glow, 0.9f) * 0.22f);
            } else {
                const int gx = x / kCellX;
                const float fx = static_cast<float>(x % kCellX) / kCellX;
                const float top = c0[gx] + (c0[gx + 1] - c0[gx]) * fx;
                const float bottom = c1[gx] + (c1[gx + 1] - c1[gx]) * fx;
                const float density = top + (bottom - top) * fy;
                if (density > 0.0f) {
                    const Rgb lit = lerp(cloudDark, glowColour, std::min(glow * 1.2f, 1.0f));
                    c = lerp(c, lit, density * 0.85f);
                }
                if (starChance > 0.0f && density < 0.05f) {
                    const std::uint32_t h = hash(static_cast<std::uint32_t>(y * kWidth + x));
                    if ((h & 0x3ffU) == 0U) {
                        const float s = starChance * (80.0f + static_cast<float>(h >> 24));
                        c = {c.r + s * 0.8f, c.g + s * 0.8f, c.b + s * 0.9f};
                    }
                }
                const float mx = static_cast<float>(x) - moonX, my = static_cast<float>(y) - moonY;
                if (std::abs(mx) < 40.0f && std::abs(my) < 40.0f) {
                    // A thin crescent: the lit disc minus a shifted one, edges softened.
                    const float lit = std::clamp(15.5f - std::sqrt(mx * mx + my * my), 0.0f, 1.0f);
                    const float nx = mx - 6.0f, ny = my - 3.0f;
                    const float shade =
                        std::clamp(14.5f - std::sqrt(nx * nx + ny * ny), 0.0f, 1.0f);
                    const float halo = std::exp(-(mx * mx + my * my) / 500.0f) * 0.18f;
                    c = lerp(c, Rgb{238, 226, 200}, std::max(lit * (1.0f - shade), halo));
                }
            }
            line[x] = pack(c);
        }
    }

    // The lake mirrors what is above the horizon, broken up by ripples that grow towards us.
    const Rgb water{16, 18, 40};
    for (int y = kHorizon; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const float depth = static_cast<float>(y - kHorizon) / (kHeight - kHorizon);
        const float amp = 1.0f + 14.0f * depth;
        const int shift =
            static_cast<int>(amp * std::sin(static_cast<float>(y) * 0.83f +
                                            6.0f * noise1(static_cast<float>(y) * 0.05f, 5)));
        const int jitter = static_cast<int>(hash(static_cast<std::uint32_t>(y)) %
                                            (1U + static_cast<std::uint32_t>(depth * 6.0f)));
        const int src = std::clamp(2 * kHorizon - y - 1 - jitter, 0, kHorizon - 1);
        const auto *mirror = reinterpret_cast<const QRgb *>(image.constScanLine(src));
        const float keep = 0.72f - 0.3f * depth;
        const int dashOffset = static_cast<int>(hash(static_cast<std::uint32_t>(y) * 7919U) & 7U);
        for (int x = 0; x < kWidth; ++x) {
            const int sx = std::clamp(x + shift, 0, kWidth - 1);
            const int sx2 = std::clamp(x - shift / 2, 0, kWidth - 1);
            const Rgb a = unpack(mirror[sx]), b = unpack(mirror[sx2]);
            Rgb c =
                lerp(water, Rgb{(a.r + b.r) * 0.5f, (a.g + b.g) * 0.5f, (a.b + b.b) * 0.5f}, keep);
            // Glints under the sun: short dashes, thinning out with distance.
            const std::uint32_t h = hash(
                static_cast<std::uint32_t>(((x + dashOffset) >> 3) * 2654435761U + y * 40503U));
            const float chance = glowWideX[x] * glowX[x] * (1.0f - depth) * (1.0f - depth) * 0.4f;
            if (unit(h) < chance)
                c = lerp(c, Rgb{255, 200, 150}, 0.45f);
            line[x] = pack(c);
        }
    }

    // Near shore silhouettes over everything.
    int fgTop = kHeight;
    const std::vector<std::uint8_t> mask = foregroundMask(fgTop);
    for (int y = fgTop; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const std::uint8_t *m = &mask[static_cast<std::size_t>(y) * kWidth];
        const Rgb dark =
            lerp(Rgb{22, 20, 36}, Rgb{8, 8, 16}, static_cast<float>(y - fgTop) / (kHeight - fgTop));
        const QRgb fg = pack(dark);
        for (int x = 0; x < kWidth; ++x)
            if (m[x] != 0)
                line[x] = fg;
    }

    // Film grain and a soft vignette, as on a real print; whole numbers keep this pass cheap.
    std::vector<int> vigXi(kWidth);
    for (int x = 0; x < kWidth; ++x)
        vigXi[x] = static_cast<int>(vigX[x] * 256.0f);
    // Grain comes from one table read at a random offset per row: no repeat the eye can find.
    constexpr int kGrainSize = 4096;
    std::vector<int> grainTable(kGrainSize + kWidth);
    for (std::size_t i = 0; i < grainTable.size(); ++i)
        grainTable[i] =
            (static_cast<int>(hash(static_cast<std::uint32_t>(i) + 4242U) >> 24) - 128) * 3 / 64;
    for (int y = 0; y < kHeight; ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        const int vy = static_cast<int>(vigY[y] * 256.0f);
        const int *grain = &grainTable[hash(static_cast<std::uint32_t>(y) + 17U) % kGrainSize];
        for (int x = 0; x < kWidth; ++x) {
            const int v = vigXi[x] * vy; // 16.16 fixed point
            const int g = grain[x];
            const QRgb p = line[x];
            const auto ch = [v, g](int c) { return std::clamp(((c * v) >> 16) + g, 0, 255); };
            line[x] = qRgb(ch(qRed(p)), ch(qGreen(p)), ch(qBlue(p)));
        }
    }
    return image;
}

QRect backgroundMoonBounds()
{
    const int x = static_cast<int>(kMoonX), y = static_cast<int>(kMoonY);
    return QRect(x - kMoonReach, y - kMoonReach, 2 * kMoonReach + 1, 2 * kMoonReach + 1);
}

} // namespace camvista::data
