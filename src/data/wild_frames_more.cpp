#include "data/wild_frame_art.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace camvista::data::art::wild
{

int drawMkart(Canvas &top, Canvas &bottom)
{
    // Race day: a chequered banner with the starting lights above; the track, two karts and the
    // finish line below.
    for (int y = 0; y < kTopH; ++y)
        for (int x = 0; x < kW; ++x)
            top.put(x, y, ((x / 5) + (y / 5)) % 2 ? kBlack : kWhite);
    top.fill(0, 10, kW, 20, kDark);
    top.fill(0, 10, kW, 1, kBlack);
    top.fill(0, 29, kW, 1, kBlack);
    // Three lights on a bar, the last one lit.
    top.roundFill(8, 11, 40, 18, 3, kBlack);
    for (int i = 0; i < 3; ++i) {
        top.disc(16 + i * 12, 20, 4, kDark);
        top.disc(16 + i * 12, 20, 3, i == 2 ? kWhite : kBlack);
    }
    top.put(39, 18, kLight);
    top.outlinedText(62, 13, "GO!", kWhite, kBlack, 2);
    for (int x = 104; x < 156; x += 9)
        top.sprite(x, 16, {"#...", "##..", "###.", "####", "###.", "##..", "#..."},
                   {{'#', kLight}});

    bottom.fill(0, 0, kW, kBottomH, kLight);
    // The track seen from above the grandstand: tarmac with kerbs and a dashed centre line.
    bottom.fill(0, 14, kW, 44, kDark);
    for (int x = 0; x < kW; ++x) {
        bottom.put(x, 14, ((x / 6) % 2) ? kWhite : kBlack);
        bottom.put(x, 15, ((x / 6) % 2) ? kWhite : kBlack);
        bottom.put(x, 56, ((x / 6) % 2) ? kBlack : kWhite);
        bottom.put(x, 57, ((x / 6) % 2) ? kBlack : kWhite);
        if ((x / 8) % 2 == 0)
            bottom.put(x, 36, kLight);
        if (noise(x, 5, 3) % 7 == 0)
            bottom.put(x, 20 + int(noise(x, 6, 3) % 34), kBlack);
    }
    // The finish line across the track.
    for (int y = 16; y < 56; ++y)
        for (int x = 128; x < 136; ++x)
            bottom.put(x, y, ((x / 2) + (y / 2)) % 2 ? kBlack : kWhite);
    const auto kart = [&bottom](int x, int y, QRgb body) {
        const Rows shape = {
            "..####.......",  ".#oooo#......",  "######x######",
            "#bbbbbbbbbbbb#", "#bbbbbbbbbbbb#", "###########x##",
            ".###.....###..", ".#+#.....#+#..", ".###.....###..",
        };
        int row = 0;
        for (std::string_view r : shape) {
            for (int col = 0; col < int(r.size()); ++col) {
                const char k = r[col];
                if (k == '.')
                    continue;
                const QRgb colour = k == '#'   ? kBlack
                                    : k == 'b' ? body
                                    : k == 'x' ? kDark
                                    : k == '+' ? kLight
                                               : kWhite;
                bottom.put(x + col, y + row, colour);
            }
            ++row;
        }
        // Speed lines behind it.
        for (int i = 0; i < 3; ++i)
            bottom.fill(x - 12 + i * 2, y + 3 + i * 2, 8, 1, kLight);
    };
    kart(96, 22, kWhite);
    kart(60, 40, kLight);
    // The grandstand crowd: a row of heads.
    for (int x = 2; x < kW; x += 5) {
        const int y = 6 + int(noise(x, 7, 1) % 3);
        bottom.disc(x, y, 2, (x / 5) % 3 ? kDark : kBlack);
    }
    bottom.fill(0, 10, kW, 3, kBlack);
    bottom.outlinedText(8, 60, "LAP 3/3", kWhite, kBlack);
    meetThePicture(top, bottom);
    return 12;
}

int drawClef(Canvas &top, Canvas &bottom)
{
    // Concert: a staff with a clef and notes above; a keyboard and the call for more below.
    top.fill(0, 0, kW, kTopH, kWhite);
    for (int y = 0; y < kTopH; ++y)
        top.dither(0, y, kW, 1, kWhite, kLight, y < 6 ? 6 - y : 0);
    for (int l = 0; l < 5; ++l)
        top.fill(4, 10 + l * 4, kW - 8, 1, kDark);
    top.fill(4, 10, 1, 17, kBlack);
    top.fill(kW - 5, 10, 1, 17, kBlack);
    top.fill(kW - 8, 10, 2, 17, kBlack);
    // A clef of our own: a tall swirl.
    const Rows clef = {
        "..##..", ".#..#.", ".#..#.", "..#.#.", "...##.", "..##..", ".#.#..", "#..##.",
        "#.#.#.", "#.#..#", ".##..#", "..###.", "...#..", ".#.#..", "..#...",
    };
    top.sprite(8, 7, clef, {{'#', kBlack}});
    const int steps[] = {4, 2, 3, 1, 0, 2, 4, 3, 1, 2, 3, 0, 1, 2};
    for (int i = 0; i < 14; ++i) {
        const int x = 20 + i * 9;
        if (i == 6)
            continue; // the title sits here
        frames::note(top, x, 6 + steps[i] * 2, i % 3, kBlack);
    }
    titlePlate(top, 80, 13, "LIVE!");
    top.fill(0, kTopH - 6, kW, 3, kLight);

    bottom.fill(0, 0, kW, kBottomH, kBlack);
    // Stage lights.
    for (int i = 0; i < 5; ++i) {
        const int cx = 16 + i * 32;
        for (int y = 4; y < 24; ++y)
            bottom.dither(cx - (y - 4) / 2, y, y - 4 + 1, 1, kBlack, kDark, 8);
        bottom.disc(cx, 5, 2, kWhite);
    }
    bottom.outlinedText(80 - textWidth("ENCORE!", 1), 10, "ENCORE!", kWhite, kDark, 2);
    // The keyboard: white keys with black keys between, in the usual two-and-three groups.
    const int kx = 4;
    const int ky = 32;
    const int keyW = 8;
    bottom.fill(kx - 2, ky - 2, kW - 2 * (kx - 2), 40, kDark);
    for (int k = 0; k < 19; ++k) {
        bottom.fill(kx + k * keyW, ky, keyW - 1, 34, kWhite);
        bottom.fill(kx + k * keyW, ky + 31, keyW - 1, 3, kLight);
    }
    for (int k = 0; k < 18; ++k) {
        const int inOctave = k % 7;
        if (inOctave == 2 || inOctave == 6)
            continue;
        bottom.fill(kx + k * keyW + 5, ky, 5, 20, kBlack);
        bottom.fill(kx + k * keyW + 6, ky + 1, 1, 16, kDark);
    }
    bottom.fill(0, kBottomH - 4, kW, 4, kBlack);
    meetThePicture(top, bottom);
    return 12;
}

int drawZelda(Canvas &top, Canvas &bottom)
{
    // Castle quest: battlements, towers and banners above; a stone wall with a shield and a
    // sword below.
    top.fill(0, 0, kW, kTopH, kWhite);
    for (int y = 0; y < 20; ++y)
        top.dither(0, y, kW, 1, kLight, kWhite, y);
    for (int i = 0; i < 6; ++i)
        frames::sparkle(top, 12 + i * 28, 4 + int(noise(i, 0, 4) % 6), 1, kDark);
    const auto bricks = [](Canvas &c, int x0, int y0, int w, int h) {
        c.fill(x0, y0, w, h, kLight);
        for (int y = y0; y < y0 + h; ++y)
            for (int x = x0; x < x0 + w; ++x) {
                const int row = (y - y0) / 5;
                const bool joint = (y - y0) % 5 == 4 || ((x - x0) + row * 5) % 10 == 0;
                if (joint)
                    c.put(x, y, kDark);
                else if (noise(x, y, 3) % 11 == 0)
                    c.put(x, y, kWhite);
            }
    };
    bricks(top, 0, 20, kW, 17);
    for (int x = 0; x < kW; x += 12)
        bricks(top, x, 15, 7, 5);
    // Two towers with pointed roofs and banners.
    for (const int tx : {10, 132}) {
        bricks(top, tx, 8, 18, 29);
        for (int r = 0; r < 8; ++r)
            top.fill(tx + 9 - r - 1, r, 2 * r + 2, 1, r == 7 ? kBlack : kDark);
        top.fill(tx + 7, 16, 4, 6, kBlack);
        top.fill(tx + 9, -1, 1, 2, kBlack);
        top.sprite(tx + 10, 0, {"####", "###.", "##.."}, {{'#', kBlack}});
    }
    titlePlate(top, 80, 21, "QUEST");

    bottom.fill(0, 0, kW, kBottomH, kDark);
    // Large stones with light tops.
    for (int row = 0; row < 6; ++row) {
        const int y = 3 + row * 12;
        for (int x = -(row % 2) * 10; x < kW; x += 20) {
            bottom.roundFill(x + 1, y + 1, 18, 10, 2, kLight);
            bottom.fill(x + 2, y + 9, 16, 2, kDark);
            bottom.fill(x + 3, y + 2, 12, 1, kWhite);
        }
    }
    // The shield.
    const int sx = 80;
    const int sy = 12;
    for (int y = 0; y < 48; ++y) {
        const int half = y < 30 ? 22 : 22 - (y - 30) * 22 / 18;
        bottom.fill(sx - half - 2, sy + y, 2 * half + 4, 1, kBlack);
        if (half > 1)
            bottom.fill(sx - half, sy + y, 2 * half, 1, y < 3 ? kLight : kWhite);
    }
    bottom.fill(sx - 1, sy + 3, 3, 40, kDark);
    bottom.fill(sx - 18, sy + 16, 37, 3, kDark);
    // Crossed swords behind it.
    for (const int side : {-1, 1}) {
        bottom.line(sx + side * 34, sy + 46, sx + side * 10, sy + 4, kBlack);
        bottom.line(sx + side * 33, sy + 46, sx + side * 9, sy + 4, kWhite);
        bottom.fill(sx + side * 32 - 4, sy + 40, 9, 2, kBlack);
    }
    // Torches either side.
    for (const int tx : {18, 142}) {
        bottom.fill(tx - 1, 30, 3, 14, kBlack);
        bottom.disc(tx, 26, 4, kWhite);
        bottom.disc(tx, 27, 2, kLight);
        bottom.put(tx, 21, kWhite);
    }
    meetThePicture(top, bottom);
    return 20;
}

int drawWario(Canvas &top, Canvas &bottom)
{
    // Treasure: a zigzag of lightning and a row of coins above; an open chest spilling coins and
    // gems below.
    top.fill(0, 0, kW, kTopH, kLight);
    for (int x = 0; x < kW; ++x) {
        const int zig = std::abs((x % 16) - 8);
        top.fill(x, 0, 1, 4 + zig, kDark);
        top.put(x, 4 + zig, kBlack);
        top.fill(x, 28 - zig, 1, 9 + zig, kDark);
        top.put(x, 28 - zig, kBlack);
    }
    for (int x = 8; x < kW; x += 16)
        coin(top, x, 20, 5);
    top.fill(48, 12, 64, 16, kLight);
    titlePlate(top, 80, 11, "TREASURE");

    bottom.fill(0, 0, kW, kBottomH, kBlack);
    for (int y = 0; y < kBottomH; ++y)
        bottom.dither(0, y, kW, 1, kBlack, kDark, std::min(12, y / 3));
    // Piles of coins on both sides.
    for (int i = 0; i < 40; ++i) {
        const int side = i % 2 ? 1 : -1;
        const int spread = int(noise(i, 0, 6) % 44);
        const int x = 80 + side * (30 + spread);
        const int y = 66 - int(noise(i, 1, 6) % std::max(2, 26 - spread / 2));
        coin(bottom, x, y, 4);
    }
    // The chest: lid open, glowing inside.
    const int cx = 50;
    const int cy = 34;
    bottom.fill(cx, cy, 60, 30, kBlack);
    bottom.fill(cx + 2, cy + 2, 56, 26, kDark);
    for (int y = cy + 2; y < cy + 28; y += 5)
        bottom.fill(cx + 2, y, 56, 1, kBlack);
    bottom.fill(cx + 26, cy + 8, 8, 10, kBlack);
    bottom.fill(cx + 28, cy + 10, 4, 5, kLight);
    bottom.fill(cx - 2, cy - 20, 64, 6, kBlack);
    bottom.fill(cx, cy - 18, 60, 3, kDark);
    bottom.fill(cx + 2, cy - 14, 56, 14, kWhite);
    for (int i = 0; i < 9; ++i)
        coin(bottom, cx + 8 + i * 6, cy - 2 - int(noise(i, 2, 1) % 6), 4);
    // Gems: little diamonds with a shine.
    for (const int gx : {cx + 14, cx + 44}) {
        bottom.sprite(gx, cy - 10, {"..#..", ".#o#.", "#ooo#", ".#+#.", "..#.."},
                      {{'#', kBlack}, {'o', kWhite}, {'+', kLight}});
    }
    for (int i = 0; i < 6; ++i)
        frames::sparkle(bottom, 12 + i * 28, 8 + int(noise(i, 3, 2) % 10), 2, kLight);
    meetThePicture(top, bottom);
    return 10;
}

int drawTortank(Canvas &top, Canvas &bottom)
{
    // Sea turtle: waves and gulls above; under the water a turtle, fish, bubbles and weed.
    for (int y = 0; y < kTopH; ++y)
        top.dither(0, y, kW, 1, kWhite, kLight, std::max(0, 10 - y / 2));
    top.disc(22, 10, 7, kLight);
    top.disc(22, 10, 5, kWhite);
    top.ring(22, 10, 7, kDark);
    for (const int gx : {60, 74, 120})
        top.sprite(gx, 6 + (gx % 5), {"##...##", "..#.#..", "...#..."}, {{'#', kBlack}});
    for (int x = 0; x < kW; ++x) {
        const int crest = 24 + int(3 * std::sin(x / 5.0));
        top.fill(x, crest, 1, kTopH - crest, kDark);
        top.put(x, crest, kBlack);
        if (int(3 * std::sin(x / 5.0)) == -2)
            top.put(x, crest + 1, kWhite);
        const int deep = 31 + int(2 * std::sin(x / 4.0 + 1.5));
        top.fill(x, deep, 1, kTopH - deep, kBlack);
    }
    titlePlate(top, 110, 9, "AHOY!");

    bottom.fill(0, 0, kW, kBottomH, kDark);
    for (int y = 0; y < kBottomH; ++y)
        bottom.dither(0, y, kW, 1, kDark, kBlack, y / 5);
    // Light rays from the surface.
    for (int r = 0; r < 4; ++r)
        for (int y = 3; y < 40; ++y)
            if ((y + r) % 2 == 0)
                bottom.put(20 + r * 40 + y / 3, y, kLight);
    // Sand and weed.
    for (int x = 0; x < kW; ++x) {
        const int sand = 62 + int(2 * std::sin(x / 9.0));
        bottom.fill(x, sand, 1, kBottomH - sand, kLight);
        if (noise(x, 0, 2) % 5 == 0)
            bottom.put(x, sand + 2 + int(noise(x, 1, 2) % 6), kWhite);
    }
    for (const int wx : {8, 30, 134, 150})
        for (int y = 30; y < 64; ++y)
            bottom.put(wx + int(3 * std::sin(y / 4.0 + wx)), y, y % 3 ? kLight : kWhite);
    // The turtle: a domed shell of plates, flippers, a friendly head.
    const int tx = 74;
    const int ty = 36;
    bottom.ellipse(tx, ty, 26, 14, kBlack);
    bottom.ellipse(tx, ty, 25, 13, kLight);
    for (int p = -2; p <= 2; ++p)
        bottom.ring(tx + p * 10, ty - 2 + std::abs(p), 5, kDark);
    bottom.fill(tx - 25, ty + 6, 51, 2, kDark);
    for (const auto side : {-1, 1}) {
        bottom.ellipse(tx + side * 20, ty + 12, 8, 3, kBlack);
        bottom.ellipse(tx + side * 20, ty + 12, 7, 2, kWhite);
    }
    bottom.disc(tx + 31, ty - 2, 7, kBlack);
    bottom.disc(tx + 31, ty - 2, 6, kWhite);
    bottom.fill(tx + 33, ty - 4, 2, 2, kBlack);
    bottom.line(tx + 30, ty + 1, tx + 34, ty + 1, kBlack);
    // Fish and bubbles.
    for (const auto &[fx, fy] : {std::pair{18, 16}, std::pair{122, 12}, std::pair{132, 48}})
        bottom.sprite(fx, fy, {".###.#", "#o#o##", "#oooo#", ".###.#"},
                      {{'#', kBlack}, {'o', kWhite}});
    for (int i = 0; i < 8; ++i)
        bottom.ring(tx + 34 + int(noise(i, 2, 3) % 6), ty - 12 - i * 4, 1 + i % 2, kWhite);
    // A shell and a starfish on the sand.
    bottom.sprite(24, 60, {"..#..", ".#o#.", "#ooo#", "#o+o#", ".###."},
                  {{'#', kBlack}, {'o', kWhite}, {'+', kLight}});
    bottom.sprite(112, 58, {"..#..", "..#..", "#####", ".###.", "#...#"}, {{'#', kWhite}});
    meetThePicture(top, bottom);
    return 8;
}

} // namespace camvista::data::art::wild
