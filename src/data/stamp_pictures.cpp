#include "stamp_pictures.h"

#include "pixel_art.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>

namespace camvista::data
{

namespace
{

using namespace art;

constexpr QRgb kRed = 0xffe0203a;
constexpr QRgb kDarkRed = 0xff801020;
constexpr QRgb kGold = 0xfff8c820;
constexpr QRgb kDarkGold = 0xffa06808;
constexpr QRgb kPink = 0xfff878b0;
constexpr QRgb kGreen = 0xff38a048;

QImage blank(int w, int h)
{
    QImage img(w, h, QImage::Format_ARGB32_Premultiplied);
    img.fill(Qt::transparent);
    return img;
}

// Smooth shapes keep their antialiased rim: those pixels are only partly covered.
QImage finish(const QImage &img)
{
    return img.convertToFormat(QImage::Format_ARGB32);
}

void smooth(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
}

QImage heart()
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    QPainterPath path;
    path.moveTo(16, 29);
    path.cubicTo(2, 19, 0, 10, 5, 5);
    path.cubicTo(9, 1, 14, 3, 16, 8);
    path.cubicTo(18, 3, 23, 1, 27, 5);
    path.cubicTo(32, 10, 30, 19, 16, 29);
    p.setPen(QPen(QColor(kDarkRed), 1.5));
    QLinearGradient fill(0, 2, 0, 30);
    fill.setColorAt(0, QColor(kPink));
    fill.setColorAt(1, QColor(kRed));
    p.setBrush(fill);
    p.drawPath(path);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawEllipse(QRectF(7, 7, 5, 4));
    return finish(img);
}

QPolygonF starPoints(double cx, double cy, double outer, double inner, int points)
{
    QPolygonF poly;
    for (int i = 0; i < points * 2; ++i) {
        const double r = i % 2 ? inner : outer;
        const double a = -M_PI / 2 + i * M_PI / points;
        poly << QPointF(cx + r * std::cos(a), cy + r * std::sin(a));
    }
    return poly;
}

QImage star()
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    p.setPen(QPen(QColor(kDarkGold), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(QColor(kGold));
    p.drawPolygon(starPoints(16, 17, 15, 6.5, 5));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 170));
    p.drawPolygon(starPoints(13, 14, 4, 1.8, 4));
    return finish(img);
}

// A soft glow around a four-pointed twinkle: almost every pixel is half-transparent.
QImage sparkle()
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    QRadialGradient glow(16, 16, 15);
    glow.setColorAt(0, QColor(255, 255, 255, 230));
    glow.setColorAt(0.4, QColor(255, 255, 255, 110));
    glow.setColorAt(1, QColor(255, 255, 255, 0));
    p.setPen(Qt::NoPen);
    p.setBrush(glow);
    p.drawEllipse(QRectF(1, 1, 30, 30));
    p.setBrush(Qt::white);
    p.drawPolygon(starPoints(16, 16, 15, 2.5, 4));
    return finish(img);
}

QImage wowBubble()
{
    QImage img = blank(48, 32);
    Canvas c(img);
    c.roundFill(0, 0, 48, 24, 6, kBlack);
    c.roundFill(1, 1, 46, 22, 5, kWhite);
    // The tail points down to whoever says it.
    c.sprite(10, 23, {"#######.", ".#...#..", ".#..#...", "..#.#...", "..##....", "..#....."},
             {{'#', kBlack}, {'.', kWhite}});
    const char *text = "WOW!";
    c.text((48 - textWidth(text, 1) * 1) / 2, 8, text, kBlack);
    c.text((48 - textWidth(text, 1)) / 2 + 1, 8, text, kBlack);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage sunglasses()
{
    QImage img = blank(40, 16);
    Canvas c(img);
    c.sprite(0, 1,
             {"########################################",
              "########################################", "##dddddddddddddd######dddddddddddddd##.",
              ".#ddwwdddddddddd#....#ddwwdddddddddd#..", "..#ddwwddddddddd#....#dddwwddddddddd#..",
              "..#dddwwddddddd#......#dddwwddddddd#...", "..#ddddddddddddd#.....#ddddddddddddd#..",
              "...#ddddddddddd#.......#ddddddddddd#...", "....#ddddddddd#.........#ddddddddd#....",
              ".....#########...........#########....."},
             {{'#', kBlack}, {'d', 0xff202020}, {'w', kLight}});
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage crown()
{
    QImage img = blank(32, 24);
    Canvas c(img);
    c.sprite(0, 0,
             {"..............##..............", ".....##......#rr#......##.....",
              "....#yy#......##......#yy#....", ".....##......#yy#......##.....",
              ".....#y#....#yyyy#....#y#.....", ".....#yy#..#yyyyyy#..#yy#.....",
              ".#...#yyy##yyyyyyyy##yyy#...#.", "#y#..#yyyyyyyyyyyyyyyyyy#..#y#",
              "#yy#.#yyyyyyyyyyyyyyyyyy#.#yy#", "#yyy##yyyyyyyyyyyyyyyyyy##yyy#",
              "#yyyyyyyyyyyyyyyyyyyyyyyyyyyy#", "#yyyyyyyyyyyyyyyyyyyyyyyyyyyy#",
              "#oooooooooooooooooooooooooooo#", "#oobbooooooorrrrooooooobbbooo#",
              "#obbbbooooorrrrrrooooobbbbboo#", "#oobbooooooorrrrooooooobbbooo#",
              "#oooooooooooooooooooooooooooo#", "##############################"},
             {{'#', kBlack}, {'y', kGold}, {'o', kDarkGold}, {'r', kRed}, {'b', 0xff3070e0}});
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage moustache()
{
    QImage img = blank(40, 16);
    QPainter p(&img);
    smooth(p);
    QPainterPath path;
    path.moveTo(20, 4);
    path.cubicTo(24, 1, 30, 2, 33, 6);
    path.cubicTo(35, 9, 38, 9, 39, 6);
    path.cubicTo(39, 12, 33, 15, 27, 12);
    path.cubicTo(24, 11, 22, 10, 20, 9);
    path.cubicTo(18, 10, 16, 11, 13, 12);
    path.cubicTo(7, 15, 1, 12, 1, 6);
    path.cubicTo(2, 9, 5, 9, 7, 6);
    path.cubicTo(10, 2, 16, 1, 20, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x30, 0x20, 0x18));
    p.drawPath(path);
    return finish(img);
}

QImage catFace()
{
    QImage img = blank(32, 32);
    Canvas c(img);
    c.sprite(0, 0, {"...##....................##...", "..#ll#..................#ll#..",
                    "..#lwl#................#lwl#..", "..#lwwl################lwwl#..",
                    "..#lwwllllllllllllllllllwwl#..", "..#llllllllllllllllllllllll#..",
                    ".#llllllllllllllllllllllllll#.", ".#llllllllllllllllllllllllll#.",
                    ".#llll###llllllllllll###llll#.", ".#lll#w##lllllllllll#w##lll#..",
                    ".#lll####lllllllllll####llll#.", ".#llll##llllllllllllll##llll#.",
                    "#llllllllllllllllllllllllllll#", "#lllllllllllll##lllllllllllll#",
                    "#dddddlllllll####llllllldddddl", "#llllllllllllll#llllllllllllll",
                    "#ddddlllllll##l#l##llllllddddl", ".#lllllllllll##.##llllllllll#.",
                    ".#llllllllllllllllllllllllll#.", "..#llllllllllllllllllllllll#..",
                    "...#llllllllllllllllllllll#...", "....##llllllllllllllllll##....",
                    "......##################......"},
             {{'#', kBlack}, {'l', kLight}, {'w', kWhite}, {'d', kDark}}, 1);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage flower(QRgb petal, QRgb heart)
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    p.setPen(QPen(QColor(kGreen), 2));
    p.drawLine(QPointF(16, 18), QPointF(16, 31));
    p.setBrush(QColor(kGreen));
    p.setPen(Qt::NoPen);
    p.drawEllipse(QRectF(17, 24, 8, 4));
    p.setPen(QPen(QColor(0, 0, 0, 160), 1));
    p.setBrush(QColor(petal));
    for (int i = 0; i < 6; ++i) {
        p.save();
        p.translate(16, 12);
        p.rotate(i * 60);
        p.drawEllipse(QRectF(-3.5, -11, 7, 9));
        p.restore();
    }
    p.setBrush(QColor(heart));
    p.drawEllipse(QPointF(16, 12), 4, 4);
    return finish(img);
}

QImage lightning()
{
    QImage img = blank(24, 32);
    QPainter p(&img);
    smooth(p);
    const QPolygonF bolt({{14, 1}, {3, 18}, {11, 18}, {7, 31}, {21, 12}, {13, 12}, {18, 1}});
    p.setPen(QPen(QColor(kBlack), 1.5, Qt::SolidLine, Qt::SquareCap, Qt::MiterJoin));
    p.setBrush(QColor(0xff, 0xe8, 0x30));
    p.drawPolygon(bolt);
    return finish(img);
}

QImage musicNotes()
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kBlack));
    // Two quavers joined by a beam.
    p.drawEllipse(QRectF(3, 22, 8, 6));
    p.drawEllipse(QRectF(19, 18, 8, 6));
    p.drawRect(QRectF(9, 6, 2, 19));
    p.drawRect(QRectF(25, 2, 2, 19));
    QPolygonF beam({{9, 6}, {27, 2}, {27, 7}, {9, 11}});
    p.drawPolygon(beam);
    // A soft halo so the notes read on black as well.
    QImage halo = blank(32, 32);
    {
        QPainter h(&halo);
        h.setCompositionMode(QPainter::CompositionMode_Source);
        for (int dy = -1; dy <= 1; ++dy)
            for (int dx = -1; dx <= 1; ++dx)
                h.drawImage(dx, dy, img);
        h.setCompositionMode(QPainter::CompositionMode_SourceIn);
        h.fillRect(halo.rect(), QColor(255, 255, 255, 140));
    }
    QPainter back(&halo);
    back.drawImage(0, 0, img);
    back.end();
    return finish(halo);
}

// A rubber date stamp in red ink that did not take everywhere.
QImage dateStamp()
{
    QImage img = blank(64, 20);
    Canvas c(img);
    constexpr QRgb ink = 0xd0c01828; // premultiplied: alpha 0xd0
    c.frame(0, 0, 64, 20, ink);
    c.frame(2, 2, 60, 16, ink);
    const char *date = "09.03.98";
    c.text((64 - textWidth(date)) / 2, 6, date, ink);
    // Worn spots: pixels where the ink is fainter.
    for (int y = 0; y < 20; ++y)
        for (int x = 0; x < 64; ++x)
            if (qAlpha(c.at(x, y)) && (x * 7 + y * 13) % 11 == 0)
                c.put(x, y, 0x60580c12);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage ghost()
{
    QImage img = blank(32, 32);
    QPainter p(&img);
    smooth(p);
    QPainterPath body;
    body.moveTo(4, 30);
    body.lineTo(4, 14);
    body.cubicTo(4, 3, 28, 3, 28, 14);
    body.lineTo(28, 30);
    body.lineTo(24, 26);
    body.lineTo(20, 30);
    body.lineTo(16, 26);
    body.lineTo(12, 30);
    body.lineTo(8, 26);
    body.closeSubpath();
    // See-through: the shot shows a little behind it.
    p.setPen(QPen(QColor(0, 0, 0, 220), 1.2));
    p.setBrush(QColor(255, 255, 255, 200));
    p.drawPath(body);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(kBlack));
    p.drawEllipse(QRectF(10, 11, 4, 6));
    p.drawEllipse(QRectF(18, 11, 4, 6));
    p.setBrush(QColor(128, 128, 128));
    p.drawEllipse(QRectF(13, 19, 6, 4));
    return finish(img);
}

QImage smiley()
{
    QImage img = blank(32, 32);
    Canvas c(img);
    c.disc(16, 16, 15, kBlack);
    c.disc(16, 16, 14, kGold);
    c.fill(10, 9, 3, 6, kBlack);
    c.fill(19, 9, 3, 6, kBlack);
    c.sprite(7, 19,
             {"#................#", "##..............##", ".##............##.",
              "..###........###..", "....##########...."},
             {{'#', kBlack}});
    c.disc(8, 18, 2, 0xfff89090);
    c.disc(24, 18, 2, 0xfff89090);
    return img.convertToFormat(QImage::Format_ARGB32);
}

QImage camera()
{
    QImage img = blank(32, 24);
    Canvas c(img);
    c.roundFill(0, 4, 32, 20, 3, kBlack);
    c.roundFill(1, 5, 30, 18, 2, kDark);
    c.fill(4, 1, 8, 4, kBlack);
    c.fill(5, 2, 6, 3, kDark);
    c.disc(17, 14, 7, kBlack);
    c.disc(17, 14, 5, kLight);
    c.disc(17, 14, 3, kBlack);
    c.put(15, 12, kWhite);
    c.fill(25, 7, 4, 2, kWhite);
    return img.convertToFormat(QImage::Format_ARGB32);
}

} // namespace

QList<std::pair<QString, QImage>> stampPictures()
{
    return {
        {QStringLiteral("heart"), heart()},
        {QStringLiteral("star"), star()},
        {QStringLiteral("sparkle"), sparkle()},
        {QStringLiteral("wow"), wowBubble()},
        {QStringLiteral("sunglasses"), sunglasses()},
        {QStringLiteral("crown"), crown()},
        {QStringLiteral("moustache"), moustache()},
        {QStringLiteral("cat"), catFace()},
        {QStringLiteral("flower_pink"), flower(kPink, kGold)},
        {QStringLiteral("flower_white"), flower(kWhite, kGold)},
        {QStringLiteral("lightning"), lightning()},
        {QStringLiteral("music"), musicNotes()},
        {QStringLiteral("date"), dateStamp()},
        {QStringLiteral("ghost"), ghost()},
        {QStringLiteral("smiley"), smiley()},
        {QStringLiteral("camera"), camera()},
    };
}

} // namespace camvista::data
