#pragma once

#include <QImage>

#include <initializer_list>
#include <string_view>
#include <vector>

// Small pixel-art toolkit for the built-in pictures: exact pixels, no smoothing, no fonts.
namespace camvista::data::art
{

// The four shades of a camera shot.
inline constexpr QRgb kBlack = 0xff000000;
inline constexpr QRgb kDark = 0xff808080;
inline constexpr QRgb kLight = 0xffc0c0c0;
inline constexpr QRgb kWhite = 0xffffffff;

// One character of a sprite map and the colour it stands for; characters not listed are
// transparent.
struct Ink {
    char key;
    QRgb colour;
};
using Rows = std::initializer_list<std::string_view>;
using Inks = std::initializer_list<Ink>;

// Clipped pixel operations on a 32-bit image. Colours are stored as given, so callers hand
// premultiplied values to premultiplied images.
class Canvas
{
public:
    explicit Canvas(QImage &image);

    int width() const { return w_; }
    int height() const { return h_; }

    void put(int x, int y, QRgb c)
    {
        if (x >= clipX0_ && y >= clipY0_ && x < clipX1_ && y < clipY1_)
            rows_[y][x] = c;
    }
    // Limits every later drawing to the rectangle (within the image).
    void setClip(int x, int y, int w, int h);
    void clearClip() { setClip(0, 0, w_, h_); }
    QRgb at(int x, int y) const
    {
        return (x >= 0 && y >= 0 && x < w_ && y < h_) ? rows_[y][x] : 0u;
    }

    void fill(int x, int y, int w, int h, QRgb c);
    void frame(int x, int y, int w, int h, QRgb c);
    // A filled rectangle whose corners are cut by r pixels in a rounded staircase.
    void roundFill(int x, int y, int w, int h, int r, QRgb c)
    {
        roundFill(x, y, w, h, r, r, r, r, c);
    }
    // The same with its own radius per corner: top-left, top-right, bottom-left, bottom-right.
    void roundFill(int x, int y, int w, int h, int tl, int tr, int bl, int br, QRgb c);
    void line(int x0, int y0, int x1, int y1, QRgb c);
    void disc(int cx, int cy, int r, QRgb c);
    void ring(int cx, int cy, int r, QRgb c);
    void ellipse(int cx, int cy, int rx, int ry, QRgb c);
    // Ordered 4x4 dither: level 0 gives all a, level 16 all b.
    void dither(int x, int y, int w, int h, QRgb a, QRgb b, int level);
    // Draws a character map; each map pixel becomes scale x scale pixels.
    void sprite(int x, int y, Rows rows, Inks inks, int scale = 1);
    // Fills every pixel of colour from inside the rectangle with colour to.
    void recolour(int x, int y, int w, int h, QRgb from, QRgb to);

    // Pixel font, 8 rows high (7 above the baseline, one below), variable width.
    int text(int x, int y, std::string_view s, QRgb c, int scale = 1);
    // Text with a one-pixel (times scale) outline all round.
    void outlinedText(int x, int y, std::string_view s, QRgb c, QRgb outline, int scale = 1);

private:
    int w_;
    int h_;
    int clipX0_ = 0, clipY0_ = 0, clipX1_, clipY1_;
    std::vector<QRgb *> rows_;
};

int textWidth(std::string_view s, int scale = 1);
inline constexpr int kTextHeight = 7; // cap height, without the descender row

// Whole-factor enlargement that repeats pixels.
QImage enlarged(const QImage &image, int factor);

// Linear mix of two colours, t from 0 (a) to 256 (b); alpha is mixed too.
QRgb mix(QRgb a, QRgb b, int t);

// Gives every see-through pixel whose upper-left neighbour is solid the shadow colour: one soft
// shadow down and to the right of an icon. shadow is premultiplied.
void castShadow(QImage &image, QRgb shadow);

// Fills the pixels for which inside(x, y) holds within the area (ax, ay, aw, ah) and rings them
// with outline (diagonal neighbours count); the lowest pixel of each run down a column gets
// shade, for a little depth.
template <typename Inside>
void shapeWithOutline(Canvas &c, int ax, int ay, int aw, int ah, Inside inside, QRgb fill,
                      QRgb shade, QRgb outline)
{
    for (int y = ay - 1; y <= ay + ah; ++y)
        for (int x = ax - 1; x <= ax + aw; ++x) {
            if (inside(x, y)) {
                c.put(x, y, inside(x, y + 1) ? fill : shade);
                continue;
            }
            bool edge = false;
            for (int dy = -1; dy <= 1 && !edge; ++dy)
                for (int dx = -1; dx <= 1 && !edge; ++dx)
                    edge = inside(x + dx, y + dy);
            if (edge)
                c.put(x, y, outline);
        }
}

// The same over the whole canvas.
template <typename Inside>
void shapeWithOutline(Canvas &c, Inside inside, QRgb fill, QRgb shade, QRgb outline)
{
    shapeWithOutline(c, 0, 0, c.width(), c.height(), inside, fill, shade, outline);
}

} // namespace camvista::data::art
