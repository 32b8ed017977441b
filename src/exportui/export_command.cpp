#include "export_command.h"

#include "export_choices.h"
#include "export_dialog.h"

#include "platform/desktop.h"
#include "shotwork/frames.h"

#include <QDir>
#include <QFileInfo>
#include <QProgressDialog>
#include <QWidget>

namespace camvista
{

namespace
{

using exporting::ExportSummary;
using exporting::ItemOutcome;

// A summary lists this many problems at most; a whole roll of damaged files would not fit on
// the screen.
constexpr int kListedProblems = 15;

QString count(int n, const char *one, const char *many)
{
    return n == 1 ? QString::fromLatin1(one) : QString::fromLatin1(many).arg(n);
}

QString progressText(int done, int total)
{
    return QStringLiteral("Exporting shots: %1 of %2 done.").arg(done).arg(total);
}

} // namespace

QString exportSummaryText(const ExportSummary &summary, const QString &destination)
{
    QStringList lines;
    if (!summary.stopReason.isEmpty())
        lines << QStringLiteral("The export stopped: ") + summary.stopReason;
    else if (summary.cancelled)
        lines << QStringLiteral("The export was cancelled.");
    else
        lines << QStringLiteral("The export is done.");
    lines << count(summary.written, "1 file written", "%1 files written") +
                 QStringLiteral(" in \u201C") + QDir::toNativeSeparators(destination) +
                 QStringLiteral("\u201D.");
    if (summary.alreadyThere > 0)
        lines << count(summary.alreadyThere, "1 file was already there with the same pixels.",
                       "%1 files were already there with the same pixels.");
    const int notDone = summary.skipped + summary.failed;
    if (notDone > 0) {
        lines << QString()
              << count(notDone, "1 shot was not exported:", "%1 shots were not exported:");
        int listed = 0;
        for (const ItemOutcome &problem : summary.problems) {
            if (listed++ == kListedProblems) {
                lines << QStringLiteral("... and %1 more.")
                             .arg(summary.problems.size() - kListedProblems);
                break;
            }
            lines << QFileInfo(problem.source).fileName() + QStringLiteral(": ") + problem.reason;
        }
    }
    return lines.join(QLatin1Char('\n'));
}

ExportCommand::ExportCommand(Desktop &desktop, const AppPaths &paths, QWidget &owner)
    : QObject(&owner), m_desktop(desktop), m_paths(paths), m_owner(owner)
{
}

ExportCommand::~ExportCommand()
{
    // No file is left half written: the run stops before the window that owns it goes.
    if (m_run)
        m_run->cancel();
    delete m_progress;
    delete m_dialog;
}

ExportDialog *ExportCommand::dialog() const
{
    return m_dialog;
}

QProgressDialog *ExportCommand::progress() const
{
    return m_progress;
}

void ExportCommand::start(const QStringList &shots)
{
    QWidget *front = m_run ? static_cast<QWidget *>(m_progress) : m_dialog.data();
    if (front) {
        front->show();
        front->raise();
        front->activateWindow();
        return;
    }
    m_shots = shots;
    const ExportChoices choices = readExportChoices(m_paths);
    m_dialog = new ExportDialog(m_desktop,
                                shotwork::availableFrames(m_paths.file(QStringLiteral("\\frames"))),
                                shots, m_owner.window());
    m_dialog->setCustomColours(choices.customColours);
    m_dialog->setOptions(choices.options);
    connect(m_dialog, &QDialog::finished, this, [this](int result) {
        // Gone at once, so a new command never finds the closed dialog.
        ExportDialog *closed = m_dialog;
        m_dialog = nullptr;
        closed->deleteLater();
        if (result == QDialog::Accepted)
            runExport(closed->options(), closed->customColours());
    });
    // Window-modal and opened, not executed: the event loop goes on.
    m_dialog->open();
}

void ExportCommand::runExport(const exporting::ExportOptions &options,
                              const std::array<QRgb, 4> &customColours)
{
    writeExportChoices(m_paths, {options, customColours});
    m_destination = options.destination;

    m_run = new exporting::ExportRun(m_shots, options, m_paths, this);
    const int total = int(m_shots.size());
    m_progress = new QProgressDialog(progressText(0, total), QStringLiteral("Cancel"), 0, total,
                                     m_owner.window());
    m_progress->setObjectName(QStringLiteral("exportProgress"));
    m_progress->setWindowTitle(QStringLiteral("Export shots"));
    m_progress->setWindowModality(Qt::NonModal);
    m_progress->setAutoClose(false);
    m_progress->setAutoReset(false);
    m_progress->setMinimumDuration(0);
    m_progress->setMinimumWidth(360);
    connect(m_progress, &QProgressDialog::canceled, m_run, [this] {
        m_progress->setLabelText(QStringLiteral("Cancelling: the files being written are finished "
                                                "or left out whole..."));
        m_run->cancel();
    });
    connect(m_run, &exporting::ExportRun::progress, m_progress, [this](int done, int all) {
        if (m_progress->wasCanceled())
            return;
        m_progress->setMaximum(all);
        m_progress->setValue(done);
        m_progress->setLabelText(progressText(done, all));
    });
    connect(m_run, &exporting::ExportRun::finished, this, &ExportCommand::runFinished);
    m_progress->show();
    m_run->start();
}

void ExportCommand::runFinished(const ExportSummary &summary)
{
    // Hidden now: a deferred delete would wait for the summary's own event loop to end.
    if (m_progress) {
        m_progress->hide();
        m_progress->deleteLater();
    }
    m_progress = nullptr;
    if (m_run)
        m_run->deleteLater();
    m_run = nullptr;
    const bool clean = summary.allWritten();
    m_desktop.showMessage(m_owner.window(), exportSummaryText(summary, m_destination),
                          QStringLiteral("Camvista"),
                          clean ? Desktop::Icon::Information : Desktop::Icon::Exclamation);
    emit finished(summary);
}

} // namespace camvista
