#include "converter_window.h"

#include "picture_squeeze.h"

#include "colour/replacement.h"
#include "colour/shades.h"
#include "data/converter_pictures.h"
#include "imaging/picture_file.h"
#include "imaging/twips.h"
#include "platform/app_paths.h"
#include "platform/desktop.h"
#include "ui/picture_save.h"
#include "ui/picture_surface.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QTemporaryFile>

namespace camvista
{

namespace
{

// The middle greys of the reduction moved onto the shot shades, in this order.
constexpr ColourPass kShotShadePasses[] = {
    {qRgb(85, 85, 85), kDarkGrey},
    {qRgb(170, 170, 170), kLightGrey},
};

constexpr QPoint kInnerOffset{16, 16};
constexpr QSize kShotSize{160, 144};

// The hourglass for as long as the processor works, whichever way the work ends.
class WaitCursor
{
public:
    WaitCursor() { QApplication::setOverrideCursor(Qt::WaitCursor); }
    ~WaitCursor() { restore(); }
    WaitCursor(const WaitCursor &) = delete;
    WaitCursor &operator=(const WaitCursor &) = delete;
    void restore()
    {
        if (m_on)
            QApplication::restoreOverrideCursor();
        m_on = false;
    }

private:
    bool m_on = true;
};

} // namespace

ConverterWindow::ConverterWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QMainWindow(parent), m_desktop(desktop), m_folder(paths.folder), m_paths(paths)
{
    setObjectName(QStringLiteral("Form1"));
    setWindowTitle(QStringLiteral("DuduRed Idarer"));

    // One temporary file for the window's life: every conversion writes it and reads it back.
    m_temporary = std::make_unique<QTemporaryFile>(scratchFolder() +
                                                   QStringLiteral("/camvista-convert-XXXXXX.bmp"));
    if (m_temporary->open())
        m_temporary->close(); // the name stays reserved until the window goes
    else
        m_temporary.reset();

    auto *client = new QWidget(this);
    client->setObjectName(QStringLiteral("client"));
    client->setFixedSize(kClientSize);
    client->setAutoFillBackground(true);
    QPalette black = client->palette();
    black.setColor(QPalette::Window, Qt::black);
    client->setPalette(black);
    setCentralWidget(client);

    m_image1 = new QLabel(client);
    m_image1->setObjectName(QStringLiteral("Image1"));
    m_image1->setGeometry(0, 0, 160, 144);

    m_image2 = new QLabel(client);
    m_image2->setObjectName(QStringLiteral("Image2"));
    m_image2->setGeometry(0, 0, 318, 225);
    m_image2->setPixmap(QPixmap::fromImage(data::converterBackground()));

    m_picture1 = new PictureSurface(client);
    m_picture1->setObjectName(QStringLiteral("Picture1"));
    m_picture1->setGeometry(QRect(QPoint(80, 40), kShotSize));
    m_picture1->setPicture(data::converterSampleShot());

    m_command3 = new QPushButton(QStringLiteral("Load a pic to VODudero!"), client);
    m_command3->setObjectName(QStringLiteral("Command3"));
    m_command3->setGeometry(0, 224, 318, 25);
    connect(m_command3, &QPushButton::clicked, this, &ConverterWindow::Command3_Click);

    // Working surfaces, never shown.
    const auto hidden = [client](const char *name, QSize size) {
        auto *surface = new PictureSurface(client);
        surface->setObjectName(QString::fromLatin1(name));
        surface->resize(size);
        surface->hide();
        return surface;
    };
    m_picture3 = hidden("Picture3", QSize(1, 1));
    m_picture3->setAutoSize(true);
    m_picOriginal = hidden("PicOriginal", kInnerSize);
    m_picResult = hidden("picResult", kInnerSize);
    m_picture2 = hidden("Picture2", kInnerSize);
    m_picture2->setAutoSize(true);

    // Like the other tools' entries, this one stands in the main window's menu bar while the
    // window is active.
    m_save = new QAction(QStringLiteral("Save generated shot as..."), this);
    m_save->setObjectName(QStringLiteral("save"));
    addAction(m_save);
    connect(m_save, &QAction::triggered, this, &ConverterWindow::save_Click);

    setFixedSize(kClientSize);
}

ConverterWindow::~ConverterWindow() = default;

QPoint ConverterWindow::openPosition(int browserWidth)
{
    return {browserWidth + twipsToPixels(kLeftGapTwips), twipsToPixels(kTopTwips)};
}

QString ConverterWindow::temporaryPath() const
{
    return m_temporary ? m_temporary->fileName() : QString();
}

void ConverterWindow::Command3_Click()
{
    // The conversion lets pending events run: a second click waiting among them must not start
    // another conversion inside this one.
    if (m_loading)
        return;
    const QScopedValueRollback<bool> loading(m_loading, true);
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Open");
    dialog.folder = m_folder;
    dialog.filter = kConverterOpenFilter;
    const std::optional<QString> chosen = m_desktop.chooseOpenFile(this, dialog);
    if (!chosen || chosen->isEmpty())
        return;

    // Converting the previous picture instead would pass it off as the chosen one: say why
    // nothing happens.
    // Only 128 x 112 pixels are wanted: a JPEG may come already shrunk by its decoder.
    const PictureLoad loaded = loadPictureFile(*chosen, kInnerSize);
    if (!loaded.ok()) {
        m_desktop.showMessage(this, loaded.status.message(), QStringLiteral("Camvista"),
                              Desktop::Icon::Exclamation);
        return;
    }
    m_picture3->setPicture(loaded.image);

    // Proportions are not kept. A shrink is resampled so a photograph keeps its shapes; a
    // small drawing is stretched pixel for pixel, staying crisp.
    const QImage &picture = m_picture3->picture();
    m_picOriginal->cls();
    if (shrinks(picture.size(), kInnerSize))
        m_picOriginal->paintPicture(squeezePicture(picture, kInnerSize), 0, 0, kInnerSize.width(),
                                    kInnerSize.height());
    else
        m_picOriginal->paintPicture(picture, 0, 0, kInnerSize.width(), kInnerSize.height());

    cmdGo_Click();

    runPasses(m_picture1->layer(), kShotShadePasses);
    m_picture1->update();
}

void ConverterWindow::cmdGo_Click()
{
    QCoreApplication::processEvents();
    WaitCursor wait;
    m_processor.SetColor(0xFFFFFF);
    using namespace processor;
    const bool ok = m_processor.ConvertSurfaceToFile(
        m_picOriginal->image(), temporaryPath(), kPictureBmp, kColourModeColour, kTwoBitsPerPixel,
        kFixedGreyMap, kOrderedDither, ProcessorRegion{});
    wait.restore();

    if (ok) {
        m_picResult->cls();
        m_processor.DrawToSurface(m_picResult->layer(), kDrawCopy, ProcessorRegion{});
        if (m_processor.LoadFile(temporaryPath()))
            m_processor.ShowOnSurface(m_picResult->layer());
        m_picResult->update();
    } else {
        m_desktop.showMessage(this, kConversionFailedMessage);
    }

    // The result shot: the 128 x 112 picture in a white 16-pixel border.
    m_picture2->setPicture(m_picResult->image());
    m_picture1->setBackgroundColour(Qt::white);
    m_picture1->resize(kShotSize);
    m_picture1->setPicture(QImage());
    m_picture1->paintPicture(m_picture2->picture(), kInnerOffset.x(), kInnerOffset.y(),
                             kInnerSize.width(), kInnerSize.height());
    m_picture1->setPicture(m_picture1->image());
}

void ConverterWindow::save_Click()
{
    commitSurface(*m_picture1, *m_picture1, m_desktop);
    savePictureAs(this, m_desktop, m_picture1->picture(), m_paths, SaveScale::None,
                  QStringLiteral("Save generated shot as..."));
}

} // namespace camvista
