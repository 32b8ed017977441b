#include "platform/profile_file.h"

#include "support/temp_app_folder.h"

#include <QFile>
#include <QtTest>

using namespace camvista;

namespace
{

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TstProfileFile : public QObject
{
    Q_OBJECT

private slots:
    void readsValues_data();
    void readsValues();
    void missingFileReadsDefault();
    void cutsLongValues();
    void rewritesOnlyTheKey_data();
    void rewritesOnlyTheKey();
    void roundTripsSingleByteText();
    void writeFailuresLeaveTheFile_data();
    void writeFailuresLeaveTheFile();
    void writesUpToTheLimit_data();
    void writesUpToTheLimit();
    void survivesGarbage_data();
    void survivesGarbage();
};

void TstProfileFile::readsValues_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("section");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("expected");

    const QByteArray basic = "[Camvista]\nUser ID=12345678\nName=ANNA\n";
    QTest::newRow("plain") << basic << "Camvista"
                           << "User ID"
                           << "12345678";
    QTest::newRow("section any case") << basic << "CAMVISTA"
                                      << "User ID"
                                      << "12345678";
    QTest::newRow("key any case") << basic << "Camvista"
                                  << "user id"
                                  << "12345678";
    QTest::newRow("missing key") << basic << "Camvista"
                                 << "Year"
                                 << "";
    QTest::newRow("missing section") << basic << "Other"
                                     << "Name"
                                     << "";
    QTest::newRow("crlf and spaces")
        << QByteArray("[ Camvista ]\r\n  Name =  BOB  \r\n") << "Camvista"
        << "Name"
        << "BOB";
    QTest::newRow("quoted value") << QByteArray("[Camvista]\nName=\" A \"\n") << "Camvista"
                                  << "Name"
                                  << " A ";
    QTest::newRow("key of another section")
        << QByteArray("[Other]\nName=X\n[Camvista]\nDay=3\n") << "Camvista"
        << "Name"
        << "";
    QTest::newRow("first of twice") << QByteArray("[Camvista]\nDay=1\nDay=2\n") << "Camvista"
                                    << "Day"
                                    << "1";
    QTest::newRow("comment is no key") << QByteArray("[Camvista]\n;Day=1\n") << "Camvista"
                                       << "Day"
                                       << "";
    QTest::newRow("empty value") << QByteArray("[Camvista]\nDay=\n") << "Camvista"
                                 << "Day"
                                 << "";
    QTest::newRow("byte-order mark before the first section")
        << QByteArray("\xEF\xBB\xBF[Camvista]\r\nUser ID=77\r\n") << "Camvista"
        << "User ID"
        << "77";
    QTest::newRow("byte-order mark inside a value is a value")
        << QByteArray("[Camvista]\nName=\xEF\xBB\xBFx\n") << "Camvista"
        << "Name" << QString::fromLatin1("\xEF\xBB\xBFx");
    QTest::newRow("no final line end") << QByteArray("[Camvista]\nDay=31") << "Camvista"
                                       << "Day"
                                       << "31";
}

void TstProfileFile::readsValues()
{
    QFETCH(QByteArray, content);
    QFETCH(QString, section);
    QFETCH(QString, key);
    QFETCH(QString, expected);
    test::TempAppFolder dir;
    const QString file = dir.write("camvista.ini", content);
    QCOMPARE(profile::readString(file, section, key), expected);
}

void TstProfileFile::missingFileReadsDefault()
{
    test::TempAppFolder dir;
    QCOMPARE(profile::readString(dir.file("none.ini"), "Camvista", "Name"), QString());
    QCOMPARE(profile::readString(dir.file("none.ini"), "Camvista", "Name", "x"), QString("x"));
    // A folder where the file should be reads as missing too.
    QCOMPARE(profile::readString(dir.path(), "Camvista", "Name"), QString());
}

void TstProfileFile::cutsLongValues()
{
    test::TempAppFolder dir;
    const QByteArray value(1000, 'v');
    const QString file = dir.write("camvista.ini", "[Camvista]\nName=" + value + "\n");
    QCOMPARE(profile::readString(file, "Camvista", "Name").size(), 254);
    QCOMPARE(profile::readString(file, "Camvista", "Name", {}, 10).size(), 9);
}

void TstProfileFile::rewritesOnlyTheKey_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QString>("key");
    QTest::addColumn<QString>("value");
    QTest::addColumn<QByteArray>("after");

    QTest::newRow("new file") << QByteArray() << "User ID"
                              << "????????" << QByteArray("[Camvista]\nUser ID=????????\n");
    QTest::newRow("replace keeps order, comments, spelling")
        << QByteArray("; profile\n[camvista]\nNAME=old\nDay=3\n[Other]\nName=keep\n") << "Name"
        << "new" << QByteArray("; profile\n[camvista]\nNAME=new\nDay=3\n[Other]\nName=keep\n");
    QTest::newRow("new key goes to the end of its section")
        << QByteArray("[Camvista]\nDay=3\n\n[Other]\nA=1\n") << "Year"
        << "1998" << QByteArray("[Camvista]\nDay=3\nYear=1998\n\n[Other]\nA=1\n");
    QTest::newRow("new section goes to the end")
        << QByteArray("[Other]\r\nA=1\r\n") << "Day"
        << "7" << QByteArray("[Other]\r\nA=1\r\n[Camvista]\r\nDay=7\r\n");
    QTest::newRow("empty value") << QByteArray("[Camvista]\nUser ID=1\n") << "User ID"
                                 << "" << QByteArray("[Camvista]\nUser ID=\n");
    QTest::newRow("byte-order mark kept, the section found")
        << QByteArray("\xEF\xBB\xBF[Camvista]\r\nUser ID=1\r\n") << "User ID"
        << "2" << QByteArray("\xEF\xBB\xBF[Camvista]\r\nUser ID=2\r\n");
    QTest::newRow("byte-order mark kept, a new key in the section")
        << QByteArray("\xEF\xBB\xBF[Camvista]\nDay=1\n") << "Year"
        << "2000" << QByteArray("\xEF\xBB\xBF[Camvista]\nDay=1\nYear=2000\n");
    QTest::newRow("line breaks cannot split the file")
        << QByteArray("[Camvista]\n") << "Name"
        << "a\nb=c" << QByteArray("[Camvista]\nName=a b=c\n");
}

void TstProfileFile::rewritesOnlyTheKey()
{
    QFETCH(QByteArray, before);
    QFETCH(QString, key);
    QFETCH(QString, value);
    QFETCH(QByteArray, after);
    test::TempAppFolder dir;
    const QString file =
        before.isNull() ? dir.file("camvista.ini") : dir.write("camvista.ini", before);
    QVERIFY(profile::writeString(file, "Camvista", key, value));
    QCOMPARE(readAll(file), after);
}

void TstProfileFile::roundTripsSingleByteText()
{
    test::TempAppFolder dir;
    const QString file = dir.file("camvista.ini");
    const QString name = QString::fromUtf8("Zoë Å");
    QVERIFY(profile::writeString(file, "Camvista", "Name", name));
    QCOMPARE(profile::readString(file, "Camvista", "Name"), name);
    QCOMPARE(readAll(file), QByteArray("[Camvista]\nName=Zo\xEB \xC5\n"));
}

void TstProfileFile::writeFailuresLeaveTheFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("read-only file") << "readonly";
    QTest::newRow("file too large to parse") << "huge";
    QTest::newRow("missing folder") << "nofolder";
    QTest::newRow("folder in the way") << "folder";
    QTest::newRow("write would pass the reading limit") << "growing";
}

void TstProfileFile::writeFailuresLeaveTheFile()
{
    QFETCH(QString, kind);
    test::TempAppFolder dir;
    QString file = dir.file("camvista.ini");
    QByteArray before = "[Camvista]\nUser ID=42\n";
    if (kind == "readonly") {
        dir.write("camvista.ini", before);
        QVERIFY(
            QFile::setPermissions(file, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    } else if (kind == "huge") {
        before += QByteArray(profile::kMaxProfileBytes, ';');
        dir.write("camvista.ini", before);
        QCOMPARE(profile::readString(file, "Camvista", "User ID"), QString());
    } else if (kind == "growing") {
        // Readable now; the longer value would make it unreadable for good.
        before += ';' + QByteArray(profile::kMaxProfileBytes - before.size() - 2, 'x') + '\n';
        dir.write("camvista.ini", before);
        QCOMPARE(profile::readString(file, "Camvista", "User ID"), QString("42"));
    } else if (kind == "nofolder") {
        file = dir.file("gone/camvista.ini");
        before = "<unreadable>";
    } else {
        QVERIFY(QDir().mkdir(file));
        before = "<unreadable>";
    }
    QVERIFY(!profile::writeString(file, "Camvista", "User ID", "999"));
    QCOMPARE(readAll(file), before);
}

void TstProfileFile::writesUpToTheLimit_data()
{
    QTest::addColumn<int>("spare"); // bytes left below the limit after the write
    QTest::addColumn<bool>("written");
    QTest::newRow("ends exactly at the limit") << 0 << true;
    QTest::newRow("one byte under") << 1 << true;
    QTest::newRow("one byte over") << -1 << false;
}

void TstProfileFile::writesUpToTheLimit()
{
    QFETCH(int, spare);
    QFETCH(bool, written);
    test::TempAppFolder dir;
    const QByteArray head = "[Camvista]\nName=\n";
    const QByteArray filler = ';' + QByteArray(profile::kMaxProfileBytes - 40, 'x') + '\n';
    const QString file = dir.write("camvista.ini", head + filler);
    // The new value takes the file to the limit, less `spare` bytes.
    const qsizetype length = profile::kMaxProfileBytes - head.size() - filler.size() - spare;
    const QString value(length, QLatin1Char('n'));
    QCOMPARE(profile::writeString(file, "Camvista", "Name", value), written);
    QCOMPARE(QFileInfo(file).size(),
             written ? profile::kMaxProfileBytes - spare : qint64(head.size() + filler.size()));
    QCOMPARE(profile::readString(file, "Camvista", "Name", {}, 100).size(),
             written ? std::min<qsizetype>(99, length) : 0);
}

void TstProfileFile::survivesGarbage_data()
{
    QTest::addColumn<QByteArray>("content");
    QByteArray binary(4096, '\0');
    for (int i = 0; i < binary.size(); ++i)
        binary[i] = static_cast<char>((i * 7919) % 256);
    QTest::newRow("binary") << binary;
    QTest::newRow("nul bytes") << QByteArray("[Camv\0ista]\nUser ID=1\0 2\n", 25);
    QTest::newRow("one huge line") << QByteArray(3 * 1024 * 1024, '[');
    QTest::newRow("unclosed header") << QByteArray("[Camvista\nUser ID=5\n");
    QTest::newRow("only equals") << QByteArray("=\n==\n[=]\n=x\n");
}

void TstProfileFile::survivesGarbage()
{
    QFETCH(QByteArray, content);
    test::TempAppFolder dir;
    const QString file = dir.write("camvista.ini", content);
    QCOMPARE(profile::readString(file, "Camvista", "User ID"), QString());
    // Writing keeps the garbage and adds a readable entry after it.
    QVERIFY(profile::writeString(file, "Camvista", "User ID", "????????"));
    QCOMPARE(profile::readString(file, "Camvista", "User ID"), QString("????????"));
    QVERIFY(readAll(file).startsWith(content));
}

QTEST_GUILESS_MAIN(TstProfileFile)
#include "tst_profile_file.moc"
