#include "export_run.h"

#include "animated_gif.h"
#include "shot_pipeline.h"

#include "imaging/safe_write.h"
#include "shotwork/shot_geometry.h"

#include <QDir>
#include <QEventLoop>
#include <QMutex>
#include <QPointer>
#include <QRegularExpression>
#include <QSet>
#include <QThread>
#include <QThreadPool>
#include <QWaitCondition>

#include <algorithm>
#include <optional>
#include <vector>

namespace camvista::exporting
{

namespace
{

constexpr int kWorkersPerCore = 8;

// "shot (3).png" and "shot.png" are one family: the key of both is "shot.png".
QString familyKey(const QString &fileName)
{
    static const QRegularExpression numbered(QStringLiteral("^(.*) \\((\\d+)\\)(\\.[^.]*)?$"));
    const QRegularExpressionMatch m = numbered.match(fileName);
    return m.hasMatch() ? m.captured(1) + m.captured(3) : fileName;
}

} // namespace

struct ExportRun::State {
    QStringList files;
    ExportOptions options;
    AppPaths paths;
    PreparedExport prepared;
    QString extension;
    QThreadPool *pool = nullptr;
    ExportRun *owner = nullptr;

    std::atomic<bool> cancelled{false};
    std::atomic<bool> stopped{false};

    QMutex mutex; // guards everything below
    QWaitCondition changed;
    int remaining = 0; // sources not yet through exportOne
    int live = 0;      // workers not yet returned: the owner waits for them when it goes
    QString stopReason;
    QSet<QString> families;  // of the files in the destination, and of those written since
    QSet<QString> busyNames; // a name being checked and written by one worker
    std::vector<QImage> frames;

    // Owned by the owner's thread.
    ExportSummary summary;
    bool started = false;
    bool finished = false;
    int done = 0;

    void stop(const QString &reason)
    {
        QMutexLocker lock(&mutex);
        if (stopReason.isEmpty())
            stopReason = reason;
        stopped = true;
    }
    bool goingOn() const { return !cancelled && !stopped; }

    // Counts one source as done on the owner's thread, with its outcome when it has one (an
    // animation's frames have none: the animation is the one file). Index -1 counts nothing.
    void report(const std::optional<ItemOutcome> &outcome, int index);
    void oneDone();
    void run(int index);
    void exportOne(int index);
    void writeAnimation();
    std::optional<ItemOutcome> writeUnderName(const QString &source, const QString &base,
                                              const QByteArray &bytes, const QImage &pixels,
                                              bool compare);
};

void ExportRun::State::report(const std::optional<ItemOutcome> &result, int index)
{
    QMetaObject::invokeMethod(
        owner,
        [this, result, index] {
            if (index >= 0)
                ++done;
            if (!result) {
                emit owner->progress(std::min(done, summary.total), summary.total);
                return;
            }
            const ItemOutcome &outcome = *result;
            switch (outcome.kind) {
            case ItemOutcome::Kind::Written:
                ++summary.written;
                break;
            case ItemOutcome::Kind::AlreadyThere:
                ++summary.alreadyThere;
                break;
            case ItemOutcome::Kind::Skipped:
                ++summary.skipped;
                break;
            case ItemOutcome::Kind::Failed:
                ++summary.failed;
                break;
            }
            if (outcome.kind == ItemOutcome::Kind::Skipped ||
                outcome.kind == ItemOutcome::Kind::Failed) {
                ItemOutcome problem = outcome;
                problem.path = QString::number(index); // sorted by it at the end
                summary.problems.append(problem);
            }
            emit owner->itemFinished(outcome);
            if (index >= 0)
                emit owner->progress(std::min(done, summary.total), summary.total);
        },
        Qt::QueuedConnection);
}

void ExportRun::State::oneDone()
{
    bool last = false;
    {
        QMutexLocker lock(&mutex);
        last = --remaining == 0;
    }
    if (!last)
        return;
    if (options.animate && goingOn())
        writeAnimation();
    QMetaObject::invokeMethod(
        owner,
        [this] {
            finished = true;
            {
                QMutexLocker lock(&mutex);
                summary.stopReason = stopReason;
            }
            summary.cancelled = cancelled && summary.stopReason.isEmpty();
            std::sort(summary.problems.begin(), summary.problems.end(),
                      [](const ItemOutcome &a, const ItemOutcome &b) {
                          return a.path.toInt() < b.path.toInt();
                      });
            for (ItemOutcome &problem : summary.problems)
                problem.path.clear();
            emit owner->finished(summary);
        },
        Qt::QueuedConnection);
}

void ExportRun::State::run(int index)
{
    exportOne(index);
    QMutexLocker lock(&mutex);
    --live;
    changed.wakeAll();
}

std::optional<ItemOutcome> ExportRun::State::writeUnderName(const QString &source,
                                                            const QString &base,
                                                            const QByteArray &bytes,
                                                            const QImage &pixels, bool compare)
{
    const QString folder = options.destination;
    const QString key = base + QLatin1Char('.') + extension;
    {
        // One worker at a time per name, so two sources that give the same picture under the
        // same name are written once.
        QMutexLocker lock(&mutex);
        while (busyNames.contains(key))
            changed.wait(&mutex);
        busyNames.insert(key);
    }
    std::optional<ItemOutcome> outcome;
    bool familyThere = false;
    {
        QMutexLocker lock(&mutex);
        familyThere = families.contains(key);
    }
    // Listing the folder for every shot would cost more than the export: only a name whose
    // family is there is compared.
    const QString same =
        compare && familyThere ? fileWithSamePixels(folder, base, extension, pixels) : QString();
    if (!same.isEmpty()) {
        outcome = {ItemOutcome::Kind::AlreadyThere, source, same, {}};
    } else if (goingOn()) {
        // Cancelled or stopped meanwhile: the file is not begun, so it is not reported either.
        const FileStatus status = writeUnderFreeName(folder, base, extension, bytes);
        if (status.ok()) {
            outcome = ItemOutcome{ItemOutcome::Kind::Written, source, status.path, {}};
        } else {
            outcome = ItemOutcome{ItemOutcome::Kind::Failed, source, {}, status.message()};
            stop(status.message());
        }
    }
    QMutexLocker lock(&mutex);
    if (outcome && outcome->kind == ItemOutcome::Kind::Written)
        families.insert(key);
    busyNames.remove(key);
    changed.wakeAll();
    return outcome;
}

void ExportRun::State::exportOne(int index)
{
    // at(), not []: a non-const [] would detach the list that every worker reads at once.
    const QString &source = files.at(index);
    if (!goingOn()) {
        oneDone();
        return;
    }
    ShotResult shot = exportedShot(source, prepared);
    if (shot.picture.isNull()) {
        report(ItemOutcome{ItemOutcome::Kind::Skipped, source, {}, shot.reason}, index);
        oneDone();
        return;
    }
    if (options.animate) {
        QImage frame = gifFrame(shot.picture);
        QMutexLocker lock(&mutex);
        frames[std::size_t(index)] = std::move(frame);
        lock.unlock();
        report(std::nullopt, index);
        oneDone();
        return;
    }
    QImage pixels;
    QString error;
    const QByteArray bytes = encodedShot(shot.picture, options, pixels, error);
    shot.picture = QImage();
    if (bytes.isEmpty()) {
        report(ItemOutcome{ItemOutcome::Kind::Failed, source, {}, error}, index);
    } else {
        report(writeUnderName(source, outputBaseName(options, source), bytes, pixels, true), index);
    }
    oneDone();
}

void ExportRun::State::writeAnimation()
{
    QList<QImage> ordered;
    QString first;
    {
        QMutexLocker lock(&mutex);
        for (std::size_t i = 0; i < frames.size(); ++i) {
            if (frames[i].isNull())
                continue;
            if (first.isEmpty())
                first = files.at(qsizetype(i));
            ordered.append(frames[i]);
        }
        frames.clear();
    }
    if (ordered.isEmpty()) {
        stop(QStringLiteral("None of the files is a shot: there is nothing to animate."));
        return;
    }
    // Kept as they are, photos and framed shots differ in size: the photos go on the editor's
    // canvas, as the editor shows them.
    const bool anyFramed = std::any_of(ordered.begin(), ordered.end(), [](const QImage &f) {
        return shotwork::isFramedShot(f.size());
    });
    for (QImage &frame : ordered) {
        if (anyFramed && shotwork::isInnerPicture(frame.size()))
            frame = gifFrame(photoOnCanvas(frame, prepared));
    }
    GifAnimation animation;
    animation.frames = options.bounce ? bounced(ordered) : ordered;
    animation.scale = options.scale;
    animation.delayMs = options.delayMs;
    animation.loopCount = options.loopCount;
    QString error;
    const QByteArray bytes = encodeGifAnimation(animation, error);
    if (bytes.isEmpty()) {
        stop(error);
        return;
    }
    // The animation is one file: it alone counts as written (or failed).
    const std::optional<ItemOutcome> outcome =
        writeUnderName(first, outputBaseName(options, first), bytes, QImage(), false);
    if (outcome)
        report(outcome, -1);
}

ExportRun::ExportRun(const QStringList &files, const ExportOptions &options, const AppPaths &paths,
                     QObject *parent)
    : QObject(parent), m_state(std::make_shared<State>())
{
    qRegisterMetaType<ItemOutcome>();
    qRegisterMetaType<ExportSummary>();
    m_state->files = files;
    m_state->options = options;
    m_state->paths = paths;
    m_state->owner = this;
    m_state->summary.total = int(files.size());
}

ExportRun::~ExportRun()
{
    // The workers report to this object: they must be done before it goes.
    cancel();
    QMutexLocker lock(&m_state->mutex);
    while (m_state->live > 0)
        m_state->changed.wait(&m_state->mutex);
}

void ExportRun::setThreadPool(QThreadPool *pool)
{
    m_state->pool = pool;
}

void ExportRun::start()
{
    State &s = *m_state;
    if (s.started)
        return;
    s.started = true;
    const auto finishNow = [this](const QString &reason) {
        m_state->stop(reason);
        m_state->remaining = 1;
        m_state->oneDone();
    };
    if (const QString problem = prepareExport(s.options, s.paths, s.prepared); !problem.isEmpty())
        return finishNow(problem);
    s.extension = outputExtension(s.options);
    const QDir destination(s.options.destination);
    if (!destination.mkpath(QStringLiteral(".")))
        return finishNow(QStringLiteral("The folder %1 could not be created.")
                             .arg(QDir::toNativeSeparators(s.options.destination)));
    for (const QString &name :
         destination.entryList(QDir::Files | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot))
        s.families.insert(familyKey(name));
    if (s.files.isEmpty())
        return finishNow(QString());
    if (s.options.animate)
        s.frames.resize(std::size_t(s.files.size()));

    QThreadPool *pool = s.pool;
    if (pool == nullptr) {
        // Every file waits for the disk to confirm it: more workers than processors keep the
        // processors busy meanwhile.
        m_ownPool = std::make_unique<QThreadPool>();
        m_ownPool->setMaxThreadCount(std::max(4, QThread::idealThreadCount() * kWorkersPerCore));
        pool = m_ownPool.get();
    }
    s.remaining = int(s.files.size());
    s.live = int(s.files.size());
    for (int i = 0; i < s.files.size(); ++i) {
        std::shared_ptr<State> state = m_state;
        pool->start([state, i] { state->run(i); });
    }
}

void ExportRun::cancel()
{
    m_state->cancelled = true;
}

bool ExportRun::isRunning() const
{
    return m_state->started && !m_state->finished;
}

bool ExportRun::isFinished() const
{
    return m_state->finished;
}

const ExportSummary &ExportRun::summary() const
{
    return m_state->summary;
}

ExportSummary runExport(const QStringList &files, const ExportOptions &options,
                        const AppPaths &paths)
{
    ExportRun run(files, options, paths);
    QEventLoop loop;
    QObject::connect(&run, &ExportRun::finished, &loop, &QEventLoop::quit);
    run.start();
    if (!run.isFinished())
        loop.exec();
    return run.summary();
}

} // namespace camvista::exporting
