#include "browser/browser_test_support.h"

#include "exportui/export_command.h"
#include "exportui/export_dialog.h"

#include "colour/gamma_correct.h"
#include "colour/palette_catalogue.h"
#include "imaging/picture_file.h"
#include "platform/profile_file.h"
#include "shell/main_window.h"
#include "support/menu_text.h"

#include <QAction>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenuBar>
#include <QProgressDialog>
#include <QPushButton>
#include <QSpinBox>

using namespace camvista;
using namespace camvista::exporting;
using namespace camvista::test;

namespace
{

constexpr int kWaitMs = 120000; // a slow machine under sanitizers; the test never waits this long

ExportDialog *openDialog(BrowserWindow &browser)
{
    browser.file1()->setFocus();
    QTest::keyClick(browser.file1(), Qt::Key_A, Qt::ControlModifier);
    browser.exportShotsAction()->trigger();
    return browser.exportCommand()->dialog();
}

// Runs the dialog as the user sets it and waits for the summary.
bool exportWith(BrowserWindow &browser, ExportDialog *dialog)
{
    QSignalSpy done(browser.exportCommand(), &ExportCommand::finished);
    dialog->exportButton()->click();
    return done.wait(kWaitMs);
}

QSet<QRgb> coloursOf(const QImage &image)
{
    QSet<QRgb> colours;
    const QImage img = rgb32(image);
    for (int y = 0; y < img.height(); ++y) {
        for (int x = 0; x < img.width(); ++x)
            colours.insert(img.pixel(x, y) | 0xFF000000u);
    }
    return colours;
}

} // namespace

class TstExportCommand : public QObject
{
    Q_OBJECT

private slots:
    void exportsTheSelectionAndSaysWhatHappened();
    void aStoppedExportSaysWhy();
    void cancellingLeavesOnlyWholeFiles();
    void nothingSelectedOpensNothing();
    void theMainWindowsMenuExportsTheSelection();
    void summaryListsProblems_data();
    void summaryListsProblems();
};

void TstExportCommand::exportsTheSelectionAndSaysWhatHappened()
{
    BrowserFixture f;
    f.addShot("a.bmp", fourShadeShot(160, 144, 1));
    f.addShot("b.png", fourShadeShot(128, 112, 2));
    f.addShot("c.bmp", fourShadeShot(161, 144, 3));
    ExportDialog *dialog = openDialog(*f.browser);
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->findChild<QLabel *>("exportHeading")->text().contains("3 shots"));
    dialog->paletteChoice()->setCurrentIndex(dialog->paletteChoice()->findText("Game Boy Pocket"));
    dialog->scaleChoice()->setValue(2);
    QVERIFY(exportWith(*f.browser, dialog));

    // The folder was made; both shots came out in the Pocket's colours at 2x, framed size kept.
    const QDir exports(f.shots + "/Exports");
    QCOMPARE(exports.entryList(QDir::Files), (QStringList{"a-2x.png", "b-2x.png"}));
    const QImage a = loadPictureFile(exports.filePath("a-2x.png")).image;
    QCOMPARE(a.size(), QSize(320, 288));
    QCOMPARE(loadPictureFile(exports.filePath("b-2x.png")).image.size(), QSize(256, 224));
    // The editor's fourth step runs even at the slider's neutral point: gamma 1 lifts odd values.
    const auto g = [](int v) { return int(gammaValue(v, 1.0)); };
    QSet<QRgb> pocket;
    for (const QRgb c :
         {qRgb(196, 207, 161), qRgb(139, 149, 109), qRgb(77, 83, 60), qRgb(31, 31, 31)})
        pocket.insert(qRgb(g(qRed(c)), g(qGreen(c)), g(qBlue(c))));
    QCOMPARE(coloursOf(a), pocket);

    QCOMPARE(f.desktop.messages.size(), 1);
    const QString summary = f.desktop.messages.last().text;
    QVERIFY2(summary.contains("2 files written"), qPrintable(summary));
    QVERIFY2(summary.contains("1 shot was not exported:\nc.bmp: "), qPrintable(summary));
    QCOMPARE(f.desktop.messages.last().icon, Desktop::Icon::Exclamation);
    QVERIFY(!f.browser->exportCommand()->progress());
    // The choices are remembered for the next time, in their own section.
    const QString ini = f.app.paths().settingsFile();
    QCOMPARE(profile::readString(ini, "Export", "Scale"), QString("2"));
    QCOMPARE(profile::readString(ini, "Export", "Palette"), QString("Game Boy Pocket"));

    // Again with the same choices: nothing is overwritten, the files are counted as there.
    dialog = openDialog(*f.browser);
    QCOMPARE(dialog->paletteChoice()->currentText(), QString("Game Boy Pocket"));
    QCOMPARE(dialog->scaleChoice()->value(), 2);
    QVERIFY(exportWith(*f.browser, dialog));
    QCOMPARE(exports.entryList(QDir::Files).size(), 2);
    QVERIFY(
        f.desktop.messages.last().text.contains("0 files written")); // spelled out, not left off
    QVERIFY(f.desktop.messages.last().text.contains(
        "2 files were already there with the same pixels."));
}

void TstExportCommand::aStoppedExportSaysWhy()
{
    BrowserFixture f;
    f.addShot("a.bmp", fourShadeShot(160, 144, 1));
    ExportDialog *dialog = openDialog(*f.browser);
    // No one, root included, makes a folder here.
    dialog->destination()->setText("/proc/camvista-export");
    QVERIFY(exportWith(*f.browser, dialog));
    const Desktop::Message &m = f.desktop.messages.last();
    QVERIFY2(m.text.startsWith("The export stopped: "), qPrintable(m.text));
    QVERIFY(m.text.contains("0 files written"));
    QCOMPARE(m.icon, Desktop::Icon::Exclamation);
}

void TstExportCommand::cancellingLeavesOnlyWholeFiles()
{
    BrowserFixture f;
    const QImage shot = fourShadeShot(160, 144, 5);
    for (int i = 0; i < 150; ++i)
        shot.save(QDir(f.shots).filePath(QStringLiteral("s%1.bmp").arg(i, 3, 10, QChar('0'))));
    f.browser->file1()->refresh();
    ExportDialog *dialog = openDialog(*f.browser);
    dialog->scaleChoice()->setValue(10);
    QSignalSpy done(f.browser->exportCommand(), &ExportCommand::finished);
    dialog->exportButton()->click();
    QProgressDialog *progress = f.browser->exportCommand()->progress();
    QVERIFY(progress && progress->isVisible());
    QVERIFY(f.browser->exportCommand()->isRunning());
    // Asked again while it runs: the progress comes to the front, no second dialog opens.
    f.browser->exportShotsAction()->trigger();
    QVERIFY(!f.browser->exportCommand()->dialog());
    progress->cancel();
    QVERIFY(done.wait(kWaitMs));

    const auto summary = done.first().first().value<ExportSummary>();
    QVERIFY(summary.cancelled || summary.written == 150);
    const QFileInfoList files =
        QDir(f.shots + "/Exports").entryInfoList(QDir::Files | QDir::Hidden);
    QCOMPARE(files.size(), summary.written);
    for (const QFileInfo &file : files)
        QCOMPARE(loadPictureFile(file.filePath()).image.size(), QSize(1600, 1440));
    if (summary.cancelled)
        QVERIFY(f.desktop.messages.last().text.startsWith("The export was cancelled."));
}

void TstExportCommand::nothingSelectedOpensNothing()
{
    BrowserFixture f;
    f.addShot("a.bmp", fourShadeShot(160, 144, 1));
    f.browser->exportShotsAction()->trigger();
    QVERIFY(!f.browser->exportCommand()->dialog());
    QCOMPARE(f.desktop.messages.size(), 1);
    QVERIFY(!QDir(f.shots + "/Exports").exists());
    // The action is in the file list's context menu.
    QVERIFY(f.browser->file1()->actions().contains(f.browser->exportShotsAction()));
    QCOMPARE(f.browser->file1()->contextMenuPolicy(), Qt::ActionsContextMenu);
    QCOMPARE(f.browser->exportShotsAction()->text(), QString("Export shots..."));
}

void TstExportCommand::theMainWindowsMenuExportsTheSelection()
{
    TempAppFolder app;
    FakeDesktop desktop;
    MainWindow w(desktop, app.paths());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    fourShadeShot(160, 144, 1).save(app.paths().shotsFolder() + "/one.bmp");
    fourShadeShot(160, 144, 2).save(app.paths().shotsFolder() + "/two.bmp");
    BrowserWindow *browser = w.browser();
    browser->file1()->refresh();
    browser->file1()->selectFile("two.bmp");

    QAction *entry = w.menuBar()->findChild<QAction *>("exportShots");
    QVERIFY(entry);
    QCOMPARE(test::shownMenuText(entry->text()), QString("Export shots..."));
    QCOMPARE(entry->shortcut(), QKeySequence("Ctrl+E"));
    QVERIFY(w.menuBar()->actions().contains(entry));
    QTest::keyClick(&w, Qt::Key_E, Qt::ControlModifier);
    ExportDialog *dialog = browser->exportCommand()->dialog();
    QVERIFY(dialog && dialog->isVisible());
    QVERIFY(dialog->findChild<QLabel *>("exportHeading")->text().contains("1 shot"));
    QCOMPARE(dialog->example()->text(), QString("First file: two-4x.png"));
    // Cancelled: nothing is written, nothing remembered, nothing said.
    dialog->reject();
    QTRY_VERIFY(!browser->exportCommand()->dialog());
    QVERIFY(!QDir(app.paths().shotsFolder() + "/Exports").exists());
    QCOMPARE(profile::readString(app.paths().settingsFile(), "Export", "Scale"), QString());
    QCOMPARE(desktop.messages.size(), 0);
}

void TstExportCommand::summaryListsProblems_data()
{
    QTest::addColumn<int>("problems");
    QTest::addColumn<bool>("cancelled");
    QTest::addColumn<QString>("start");
    QTest::addColumn<QString>("end");

    QTest::newRow("clean") << 0 << false << "The export is done.\n1 file written in"
                           << "\u201D.";
    QTest::newRow("one bad") << 1 << false << "The export is done."
                             << "1 shot was not exported:\nf0.bmp: not a shot";
    QTest::newRow("cancelled") << 2 << true << "The export was cancelled."
                               << "f1.bmp: not a shot";
    QTest::newRow("many bad") << 40 << false << "The export is done."
                              << "f14.bmp: not a shot\n... and 25 more.";
}

void TstExportCommand::summaryListsProblems()
{
    QFETCH(int, problems);
    QFETCH(bool, cancelled);
    QFETCH(QString, start);
    QFETCH(QString, end);
    ExportSummary s;
    s.written = 1;
    s.skipped = problems;
    s.cancelled = cancelled;
    for (int i = 0; i < problems; ++i)
        s.problems.append(
            {ItemOutcome::Kind::Skipped, QStringLiteral("/x/f%1.bmp").arg(i), {}, "not a shot"});
    const QString text = exportSummaryText(s, "/x/Exports");
    QVERIFY2(text.startsWith(start), qPrintable(text));
    QVERIFY2(text.endsWith(end), qPrintable(text));
    QCOMPARE(text.count('\n'), problems == 0 ? 1 : 3 + qMin(problems, 15) + (problems > 15));
}

QTEST_MAIN(TstExportCommand)
#include "tst_export_command.moc"
