// The pictures that stand for camera art: the owner ID card and the two about shots. Strictly
// the four shades, so they look like real shots.
#include "data/shell_pictures.h"

#include "data/handheld_art.h"
#include "data/pixel_art.h"

#include <algorithm>
#include <array>
#include <cstdlib>

namespace camvista::data
{

using namespace art;

namespace
{

constexpr int kShotWidth = 160;
constexpr int kShotHeight = 144;

QImage blankShot()
{
    QImage image(kShotWidth, kShotHeight, QImage::Format_RGB32);
    image.fill(kBlack);
    return image;
}

// ---- ID card -------------------------------------------------------------------------------

// A text box of the dialog sits exactly on rect; the field stays one flat colour.
void fieldBox(Canvas &c, const QRect &rect)
{
    c.frame(rect.x() - 1, rect.y() - 1, rect.width() + 2, rect.height() + 2, kBlack);
    c.fill(rect.x(), rect.bottom() + 2, rect.width() + 2, 1, kDark);
    c.fill(rect.x(), rect.y(), rect.width(), rect.height(), kWhite);
}

void label(Canvas &c, int y, std::string_view text, int leaderEnd)
{
    const int x = 9;
    c.text(x + 1, y + 1, text, kWhite);
    const int w = c.text(x, y, text, kBlack);
    for (int lx = x + w + 2; lx < leaderEnd; lx += 2)
        c.put(lx, y + 6, kDark);
}

void cardBorder(Canvas &c)
{
    // Black edge, a twisted-cord band, a black line; the card bottom is kept above the rows
    // the dialog hides.
    c.fill(0, 0, kShotWidth, kShotHeight, kBlack);
    for (int y = 1; y < kShotHeight - 1; ++y)
        for (int x = 1; x < kShotWidth - 1; ++x)
            c.put(x, y, (x + y) % 4 < 2 ? kLight : kDark);
    c.fill(3, 3, kShotWidth - 6, 130, kBlack);
    c.fill(4, 4, kShotWidth - 8, 128, kLight);
    c.fill(0, 136, kShotWidth, 8, kBlack);
    c.fill(1, 135, kShotWidth - 2, 1, kBlack);
}

void barcode(Canvas &c, int x, int y, int w, int h)
{
    // A fixed, made-up pattern of bar widths.
    static constexpr int kBars[] = {1, 2, 1, 1, 3, 1, 2, 2, 1, 1, 1, 3, 2, 1, 1, 2,
                                    1, 1, 3, 2, 1, 2, 1, 1, 2, 1, 3, 1, 1, 2, 1};
    int pen = x;
    bool ink = true;
    for (int bar : kBars) {
        if (pen + bar > x + w)
            break;
        if (ink)
            c.fill(pen, y, bar, h, kBlack);
        pen += bar;
        ink = !ink;
    }
}

void seal(Canvas &c, int cx, int cy)
{
    c.disc(cx, cy, 11, kBlack);
    c.disc(cx, cy, 10, kDark);
    for (int i = 0; i < 16; ++i) {
        // Notched rim like a rubber stamp.
        static constexpr int kRim[16][2] = {{0, -10}, {4, -9},  {7, -7},  {9, -4}, {10, 0}, {9, 4},
                                            {7, 7},   {4, 9},   {0, 10},  {-4, 9}, {-7, 7}, {-9, 4},
                                            {-10, 0}, {-9, -4}, {-7, -7}, {-4, -9}};
        c.put(cx + kRim[i][0], cy + kRim[i][1], kLight);
    }
    c.disc(cx, cy, 7, kBlack);
    c.disc(cx, cy, 6, kWhite);
    c.disc(cx, cy, 3, kBlack);
    c.put(cx - 1, cy - 1, kWhite);
    c.ring(cx, cy, 5, kLight);
}

// ---- About shots ---------------------------------------------------------------------------

// The 16-pixel frame of a shot, drawn like a strip of film.
void filmFrame(Canvas &c)
{
    c.fill(0, 0, kShotWidth, kShotHeight, kBlack);
    for (int x = 3; x < kShotWidth - 4; x += 10) {
        c.roundFill(x, 4, 6, 6, 1, kLight);
        c.roundFill(x, kShotHeight - 10, 6, 6, 1, kLight);
        c.fill(x + 1, 9, 5, 1, kDark);
        c.fill(x + 1, kShotHeight - 5, 5, 1, kDark);
    }
    // Edge markings: a frame arrow and number, as printed on film stock.
    c.sprite(5, 66, {"#..", "##.", "###", "##.", "#.."}, {{'#', kDark}});
    c.text(4, 76, "7", kDark);
    c.sprite(152, 66, {"..#", ".##", "###", ".##", "..#"}, {{'#', kDark}});
    c.text(151, 76, "A", kDark);
    c.frame(14, 14, 132, 116, kDark);
}

struct Scene {
    Canvas &c;
    int ox;
    int oy;
    void put(int x, int y, QRgb v) { c.put(ox + x, oy + y, v); }
    void fill(int x, int y, int w, int h, QRgb v) { c.fill(ox + x, oy + y, w, h, v); }
    void disc(int x, int y, int r, QRgb v) { c.disc(ox + x, oy + y, r, v); }
    void ellipse(int x, int y, int rx, int ry, QRgb v) { c.ellipse(ox + x, oy + y, rx, ry, v); }
    void dither(int x, int y, int w, int h, QRgb a, QRgb b, int level)
    {
        c.dither(ox + x, oy + y, w, h, a, b, level);
    }
    void line(int x0, int y0, int x1, int y1, QRgb v)
    {
        c.line(ox + x0, oy + y0, ox + x1, oy + y1, v);
    }
    void sprite(int x, int y, Rows rows, Inks inks) { c.sprite(ox + x, oy + y, rows, inks); }
    int text(int x, int y, std::string_view t, QRgb v) { return c.text(ox + x, oy + y, t, v); }
};

void skyAndHills(Scene &s)
{
    // Sky: darker at the top, fading to white at the horizon through the dither.
    for (int y = 0; y < 64; ++y) {
        if (y < 16)
            s.dither(0, y, 128, 1, kDark, kLight, 4 + y * 12 / 16);
        else
            s.dither(0, y, 128, 1, kLight, kWhite, std::min(16, (y - 16) * 16 / 40));
    }
    // Sun with short rays.
    s.disc(104, 20, 10, kLight);
    s.disc(104, 20, 8, kWhite);
    for (const QPoint d : {QPoint(0, -1), QPoint(1, -1), QPoint(1, 0), QPoint(1, 1), QPoint(0, 1),
                           QPoint(-1, 1), QPoint(-1, 0), QPoint(-1, -1)}) {
        const int len = (d.x() != 0 && d.y() != 0) ? 9 : 12;
        s.line(104 + d.x() * len, 20 + d.y() * len, 104 + d.x() * (len + 3), 20 + d.y() * (len + 3),
               kWhite);
    }
    // A cloud.
    for (const QPoint p : {QPoint(14, 28), QPoint(22, 24), QPoint(31, 27), QPoint(38, 29)})
        s.disc(p.x(), p.y() + 1, 6, kLight);
    for (const QPoint p : {QPoint(14, 28), QPoint(22, 24), QPoint(31, 27), QPoint(38, 29)})
        s.disc(p.x(), p.y(), 5, kWhite);
    s.fill(9, 33, 34, 2, kWhite);
    s.fill(10, 35, 32, 1, kLight);

    // Far mountains with snow on their tops, softened by haze.
    static constexpr int kPeaks[][2] = {{4, 44}, {34, 34}, {62, 46}, {88, 40}, {124, 46}};
    for (int x = 0; x < 128; ++x) {
        int top = 200;
        for (const auto &p : kPeaks)
            top = std::min(top, p[1] + std::abs(x - p[0]) * 3 / 4);
        for (int y = top; y < 80; ++y) {
            bool snow = false;
            for (const auto &p : kPeaks)
                snow = snow || (y - p[1] < 6 && std::abs(x - p[0]) * 3 / 4 <= y - p[1]);
            if (y == top)
                s.put(x, y, kDark);
            else if (snow)
                s.put(x, y, kWhite);
            else
                s.dither(x, y, 1, 1, kLight, kDark, y < 68 ? 6 : 6 + (y - 68) / 2);
        }
    }
    // The meadow: a rounded hill with a black rim and scattered grass.
    for (int x = 0; x < 128; ++x) {
        const int dx = x - 60;
        const int top = 74 + dx * dx / 260;
        s.put(x, top, kBlack);
        s.fill(x, top + 1, 1, 112 - top - 1, kLight);
    }
    for (int y = 100; y < 112; ++y)
        s.dither(0, y, 128, 1, kLight, kDark, (y - 100) + 4);
    static constexpr int kTufts[][2] = {{10, 86}, {24, 82}, {86, 84},  {112, 90}, {70, 80},
                                        {98, 96}, {16, 98}, {50, 104}, {120, 104}};
    for (const auto &t : kTufts) {
        s.put(t[0], t[1], kDark);
        s.put(t[0] + 2, t[1], kDark);
        s.put(t[0] + 1, t[1] - 1, kDark);
    }
    static constexpr int kFlowers[][2] = {{18, 90}, {78, 88}, {120, 84}, {6, 104}};
    for (const auto &f : kFlowers) {
        s.put(f[0], f[1] - 1, kWhite);
        s.put(f[0] - 1, f[1], kWhite);
        s.put(f[0] + 1, f[1], kWhite);
        s.put(f[0], f[1] + 1, kWhite);
        s.put(f[0], f[1], kBlack);
    }
}

void bubble(Scene &s, int x, int y, std::string_view text, QPoint tail)
{
    const int w = textWidth(text) + 8;
    s.c.roundFill(s.ox + x - 1, s.oy + y - 1, w + 2, 15, 3, kBlack);
    s.c.roundFill(s.ox + x, s.oy + y, w, 13, 2, kWhite);
    // The tail points from the bubble's lower edge towards the speaker.
    const int bx = std::clamp(tail.x(), x + 3, x + w - 6);
    s.fill(bx, y + 12, 4, 1, kWhite);
    s.line(bx - 1, y + 13, tail.x(), tail.y(), kBlack);
    s.line(bx + 4, y + 13, tail.x(), tail.y(), kBlack);
    for (int i = 0; i < 3; ++i)
        s.line(bx + i, y + 12, tail.x(), tail.y() - 1, kWhite);
    s.text(x + 4, y + 3, text, kBlack);
}

void mascot(Scene &s, bool wink)
{
    const int bw = 32, x = 26, y = 44;
    const int bh = handheldBodyHeight(bw);
    // Legs and shoes under the body.
    for (const int lx : {x + 8, x + bw - 11}) {
        s.fill(lx, y + bh, 3, 6, kBlack);
        s.ellipse(lx + (lx < x + bw / 2 ? 0 : 3), y + bh + 7, 4, 2, kBlack);
        s.put(lx + (lx < x + bw / 2 ? -1 : 3), y + bh + 6, kDark);
    }
    // Arm on the hip behind the body, arm waving in front.
    s.line(x, y + 28, x - 6, y + 33, kBlack);
    s.line(x, y + 29, x - 6, y + 34, kBlack);
    s.line(x - 6, y + 33, x - 1, y + 39, kBlack);
    s.line(x - 6, y + 34, x - 1, y + 40, kBlack);
    const HandheldParts p = drawHandheld(s.c, s.ox + x, s.oy + y, bw, greyHandheld());
    drawScreenFace(s.c, p.screen, kBlack, kLight, wink);
    s.line(x + bw, y + 24, x + bw + 8, y + 14, kBlack);
    s.line(x + bw, y + 25, x + bw + 9, y + 14, kBlack);
    s.line(x + bw + 8, y + 14, x + bw + 9, y + 8, kBlack);
    s.line(x + bw + 9, y + 14, x + bw + 10, y + 8, kBlack);
    s.disc(x + bw + 10, y + 6, 3, kBlack);
    s.disc(x + bw + 10, y + 6, 2, kWhite);
    s.disc(x - 1, y + 40, 3, kBlack);
    s.disc(x - 1, y + 40, 2, kWhite);
    // Little motion marks beside the waving hand.
    s.line(x + bw + 15, y + 2, x + bw + 17, y + 4, kDark);
    s.line(x + bw + 15, y + 9, x + bw + 17, y + 9, kDark);
    s.line(x + bw + 5, y, x + bw + 6, y - 2, kDark);
}

void cat(Scene &s, int x, int y)
{
    const Rows rows = {
        "....K.........K",       //
        "....KK.......KK",       //
        "....KdK.....KdK",       //
        "....KddKKKKKddK",       //
        "...KKKKKKKKKKKKK",      //
        "...KKKKKKKKKKKKK",      //
        "...KKKWWKKKWWKKK",      //
        "...KKKKWKKKKWKKK",      //
        "ddd.KKKKKdKKKKK.ddd",   //
        ".dd..KKKKKKKKK..dd",    //
        "......KKKKKKK",         //
        ".......KKKKK",          //
        ".....KKKKKKKKK",        //
        "....KKKKKKKKKKK",       //
        "...KKKKKKKKKKKKK...KK", //
        "...KKKKKKKKKKKKK....K", //
        "..KKKKKKKKKKKKKKK...K", //
        "..KKKKKKKKKKKKKKK...K", //
        "..KKKKKKKKKKKKKKK..KK", //
        "..KKKKKKKKKKKKKKKKKK",  //
        "..KKKdKKKKKdKKKKKKK",   //
        "...KKKKKKKKKKKKKK",     //
    };
    s.sprite(x, y, rows, {{'K', kBlack}, {'W', kWhite}, {'d', kDark}});
}

void heartShape(Scene &s, int x, int y)
{
    s.sprite(x, y, {".##.##.", "#WW####", "#W#####", ".#####.", "..###..", "...#..."},
             {{'#', kBlack}, {'W', kWhite}});
}

void aboutScene(Canvas &c, bool surprise)
{
    filmFrame(c);
    c.setClip(16, 16, 128, 112);
    Scene s{c, 16, 16};
    skyAndHills(s);
    mascot(s, surprise);
    if (surprise) {
        cat(s, 94, 76);
        bubble(s, 88, 50, "MEOW!", QPoint(102, 74));
        heartShape(s, 72, 66);
        heartShape(s, 81, 74);
    } else {
        bubble(s, 74, 40, "HELLO!", QPoint(74, 54));
    }
    c.clearClip();
}

} // namespace

QImage idCardPicture()
{
    QImage image = blankShot();
    Canvas c(image);
    cardBorder(c);

    // Title band.
    c.fill(6, 6, 148, 13, kBlack);
    c.fill(6, 19, 148, 1, kDark);
    const std::string_view title = "CAMERA ID";
    const int tx = 80 - textWidth(title) / 2;
    c.text(tx, 9, title, kWhite);
    c.disc(14, 12, 4, kWhite);
    c.disc(14, 12, 2, kBlack);
    c.put(13, 11, kWhite);
    // The three lit shades as little chips; the band itself is the fourth.
    const std::array<QRgb, 3> chips = {kWhite, kLight, kDark};
    for (int i = 0; i < 3; ++i)
        c.fill(134 + i * 6, 9, 5, 7, chips[static_cast<std::size_t>(i)]);

    // Portrait: the mascot posing for its ID photo.
    const QRect photo(9, 23, 40, 35);
    c.frame(photo.x() - 1, photo.y() - 1, photo.width() + 2, photo.height() + 2, kBlack);
    c.fill(photo.x() + 1, photo.bottom() + 2, photo.width() + 1, 1, kDark);
    c.fill(photo.right() + 2, photo.y() + 1, 1, photo.height() + 1, kDark);
    c.setClip(photo.x(), photo.y(), photo.width(), photo.height());
    for (int y = photo.y(); y <= photo.bottom(); ++y)
        c.dither(photo.x(), y, photo.width(), 1, kWhite, kLight, (y - photo.y()) * 16 / 36);
    const int bw = 22;
    const HandheldParts mascot =
        drawHandheld(c, photo.x() + 9, photo.y() + 2 + handheldLensRise(bw), bw, greyHandheld());
    drawScreenFace(c, mascot.screen, kBlack, kLight, false);
    c.clearClip();

    // Owner block.
    c.text(56, 24, "OWNER", kBlack);
    c.text(88, 24, "CARD", kDark);
    for (int x = 56; x < 124; x += 2)
        c.put(x, 33, kDark);
    c.fill(56, 36, 66, 17, kWhite);
    barcode(c, 58, 38, 62, 13);
    c.fill(56, 53, 66, 1, kDark);
    seal(c, 138, 42);

    // Field labels, each on the line of its boxes.
    const QRect name(64, 64, 65, 19), month(63, 88, 18, 19), day(88, 88, 17, 19),
        year(112, 88, 33, 19), userId(80, 112, 65, 19);
    label(c, name.y() + 6, "NAME", name.x() - 4);
    label(c, month.y() + 6, "BIRTH", month.x() - 4);
    label(c, userId.y() + 6, "USER ID", userId.x() - 4);
    for (const QRect &r : {name, month, day, year, userId})
        fieldBox(c, r);
    c.text(month.right() + 2, month.y() + 6, "/", kBlack);
    c.text(day.right() + 2, day.y() + 6, "/", kBlack);
    return image;
}

QImage aboutPicture()
{
    QImage image = blankShot();
    Canvas c(image);
    aboutScene(c, false);
    return image;
}

QImage aboutSurprisePicture()
{
    QImage image = blankShot();
    Canvas c(image);
    aboutScene(c, true);
    return image;
}

} // namespace camvista::data
