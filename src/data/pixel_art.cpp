#include "data/pixel_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace camvista::data::art
{

namespace
{

// Glyphs of the pixel font: rows separated by '|', '#' is ink. Row 7 is the descender.
struct Glyph {
    char ch;
    std::string_view rows;
};

constexpr Glyph kGlyphs[] = {
    {' ', "...|...|...|...|...|...|..."},
    {'A', ".###.|#...#|#...#|#####|#...#|#...#|#...#"},
    {'B', "####.|#...#|#...#|####.|#...#|#...#|####."},
    {'C', ".###.|#...#|#....|#....|#....|#...#|.###."},
    {'D', "####.|#...#|#...#|#...#|#...#|#...#|####."},
    {'E', "#####|#....|#....|####.|#....|#....|#####"},
    {'F', "#####|#....|#....|####.|#....|#....|#...."},
    {'G', ".###.|#...#|#....|#.###|#...#|#...#|.####"},
    {'H', "#...#|#...#|#...#|#####|#...#|#...#|#...#"},
    {'I', "###|.#.|.#.|.#.|.#.|.#.|###"},
    {'J', "..###|...#.|...#.|...#.|#..#.|#..#.|.##.."},
    {'K', "#...#|#..#.|#.#..|##...|#.#..|#..#.|#...#"},
    {'L', "#....|#....|#....|#....|#....|#....|#####"},
    {'M', "#...#|##.##|#.#.#|#.#.#|#...#|#...#|#...#"},
    {'N', "#...#|#...#|##..#|#.#.#|#..##|#...#|#...#"},
    {'O', ".###.|#...#|#...#|#...#|#...#|#...#|.###."},
    {'P', "####.|#...#|#...#|####.|#....|#....|#...."},
    {'Q', ".###.|#...#|#...#|#...#|#.#.#|#..#.|.##.#"},
    {'R', "####.|#...#|#...#|####.|#.#..|#..#.|#...#"},
    {'S', ".####|#....|#....|.###.|....#|....#|####."},
    {'T', "#####|..#..|..#..|..#..|..#..|..#..|..#.."},
    {'U', "#...#|#...#|#...#|#...#|#...#|#...#|.###."},
    {'V', "#...#|#...#|#...#|#...#|#...#|.#.#.|..#.."},
    {'W', "#...#|#...#|#...#|#.#.#|#.#.#|##.##|#...#"},
    {'X', "#...#|#...#|.#.#.|..#..|.#.#.|#...#|#...#"},
    {'Y', "#...#|#...#|.#.#.|..#..|..#..|..#..|..#.."},
    {'Z', "#####|....#|...#.|..#..|.#...|#....|#####"},
    {'a', ".....|.....|.###.|....#|.####|#...#|.####"},
    {'b', "#....|#....|####.|#...#|#...#|#...#|####."},
    {'c', ".....|.....|.###.|#....|#....|#...#|.###."},
    {'d', "....#|....#|.####|#...#|#...#|#...#|.####"},
    {'e', ".....|.....|.###.|#...#|#####|#....|.###."},
    {'f', "..##|.#..|###.|.#..|.#..|.#..|.#.."},
    {'g', ".....|.....|.####|#...#|#...#|.####|....#|.###."},
    {'h', "#....|#....|#.##.|##..#|#...#|#...#|#...#"},
    {'i', "#|.|#|#|#|#|#"},
    {'j', "..#|...|..#|..#|..#|..#|..#|##."},
    {'k', "#...|#...|#..#|#.#.|##..|#.#.|#..#"},
    {'l', "#.|#.|#.|#.|#.|#.|.#"},
    {'m', ".....|.....|##.#.|#.#.#|#.#.#|#.#.#|#.#.#"},
    {'n', ".....|.....|#.##.|##..#|#...#|#...#|#...#"},
    {'o', ".....|.....|.###.|#...#|#...#|#...#|.###."},
    {'p', ".....|.....|####.|#...#|#...#|####.|#....|#...."},
    {'q', ".....|.....|.####|#...#|#...#|.####|....#|....#"},
    {'r', ".....|.....|#.##.|##..#|#....|#....|#...."},
    {'s', ".....|.....|.####|#....|.###.|....#|####."},
    {'t', ".#..|.#..|###.|.#..|.#..|.#.#|..#."},
    {'u', ".....|.....|#...#|#...#|#...#|#..##|.##.#"},
    {'v', ".....|.....|#...#|#...#|#...#|.#.#.|..#.."},
    {'w', ".....|.....|#...#|#...#|#.#.#|#.#.#|.#.#."},
    {'x', ".....|.....|#...#|.#.#.|..#..|.#.#.|#...#"},
    {'y', ".....|.....|#...#|#...#|#...#|.####|....#|.###."},
    {'z', ".....|.....|#####|...#.|..#..|.#...|#####"},
    {'0', ".###.|#...#|#..##|#.#.#|##..#|#...#|.###."},
    {'1', ".#.|##.|.#.|.#.|.#.|.#.|###"},
    {'2', ".###.|#...#|....#|...#.|..#..|.#...|#####"},
    {'3', "#####|...#.|..#..|...#.|....#|#...#|.###."},
    {'4', "...#.|..##.|.#.#.|#..#.|#####|...#.|...#."},
    {'5', "#####|#....|####.|....#|....#|#...#|.###."},
    {'6', "..##.|.#...|#....|####.|#...#|#...#|.###."},
    {'7', "#####|....#|...#.|..#..|.#...|.#...|.#..."},
    {'8', ".###.|#...#|#...#|.###.|#...#|#...#|.###."},
    {'9', ".###.|#...#|#...#|.####|....#|...#.|.##.."},
    {'.', ".|.|.|.|.|.|#"},
    {',', "..|..|..|..|..|.#|.#|#."},
    {'!', "#|#|#|#|#|.|#"},
    {'?', ".###.|#...#|....#|...#.|..#..|.....|..#.."},
    {'-', "...|...|...|###|...|...|..."},
    {'/', "....#|...#.|...#.|..#..|.#...|.#...|#...."},
    {':', ".|.|#|.|.|#|."},
    {'\'', "#|#|.|.|.|.|."},
    {'+', ".....|.....|..#..|..#..|#####|..#..|..#.."},
    {'*', "..#..|..#..|#####|.###.|.#.#.|#...#|....."},
};

const Glyph &glyphFor(char ch)
{
    for (const Glyph &g : kGlyphs) {
        if (g.ch == ch)
            return g;
    }
    return kGlyphs[0];
}

int glyphWidth(const Glyph &g)
{
    const auto bar = g.rows.find('|');
    return static_cast<int>(bar == std::string_view::npos ? g.rows.size() : bar);
}

constexpr int kBayer4[4][4] = {{0, 8, 2, 10}, {12, 4, 14, 6}, {3, 11, 1, 9}, {15, 7, 13, 5}};

// Pixel-circle test: a little generous so small circles look round, not diamond-shaped.
bool inCircle(int dx, int dy, int r)
{
    return dx * dx + dy * dy <= r * r + r;
}

} // namespace

Canvas::Canvas(QImage &image) : w_(image.width()), h_(image.height()), clipX1_(w_), clipY1_(h_)
{
    rows_.reserve(static_cast<std::size_t>(h_));
    for (int y = 0; y < h_; ++y)
        rows_.push_back(reinterpret_cast<QRgb *>(image.scanLine(y)));
}

void Canvas::setClip(int x, int y, int w, int h)
{
    clipX0_ = std::clamp(x, 0, w_);
    clipY0_ = std::clamp(y, 0, h_);
    clipX1_ = std::clamp(x + w, clipX0_, w_);
    clipY1_ = std::clamp(y + h, clipY0_, h_);
}

void Canvas::fill(int x, int y, int w, int h, QRgb c)
{
    const int x0 = std::max(x, clipX0_), x1 = std::min(x + w, clipX1_);
    const int y0 = std::max(y, clipY0_), y1 = std::min(y + h, clipY1_);
    for (int yy = y0; yy < y1; ++yy)
        std::fill(rows_[yy] + x0, rows_[yy] + std::max(x0, x1), c);
}

void Canvas::frame(int x, int y, int w, int h, QRgb c)
{
    fill(x, y, w, 1, c);
    fill(x, y + h - 1, w, 1, c);
    fill(x, y, 1, h, c);
    fill(x + w - 1, y, 1, h, c);
}

namespace
{
// How far a rounded corner of radius r cuts into the row at distance edge from the corner's side.
int cornerInset(int r, int edge)
{
    if (edge >= r)
        return 0;
    const double k = r - edge;
    return r - static_cast<int>(std::floor(std::sqrt(r * r - k * k)));
}
} // namespace

void Canvas::roundFill(int x, int y, int w, int h, int tl, int tr, int bl, int br, QRgb c)
{
    for (int d = 0; d < h; ++d) {
        const bool upper = d < h - 1 - d;
        const int edge = upper ? d : h - 1 - d;
        const int left = cornerInset(upper ? tl : bl, edge);
        const int right = cornerInset(upper ? tr : br, edge);
        fill(x + left, y + d, w - left - right, 1, c);
    }
}

void Canvas::line(int x0, int y0, int x1, int y1, QRgb c)
{
    const int dx = std::abs(x1 - x0), sx = x0 < x1 ? 1 : -1;
    const int dy = -std::abs(y1 - y0), sy = y0 < y1 ? 1 : -1;
    int err = dx + dy;
    for (;;) {
        put(x0, y0, c);
        if (x0 == x1 && y0 == y1)
            break;
        const int e2 = 2 * err;
        if (e2 >= dy) {
            err += dy;
            x0 += sx;
        }
        if (e2 <= dx) {
            err += dx;
            y0 += sy;
        }
    }
}

void Canvas::disc(int cx, int cy, int r, QRgb c)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx)
            if (inCircle(dx, dy, r))
                put(cx + dx, cy + dy, c);
}

void Canvas::ring(int cx, int cy, int r, QRgb c)
{
    for (int dy = -r; dy <= r; ++dy)
        for (int dx = -r; dx <= r; ++dx) {
            if (!inCircle(dx, dy, r))
                continue;
            // An edge pixel has a 4-neighbour outside the disc.
            if (!inCircle(dx + 1, dy, r) || !inCircle(dx - 1, dy, r) || !inCircle(dx, dy + 1, r) ||
                !inCircle(dx, dy - 1, r))
                put(cx + dx, cy + dy, c);
        }
}

void Canvas::ellipse(int cx, int cy, int rx, int ry, QRgb c)
{
    const long long a2 = 1LL * rx * rx, b2 = 1LL * ry * ry;
    for (int dy = -ry; dy <= ry; ++dy)
        for (int dx = -rx; dx <= rx; ++dx)
            if (dx * dx * b2 + dy * dy * a2 <= a2 * b2 + (a2 + b2) / 2)
                put(cx + dx, cy + dy, c);
}

void Canvas::dither(int x, int y, int w, int h, QRgb a, QRgb b, int level)
{
    for (int yy = std::max(y, clipY0_); yy < std::min(y + h, clipY1_); ++yy)
        for (int xx = std::max(x, clipX0_); xx < std::min(x + w, clipX1_); ++xx)
            rows_[yy][xx] = kBayer4[yy & 3][xx & 3] < level ? b : a;
}

void Canvas::sprite(int x, int y, Rows rows, Inks inks, int scale)
{
    int row = 0;
    for (std::string_view r : rows) {
        for (std::size_t col = 0; col < r.size(); ++col) {
            for (const Ink &ink : inks) {
                if (ink.key == r[col]) {
                    fill(x + static_cast<int>(col) * scale, y + row * scale, scale, scale,
                         ink.colour);
                    break;
                }
            }
        }
        ++row;
    }
}

void Canvas::recolour(int x, int y, int w, int h, QRgb from, QRgb to)
{
    for (int yy = std::max(y, clipY0_); yy < std::min(y + h, clipY1_); ++yy)
        for (int xx = std::max(x, clipX0_); xx < std::min(x + w, clipX1_); ++xx)
            if (rows_[yy][xx] == from)
                rows_[yy][xx] = to;
}

int Canvas::text(int x, int y, std::string_view s, QRgb c, int scale)
{
    int pen = x;
    for (char ch : s) {
        const Glyph &g = glyphFor(ch);
        const int gw = glyphWidth(g);
        int row = 0, col = 0;
        for (char p : g.rows) {
            if (p == '|') {
                ++row;
                col = 0;
                continue;
            }
            if (p == '#')
                fill(pen + col * scale, y + row * scale, scale, scale, c);
            ++col;
        }
        pen += (gw + 1) * scale;
    }
    return pen - x;
}

void Canvas::outlinedText(int x, int y, std::string_view s, QRgb c, QRgb outline, int scale)
{
    for (int dy = -1; dy <= 1; ++dy)
        for (int dx = -1; dx <= 1; ++dx)
            if (dx != 0 || dy != 0)
                text(x + dx * scale, y + dy * scale, s, outline, scale);
    text(x, y, s, c, scale);
}

int textWidth(std::string_view s, int scale)
{
    int w = 0;
    for (char ch : s)
        w += glyphWidth(glyphFor(ch)) + 1;
    return s.empty() ? 0 : (w - 1) * scale;
}

QImage enlarged(const QImage &image, int factor)
{
    return image.scaled(image.width() * factor, image.height() * factor, Qt::IgnoreAspectRatio,
                        Qt::FastTransformation);
}

QRgb mix(QRgb a, QRgb b, int t)
{
    const auto ch = [t](int p, int q) { return p + (q - p) * t / 256; };
    return qRgba(ch(qRed(a), qRed(b)), ch(qGreen(a), qGreen(b)), ch(qBlue(a), qBlue(b)),
                 ch(qAlpha(a), qAlpha(b)));
}

void castShadow(QImage &image, QRgb shadow)
{
    const QImage shape = image.copy();
    for (int y = 1; y < image.height(); ++y) {
        const auto *above = reinterpret_cast<const QRgb *>(shape.constScanLine(y - 1));
        const auto *here = reinterpret_cast<const QRgb *>(shape.constScanLine(y));
        auto *out = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 1; x < image.width(); ++x)
            if (qAlpha(here[x]) == 0 && qAlpha(above[x - 1]) == 255)
                out[x] = shadow;
    }
}

} // namespace camvista::data::art
