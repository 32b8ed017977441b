#include "link_window.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMimeData>
#include <QPixmap>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScreen>
#include <QScrollArea>
#include <QUrl>
#include <QVBoxLayout>

#include <algorithm>

namespace camvista::link
{

namespace
{

const QString kTitle = QStringLiteral("MCCL - prints through the link cable");
constexpr int kBauds[] = {9600, 19200, 38400, 57600, 115200, 230400, 460800, 921600};

// The one local file of a drop, or nothing when the drop carries anything else.
QString droppedFile(const QMimeData *mime)
{
    if (mime == nullptr || !mime->hasUrls() || mime->urls().size() != 1)
        return {};
    const QUrl url = mime->urls().constFirst();
    const QString path = url.isLocalFile() ? url.toLocalFile() : QString();
    return path.contains(QChar(0)) ? QString() : path;
}

} // namespace

LinkWindow::LinkWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent)
    : QWidget(parent), m_desktop(desktop), m_paths(paths), m_folder(paths.shotsFolder())
{
    setObjectName(QStringLiteral("cls"));
    setWindowTitle(kTitle);
    setAcceptDrops(true);

    m_portBox = new QComboBox(this);
    m_portBox->setObjectName(QStringLiteral("portBox"));
    m_portBox->setEditable(true); // a port the list does not show can be typed
    m_portBox->setMinimumContentsLength(14);
    auto *refresh = new QPushButton(QStringLiteral("Refresh"), this);
    refresh->setObjectName(QStringLiteral("refreshButton"));
    m_baudBox = new QComboBox(this);
    m_baudBox->setObjectName(QStringLiteral("baudBox"));
    for (const int baud : kBauds)
        m_baudBox->addItem(QStringLiteral("%1 baud").arg(baud), baud);
    m_baudBox->setCurrentIndex(m_baudBox->findData(kDefaultBaud));
    m_connect = new QPushButton(QStringLiteral("Connect"), this);
    m_connect->setObjectName(QStringLiteral("connectButton"));
    auto *open = new QPushButton(QStringLiteral("Open capture file..."), this);
    open->setObjectName(QStringLiteral("openButton"));
    auto *top = new QHBoxLayout;
    top->addWidget(new QLabel(QStringLiteral("Port:"), this));
    top->addWidget(m_portBox);
    top->addWidget(refresh);
    top->addWidget(m_baudBox);
    top->addWidget(m_connect);
    top->addSpacing(12);
    top->addWidget(open);
    top->addStretch(1);

    m_strict =
        new QCheckBox(QStringLiteral("Strict: leave out prints with a wrong checksum"), this);
    m_strict->setObjectName(QStringLiteral("strictBox"));
    m_png = new QCheckBox(QStringLiteral("Write PNG"), this);
    m_png->setObjectName(QStringLiteral("pngBox"));
    m_liveLabel = new QLabel(this);
    m_liveLabel->setObjectName(QStringLiteral("liveLabel"));
    auto *options = new QHBoxLayout;
    options->addWidget(m_strict);
    options->addWidget(m_png);
    options->addStretch(1);
    options->addWidget(m_liveLabel);

    auto *gridHolder = new QWidget;
    m_grid = new QGridLayout(gridHolder);
    m_grid->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    auto *scroll = new QScrollArea(this);
    scroll->setObjectName(QStringLiteral("printGrid"));
    scroll->setWidget(gridHolder);
    scroll->setWidgetResizable(true);

    m_log = new QPlainTextEdit(this);
    m_log->setObjectName(QStringLiteral("logView"));
    m_log->setReadOnly(true);
    m_log->setMaximumBlockCount(2000);
    m_log->setFixedHeight(fontMetrics().lineSpacing() * 5 + 12);
    m_log->setPlaceholderText(QStringLiteral("Connect to the printer emulator and print from the "
                                             "camera, or open a capture file, or drop one here."));

    auto *folder = new QPushButton(QStringLiteral("Folder..."), this);
    folder->setObjectName(QStringLiteral("folderButton"));
    m_folderLabel = new QLabel(this);
    m_folderLabel->setObjectName(QStringLiteral("folderLabel"));
    m_folderLabel->setTextInteractionFlags(Qt::TextSelectableByMouse);
    auto *bottom = new QHBoxLayout;
    bottom->addWidget(folder);
    bottom->addWidget(m_folderLabel, 1);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addLayout(options);
    layout->addWidget(scroll, 1);
    layout->addWidget(m_log);
    layout->addLayout(bottom);

    connect(refresh, &QPushButton::clicked, this, &LinkWindow::refreshClicked);
    connect(m_connect, &QPushButton::clicked, this, &LinkWindow::connectClicked);
    connect(open, &QPushButton::clicked, this, &LinkWindow::openClicked);
    connect(folder, &QPushButton::clicked, this, &LinkWindow::folderClicked);
    connect(&m_link, &SerialLink::printReceived, this, &LinkWindow::takePrint);
    // A port hands over a few bytes at a time, thousands of times a second: the live line is
    // drawn again ten times a second at most.
    m_countsTimer.setSingleShot(true);
    m_countsTimer.setInterval(100);
    connect(&m_countsTimer, &QTimer::timeout, this, &LinkWindow::showCounts);
    connect(&m_link, &SerialLink::countsChanged, this, [this] {
        if (!m_countsTimer.isActive())
            m_countsTimer.start();
    });
    connect(&m_link, &SerialLink::portLost, this, &LinkWindow::portLost);

    // As many columns of thumbnails as the screen has room for, up to four.
    const QRect screenRect =
        screen() != nullptr ? screen()->availableGeometry() : QRect(0, 0, 1280, 1024);
    const int cell = kZoom * printer::kPrintWidth + 24;
    m_columns = std::clamp((screenRect.width() - 100) / cell, 1, kColumns);
    resize(std::min(screenRect.width() - 40, m_columns * cell + 60),
           std::min(screenRect.height() - 80, 720));
    m_folderLabel->setText(QStringLiteral("Prints are written to ") +
                           QDir::toNativeSeparators(m_folder));
    refreshClicked();
    showCounts();
}

void LinkWindow::refreshClicked()
{
    const QString typed = m_portBox->currentText();
    m_portBox->clear();
    m_portBox->addItems(availablePorts());
    if (!typed.isEmpty())
        m_portBox->setCurrentText(typed);
}

void LinkWindow::connectClicked()
{
    if (m_link.isOpen())
        disconnectPort();
    else
        connectPort();
}

bool LinkWindow::connectPort()
{
    const QString port = m_portBox->currentText().trimmed();
    if (port.isEmpty()) {
        tell(QStringLiteral("Choose the port of the printer emulator first; plug it in and press "
                            "Refresh if the list is empty."),
             Desktop::Icon::Information);
        return false;
    }
    if (!folderReady())
        return false;
    QString why;
    if (!m_link.open(port, m_baudBox->currentData().toInt(), why)) {
        log(why);
        tell(why, Desktop::Icon::Exclamation);
        return false;
    }
    log(QStringLiteral("Connected to %1; waiting for prints.").arg(portDevice(port)));
    m_fileShown = false;
    showConnected();
    return true;
}

void LinkWindow::disconnectPort()
{
    m_link.close();
    log(QStringLiteral("Disconnected."));
    showConnected();
}

void LinkWindow::portLost(const QString &why)
{
    log(why);
    showConnected();
    tell(why, Desktop::Icon::Exclamation);
}

void LinkWindow::showConnected()
{
    const bool open = m_link.isOpen();
    m_connect->setText(open ? QStringLiteral("Disconnect") : QStringLiteral("Connect"));
    m_portBox->setEnabled(!open);
    m_baudBox->setEnabled(!open);
    showCounts();
}

void LinkWindow::openClicked()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Open a printer capture");
    dialog.folder = m_paths.folder;
    dialog.filter = QStringLiteral("Printer captures (*.txt *.log *.h *.c);;All files (*)");
    if (const auto path = m_desktop.chooseOpenFile(this, dialog))
        openCapture(*path);
}

bool LinkWindow::openCapture(const QString &path)
{
    const printer::CaptureRead read = printer::readCaptureFile(path);
    if (!read.ok()) {
        log(read.message());
        tell(read.message(), Desktop::Icon::Exclamation);
        return false;
    }
    if (!folderReady())
        return false;
    const QString name = QFileInfo(path).fileName();
    log(QStringLiteral("%1: %2.").arg(name, captureSummary(read.counts, int(read.prints.size()))));
    for (const printer::PrintResult &print : read.prints)
        takePrint(print);
    if (read.endedInsidePacket)
        log(QStringLiteral("%1 ends inside a packet: it was cut short.").arg(name));
    m_fileCounts = read.counts;
    m_filePrints = int(read.prints.size());
    m_fileShown = true;
    showCounts();
    return true;
}

void LinkWindow::takePrint(const printer::PrintResult &print)
{
    const PrintReport report = writePrint(print, outputOptions());
    m_reports.append(report);
    if (!report.picture.isNull())
        addThumbnail(report);
    if (!report.problem.isEmpty())
        log(report.problem);
    if (!report.path.isEmpty())
        log(QStringLiteral("Print %1 written: %2")
                .arg(report.number)
                .arg(QDir::toNativeSeparators(report.path)));
}

void LinkWindow::addThumbnail(const PrintReport &report)
{
    const int index = int(m_grid->count());
    auto *cell = new QWidget;
    auto *layout = new QVBoxLayout(cell);
    layout->setContentsMargins(4, 4, 4, 4);
    auto *picture = new QLabel(cell);
    picture->setObjectName(QStringLiteral("print_%1").arg(index));
    picture->setPixmap(QPixmap::fromImage(report.picture.scaled(
        report.picture.size() * kZoom, Qt::IgnoreAspectRatio, Qt::FastTransformation)));
    auto *caption = new QLabel(report.path.isEmpty()
                                   ? QStringLiteral("Print %1 (not written)").arg(report.number)
                                   : QFileInfo(report.path).fileName(),
                               cell);
    caption->setObjectName(QStringLiteral("caption_%1").arg(index));
    if (report.path.isEmpty() || !report.problem.isEmpty())
        caption->setStyleSheet(QStringLiteral("color: #a00000;"));
    caption->setToolTip(report.problem);
    layout->addWidget(picture);
    layout->addWidget(caption);
    m_grid->addWidget(cell, index / m_columns, index % m_columns);
}

void LinkWindow::showCounts()
{
    const bool live = m_link.isOpen() || !m_fileShown;
    const printer::CaptureCounts counts = live ? m_link.counts() : m_fileCounts;
    const qint64 bytes = live ? m_link.bytesReceived() : counts.bytes;
    const auto many = countOf;
    m_liveLabel->setText(
        QStringList{many(bytes, "byte", "bytes"), many(counts.packets, "packet", "packets"),
                    many(live ? m_link.prints() : m_filePrints, "print", "prints"),
                    many(counts.checksumErrors, "checksum error", "checksum errors")}
            .join(QStringLiteral(", ")));
}

void LinkWindow::folderClicked()
{
    Desktop::FileDialog dialog;
    dialog.caption = QStringLiteral("Write the prints into");
    dialog.folder = m_folder;
    if (const auto folder = m_desktop.chooseFolder(this, dialog)) {
        m_folder = *folder;
        m_folderLabel->setText(QStringLiteral("Prints are written to ") +
                               QDir::toNativeSeparators(m_folder));
    }
}

OutputOptions LinkWindow::outputOptions() const
{
    return OutputOptions{m_folder, m_png->isChecked() ? PrintFormat::Png : PrintFormat::Bmp,
                         m_strict->isChecked()};
}

bool LinkWindow::folderReady()
{
    // The shots folder is made when it is missing, as the main program does; a folder the user
    // picked that has gone since is reported.
    const bool there = QFileInfo(m_folder).isDir() ||
                       (m_folder == m_paths.shotsFolder() && QDir().mkpath(m_folder));
    if (!there) {
        tell(QStringLiteral("The folder %1 is not there and cannot be made, so no print can be "
                            "written.")
                 .arg(QDir::toNativeSeparators(m_folder)),
             Desktop::Icon::Exclamation);
    }
    return there;
}

void LinkWindow::log(const QString &line)
{
    m_log->appendPlainText(line);
}

void LinkWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedFile(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void LinkWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedFile(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    openCapture(path);
}

void LinkWindow::tell(const QString &text, Desktop::Icon icon)
{
    m_desktop.showMessage(this, text, kTitle, icon);
}

} // namespace camvista::link
