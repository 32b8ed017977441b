#include "fuzz_support.h"

#include "fuzz_targets.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdio>
#include <cstdlib>

namespace camvista::fuzz
{

void require(bool condition, const char *what)
{
    if (condition)
        return;
    std::fprintf(stderr, "fuzz property broken: %s\n", what);
    std::abort();
}

QString writeInput(const QString &name, const std::uint8_t *data, std::size_t size)
{
    static QTemporaryDir folder;
    require(folder.isValid(), "a temporary folder for the inputs");
    const QString path = QDir(folder.path()).filePath(name);
    QFile file(path);
    require(file.open(QIODevice::WriteOnly | QIODevice::Truncate), "the input file opens");
    require(file.write(reinterpret_cast<const char *>(data), qint64(size)) == qint64(size),
            "the input file is written");
    file.close();
    return path;
}

} // namespace camvista::fuzz
