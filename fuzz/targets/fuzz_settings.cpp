#include "fuzz_support.h"
#include "fuzz_targets.h"

#include "platform/profile_file.h"

#include <QByteArray>
#include <QFile>
#include <QFileInfo>

namespace camvista::fuzz
{

namespace
{

// What a value becomes on its way through the file: line breaks and NULs are spaces, the
// ends are trimmed, one pair of matching quotes is taken off, and a read keeps 254 characters.
QString throughTheFile(const QByteArray &value)
{
    QByteArray v = value;
    v.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    v = v.trimmed();
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return QString::fromLatin1(v).left(254);
}

} // namespace

int settingsFile(const std::uint8_t *data, std::size_t size)
{
    // The first byte splits the input: a value of that many bytes at the end, the rest is the
    // file as found on disk.
    ByteReader in(data, size);
    const std::size_t valueLength = std::min<std::size_t>(in.byte(), in.restSize());
    const std::size_t fileLength = in.restSize() - valueLength;
    const QString path = writeInput(QStringLiteral("camvista.ini"), in.rest(), fileLength);
    const QByteArray value(reinterpret_cast<const char *>(in.rest() + fileLength),
                           qsizetype(valueLength));

    const QString section = QStringLiteral("Camvista");
    for (const char *key : {"User ID", "Name", "Month", "Day", "Year"})
        (void)profile::readString(path, section, QString::fromLatin1(key));

    QFile before(path);
    require(before.open(QIODevice::ReadOnly), "the settings file opens");
    const QByteArray old = before.readAll();
    before.close();

    const QString text = QString::fromLatin1(value);
    if (profile::writeString(path, section, QStringLiteral("Name"), text)) {
        require(QFileInfo(path).size() <= profile::kMaxProfileBytes, "the file stays readable");
        require(profile::readString(path, section, QStringLiteral("Name")) == throughTheFile(value),
                "a written value reads back the same");
        // Writing the same value again changes nothing.
        QFile once(path);
        require(once.open(QIODevice::ReadOnly), "the rewritten file opens");
        const QByteArray first = once.readAll();
        once.close();
        require(profile::writeString(path, section, QStringLiteral("Name"), text),
                "a second write succeeds");
        QFile twice(path);
        require(twice.open(QIODevice::ReadOnly), "the file opens again");
        require(twice.readAll() == first, "writing the same value twice gives the same file");
    } else {
        QFile after(path);
        require(after.open(QIODevice::ReadOnly), "the settings file opens");
        require(after.readAll() == old, "a refused write leaves the file as it was");
    }
    return 0;
}

} // namespace camvista::fuzz
