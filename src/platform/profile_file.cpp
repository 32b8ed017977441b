#include "profile_file.h"

#include "imaging/safe_write.h"

#include <QByteArrayList>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <optional>

namespace camvista::profile
{

namespace
{

const QByteArray kByteOrderMark("\xEF\xBB\xBF");

struct Lines {
    // Split at "\n"; a line keeps its "\r", so lines of any ending are written back as read.
    QByteArrayList lines;
    QByteArray mark; // a UTF-8 byte-order mark that stood before the first line, kept as found
    QByteArray cr;   // "\r" when the file ends its lines with "\r\n": new lines do the same
    bool endsWithEol = true;
};

enum class ReadState { Missing, Read, Failed };

ReadState readLines(const QString &file, Lines &out)
{
    QFileInfo info(file);
    if (!info.exists())
        return ReadState::Missing;
    if (!info.isFile() || info.size() > kMaxProfileBytes)
        return ReadState::Failed;
    QFile f(file);
    if (!f.open(QIODevice::ReadOnly))
        return ReadState::Failed;
    // Read what the file holds (it may have grown since it was looked at, but never past the
    // limit), not a buffer of the largest size allowed.
    QByteArray bytes = f.read(info.size() + 1);
    while (bytes.size() <= kMaxProfileBytes && !f.atEnd() && f.error() == QFileDevice::NoError) {
        const QByteArray more =
            f.read(std::min<qint64>(64 * 1024, kMaxProfileBytes + 1 - bytes.size()));
        if (more.isEmpty())
            break;
        bytes += more;
    }
    if (f.error() != QFileDevice::NoError || bytes.size() > kMaxProfileBytes)
        return ReadState::Failed;
    if (bytes.startsWith(kByteOrderMark)) {
        out.mark = kByteOrderMark;
        bytes.remove(0, kByteOrderMark.size());
    }
    if (bytes.contains("\r\n"))
        out.cr = "\r";
    out.endsWithEol = bytes.isEmpty() || bytes.endsWith('\n');
    out.lines = bytes.split('\n');
    if (out.endsWithEol)
        out.lines.removeLast(); // the empty piece after the final line end
    return ReadState::Read;
}

// The section name of a header line "[name]", if the line is one.
std::optional<QByteArray> sectionOf(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (!t.startsWith('['))
        return std::nullopt;
    const qsizetype close = t.indexOf(']');
    if (close < 0)
        return std::nullopt;
    return t.mid(1, close - 1).trimmed();
}

bool isComment(const QByteArray &trimmed)
{
    return trimmed.startsWith(';') || trimmed.startsWith('#');
}

// The key of an entry line "key=value", if the line is one.
std::optional<QByteArray> keyOf(const QByteArray &line)
{
    const QByteArray t = line.trimmed();
    if (t.isEmpty() || isComment(t))
        return std::nullopt;
    const qsizetype eq = t.indexOf('=');
    if (eq <= 0)
        return std::nullopt;
    return t.left(eq).trimmed();
}

QByteArray valueOf(const QByteArray &line)
{
    QByteArray v = line.mid(line.indexOf('=') + 1).trimmed();
    if (v.size() >= 2 && (v.front() == '"' || v.front() == '\'') && v.back() == v.front())
        v = v.mid(1, v.size() - 2);
    return v;
}

bool sameName(const QByteArray &a, const QString &b)
{
    return QString::fromLatin1(a).compare(b, Qt::CaseInsensitive) == 0;
}

struct Location {
    qsizetype header = -1; // index of the section's header line
    qsizetype end = -1;    // index after the section's last line
    qsizetype entry = -1;  // index of the key's line
};

Location locate(const QByteArrayList &lines, const QString &section, const QString &key)
{
    Location at;
    for (qsizetype i = 0; i < lines.size(); ++i) {
        const auto name = sectionOf(lines[i]);
        if (at.header >= 0) {
            if (name) {
                at.end = i;
                return at;
            }
            const auto k = keyOf(lines[i]);
            if (at.entry < 0 && k && sameName(*k, key))
                at.entry = i;
        } else if (name && sameName(*name, section)) {
            at.header = i;
        }
    }
    if (at.header >= 0)
        at.end = lines.size();
    return at;
}

QByteArray toFileText(const QString &text)
{
    QByteArray bytes = text.toLatin1();
    // A line break inside a value would split the file's structure.
    bytes.replace('\r', ' ').replace('\n', ' ').replace('\0', ' ');
    return bytes;
}

} // namespace

QString readString(const QString &file, const QString &section, const QString &key,
                   const QString &defaultValue, int bufferChars)
{
    QString value = defaultValue;
    Lines content;
    if (readLines(file, content) == ReadState::Read) {
        const Location at = locate(content.lines, section, key);
        if (at.entry >= 0)
            value = QString::fromLatin1(valueOf(content.lines[at.entry]));
    }
    const int room = bufferChars > 0 ? bufferChars - 1 : 0;
    return value.left(room);
}

bool writeString(const QString &file, const QString &section, const QString &key,
                 const QString &value)
{
    Lines content;
    if (readLines(file, content) == ReadState::Failed)
        return false;

    QByteArrayList &lines = content.lines;
    const Location at = locate(lines, section, key);
    if (at.entry >= 0) {
        // Keep the key as it was spelt in the file, and the line's own ending.
        QByteArray &line = lines[at.entry];
        const QByteArray cr = line.endsWith('\r') ? QByteArray("\r") : QByteArray();
        line = *keyOf(line) + '=' + toFileText(value) + cr;
    } else if (at.header >= 0) {
        qsizetype insertAt = at.end;
        while (insertAt > at.header + 1 && lines[insertAt - 1].trimmed().isEmpty())
            --insertAt;
        lines.insert(insertAt, toFileText(key) + '=' + toFileText(value) + content.cr);
    } else {
        lines.append('[' + toFileText(section) + ']' + content.cr);
        lines.append(toFileText(key) + '=' + toFileText(value) + content.cr);
    }

    QByteArray bytes = content.mark + lines.join('\n');
    if (!lines.isEmpty())
        bytes += '\n';
    // A file past the limit could no longer be read: refuse the write and keep the old one.
    if (bytes.size() > kMaxProfileBytes)
        return false;
    return writeFileSafely(file, bytes).ok();
}

} // namespace camvista::profile
