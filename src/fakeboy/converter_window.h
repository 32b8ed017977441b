#pragma once

#include "image_processor.h"
#include "platform/app_paths.h"

#include <QList>
#include <QMainWindow>
#include <QString>

#include <memory>

class QAction;
class QLabel;
class QPushButton;
class QTemporaryFile;

namespace camvista
{

class Desktop;
class PictureSurface;

inline const QString kConverterOpenFilter =
    QStringLiteral("VUDavizi Shots (bmp, jpg, gif, png) (*.jpg *.bmp *.png *.jpeg *.gif)");
inline const QString kConversionFailedMessage =
    QStringLiteral("Something has gone wrong, rcOK was not True\r\nCheck that your most recent "
                   "code change didnt break something");

// "DuduRed Idarer": turns any picture into a shot-like one. The chosen picture is squeezed to
// 128 x 112, reduced to four greys with an ordered dither by the image processor (through a
// temporary picture file), put in a white 16-pixel border and moved onto the shot shades.
class ConverterWindow : public QMainWindow
{
    Q_OBJECT

public:
    static constexpr QSize kClientSize{318, 249};
    static constexpr QSize kInnerSize{128, 112};
    static constexpr int kLeftGapTwips = 100; // right of the shot browser
    static constexpr int kTopTwips = 50;

    ConverterWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);
    ~ConverterWindow() override;

    // Where the window opens in the workspace, given the browser's width in pixels.
    static QPoint openPosition(int browserWidth);

    PictureSurface *picture1() const { return m_picture1; }
    PictureSurface *picture2() const { return m_picture2; }
    PictureSurface *picture3() const { return m_picture3; }
    PictureSurface *picOriginal() const { return m_picOriginal; }
    PictureSurface *picResult() const { return m_picResult; }
    QPushButton *command3() const { return m_command3; }
    QAction *saveAction() const { return m_save; }
    // The entries the main window shows in its menu bar while this window is active.
    QList<QAction *> menuActions() const { return {m_save}; }
    // The temporary file every conversion writes and reads back; empty if none could be made.
    QString temporaryPath() const;

    void Command3_Click(); // "Load a pic to VODudero!"
    void save_Click();     // "Save generated shot as..."

private:
    void cmdGo_Click();

    Desktop &m_desktop;
    QString m_folder;
    AppPaths m_paths; // the save dialog starts where the user last saved
    ImageProcessor m_processor;
    std::unique_ptr<QTemporaryFile> m_temporary;
    bool m_loading = false;

    QLabel *m_image1 = nullptr;
    QLabel *m_image2 = nullptr;
    PictureSurface *m_picture1 = nullptr;
    QPushButton *m_command3 = nullptr;
    QAction *m_save = nullptr;
    PictureSurface *m_picture3 = nullptr;
    PictureSurface *m_picOriginal = nullptr;
    PictureSurface *m_picResult = nullptr;
    PictureSurface *m_picture2 = nullptr;
};

} // namespace camvista
