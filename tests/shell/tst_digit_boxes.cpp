// Every number box shows the digits it can hold whole, at the size it was laid out with.

#include "shell/user_id_dialog.h"

#include "editor/output_panel.h"
#include "platform/fake_desktop.h"
#include "support/temp_app_folder.h"
#include "ui/picture_surface.h"
#include "ui/program_font.h"
#include "ui/twips_geometry.h"

#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFrame>
#include <QtTest>

#include <memory>

using namespace camvista;

namespace
{

// Columns [first, last] holding dark pixels (text, not the frame's greys) within `area`;
// first > last when there are none.
std::pair<int, int> inkColumns(const QImage &img, const QRect &area)
{
    int first = area.right() + 1;
    int last = area.left() - 1;
    for (int x = area.left(); x <= area.right(); ++x)
        for (int y = area.top(); y <= area.bottom(); ++y)
            if (qGray(img.pixel(x, y)) < 96) {
                first = std::min(first, x);
                last = std::max(last, x);
            }
    return {first, last};
}

// How wide the text's ink is when nothing cuts it.
int freeInkWidth(const QString &text, const QFont &font)
{
    QImage img(200, 60, QImage::Format_RGB32);
    img.fill(Qt::white);
    QPainter p(&img);
    p.setFont(font);
    p.setPen(Qt::black);
    p.drawText(QPoint(40, 40), text);
    p.end();
    const auto [first, last] = inkColumns(img, img.rect());
    return last - first + 1;
}

} // namespace

class TstDigitBoxes : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { useProgramFont(); }
    void digitsShowWhole_data();
    void digitsShowWhole();
};

void TstDigitBoxes::digitsShowWhole_data()
{
    QTest::addColumn<QString>("window"); // "setmyid" or "Frame1"
    QTest::addColumn<QString>("box");
    QTest::addColumn<QSize>("size"); // as laid out, in pixels
    QTest::addColumn<QString>("text");
    // The widest digits the box can take, and a few that users type.
    for (const QString text : {"05", "12", "88", "00"}) {
        QTest::addRow("Month %s", qPrintable(text)) << "setmyid"
                                                    << "Text2" << QSize(18, 19) << text;
        QTest::addRow("Day %s", qPrintable(text)) << "setmyid"
                                                  << "Text3" << QSize(17, 19) << text;
    }
    for (const QString text : {"1999", "2026", "8888"})
        QTest::addRow("Year %s", qPrintable(text)) << "setmyid"
                                                   << "Text4" << QSize(33, 19) << text;
    for (const QString text : {"12345678", "88888888"})
        QTest::addRow("User ID %s", qPrintable(text)) << "setmyid"
                                                      << "Text1" << QSize(65, 19) << text;
    for (const QString text : {"160", "888", "999", "320"}) {
        QTest::addRow("W %s", qPrintable(text)) << "Frame1"
                                                << "Text2" << QSize(33, 19) << text;
        QTest::addRow("H %s", qPrintable(text)) << "Frame1"
                                                << "Text3" << QSize(33, 19) << text;
    }
}

void TstDigitBoxes::digitsShowWhole()
{
    QFETCH(QString, window);
    QFETCH(QString, box);
    QFETCH(QSize, size);
    QFETCH(QString, text);

    test::TempAppFolder app;
    FakeDesktop desktop;
    PictureSurface savedState;
    std::unique_ptr<QWidget> form;
    if (window == "setmyid")
        form = std::make_unique<UserIdDialog>(desktop, app.paths());
    else
        form = std::make_unique<OutputPanel>(savedState, desktop);
    form->resize(700, 300);
    form->show();
    QVERIFY(QTest::qWaitForWindowExposed(form.get()));

    auto *edit = form->findChild<QLineEdit *>(box);
    QVERIFY(edit);
    QCOMPARE(edit->size(), size); // the boxes keep their laid-out sizes
    edit->setText(text);          // the cursor stands after the last digit, as after typing
    QVERIFY(edit->hasAcceptableInput() || edit->text() == text);
    QCOMPARE(edit->text(), text);

    QStyleOptionFrame option;
    option.initFrom(edit);
    option.lineWidth = edit->hasFrame()
                           ? edit->style()->pixelMetric(QStyle::PM_DefaultFrameWidth, &option, edit)
                           : 0;
    const QRect contents =
        edit->style()->subElementRect(QStyle::SE_LineEditContents, &option, edit);
    edit->clearFocus(); // no text cursor beside the digits
    const QImage shown = edit->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto [first, last] = inkColumns(shown, contents);
    QVERIFY2(first <= last, "no digits drawn");
    // The digits' ink inside the contents rectangle is as wide as the digits drawn freely in
    // the box's own font: none of it is scrolled away or cut.
    QCOMPARE(last - first + 1, freeInkWidth(text, edit->font()));
    // And nothing of the text reaches outside the contents rectangle (onto the frame).
    QVERIFY(first > contents.left() - 1 && last < contents.right() + 1);
    QVERIFY(edit->fontMetrics().horizontalAdvance(text) <= contents.width());
}

QTEST_MAIN(TstDigitBoxes)
#include "tst_digit_boxes.moc"
