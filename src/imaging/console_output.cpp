#include "console_output.h"

#include <QByteArray>
#include <QTextStream>

#include <cerrno>
#include <cstdio>

namespace camvista
{

namespace
{

bool needsQuoting(const QString &path)
{
    if (path.startsWith(QLatin1Char('"')))
        return true;
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        if (u < 0x20 || u == 0x7f || (u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
            return true;
    }
    return false;
}

} // namespace

QString pathForListing(const QString &path)
{
    if (!needsQuoting(path))
        return path;
    QString quoted = QStringLiteral("\"");
    for (const QChar c : path) {
        const char16_t u = c.unicode();
        switch (u) {
        case u'\n':
            quoted += QLatin1String("\\n");
            break;
        case u'\t':
            quoted += QLatin1String("\\t");
            break;
        case u'\r':
            quoted += QLatin1String("\\r");
            break;
        case u'\\':
            quoted += QLatin1String("\\\\");
            break;
        case u'"':
            quoted += QLatin1String("\\\"");
            break;
        default:
            if (u < 0x20 || u == 0x7f)
                quoted += QStringLiteral("\\x%1").arg(int(u), 2, 16, QLatin1Char('0'));
            else if ((u >= 0x80 && u < 0xa0) || u == 0x2028 || u == 0x2029)
                quoted += QStringLiteral("\\u%1").arg(int(u), 4, 16, QLatin1Char('0'));
            else
                quoted += c;
        }
    }
    return quoted + QLatin1Char('"');
}

bool finishStandardOutput(QTextStream *stream)
{
    bool whole = true;
    int err = 0;
    if (stream != nullptr) {
        stream->flush();
        whole = stream->status() == QTextStream::Ok;
        if (!whole)
            err = errno;
    }
    errno = 0;
    if (std::fflush(stdout) != 0 || std::ferror(stdout) != 0) {
        whole = false;
        if (errno != 0)
            err = errno;
    }
    if (whole)
        return true;
    const QByteArray why = err != 0 ? qt_error_string(err).toLocal8Bit() : QByteArray();
    std::fprintf(stderr, "Standard output did not take everything that was written to it%s%s%s.\n",
                 why.isEmpty() ? "" : " (", why.constData(), why.isEmpty() ? "" : ")");
    std::fflush(stderr);
    return false;
}

} // namespace camvista
