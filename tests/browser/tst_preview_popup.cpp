#include "browser_test_support.h"

#include "browser/preview_popup.h"
#include "data/browser_pictures.h"
#include "ui/picture_surface.h"

#include <QLabel>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QSignalSpy>
#include <QTimer>

using namespace camvista;
using namespace camvista::test;

namespace
{

// Every pixel repeated twice across and down.
QImage doubled(const QImage &picture)
{
    const QImage src = rgb32(picture);
    QImage out(src.width() * 2, src.height() * 2, QImage::Format_RGB32);
    for (int y = 0; y < out.height(); ++y) {
        for (int x = 0; x < out.width(); ++x)
            out.setPixel(x, y, src.pixel(x / 2, y / 2));
    }
    return out;
}

QImage shown(const PreviewPopup *popup)
{
    return rgb32(popup->image1()->pixmap().toImage());
}

// 1000 twips is 66.7 pixels: the pop-up lies 67 pixels right of and below the pointer's place.
constexpr int kOffset = 67;

} // namespace

class TstPreviewPopup : public QObject
{
    Q_OBJECT

private slots:
    void popsUpAtTheFirstMovement();
    void showsThePreviewedShotDoubled();
    void hidesAtTheTimerTickAndComesBack();
    void aChildWindowHoldingItIsMovedAndHidden();
};

void TstPreviewPopup::popsUpAtTheFirstMovement()
{
    BrowserFixture f;
    QSignalSpy created(f.browser.get(), &BrowserWindow::childWindowCreated);
    QVERIFY(!f.browser->frmPrev());

    QTest::mouseMove(f.browser->preview(), QPoint(10, 20));

    QCOMPARE(created.size(), 1);
    PreviewPopup *popup = f.browser->frmPrev();
    QVERIFY(popup);
    QCOMPARE(created.first().first().value<QWidget *>(), popup);
    QCOMPARE(popup->objectName(), QStringLiteral("frmPrev"));
    QVERIFY(popup->isVisible());
    QCOMPARE(popup->size(), QSize(320, 288));
    QCOMPARE(popup->image1()->geometry(), QRect(0, 0, 320, 288));
    QCOMPARE(popup->pos(), QPoint(10 + kOffset, 20 + kOffset));
    QCOMPARE(shown(popup), doubled(data::previewPlaceholder()));

    // Later movements move the same window; it is made only once.
    QTest::mouseMove(f.browser->preview(), QPoint(150, 130));
    QCOMPARE(created.size(), 1);
    QCOMPARE(f.browser->frmPrev(), popup);
    QCOMPARE(popup->pos(), QPoint(150 + kOffset, 130 + kOffset));
}

void TstPreviewPopup::showsThePreviewedShotDoubled()
{
    BrowserFixture f;
    const QImage shot = fourShadeShot(160, 144, 41);
    f.addShot(QStringLiteral("shot.bmp"), shot);
    const QImage other = fourShadeShot(160, 144, 42);
    f.addShot(QStringLiteral("other.png"), other);

    QVERIFY(f.click(QStringLiteral("shot.bmp")));
    QTest::mouseMove(f.browser->preview(), QPoint(40, 40));
    QVERIFY(f.browser->frmPrev());
    QCOMPARE(shown(f.browser->frmPrev()), doubled(shot));

    QVERIFY(f.click(QStringLiteral("other.png")));
    QTest::mouseMove(f.browser->preview(), QPoint(41, 40));
    QCOMPARE(shown(f.browser->frmPrev()), doubled(other));
}

void TstPreviewPopup::hidesAtTheTimerTickAndComesBack()
{
    BrowserFixture f;
    QSignalSpy created(f.browser.get(), &BrowserWindow::childWindowCreated);
    QTest::mouseMove(f.browser->preview(), QPoint(5, 5));
    QPointer<PreviewPopup> popup = f.browser->frmPrev();
    QVERIFY(popup);
    QCOMPARE(popup->timer1()->interval(), 300);
    QVERIFY(popup->timer1()->isActive());
    QVERIFY(popup->isVisible());

    // The pointer stops: the next tick hides it, and it is hidden, not closed.
    QTRY_VERIFY_WITH_TIMEOUT(!popup->isVisible(), 5000);
    QVERIFY(popup);

    QTest::mouseMove(f.browser->preview(), QPoint(6, 6));
    QVERIFY(popup->isVisible());
    QCOMPARE(f.browser->frmPrev(), popup.data());
    QCOMPARE(created.size(), 1);
}

void TstPreviewPopup::aChildWindowHoldingItIsMovedAndHidden()
{
    BrowserFixture f;
    // What the main window does with it: a borderless child window of its workspace.
    QMdiArea workspace;
    workspace.resize(800, 700);
    workspace.show();
    QVERIFY(QTest::qWaitForWindowExposed(&workspace));
    QPointer<QMdiSubWindow> child;
    QObject::connect(
        f.browser.get(), &BrowserWindow::childWindowCreated, &workspace,
        [&](QWidget *form) { child = workspace.addSubWindow(form, Qt::FramelessWindowHint); });

    // A window being worked in stays the active one while the pop-up comes and goes.
    auto *work = new QWidget;
    work->resize(200, 200);
    QMdiSubWindow *workWindow = workspace.addSubWindow(work);
    workWindow->show();
    workspace.setActiveSubWindow(workWindow);
    QCOMPARE(workspace.activeSubWindow(), workWindow);

    QTest::mouseMove(f.browser->preview(), QPoint(30, 12));

    PreviewPopup *popup = f.browser->frmPrev();
    QVERIFY(popup);
    QVERIFY(child);
    QCOMPARE(popup->holder(), child.data());
    QVERIFY(child->isVisible());
    QCOMPARE(child->pos(), QPoint(30 + kOffset, 12 + kOffset));
    QCOMPARE(child->size(), QSize(320, 288));
    QCOMPARE(workspace.activeSubWindow(), workWindow);
    QTRY_VERIFY_WITH_TIMEOUT(!child->isVisible(), 5000);
    QVERIFY(child); // hidden, never closed
    QTest::mouseMove(f.browser->preview(), QPoint(31, 12));
    QVERIFY(child->isVisible());
    QCOMPARE(child->pos(), QPoint(31 + kOffset, 12 + kOffset));
}

QTEST_MAIN(TstPreviewPopup)
#include "tst_preview_popup.moc"
