// Writes what the dump comparison needs into a folder: camera.sav, a full camera of thirty
// photos, and gray/01.gray ... gray/30.gray, the same photos in album order as raw 8-bit grey
// pixels for other tools to convert.
#include "camera/save_writer.h"

#include <QDir>
#include <QFile>

#include <cstdio>

namespace
{

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size() && f.flush();
}

} // namespace

int main(int argc, char **argv)
{
    using namespace camvista::test;
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s FOLDER\n", argv[0]);
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    if (!folder.mkpath(QStringLiteral("gray")))
        return 1;
    SaveWriter save;
    for (int slot = 0; slot < 30; ++slot) {
        const int album = (slot * 7) % 30 + 1;
        const PixelValues values = patternValues(unsigned(slot));
        save.photo(slot, values, album);
        QByteArray grey(qsizetype(values.size()), '\0');
        for (std::size_t i = 0; i < values.size(); ++i)
            grey[qsizetype(i)] = char(qRed(shadeOfValue(values[i])));
        const QString name = QStringLiteral("gray/%1.gray").arg(album, 2, 10, QLatin1Char('0'));
        if (!writeFile(folder.filePath(name), grey))
            return 1;
    }
    return writeFile(folder.filePath(QStringLiteral("camera.sav")), save.bytes()) ? 0 : 1;
}
