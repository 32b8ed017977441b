#include "data/frame_pictures.h"

#include "data/frame_art.h"

#include <array>

namespace camvista::data
{

namespace
{

using Draw = void (*)(art::Canvas &);

// Which band of a frame its picker shows: the one that tells it apart best.
enum class Band { Top, Bottom };

struct DefaultFrame {
    Draw draw;
    Band strip;
};

// The order is the file order: entry 0 is 1.gif.
constexpr std::array<DefaultFrame, 21> kDefaultFrames = {{
    {art::frames::drawFilmStrip, Band::Top},      {art::frames::drawInstantPhoto, Band::Bottom},
    {art::frames::drawWoodenFrame, Band::Top},    {art::frames::drawBrickWall, Band::Top},
    {art::frames::drawFlowerVines, Band::Top},    {art::frames::drawStarryNight, Band::Top},
    {art::frames::drawHearts, Band::Top},         {art::frames::drawSeaside, Band::Bottom},
    {art::frames::drawRaceFlags, Band::Top},      {art::frames::drawCircuitBoard, Band::Bottom},
    {art::frames::drawMusic, Band::Top},          {art::frames::drawSunnySky, Band::Top},
    {art::frames::drawSnowfall, Band::Bottom},    {art::frames::drawCandyStripes, Band::Top},
    {art::frames::drawComicBursts, Band::Top},    {art::frames::drawOuterSpace, Band::Top},
    {art::frames::drawPineForest, Band::Bottom},  {art::frames::drawMosaicTiles, Band::Top},
    {art::frames::drawRopeAndAnchors, Band::Top}, {art::frames::drawRetroTelevision, Band::Bottom},
    {art::frames::drawBirthdayParty, Band::Top},
}};

struct CustomFrame {
    const char *name;
    Draw draw;
};

constexpr std::array<CustomFrame, 5> kCustomFrames = {{
    {"pocket_console", art::frames::drawPocketConsole},
    {"postcard", art::frames::drawPostcard},
    {"halloween", art::frames::drawHalloween},
    {"aquarium", art::frames::drawAquarium},
    {"city_skyline", art::frames::drawCitySkyline},
}};

// Draws a frame on an opaque white canvas, then cuts the window out of it.
QImage drawnFrame(Draw draw)
{
    QImage image(kFrameWidth, kFrameHeight, QImage::Format_ARGB32);
    image.fill(art::kWhite);
    art::Canvas c(image);
    draw(c);
    c.clearClip();
    c.fill(kFrameBorder, kFrameBorder, kFrameWidth - 2 * kFrameBorder,
           kFrameHeight - 2 * kFrameBorder, 0x00000000u);
    return image;
}

bool inRange(int n)
{
    return n >= 1 && n <= defaultFrameCount();
}

} // namespace

int defaultFrameCount()
{
    return int(kDefaultFrames.size());
}

QImage defaultFrame(int n)
{
    if (!inRange(n))
        return {};
    return drawnFrame(kDefaultFrames[std::size_t(n - 1)].draw);
}

QImage frameStrip(int n)
{
    if (!inRange(n))
        return {};
    const DefaultFrame &frame = kDefaultFrames[std::size_t(n - 1)];
    const int top = frame.strip == Band::Top ? 0 : kFrameHeight - kFrameStripHeight;
    return drawnFrame(frame.draw).copy(0, top, kFrameWidth, kFrameStripHeight);
}

QList<std::pair<QString, QImage>> customFrames()
{
    QList<std::pair<QString, QImage>> frames;
    for (const CustomFrame &frame : kCustomFrames)
        frames.append({QString::fromLatin1(frame.name), drawnFrame(frame.draw)});
    return frames;
}

} // namespace camvista::data
