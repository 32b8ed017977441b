#pragma once

#include "export/export_run.h"
#include "platform/app_paths.h"

#include <QObject>
#include <QPointer>
#include <QRgb>
#include <QStringList>

#include <array>

class QProgressDialog;
class QWidget;

namespace camvista
{

class Desktop;
class ExportDialog;

// "Export shots...": the dialog of choices, then the export on the worker pool behind a
// progress dialog that can cancel, then a summary. Nothing here blocks: the dialogs are opened,
// not executed, so the window keeps working while an export runs, and only the Desktop's
// message (the summary) waits for the user.
class ExportCommand : public QObject
{
    Q_OBJECT

public:
    // The dialogs stand over `owner`'s window.
    ExportCommand(Desktop &desktop, const AppPaths &paths, QWidget &owner);
    ~ExportCommand() override;

    // Opens the dialog for these files, with the last choices. While an export runs, or the
    // dialog is open, that one is brought to the front instead.
    void start(const QStringList &shots);

    ExportDialog *dialog() const;
    QProgressDialog *progress() const;
    bool isRunning() const { return m_run != nullptr; }

signals:
    // The summary was shown.
    void finished(const camvista::exporting::ExportSummary &summary);

private:
    void runExport(const exporting::ExportOptions &options,
                   const std::array<QRgb, 4> &customColours);
    void runFinished(const exporting::ExportSummary &summary);

    Desktop &m_desktop;
    AppPaths m_paths;
    QWidget &m_owner;
    QStringList m_shots;
    QString m_destination;
    QPointer<ExportDialog> m_dialog;
    QPointer<QProgressDialog> m_progress;
    QPointer<exporting::ExportRun> m_run;
};

// What the summary says: how many files were written, how many were there already with the same
// pixels, and which were not exported and why.
QString exportSummaryText(const exporting::ExportSummary &summary, const QString &destination);

} // namespace camvista
