#pragma once

#include "export_options.h"

#include "platform/app_paths.h"

#include <QList>
#include <QMetaType>
#include <QObject>
#include <QStringList>
#include <QThreadPool>

#include <atomic>
#include <memory>

namespace camvista::exporting
{

// What became of one source file.
struct ItemOutcome {
    enum class Kind {
        Written,      // a new file at `path`
        AlreadyThere, // a file with the same pixels stood there already: left alone
        Skipped,      // the source is not a shot (wrong size, damaged, not a picture): `reason`
        Failed,       // the file could not be written: `reason`
    };
    Kind kind = Kind::Failed;
    QString source;
    QString path; // the file written or found; empty when skipped or failed
    QString reason;
};

struct ExportSummary {
    int total = 0;
    int written = 0;
    int alreadyThere = 0;
    int skipped = 0;
    int failed = 0;
    bool cancelled = false;
    // A fault that stopped the whole export (full disk, unwritable folder, a frame that cannot
    // be read, bad options); empty when the export ran to its end.
    QString stopReason;
    QList<ItemOutcome> problems; // the skipped and failed items, in list order

    // Every file asked for is on disk, new or already there.
    bool allWritten() const { return !cancelled && stopReason.isEmpty() && skipped + failed == 0; }
};

// One export of a list of files: the work runs on a thread pool, the signals come on the thread
// that owns this object. Start it once; it emits finished() exactly once, also when cancelled or
// stopped. No partial file is ever left behind.
class ExportRun : public QObject
{
    Q_OBJECT

public:
    ExportRun(const QStringList &files, const ExportOptions &options, const AppPaths &paths,
              QObject *parent = nullptr);
    ~ExportRun() override;

    // The pool to run on; by default a pool of its own with a few workers per processor.
    void setThreadPool(QThreadPool *pool);

    void start();
    // Stops as soon as possible: files not yet written stay unwritten, none is half written.
    void cancel();
    bool isRunning() const;
    bool isFinished() const;

    const ExportSummary &summary() const;

signals:
    void progress(int done, int total);
    void itemFinished(const camvista::exporting::ItemOutcome &outcome);
    void finished(const camvista::exporting::ExportSummary &summary);

private:
    struct State;
    std::shared_ptr<State> m_state;
    std::unique_ptr<QThreadPool> m_ownPool; // after m_state's workers have all returned
};

// Runs an export to its end, waiting on the calling thread's event loop, and returns the
// summary. For tests and callers that need no progress.
ExportSummary runExport(const QStringList &files, const ExportOptions &options,
                        const AppPaths &paths);

} // namespace camvista::exporting

Q_DECLARE_METATYPE(camvista::exporting::ItemOutcome)
Q_DECLARE_METATYPE(camvista::exporting::ExportSummary)
