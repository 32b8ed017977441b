#include "imaging/console_output.h"

#include <QtTest>

using namespace camvista;

class TstConsoleOutput : public QObject
{
    Q_OBJECT

private slots:
    void pathForListing_data();
    void pathForListing();
};

void TstConsoleOutput::pathForListing_data()
{
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("listed");

    QTest::newRow("plain") << "/a/b c.bmp"
                           << "/a/b c.bmp";
    QTest::newRow("quotes and backslashes inside stay") << "/a/\"b\\c\".bmp"
                                                        << "/a/\"b\\c\".bmp";
    QTest::newRow("non-ASCII stays") << QString::fromUtf8("/a/\xC3\xA9t\xC3\xA9.bmp")
                                     << QString::fromUtf8("/a/\xC3\xA9t\xC3\xA9.bmp");
    QTest::newRow("newline") << "/a/two\nlines.bmp"
                             << "\"/a/two\\nlines.bmp\"";
    QTest::newRow("carriage return and tab") << "/a/\r\t.bmp"
                                             << "\"/a/\\r\\t.bmp\"";
    QTest::newRow("other control characters")
        << QString("/a/\x01\x1b\x7f.bmp") << "\"/a/\\x01\\x1b\\x7f.bmp\"";
    QTest::newRow("quoted: its quotes and backslashes escaped") << "/a/\"b\\\n"
                                                                << "\"/a/\\\"b\\\\\\n\"";
    QTest::newRow("a leading quote alone is quoted") << "\"a.bmp\""
                                                     << "\"\\\"a.bmp\\\"\"";
    QTest::newRow("line separator")
        << QString::fromUtf8("/a/b\xE2\x80\xA8.bmp") << "\"/a/b\\u2028.bmp\"";
}

void TstConsoleOutput::pathForListing()
{
    QFETCH(QString, path);
    QFETCH(QString, listed);
    QCOMPARE(camvista::pathForListing(path), listed);
}

QTEST_GUILESS_MAIN(TstConsoleOutput)
#include "tst_console_output.moc"
