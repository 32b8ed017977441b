#include "editor/editor_window.h"
#include "editor/output_panel.h"

#include "imaging/number_text.h"
#include "imaging/picture_file.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "support/test_pictures.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

using namespace camvista;

namespace
{

QImage shot(int seed)
{
    const QRgb shades[] = {qRgb(0, 0, 0), qRgb(128, 128, 128), qRgb(192, 192, 192),
                           qRgb(255, 255, 255)};
    QImage img(160, 144, QImage::Format_RGB32);
    for (int y = 0; y < 144; ++y)
        for (int x = 0; x < 160; ++x)
            img.setPixel(x, y, shades[(x * 7 + y * 3 + seed) % 4]);
    return img;
}

using test::rgb32;

QByteArray bytesOf(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

QString cm(const char *text)
{
    return QString::fromLatin1(text).replace(QLatin1Char('.'), userDecimalMark());
}

// An editor on a shot from a file, walked to a given step.
struct Session {
    test::TempAppFolder app;
    FakeDesktop desktop;
    QString path;
    EditorWindow window{desktop, app.paths()};

    explicit Session(int moves, int seed = 1)
    {
        path = app.file("shot1.bmp");
        QVERIFY(savePictureBmp(shot(seed), path).ok());
        window.setWindowTitle("shot1.bmp");
        window.text1()->setText(path);
        window.picture1()->setPicture(shot(seed));
        window.picture3()->setPicture(shot(seed));
        QPushButton *buttons[] = {window.firstcom(), window.scdcom(), window.thirdcom(),
                                  window.command7()};
        for (int i = 0; i < moves; ++i)
            buttons[i]->click();
    }
    OutputPanel *panel() { return window.outputPanel(); }
};

} // namespace

class TstOutputAndSaving : public QObject
{
    Q_OBJECT

private slots:
    void oneDecimalFormat_data();
    void oneDecimalFormat();
    void openingThePanel();
    void wholeFactors_data();
    void wholeFactors();
    void sizeBoxes_data();
    void sizeBoxes();
    void withoutFrameAndBack();
    void saveCommands_data();
    void saveCommands();
    void savecopyWritesBmpOrPng_data();
    void savecopyWritesBmpOrPng();
    void savecopyEnlargesByTheChosenFactor_data();
    void savecopyEnlargesByTheChosenFactor();
    void savingWithThePanelClosedKeepsTheOverlay();
    void failedSavesKeepTheOldFile_data();
    void failedSavesKeepTheOldFile();
    void printingOnceThePanelIsOpen();
};

void TstOutputAndSaving::oneDecimalFormat_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("text");
    QTest::newRow("4.233") << 4.2333 << "4.2";
    QTest::newRow("10.0 keeps the mark") << 10.0 << "10.";
    QTest::newRow("below one") << 0.54 << ".5";
    QTest::newRow("zero") << 0.0 << ".";
    QTest::newRow("just under a half") << 8.4666 << "8.5";
    QTest::newRow("exact half goes down to even") << 1.25 << "1.2";
    QTest::newRow("exact half goes up to even") << 0.75 << ".8";
    QTest::newRow("rounds into the next whole") << 9.96 << "10.";
}

void TstOutputAndSaving::oneDecimalFormat()
{
    QFETCH(double, value);
    QFETCH(QString, text);
    QCOMPARE(formatOneDecimal(value, QLatin1Char('.')), text);
    QCOMPARE(formatOneDecimal(value, QLatin1Char(',')), QString(text).replace('.', ','));
}

void TstOutputAndSaving::openingThePanel()
{
    Session s(4);
    QCOMPARE(s.window.step(), EditorWindow::Step::Output);
    QVERIFY(s.window.frame1()->isVisibleTo(&s.window));
    QCOMPARE(s.window.frame1()->x(), 0);
    QCOMPARE(s.panel()->picture6()->size(), QSize(160, 144));
    QCOMPARE(rgb32(s.panel()->picture6()->picture()), rgb32(shot(1)));
    QCOMPARE(s.panel()->widthBox()->text(), QString("160"));
    QCOMPARE(s.panel()->heightBox()->text(), QString("144"));
    QVERIFY(!s.panel()->linkBox()->isChecked() && !s.panel()->withoutFrameBox()->isChecked());
    QCOMPARE(s.window.frame1()->title(), cm("Actual size in cm: Width = 4.2 cm; Height = 3.8 cm"));
    QCOMPARE(s.window.reloadAction()->text(), QString("[ Print shot1.bmp ]"));
    QCOMPARE(s.window.width(), 663);
}

void TstOutputAndSaving::wholeFactors_data()
{
    QTest::addColumn<int>("factor");
    QTest::addColumn<QString>("caption");
    QTest::newRow("1x") << 1 << "Actual size in cm: Width = 4.2 cm; Height = 3.8 cm";
    QTest::newRow("2x") << 2 << "Actual size in cm: Width = 8.5 cm; Height = 7.6 cm";
    QTest::newRow("3x") << 3 << "Actual size in cm: Width = 12.7 cm; Height = 11.4 cm";
    QTest::newRow("4x") << 4 << "Actual size in cm: Width = 16.9 cm; Height = 15.2 cm";
}

void TstOutputAndSaving::wholeFactors()
{
    QFETCH(int, factor);
    QFETCH(QString, caption);
    Session s(4);
    QTest::mouseClick(s.panel()->factorButton(factor), Qt::LeftButton);
    const QImage out = s.panel()->picture6()->picture();
    QCOMPARE(out.size(), QSize(160 * factor, 144 * factor));
    const QImage src = shot(1);
    for (int y = 0; y < out.height(); ++y)
        for (int x = 0; x < out.width(); ++x)
            if (out.pixel(x, y) != src.pixel(x / factor, y / factor))
                QFAIL("not a block copy");
    QCOMPARE(s.window.frame1()->title(), cm(qPrintable(caption)));
    QCOMPARE(s.panel()->widthBox()->text(), QString("160")); // the boxes stay
}

void TstOutputAndSaving::sizeBoxes_data()
{
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("unframed");
    QTest::addColumn<QString>("box"); // "w" or "h"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("width");
    QTest::addColumn<QString>("height");
    QTest::addColumn<QSize>("size");
    QTest::newRow("linked 320") << true << false << "w"
                                << "320"
                                << "320"
                                << "288" << QSize(320, 288);
    QTest::newRow("linked 100") << true << false << "w"
                                << "100"
                                << "100"
                                << "90" << QSize(100, 90);
    QTest::newRow("linked unframed 256") << true << true << "w"
                                         << "256"
                                         << "256"
                                         << "224" << QSize(256, 224);
    QTest::newRow("linked unframed 200") << true << true << "w"
                                         << "200"
                                         << "200"
                                         << "175" << QSize(200, 175);
    QTest::newRow("linked height 288") << true << false << "h"
                                       << "288"
                                       << "320"
                                       << "288" << QSize(320, 288);
    QTest::newRow("not linked") << false << false << "w"
                                << "200"
                                << "200"
                                << "144" << QSize(200, 144);
    QTest::newRow("cleared width") << false << false << "w"
                                   << ""
                                   << "160"
                                   << "144" << QSize(160, 144);
    QTest::newRow("cleared width unframed") << false << true << "w"
                                            << ""
                                            << "128"
                                            << "112" << QSize(128, 112);
    QTest::newRow("linked 333 gives a decimal") << true << false << "w"
                                                << "333"
                                                << "333" << cm("299.7") << QSize(333, 300);
}

void TstOutputAndSaving::sizeBoxes()
{
    QFETCH(bool, linked);
    QFETCH(bool, unframed);
    QFETCH(QString, box);
    QFETCH(QString, typed);
    QFETCH(QString, width);
    QFETCH(QString, height);
    QFETCH(QSize, size);
    Session s(4);
    if (unframed)
        QTest::mouseClick(s.panel()->withoutFrameBox(), Qt::LeftButton);
    s.panel()->linkBox()->setChecked(linked);
    QLineEdit *edit = box == "w" ? s.panel()->widthBox() : s.panel()->heightBox();
    // Typing over the selected text; an emptied box takes its default size at once.
    edit->selectAll();
    if (typed.isEmpty())
        QTest::keyClick(edit, Qt::Key_Backspace);
    else
        QTest::keyClicks(edit, typed);
    QCOMPARE(s.panel()->widthBox()->text(), width);
    QCOMPARE(s.panel()->heightBox()->text(), height);
    QCOMPARE(s.panel()->picture6()->picture().size(), size);
    QCOMPARE(s.desktop.beeps, 0);
    edit->selectAll();
    QTest::keyClicks(edit, "x");
    QCOMPARE(s.desktop.beeps, 1);
    QCOMPARE(edit->text(), box == "w" ? width : height);
}

void TstOutputAndSaving::withoutFrameAndBack()
{
    Session s(4, 2);
    QTest::mouseClick(s.panel()->factorButton(3), Qt::LeftButton);
    QTest::mouseClick(s.panel()->withoutFrameBox(), Qt::LeftButton);
    QCOMPARE(s.panel()->picture7()->picture().size(), QSize(128, 112));
    QCOMPARE(rgb32(s.panel()->picture6()->picture()), rgb32(shot(2).copy(16, 16, 128, 112)));
    QCOMPARE(s.panel()->widthBox()->text(), QString("128"));
    QTest::mouseClick(s.panel()->factorButton(2), Qt::LeftButton);
    QCOMPARE(s.panel()->picture6()->picture().size(), QSize(256, 224));
    QTest::mouseClick(s.panel()->withoutFrameBox(), Qt::LeftButton);
    QCOMPARE(rgb32(s.panel()->picture6()->picture()), rgb32(shot(2)));
    QCOMPARE(s.panel()->picture6()->size(), QSize(160, 144));
    QCOMPARE(s.panel()->widthBox()->text(), QString("160"));
    QCOMPARE(s.panel()->heightBox()->text(), QString("144"));
}

void TstOutputAndSaving::saveCommands_data()
{
    QTest::addColumn<QString>("command");
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<QString>("file");    // written, relative to the app folder
    QTest::addColumn<QString>("message"); // "" = none; "%1" = the full path
    QTest::addColumn<int>("refreshes");
    QTest::newRow("save, panel open") << "save" << true << "shot1.bmp"
                                      << "Saved!" << 1;
    QTest::newRow("save, panel closed") << "save" << false << "shot1.bmp"
                                        << "" << 0;
    QTest::newRow("copy, panel open") << "savcopy" << true << "shot1copy.bmp"
                                      << "Saved as %1" << 1;
    QTest::newRow("copy, panel closed") << "savcopy" << false << "shot1copy.bmp"
                                        << "Saved as %1" << 1;
    QTest::newRow("chosen name") << "savecopy" << true << "mine.bmp"
                                 << "" << 0;
    QTest::newRow("chosen name, default extension") << "savecopy" << false << "mine.bmp"
                                                    << "" << 0;
}

void TstOutputAndSaving::saveCommands()
{
    QFETCH(QString, command);
    QFETCH(bool, panelOpen);
    QFETCH(QString, file);
    QFETCH(QString, message);
    QFETCH(int, refreshes);
    Session s(panelOpen ? 4 : 1, 3);
    if (panelOpen)
        QTest::mouseClick(s.panel()->factorButton(2), Qt::LeftButton);
    QSignalSpy saved(&s.window, &EditorWindow::fileSaved);
    const bool noExtension = QByteArray(QTest::currentDataTag()).contains("default extension");
    s.desktop.saveFiles.push_back(s.app.file(noExtension ? "mine" : "mine.bmp"));

    QAction *action = command == "save"      ? s.window.saveAction()
                      : command == "savcopy" ? s.window.savcopyAction()
                                             : s.window.savecopyAction();
    action->trigger();

    const QString written = s.app.file(file);
    const PictureLoad back = loadPictureFile(written);
    QVERIFY(back.ok());
    QCOMPARE(back.image.size(), panelOpen ? QSize(320, 288) : QSize(160, 144));
    QCOMPARE(rgb32(back.image).pixel(2, 2), shot(3).pixel(panelOpen ? 1 : 2, panelOpen ? 1 : 2));
    if (message.isEmpty()) {
        QVERIFY(s.desktop.messages.isEmpty());
    } else {
        QCOMPARE(s.desktop.messages.size(), 1);
        QCOMPARE(s.desktop.messages[0].text, message.arg(written));
        QCOMPARE(s.desktop.messages[0].title, QString("Camvista"));
    }
    QCOMPARE(saved.count(), refreshes);
}

void TstOutputAndSaving::savecopyWritesBmpOrPng_data()
{
    QTest::addColumn<bool>("panelOpen");
    QTest::addColumn<QString>("typed");   // in the dialog, relative to the app folder
    QTest::addColumn<bool>("pngFilter");  // the user selects "PNG Picture (*.png)"
    QTest::addColumn<QString>("written"); // relative to the app folder
    QTest::addColumn<QString>("format");
    QTest::newRow("default filter") << true << "mine" << false << "mine.bmp"
                                    << "bmp";
    QTest::newRow("PNG filter") << true << "mine" << true << "mine.png"
                                << "png";
    QTest::newRow("PNG filter, panel closed") << false << "mine" << true << "mine.png"
                                              << "png";
    QTest::newRow("PNG filter, png name") << true << "mine.png" << true << "mine.png"
                                          << "png";
    // The bytes follow an extension the user typed, whichever filter is selected.
    QTest::newRow("default filter, png name") << true << "MINE.PNG" << false << "MINE.PNG"
                                              << "png";
    QTest::newRow("PNG filter, bmp name") << true << "mine.bmp" << true << "mine.bmp"
                                          << "bmp";
    QTest::newRow("PNG filter, other extension") << true << "mine.v2" << true << "mine.v2"
                                                 << "png";
    QTest::newRow("default filter, final dot") << true << "mine." << false << "mine.bmp"
                                               << "bmp";
}

void TstOutputAndSaving::savecopyWritesBmpOrPng()
{
    QFETCH(bool, panelOpen);
    QFETCH(QString, typed);
    QFETCH(bool, pngFilter);
    QFETCH(QString, written);
    QFETCH(QString, format);
    Session s(panelOpen ? 4 : 1, 3);
    if (panelOpen)
        QTest::mouseClick(s.panel()->factorButton(2), Qt::LeftButton);
    s.desktop.saveFiles.push_back(s.app.file(typed));
    if (pngFilter)
        s.desktop.saveFilters.push_back(kPngSaveFilter);
    QSignalSpy saved(&s.window, &EditorWindow::fileSaved);
    s.window.savecopyAction()->trigger();

    QCOMPARE(s.desktop.fileDialogs.size(), 1);
    QCOMPARE(s.desktop.fileDialogs[0].filter, QString("BMP Picture (*.bmp);;PNG Picture (*.png)"));
    const QString path = s.app.file(written);
    QCOMPARE(test::fileFormatOf(path), format);
    const PictureLoad back = loadPictureFile(path);
    QVERIFY(back.ok());
    const QImage expected =
        panelOpen ? s.panel()->picture6()->picture() : s.window.picture1()->picture();
    QCOMPARE(back.image.size(), panelOpen ? QSize(320, 288) : QSize(160, 144));
    QCOMPARE(rgb32(back.image), rgb32(expected));
    QVERIFY(s.desktop.messages.isEmpty());
    QCOMPARE(saved.count(), 0);
}

void TstOutputAndSaving::savecopyEnlargesByTheChosenFactor_data()
{
    QTest::addColumn<int>("panelFactor"); // 0: the panel is not open
    QTest::addColumn<int>("choice");      // the dialog's factor, from 0 for 1x
    QTest::newRow("2x output saved at 3x") << 2 << 2;
    QTest::newRow("panel closed, 10x") << 0 << 9;
}

void TstOutputAndSaving::savecopyEnlargesByTheChosenFactor()
{
    QFETCH(int, panelFactor);
    QFETCH(int, choice);
    Session s(panelFactor ? 4 : 1, 3);
    if (panelFactor)
        QTest::mouseClick(s.panel()->factorButton(panelFactor), Qt::LeftButton);
    s.desktop.saveFiles.push_back(s.app.file("big.png"));
    s.desktop.saveChoices.push_back(choice);
    s.window.savecopyAction()->trigger();
    QCOMPARE(s.desktop.fileDialogs[0].choices.size(), 10);
    // The panel's own enlargement stays; the dialog's factor repeats each of its pixels.
    const QImage shown =
        rgb32(panelFactor ? s.panel()->picture6()->picture() : s.window.picture1()->picture());
    QCOMPARE(shown.width(), 160 * qMax(1, panelFactor));
    QCOMPARE(
        rgb32(loadPictureFile(s.app.file("big.png")).image),
        shown.scaled(shown.size() * (choice + 1), Qt::IgnoreAspectRatio, Qt::FastTransformation));
}

void TstOutputAndSaving::savingWithThePanelClosedKeepsTheOverlay()
{
    Session s(1, 4); // second step
    QImage mark(6, 6, QImage::Format_RGB32);
    mark.fill(qRgb(0, 200, 0));
    s.window.stampBox()->setPixmap(QPixmap::fromImage(mark));
    s.window.stampBox()->setGeometry(30, 40, 6, 6);
    s.window.stampBox()->show();
    s.window.saveAction()->trigger();
    const QImage written = rgb32(loadPictureFile(s.path).image);
    QCOMPARE(written.pixel(32, 42), qRgb(0, 200, 0));
    QCOMPARE(written.pixel(0, 0), shot(4).pixel(0, 0));
    // The working picture now holds it too, and the box is still there.
    QCOMPARE(s.window.picture1()->picture().pixel(32, 42), qRgb(0, 200, 0));
    QVERIFY(s.window.stampBox()->isVisibleTo(&s.window));
}

void TstOutputAndSaving::failedSavesKeepTheOldFile_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("save") << "save";
    QTest::newRow("savcopy") << "savcopy";
    QTest::newRow("savecopy") << "savecopy";
    QTest::newRow("savecopy as PNG") << "savecopy png";
}

void TstOutputAndSaving::failedSavesKeepTheOldFile()
{
    QFETCH(QString, command);
    Session s(4, 5);
    const QString target = command == "save"       ? s.path
                           : command == "savcopy"  ? s.app.file("shot1copy.bmp")
                           : command == "savecopy" ? s.app.file("chosen.bmp")
                                                   : s.app.file("chosen.png");
    if (!QFile::exists(target))
        s.app.write(QFileInfo(target).fileName(), "old bytes");
    const QByteArray before = bytesOf(target);
    QVERIFY(QFile::setPermissions(target, QFile::ReadOwner | QFile::ReadGroup));
    if (command.endsWith("png")) { // typed without an extension, the PNG filter selected
        s.desktop.saveFiles.push_back(s.app.file("chosen"));
        s.desktop.saveFilters.push_back(kPngSaveFilter);
    } else {
        s.desktop.saveFiles.push_back(target);
    }
    QSignalSpy saved(&s.window, &EditorWindow::fileSaved);
    QAction *action = command == "save"      ? s.window.saveAction()
                      : command == "savcopy" ? s.window.savcopyAction()
                                             : s.window.savecopyAction();
    action->trigger();
    QCOMPARE(bytesOf(target), before);
    QCOMPARE(s.desktop.messages.size(), 1);
    QVERIFY(s.desktop.messages[0].text.contains("read-only"));
    QVERIFY(!s.desktop.messages[0].text.startsWith("Saved"));
    QCOMPARE(saved.count(), 0);
}

void TstOutputAndSaving::printingOnceThePanelIsOpen()
{
    Session s(3);
    s.window.reloadAction()->trigger(); // before the panel: a reload, no printing
    QVERIFY(s.desktop.printedImages.isEmpty());
    s.window.command7()->click();
    QTest::mouseClick(s.panel()->factorButton(2), Qt::LeftButton);
    s.window.reloadAction()->trigger();
    QCOMPARE(s.desktop.printedImages.size(), 1);
    QCOMPARE(s.desktop.printedImages[0].size(), QSize(320, 288));
    s.desktop.printResult = Desktop::PrintResult::NoPrinter;
    s.window.reloadAction()->trigger();
    QCOMPARE(s.desktop.messages.size(), 1);
    QVERIFY(s.desktop.messages[0].text.contains("printer"));
}

QTEST_MAIN(TstOutputAndSaving)
#include "tst_output_and_saving.moc"
