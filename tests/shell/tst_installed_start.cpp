#include "shell/ini.h"
#include "shell/main_window.h"

#include "browser/browser_window.h"
#include "platform/fake_desktop.h"
#include "platform/profile_file.h"

#include <QtTest>

using namespace camvista;

namespace
{

// An installed layout (prefix/bin beside prefix/share/camvista) and a home folder of its own,
// which HOME and XDG_CONFIG_HOME point at while it lives.
class InstalledProgram
{
public:
    InstalledProgram()
    {
        QDir root(m_dir.path());
        root.mkpath("usr/bin");
        root.mkpath("usr/share/camvista");
        root.mkpath("home");
        m_home = root.filePath("home");
        qputenv("HOME", m_home.toLocal8Bit());
        qunsetenv("XDG_CONFIG_HOME");
        m_paths = AppPaths::forProgram(root.filePath("usr/bin"), "camvista");
    }
    ~InstalledProgram()
    {
        qputenv("HOME", m_oldHome);
        if (!m_oldConfig.isNull())
            qputenv("XDG_CONFIG_HOME", m_oldConfig);
    }

    const AppPaths &paths() const { return m_paths; }
    QString home(const QString &relative) const { return m_home + '/' + relative; }

private:
    QByteArray m_oldHome = qgetenv("HOME");
    QByteArray m_oldConfig = qgetenv("XDG_CONFIG_HOME");
    QTemporaryDir m_dir;
    QString m_home;
    AppPaths m_paths;
};

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

} // namespace

// An installed program keeps each user's settings and shots in that user's home folder, says
// where the shots went on the first start and says which folder could not be made.
class TstInstalledStart : public QObject
{
    Q_OBJECT

private slots:
    void firstStartMakesTheUsersFoldersAndSaysWhere();
    void foldersThatCannotBeMadeAreToldAndTheProgramRuns_data();
    void foldersThatCannotBeMadeAreToldAndTheProgramRuns();
    void existingSettingsAreNeverReplaced_data();
    void existingSettingsAreNeverReplaced();
};

void TstInstalledStart::firstStartMakesTheUsersFoldersAndSaysWhere()
{
    InstalledProgram program;
    const QString shots = program.home("Pictures/VUDavizi Shots");
    FakeDesktop desktop;
    {
        MainWindow w(desktop, program.paths());
        QCOMPARE(readAll(program.home(".config/camvista/camvista.ini")),
                 QByteArray("[Camvista]\nUser ID=????????\n"));
        QVERIFY(QFileInfo(shots).isDir());
        QCOMPARE(w.browser()->folder(), shots);
        QVERIFY(desktop.messages.isEmpty()); // told once the window is up, not while it is built
        QTRY_COMPARE(desktop.messages.size(), 1);
        QVERIFY2(desktop.messages[0].text.contains(shots), qPrintable(desktop.messages[0].text));
        QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Information);
    }
    // Nothing new to say on the next start.
    desktop.messages.clear();
    MainWindow again(desktop, program.paths());
    QTest::qWait(50);
    QVERIFY(desktop.messages.isEmpty());
}

void TstInstalledStart::foldersThatCannotBeMadeAreToldAndTheProgramRuns_data()
{
    QTest::addColumn<QString>("blocked"); // a file standing where this folder should go
    QTest::addColumn<QString>("caption");
    QTest::newRow("configuration") << ".config/camvista"
                                   << "Camvista v.7.0.3 - Welcome, GC- !";
    QTest::newRow("pictures") << "Pictures"
                              << "Camvista v.7.0.3 - Welcome, GC-???????? !";
}

void TstInstalledStart::foldersThatCannotBeMadeAreToldAndTheProgramRuns()
{
    QFETCH(QString, blocked);
    QFETCH(QString, caption);
    InstalledProgram program;
    writeFile(program.home(blocked), "not a folder");
    FakeDesktop desktop;
    MainWindow w(desktop, program.paths());
    QCOMPARE(w.windowTitle(), caption);
    QTRY_COMPARE(desktop.messages.size(), 1);
    const QString text = desktop.messages[0].text;
    // The path and the system's reason.
    QVERIFY2(text.contains(program.home(blocked)), qPrintable(text));
    QVERIFY2(text.contains("Not a directory") || text.contains("File exists"), qPrintable(text));
    QCOMPARE(desktop.messages[0].icon, Desktop::Icon::Exclamation);
    QCOMPARE(readAll(program.home(blocked)), QByteArray("not a folder"));
    // Still running: a window opens from the toolbar.
    w.Toolbar1_ButtonClick("Mosaik");
    QVERIFY(w.findChild<QWidget *>("frmMosaik"));
}

void TstInstalledStart::existingSettingsAreNeverReplaced_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::newRow("a profile") << QByteArray("[Camvista]\nUser ID=12345678\nName=ANNA\n");
    // Too large to read: it must not be taken for a missing file and rewritten.
    QTest::newRow("unreadable") << QByteArray(profile::kMaxProfileBytes + 1, 'x');
}

void TstInstalledStart::existingSettingsAreNeverReplaced()
{
    QFETCH(QByteArray, before);
    InstalledProgram program;
    const QString ini = program.home(".config/camvista/camvista.ini");
    writeFile(ini, before);
    FakeDesktop desktop;
    MainWindow w(desktop, program.paths());
    QCOMPARE(readAll(ini), before);
}

QTEST_MAIN(TstInstalledStart)
#include "tst_installed_start.moc"
