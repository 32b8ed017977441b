// One conversion from file to file, as the photo converter makes it: read the picture, squeeze
// it to 128 x 112, reduce it to four greys with the ordered dither and write the BMP file. The
// side-by-side script times this program beside other tools doing the same work.
//   camvista_convert_once <picture> <out.bmp>

#include "fakeboy/image_processor.h"
#include "fakeboy/picture_squeeze.h"
#include "imaging/picture_file.h"

#include <QCoreApplication>
#include <QPainter>

#include <cstdio>

int main(int argc, char **argv)
{
    using namespace camvista;
    QCoreApplication app(argc, argv); // finds the image format plugins
    if (argc != 3) {
        std::fprintf(stderr, "usage: %s <picture> <out.bmp>\n", argv[0]);
        return 2;
    }
    constexpr QSize inner{128, 112};
    const PictureLoad loaded = loadPictureFile(QString::fromLocal8Bit(argv[1]), inner);
    if (!loaded.ok()) {
        std::fprintf(stderr, "%s\n", qPrintable(loaded.status.message()));
        return 1;
    }
    QImage original(inner, QImage::Format_RGB32);
    original.fill(Qt::white);
    QPainter p(&original);
    p.drawImage(QRect(QPoint(0, 0), inner), shrinks(loaded.image.size(), inner)
                                                ? squeezePicture(loaded.image, inner)
                                                : loaded.image);
    p.end();
    using namespace processor;
    ImageProcessor processor;
    if (!processor.ConvertSurfaceToFile(original, QString::fromLocal8Bit(argv[2]), kPictureBmp,
                                        kColourModeColour, kTwoBitsPerPixel, kFixedGreyMap,
                                        kOrderedDither, {})) {
        std::fprintf(stderr, "cannot write %s\n", argv[2]);
        return 1;
    }
    return 0;
}
