#pragma once

#include "print_output.h"
#include "serial_link.h"

#include "platform/app_paths.h"
#include "platform/desktop.h"

#include <QList>
#include <QTimer>
#include <QWidget>

class QCheckBox;
class QComboBox;
class QGridLayout;
class QLabel;
class QPlainTextEdit;
class QPushButton;

namespace camvista::link
{

// The companion program's window `cls`: choose the printer emulator's port and connect, or open
// a saved capture (dialog or drop); every print received shows as a thumbnail and is written
// into the shots folder, or the folder chosen.
class LinkWindow : public QWidget
{
    Q_OBJECT

public:
    static constexpr int kColumns = 4; // at most, on a screen wide enough
    static constexpr int kZoom = 2;

    LinkWindow(Desktop &desktop, const AppPaths &paths, QWidget *parent = nullptr);

    // Reads a capture file and writes its prints; a file that cannot be read is reported.
    bool openCapture(const QString &path);
    // Connects to the port chosen (or typed) in the port list at the baud chosen.
    bool connectPort();
    void disconnectPort();

    QString outputFolder() const { return m_folder; }
    const QList<PrintReport> &reports() const { return m_reports; }
    SerialLink &serialLink() { return m_link; }

    void refreshClicked();
    void connectClicked();
    void openClicked();
    void folderClicked();

protected:
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void takePrint(const printer::PrintResult &print);
    void portLost(const QString &why);
    void addThumbnail(const PrintReport &report);
    void showCounts();
    void showConnected();
    void log(const QString &line);
    OutputOptions outputOptions() const;
    bool folderReady();
    void tell(const QString &text, Desktop::Icon icon);

    Desktop &m_desktop;
    AppPaths m_paths;
    QString m_folder;
    SerialLink m_link;
    QList<PrintReport> m_reports;
    QTimer m_countsTimer;
    printer::CaptureCounts m_fileCounts; // of the capture file read last
    int m_filePrints = 0;
    bool m_fileShown = false; // the counts shown are the capture file's, not the port's
    int m_columns = kColumns;

    QComboBox *m_portBox = nullptr;
    QComboBox *m_baudBox = nullptr;
    QPushButton *m_connect = nullptr;
    QCheckBox *m_strict = nullptr;
    QCheckBox *m_png = nullptr;
    QLabel *m_liveLabel = nullptr;
    QGridLayout *m_grid = nullptr;
    QLabel *m_folderLabel = nullptr;
    QPlainTextEdit *m_log = nullptr;
};

} // namespace camvista::link
