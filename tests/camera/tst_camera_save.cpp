#include "camera/camera_save.h"

#include "camera/save_writer.h"
#include "support/temp_app_folder.h"

#include <QtTest>

#include <sys/stat.h>

using namespace camvista;
using namespace camvista::camera;
using camvista::test::PixelValues;
using camvista::test::SaveWriter;

Q_DECLARE_METATYPE(camvista::camera::SaveError)
Q_DECLARE_METATYPE(camvista::test::PixelValues)

namespace camvista::camera
{
inline char *toString(SaveError error)
{
    static const char *const names[] = {"None",       "Missing",   "NotAFile",
                                        "Unreadable", "WrongSize", "NotASave"};
    return qstrdup(names[int(error)]);
}
} // namespace camvista::camera

namespace
{

// The first pixel that differs, or an empty text when the picture shows exactly these values.
QString firstDifference(const QImage &picture, const PixelValues &values)
{
    if (picture.size() != QSize(128, 112))
        return QStringLiteral("size %1 x %2").arg(picture.width()).arg(picture.height());
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 128; ++x) {
            const QRgb want = test::shadeOfValue(values[std::size_t(y * 128 + x)]);
            if (picture.pixel(x, y) != want)
                return QStringLiteral("(%1, %2): %3 instead of %4")
                    .arg(x)
                    .arg(y)
                    .arg(picture.pixel(x, y), 8, 16)
                    .arg(want, 8, 16);
        }
    }
    return {};
}

SaveRead readBytes(const QByteArray &bytes)
{
    return readSaveBytes(reinterpret_cast<const std::uint8_t *>(bytes.constData()),
                         std::size_t(bytes.size()));
}

QList<int> slotsOf(const QList<Photo> &photos)
{
    QList<int> out;
    for (const Photo &p : photos)
        out.append(p.slot);
    return out;
}

QList<int> albumNumbersOf(const QList<Photo> &photos)
{
    QList<int> out;
    for (const Photo &p : photos)
        out.append(p.album);
    return out;
}

} // namespace

class TstCameraSave : public QObject
{
    Q_OBJECT

private slots:
    void decodesEveryPixel_data();
    void decodesEveryPixel();
    void albumOrder_data();
    void albumOrder();
    void deletedPhotos_data();
    void deletedPhotos();
    void dumpsOfSeveralBanks();
    void fileAndMemoryAgree();
    void badFiles_data();
    void badFiles();
    void badBytes_data();
    void badBytes();
};

void TstCameraSave::decodesEveryPixel_data()
{
    QTest::addColumn<PixelValues>("values");
    QTest::newRow("white") << test::filledValues(0);
    QTest::newRow("light grey") << test::filledValues(1);
    QTest::newRow("dark grey") << test::filledValues(2);
    QTest::newRow("black") << test::filledValues(3);
    QTest::newRow("pattern 1") << test::patternValues(1);
    QTest::newRow("pattern 2") << test::patternValues(2);
    // A pixel of each value at each corner of each tile: tile edges and bit order.
    PixelValues corners = test::filledValues(0);
    for (int y = 0; y < 112; ++y) {
        for (int x = 0; x < 128; ++x) {
            if ((x % 8 == 0 || x % 8 == 7) && (y % 8 == 0 || y % 8 == 7))
                corners[std::size_t(y * 128 + x)] = std::uint8_t(1 + (x / 8 + y / 8) % 3);
        }
    }
    QTest::newRow("tile corners") << corners;
}

void TstCameraSave::decodesEveryPixel()
{
    QFETCH(PixelValues, values);
    // The same values in a photo, the last-seen picture and the game face, with other pictures
    // around them so that an offset off by a tile shows.
    SaveWriter save;
    save.photo(0, test::patternValues(7), 2)
        .photo(13, values, 1)
        .photo(14, test::patternValues(8), 3)
        .photo(29, values, 4)
        .lastSeen(values)
        .gameFace(values);
    const SaveRead read = readBytes(save.bytes());
    QVERIFY(read.ok());
    QCOMPARE(read.banks.size(), 1);
    const SaveBank &bank = read.banks[0];
    QCOMPARE(bank.album.size(), 4);
    QCOMPARE(firstDifference(bank.album[0].picture, values), QString());
    QCOMPARE(firstDifference(bank.album[1].picture, test::patternValues(7)), QString());
    QCOMPARE(firstDifference(bank.album[2].picture, test::patternValues(8)), QString());
    QCOMPARE(firstDifference(bank.album[3].picture, values), QString());
    QCOMPARE(firstDifference(bank.lastSeen, values), QString());
    QCOMPARE(firstDifference(bank.gameFace, values), QString());
    QCOMPARE(bank.album[0].picture.format(), QImage::Format_RGB32);
}

void TstCameraSave::albumOrder_data()
{
    QTest::addColumn<QList<int>>("states");    // state byte of slots 0, 1, 2, ...
    QTest::addColumn<QList<int>>("slotOrder"); // expected slots, in album order
    QTest::addColumn<QList<int>>("albums");    // their album numbers
    QTest::newRow("in slot order")
        << QList<int>{0, 1, 2} << QList<int>{0, 1, 2} << QList<int>{1, 2, 3};
    QTest::newRow("reversed") << QList<int>{2, 1, 0} << QList<int>{2, 1, 0} << QList<int>{1, 2, 3};
    QTest::newRow("gaps and free slots")
        << QList<int>{0xFF, 4, 0xFF, 0, 29} << QList<int>{3, 1, 4} << QList<int>{1, 5, 30};
    // A damaged state vector: both photos are kept, the lower slot first.
    QTest::newRow("one place twice")
        << QList<int>{5, 0xFF, 5, 0} << QList<int>{3, 0, 2} << QList<int>{1, 6, 6};
    QList<int> full;
    QList<int> fullSlots;
    QList<int> fullAlbums;
    for (int slot = 0; slot < 30; ++slot) {
        full.append((slot * 7) % 30); // every place once, scrambled
        fullAlbums.append(slot + 1);
    }
    for (int place = 0; place < 30; ++place)
        fullSlots.append(int(full.indexOf(place)));
    QTest::newRow("thirty photos") << full << fullSlots << fullAlbums;
}

void TstCameraSave::albumOrder()
{
    QFETCH(QList<int>, states);
    QFETCH(QList<int>, slotOrder);
    QFETCH(QList<int>, albums);
    SaveWriter save;
    for (int slot = 0; slot < states.size(); ++slot)
        save.photo(slot, test::patternValues(unsigned(slot)), 0)
            .setState(slot, std::uint8_t(states[slot]));
    const SaveRead read = readBytes(save.bytes());
    QVERIFY(read.ok());
    const SaveBank &bank = read.banks[0];
    QCOMPARE(slotsOf(bank.album), slotOrder);
    QCOMPARE(albumNumbersOf(bank.album), albums);
    for (const Photo &p : bank.album) // each photo carries its own slot's pixels
        QCOMPARE(firstDifference(p.picture, test::patternValues(unsigned(p.slot))), QString());
}

void TstCameraSave::deletedPhotos_data()
{
    QTest::addColumn<PixelValues>("values");
    QTest::addColumn<int>("state");
    QTest::addColumn<bool>("offered");
    PixelValues onePixel = test::filledValues(0);
    onePixel[std::size_t(111 * 128 + 127)] = 1; // the very last pixel
    PixelValues blackButOne = test::filledValues(3);
    blackButOne[0] = 2;
    QTest::newRow("freed photo") << test::patternValues(3) << 0xFF << true;
    QTest::newRow("freed, all white") << test::filledValues(0) << 0xFF << false;
    QTest::newRow("freed, all black") << test::filledValues(3) << 0xFF << false;
    QTest::newRow("freed, all light grey") << test::filledValues(1) << 0xFF << true;
    QTest::newRow("freed, one pixel") << onePixel << 0xFF << true;
    QTest::newRow("freed, black but one") << blackButOne << 0xFF << true;
    // A place no album has: not in the album, but its picture is not thrown away either.
    QTest::newRow("place out of range") << test::patternValues(4) << 0x1E << true;
}

void TstCameraSave::deletedPhotos()
{
    QFETCH(PixelValues, values);
    QFETCH(int, state);
    QFETCH(bool, offered);
    SaveWriter save;
    save.photo(0, test::patternValues(1), 1).photo(6, values, 0).setState(6, std::uint8_t(state));
    const SaveRead read = readBytes(save.bytes());
    QVERIFY(read.ok());
    const SaveBank &bank = read.banks[0];
    QCOMPARE(slotsOf(bank.album), QList<int>{0});
    QCOMPARE(slotsOf(bank.deleted), offered ? QList<int>{6} : QList<int>{});
    if (offered) {
        QCOMPARE(bank.deleted[0].album, 0);
        QCOMPARE(firstDifference(bank.deleted[0].picture, values), QString());
    }
}

void TstCameraSave::dumpsOfSeveralBanks()
{
    SaveWriter first;
    first.photo(0, test::patternValues(10), 1);
    SaveWriter second;
    second.photo(3, test::patternValues(20), 2).photo(4, test::patternValues(21), 1);
    // 1 MiB, two saves at its start; the six other banks hold no markers.
    const SaveRead read =
        readBytes(test::dumpOfBanks(8, {{0, first.bytes()}, {1, second.bytes()}}));
    QVERIFY(read.ok());
    QCOMPARE(read.banks.size(), 2);
    QCOMPARE(read.banks[0].index, 0);
    QCOMPARE(read.banks[1].index, 1);
    QCOMPARE(slotsOf(read.banks[0].album), QList<int>{0});
    QCOMPARE(slotsOf(read.banks[1].album), (QList<int>{4, 3}));
    QCOMPARE(firstDifference(read.banks[1].album[1].picture, test::patternValues(20)), QString());

    // A bank keeps its place in the file when those before it carry no save.
    const SaveRead later = readBytes(test::dumpOfBanks(4, {{3, second.bytes()}}));
    QVERIFY(later.ok());
    QCOMPARE(later.banks.size(), 1);
    QCOMPARE(later.banks[0].index, 3);
}

void TstCameraSave::fileAndMemoryAgree()
{
    test::TempAppFolder folder;
    SaveWriter save;
    save.photo(2, test::patternValues(5), 1).photo(8, test::patternValues(6), 0);
    const QString path = folder.write(QStringLiteral("mysave.sav"), save.bytes());
    const SaveRead fromFile = readSaveFile(path);
    const SaveRead fromMemory = readBytes(save.bytes());
    QVERIFY(fromFile.ok());
    QCOMPARE(fromFile.path, path);
    QCOMPARE(fromFile.banks.size(), fromMemory.banks.size());
    QCOMPARE(fromFile.banks[0].album[0].picture, fromMemory.banks[0].album[0].picture);
    QCOMPARE(fromFile.banks[0].deleted[0].picture, fromMemory.banks[0].deleted[0].picture);
    QCOMPARE(fromFile.banks[0].lastSeen, fromMemory.banks[0].lastSeen);
}

void TstCameraSave::badFiles_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<int>("size"); // bytes of the file, for kind "file"
    QTest::addColumn<SaveError>("error");
    QTest::newRow("empty") << "file" << 0 << SaveError::WrongSize;
    QTest::newRow("one byte short") << "file" << 0x1FFFF << SaveError::WrongSize;
    QTest::newRow("one byte more") << "file" << 0x20001 << SaveError::WrongSize;
    QTest::newRow("not whole banks") << "file" << 3 * 0x20000 - 1 << SaveError::WrongSize;
    QTest::newRow("more than 1 MiB") << "file" << 9 * 0x20000 << SaveError::WrongSize;
    QTest::newRow("missing") << "missing" << 0 << SaveError::Missing;
    QTest::newRow("inside a missing folder") << "missing folder" << 0 << SaveError::Missing;
    QTest::newRow("folder") << "folder" << 0 << SaveError::NotAFile;
    QTest::newRow("pipe") << "pipe" << 0 << SaveError::NotAFile;
    QTest::newRow("device") << "device" << 0 << SaveError::NotAFile;
    QTest::newRow("one byte") << "file" << 1 << SaveError::WrongSize;
    QTest::newRow("no path") << "empty path" << 0 << SaveError::Missing;
}

void TstCameraSave::badFiles()
{
    QFETCH(QString, kind);
    QFETCH(int, size);
    QFETCH(SaveError, error);
    test::TempAppFolder folder;
    QString path = folder.file(QStringLiteral("bad.sav"));
    if (kind == QLatin1String("file")) {
        // Markers where a save has them, so only the size is wrong.
        QByteArray bytes = SaveWriter().bytes();
        bytes.resize(size, '\0');
        folder.write(QStringLiteral("bad.sav"), bytes);
    } else if (kind == QLatin1String("missing folder")) {
        path = folder.file(QStringLiteral("gone/bad.sav"));
    } else if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
    } else if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0644), 0);
    } else if (kind == QLatin1String("device")) {
        path = QStringLiteral("/dev/zero");
    } else if (kind == QLatin1String("empty path")) {
        path.clear();
    }
    const SaveRead read = readSaveFile(path); // a pipe must not hang here
    QCOMPARE(read.error, error);
    QVERIFY(read.banks.isEmpty());
    QVERIFY(!read.message().isEmpty());
    if (!path.isEmpty())
        QVERIFY2(read.message().contains(QFileInfo(path).fileName()), qPrintable(read.message()));
    if (error == SaveError::WrongSize)
        QVERIFY(read.message().contains(size == 1
                                            ? QStringLiteral("it is 1 byte long")
                                            : QStringLiteral("it is %1 bytes long").arg(size)));
    // Each thing that is no file is called by its name.
    const QString named = kind == QLatin1String("folder")   ? QStringLiteral("is a folder,")
                          : kind == QLatin1String("pipe")   ? QStringLiteral("is a named pipe,")
                          : kind == QLatin1String("device") ? QStringLiteral("is a device,")
                                                            : QString();
    QVERIFY2(read.message().contains(named), qPrintable(read.message()));
}

void TstCameraSave::badBytes_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<SaveError>("error");
    for (int i = 0; i < 4; ++i)
        QTest::addRow("marker %d broken", i)
            << SaveWriter().breakMarker(i).bytes() << SaveError::NotASave;
    QTest::newRow("no markers at all") << QByteArray(0x20000, '\0') << SaveError::NotASave;
    QTest::newRow("1 MiB without a save") << QByteArray(0x100000, '\0') << SaveError::NotASave;
    QTest::newRow("half a save") << SaveWriter().bytes().left(0x10000) << SaveError::WrongSize;
    QTest::newRow("nothing") << QByteArray() << SaveError::WrongSize;
    QTest::newRow("a good save") << SaveWriter().bytes() << SaveError::None;
}

void TstCameraSave::badBytes()
{
    QFETCH(QByteArray, bytes);
    QFETCH(SaveError, error);
    // Exactly the bytes, in a buffer of their own: a read past the end shows under ASan.
    std::vector<std::uint8_t> exact(bytes.begin(), bytes.end());
    const SaveRead read = readSaveBytes(exact.data(), exact.size());
    QCOMPARE(read.error, error);
    QCOMPARE(read.banks.size(), error == SaveError::None ? 1 : 0);
    if (error == SaveError::NotASave) {
        test::TempAppFolder folder;
        const SaveRead fromFile = readSaveFile(folder.write(QStringLiteral("x.sav"), bytes));
        QCOMPARE(fromFile.error, error);
        QVERIFY(fromFile.message().contains(QStringLiteral("not a Game Boy Camera save")));
    }
}

QTEST_GUILESS_MAIN(TstCameraSave)
#include "tst_camera_save.moc"
