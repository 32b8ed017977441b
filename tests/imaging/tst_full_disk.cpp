// Every writer on a disk that runs out part way: with the free space (or the largest file the
// process may write) stepped through a window around the output's size, each save either says
// it failed and leaves the old file byte for byte, or says it succeeded and the whole new file
// is there. Both sides of the window must be seen, so neither outcome is taken on trust.

#include "imaging/dib_section.h"
#include "imaging/gif_writer.h"
#include "imaging/picture_file.h"
#include "imaging/picture_files.h"
#include "platform/profile_file.h"

#include "imaging_test_support.h"
#include "support/temp_app_folder.h"

#include <QtTest>

#include <cerrno>
#include <csignal>
#include <sys/mount.h>
#include <sys/resource.h>
#include <sys/wait.h>
#include <unistd.h>

using namespace camvista;
using namespace camvista::test;

namespace
{

enum class Writer {
    Bmp24,
    Bmp24Large,
    Bmp32,
    DibBmp,
    Gif,
    Png,
    ConvertBmp,
    ConvertPng,
    ConvertGif,
    ConvertJpeg,
    Settings,
};

constexpr qint64 kBlock = 4096;

// A shot in the four shades with enough detail that the compressed formats stay large.
QImage shotPicture(int width, int height)
{
    static const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                                  qRgb(255, 255, 255)};
    QImage image(width, height, QImage::Format_RGB32);
    quint32 seed = 12345;
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x) {
            seed = seed * 1103515245u + 12345u;
            row[x] = shades[((x / 3 + y / 5) + (seed >> 29)) & 3];
        }
    }
    return image;
}

QImage colourPicture(int width, int height, bool alpha)
{
    QImage image(width, height, alpha ? QImage::Format_ARGB32 : QImage::Format_RGB32);
    for (int y = 0; y < height; ++y) {
        auto *row = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < width; ++x)
            row[x] =
                qRgba((x * 7 + y) & 255, (y * 5) & 255, (x * y) & 255, alpha ? (x + y) & 255 : 255);
    }
    return image;
}

const QByteArray kOldSettings("[Camvista]\r\nUser ID=12345\r\nName=Someone\r\nMonth=1\r\nDay=2\r\n"
                              "Year=3\r\n");

// What stood at the target before the save: a settings file is rewritten from its old text.
QByteArray oldBytesFor(Writer writer)
{
    if (writer == Writer::Settings)
        return kOldSettings;
    return QByteArray(3000, 'o');
}

// What a writer said: whether it saved, and, for those that tell, the reason of a failure.
struct Outcome {
    bool ok = false;
    bool tells = true; // false for writers that only say yes or no
    QString detail;
};

Outcome told(const FileStatus &status)
{
    return Outcome{status.ok(), true, status.detail};
}

Outcome yesOrNo(bool ok)
{
    return Outcome{ok, false, {}};
}

Outcome converted(const QString &source, const QString &path, int code)
{
    FileStatus status;
    ConvertPictureFile(source, path, code, &status);
    return told(status);
}

// Runs one writer onto `path`; `source` is a picture file on a roomy disk for the conversions.
Outcome runWriter(Writer writer, const QString &path, const QString &source)
{
    switch (writer) {
    case Writer::Bmp24:
        return told(savePictureBmp(shotPicture(160, 144), path));
    case Writer::Bmp24Large:
        return told(savePictureBmp(colourPicture(400, 400, false), path));
    case Writer::Bmp32:
        return told(savePictureBmp32(colourPicture(96, 80, true), path));
    case Writer::DibBmp: {
        cDIBSection dib;
        return yesOrNo(dib.CreateFromPicture(shotPicture(160, 144)) &&
                       dib.SavePicture(path).written);
    }
    case Writer::Gif:
        return told(saveGif(shotPicture(160, 144), path));
    case Writer::Png:
        return told(savePicturePng(shotPicture(160, 144), path));
    case Writer::ConvertBmp:
        return converted(source, path, kConvertBmp);
    case Writer::ConvertPng:
        return converted(source, path, kConvertPng);
    case Writer::ConvertGif:
        return converted(source, path, kConvertGif);
    case Writer::ConvertJpeg:
        return converted(source, path, 90);
    case Writer::Settings:
        return yesOrNo(
            profile::writeString(path, QStringLiteral("Camvista"), QStringLiteral("Name"),
                                 QStringLiteral("Somebody with a much longer name than before")));
    }
    return {};
}

// A tmpfs of a chosen size mounted on a folder for as long as the object lives.
class SmallDisk
{
public:
    explicit SmallDisk(const QString &folder) : m_folder(QFile::encodeName(folder)) {}
    ~SmallDisk() { unmount(); }
    SmallDisk(const SmallDisk &) = delete;
    SmallDisk &operator=(const SmallDisk &) = delete;

    // Empty when mounted, else the reason.
    QString mount(qint64 bytes)
    {
        unmount();
        const QByteArray options = "size=" + QByteArray::number(bytes) + ",mode=0755";
        if (::mount("camvista-test", m_folder.constData(), "tmpfs", 0, options.constData()) != 0)
            return QStringLiteral("cannot mount a tmpfs here (%1)").arg(qt_error_string(errno));
        m_mounted = true;
        return {};
    }

    void unmount()
    {
        if (m_mounted)
            ::umount2(m_folder.constData(), MNT_DETACH);
        m_mounted = false;
    }

private:
    QByteArray m_folder;
    bool m_mounted = false;
};

struct Sweep {
    int failures = 0;
    int successes = 0;
};

// One writer's run: what it must leave on success, what stood there before, and where.
struct Case {
    QByteArray expected;
    QByteArray old;
    QString folder;
    QString path;

    bool putOldFile() const
    {
        QFile target(path);
        return target.open(QIODevice::WriteOnly) && target.write(old) == old.size();
    }
};

} // namespace

Q_DECLARE_METATYPE(Writer)

class TstFullDisk : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase();
    void fullDiskSweep_data();
    void fullDiskSweep();
    void fileSizeLimitSweep_data();
    void fileSizeLimitSweep();

private:
    // The writer's output on a roomy disk, and a fresh folder `name` under `dir` for the run.
    bool prepare(Writer writer, const TempAppFolder &dir, const QString &name, Case &run);
    // `words`: what a failure must say, the system's text for the way the disk ran out.
    void checkOutcome(const Outcome &outcome, const QString &words, const Case &run, Sweep &sweep);

    TempAppFolder m_roomy;
    QString m_source;
};

void TstFullDisk::initTestCase()
{
    QVERIFY(m_roomy.isValid());
    m_source = m_roomy.file(QStringLiteral("source.png"));
    QVERIFY(colourPicture(200, 150, false).save(m_source, "PNG"));
}

bool TstFullDisk::prepare(Writer writer, const TempAppFolder &dir, const QString &name, Case &run)
{
    run.old = oldBytesFor(writer);
    const QString roomy = m_roomy.write(QStringLiteral("expected.out"), run.old);
    if (!runWriter(writer, roomy, m_source).ok)
        return false;
    run.expected = readBytes(roomy);
    run.folder = dir.file(name);
    run.path = run.folder + QStringLiteral("/target.out");
    return !run.expected.isEmpty() && QDir().mkdir(run.folder);
}

void TstFullDisk::checkOutcome(const Outcome &outcome, const QString &words, const Case &run,
                               Sweep &sweep)
{
    const QByteArray now = readBytes(run.path);
    const QByteArray &expected = run.expected;
    if (outcome.tells && !outcome.ok)
        QCOMPARE(outcome.detail, words);
    if (outcome.ok) {
        ++sweep.successes;
        QVERIFY2(now == expected,
                 qPrintable(QStringLiteral("reported saved, but the file holds %1 of %2 bytes")
                                .arg(now.size())
                                .arg(expected.size())));
    } else {
        ++sweep.failures;
        QVERIFY2(now == run.old, "reported failed, but the old file was changed");
    }
    // No temporary file left behind either way.
    QCOMPARE(folderEntries(run.folder), QStringList{QFileInfo(run.path).fileName()});
}

void TstFullDisk::fullDiskSweep_data()
{
    QTest::addColumn<Writer>("writer");
    QTest::newRow("24-bit BMP shot") << Writer::Bmp24;
    QTest::newRow("24-bit BMP 400 x 400") << Writer::Bmp24Large;
    QTest::newRow("32-bit BMP") << Writer::Bmp32;
    QTest::newRow("bitmap class BMP") << Writer::DibBmp;
    QTest::newRow("GIF") << Writer::Gif;
    QTest::newRow("PNG") << Writer::Png;
    QTest::newRow("conversion to BMP") << Writer::ConvertBmp;
    QTest::newRow("conversion to PNG") << Writer::ConvertPng;
    QTest::newRow("conversion to GIF") << Writer::ConvertGif;
    QTest::newRow("conversion to JPEG") << Writer::ConvertJpeg;
    QTest::newRow("settings file") << Writer::Settings;
}

void TstFullDisk::fullDiskSweep()
{
    QFETCH(Writer, writer);
    TempAppFolder dir;
    Case run;
    QVERIFY(prepare(writer, dir, QStringLiteral("disk"), run));
    SmallDisk disk(run.folder);

    // tmpfs counts whole pages: the old file takes its own, the new one needs this many more.
    const qint64 oldBlocks = (run.old.size() + kBlock - 1) / kBlock;
    const qint64 newBlocks = (run.expected.size() + kBlock - 1) / kBlock;
    Sweep sweep;
    for (qint64 free = std::max<qint64>(0, newBlocks - 5); free <= newBlocks + 2; ++free) {
        const QString why = disk.mount((oldBlocks + free) * kBlock);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        QVERIFY(run.putOldFile());
        checkOutcome(runWriter(writer, run.path, m_source), qt_error_string(ENOSPC), run, sweep);
        if (QTest::currentTestFailed()) {
            qWarning("with %lld KiB free", free * kBlock / 1024);
            return;
        }
    }
    QVERIFY2(sweep.failures > 0, "the smallest disk must be too small");
    QVERIFY2(sweep.successes > 0, "the largest disk must be large enough");
}

void TstFullDisk::fileSizeLimitSweep_data()
{
    fullDiskSweep_data();
}

void TstFullDisk::fileSizeLimitSweep()
{
    // The same without a mount: a file size limit makes write() fail with EFBIG where a full
    // disk fails with ENOSPC, for root too. Each step runs in a child process of its own.
    QFETCH(Writer, writer);
    TempAppFolder dir;
    Case run;
    QVERIFY(prepare(writer, dir, QStringLiteral("limited"), run));

    const qint64 size = run.expected.size();
    QList<qint64> limits;
    for (qint64 limit = std::max<qint64>(0, size - 5 * kBlock); limit < size + 2 * kBlock;
         limit += kBlock)
        limits << limit;
    limits << size - 1 << size;

    Sweep sweep;
    for (const qint64 limit : limits) {
        QVERIFY(run.putOldFile());
        const pid_t child = ::fork();
        QVERIFY(child >= 0);
        if (child == 0) {
            std::signal(SIGXFSZ, SIG_IGN);
            const rlimit fileSize{rlim_t(limit), rlim_t(limit)};
            if (::setrlimit(RLIMIT_FSIZE, &fileSize) != 0)
                ::_exit(3);
            // 0 saved, 1 failed in the system's words, 4 failed in other words.
            const Outcome outcome = runWriter(writer, run.path, m_source);
            const bool rightWords = !outcome.tells || outcome.detail == qt_error_string(EFBIG);
            ::_exit(outcome.ok ? 0 : rightWords ? 1 : 4);
        }
        int status = 0;
        QCOMPARE(::waitpid(child, &status, 0), child);
        QVERIFY2(WIFEXITED(status) && (WEXITSTATUS(status) <= 1 || WEXITSTATUS(status) == 4),
                 "the writer crashed");
        QVERIFY2(WEXITSTATUS(status) != 4, "a failure not told in the system's words");
        checkOutcome(Outcome{WEXITSTATUS(status) == 0, false, {}}, {}, run, sweep);
        if (QTest::currentTestFailed()) {
            qWarning("with a limit of %lld bytes for a %lld-byte file", limit, size);
            return;
        }
    }
    QVERIFY(sweep.failures > 0);
    QVERIFY(sweep.successes > 0);
}

QTEST_GUILESS_MAIN(TstFullDisk)
#include "tst_full_disk.moc"
