#include "data/mini_shots.h"

#include <cmath>

namespace camvista::data::art
{

namespace
{

void sunset(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.fill(x, y, 20, 3, t[1]);
    c.dither(x, y + 3, 20, 2, t[1], t[2], 8);
    c.fill(x, y + 5, 20, 4, t[2]);
    c.dither(x, y + 7, 20, 2, t[2], t[3], 6);
    c.disc(x + 13, y + 7, 3, t[3]);
    for (int i = 0; i < 20; ++i) {
        const int h =
            9 - static_cast<int>(std::lround(1.6 * std::sin(i * 0.55) + 0.8 * std::sin(i * 1.3)));
        c.fill(x + i, y + h, 1, 11 - h, t[0]);
    }
    c.fill(x, y + 11, 20, 3, t[1]);
    c.fill(x + 11, y + 11, 5, 1, t[3]);
    c.fill(x + 12, y + 12, 3, 1, t[2]);
    c.fill(x + 13, y + 13, 1, 1, t[2]);
}

void smile(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.dither(x, y, 20, 14, t[2], t[1], 4);
    c.disc(x + 10, y + 7, 6, t[0]);
    c.disc(x + 10, y + 7, 5, t[3]);
    c.fill(x + 8, y + 5, 1, 2, t[0]);
    c.fill(x + 12, y + 5, 1, 2, t[0]);
    c.fill(x + 8, y + 10, 5, 1, t[0]);
    c.put(x + 7, y + 9, t[0]);
    c.put(x + 13, y + 9, t[0]);
    c.put(x + 6, y + 8, t[2]);
    c.put(x + 14, y + 8, t[2]);
}

void tree(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.fill(x, y, 20, 14, t[3]);
    c.fill(x + 14, y + 2, 4, 1, t[2]);
    c.fill(x + 13, y + 3, 6, 1, t[2]);
    c.ellipse(x + 10, y + 15, 14, 4, t[1]);
    c.fill(x + 9, y + 7, 2, 6, t[0]);
    c.put(x + 8, y + 12, t[0]);
    c.put(x + 11, y + 12, t[0]);
    for (const QPoint p : {QPoint(7, 5), QPoint(12, 5), QPoint(10, 3)})
        c.disc(x + p.x(), y + p.y(), 3, t[0]);
    for (const QPoint p : {QPoint(7, 5), QPoint(12, 5), QPoint(10, 3)})
        c.disc(x + p.x(), y + p.y(), 2, t[1]);
    c.fill(x + 9, y + 2, 2, 1, t[2]);
    c.fill(x + 6, y + 4, 1, 2, t[2]);
}

void house(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.fill(x, y, 20, 14, t[2]);
    c.fill(x, y + 11, 20, 3, t[1]);
    c.fill(x + 5, y + 6, 10, 6, t[0]);
    c.fill(x + 6, y + 7, 8, 5, t[3]);
    for (int i = 0; i < 6; ++i)
        c.fill(x + 4 + i, y + 6 - i, 12 - 2 * i, 1, t[0]);
    c.fill(x + 7, y + 9, 2, 3, t[1]);
    c.fill(x + 11, y + 8, 2, 2, t[1]);
    c.fill(x + 13, y + 1, 2, 3, t[0]);
    // A wisp of smoke from the chimney.
    c.put(x + 14, y, t[3]);
    c.put(x + 15, y, t[3]);
}

void cat(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.fill(x, y, 20, 14, t[3]);
    c.fill(x, y + 12, 20, 2, t[2]);
    c.ellipse(x + 10, y + 8, 6, 5, t[0]);
    c.ellipse(x + 10, y + 8, 5, 4, t[1]);
    for (int i = 0; i < 4; ++i) {
        c.fill(x + 4, y + 1 + i, 1 + i, 1, t[0]);
        c.fill(x + 16 - i, y + 1 + i, 1 + i, 1, t[0]);
    }
    c.put(x + 5, y + 3, t[1]);
    c.put(x + 15, y + 3, t[1]);
    c.fill(x + 7, y + 7, 2, 2, t[3]);
    c.fill(x + 12, y + 7, 2, 2, t[3]);
    c.put(x + 8, y + 8, t[0]);
    c.put(x + 12, y + 8, t[0]);
    c.put(x + 10, y + 10, t[0]);
    c.put(x + 2, y + 9, t[0]);
    c.put(x + 3, y + 9, t[0]);
    c.put(x + 17, y + 9, t[0]);
    c.put(x + 16, y + 9, t[0]);
}

void heart(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.dither(x, y, 20, 14, t[1], t[0], 6);
    const Rows rows = {
        ".###...###.", "#332#.#222#", "#3222#2222#", "#222222222#", "#222222222#",
        ".#2222222#.", "..#22222#..", "...#222#...", "....#2#....", ".....#.....",
    };
    c.sprite(x + 5, y + 2, rows, {{'#', t[0]}, {'2', t[2]}, {'3', t[3]}});
}

void night(Canvas &c, int x, int y, const std::array<QRgb, 4> &t)
{
    c.fill(x, y, 20, 14, t[0]);
    c.disc(x + 14, y + 4, 3, t[3]);
    c.disc(x + 12, y + 3, 3, t[0]);
    for (const auto &s : {QPoint(2, 2), QPoint(7, 1), QPoint(5, 6), QPoint(18, 9), QPoint(9, 4)})
        c.put(x + s.x(), y + s.y(), t[2]);
    c.put(x + 3, y + 2, t[3]);
    c.ellipse(x + 5, y + 14, 9, 4, t[1]);
    c.ellipse(x + 17, y + 15, 7, 4, t[1]);
    c.put(x + 5, y + 11, t[3]);
}

} // namespace

void drawMiniShot(Canvas &c, int x, int y, MiniShot shot, const std::array<QRgb, 4> &tones)
{
    c.setClip(x, y, kMiniShotWidth, kMiniShotHeight);
    switch (shot) {
    case MiniShot::Sunset:
        sunset(c, x, y, tones);
        break;
    case MiniShot::Smile:
        smile(c, x, y, tones);
        break;
    case MiniShot::Tree:
        tree(c, x, y, tones);
        break;
    case MiniShot::House:
        house(c, x, y, tones);
        break;
    case MiniShot::Cat:
        cat(c, x, y, tones);
        break;
    case MiniShot::Heart:
        heart(c, x, y, tones);
        break;
    case MiniShot::Night:
        night(c, x, y, tones);
        break;
    }
    c.clearClip();
}

} // namespace camvista::data::art
