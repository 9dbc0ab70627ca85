#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include <cstdlib>
#include <memory>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

namespace {

// Lets every folder below `dir` be emptied, whatever a test left read-only in it.
void makeRemovable(const QString &dir)
{
    QFile::setPermissions(dir, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    for (const QFileInfo &entry : QDir(dir).entryInfoList(QDir::Dirs | QDir::Hidden | QDir::NoDotAndDotDot))
        if (!entry.isSymLink())
            makeRemovable(entry.filePath());
}

// The private home. Under CTest it has a fixed place named by TW_TEST_HOME_NAME (the
// test and its build tree), emptied first: a run killed at its time limit had no
// chance to remove it, and the next run must start clean all the same. Run by hand,
// a new temporary folder. Either goes when the process ends.
class TestHome
{
public:
    TestHome()
    {
        const QByteArray name = qgetenv("TW_TEST_HOME_NAME");
        unsetenv("TW_TEST_HOME_NAME"); // a copy of this program that a test starts makes its own
        if (name.isEmpty()) {
            m_temporary = std::make_unique<QTemporaryDir>(QDir::tempPath() + QStringLiteral("/tonewright-test-XXXXXX"));
            m_path = m_temporary->path();
            return;
        }
        m_path = QDir::tempPath() + QStringLiteral("/tonewright-test-") + QString::fromLocal8Bit(name);
        remove();
        // Made here and now, never an existing entry of the shared folder taken over.
        if (::mkdir(QFile::encodeName(m_path).constData(), 0700) != 0)
            qFatal("cannot make the test home %s afresh", qPrintable(m_path));
    }
    ~TestHome()
    {
        if (!m_temporary)
            remove();
    }
    TestHome(const TestHome &) = delete;
    TestHome &operator=(const TestHome &) = delete;

    const QString &path() const { return m_path; }

private:
    // Only a folder of this user's: the name is known in a folder others may write to.
    void remove()
    {
        const QFileInfo home(m_path);
        if (home.isSymLink() || !home.isDir() || home.ownerId() != ::geteuid())
            return;
        makeRemovable(m_path);
        QDir(m_path).removeRecursively();
    }

    std::unique_ptr<QTemporaryDir> m_temporary;
    QString m_path;
};

} // namespace

QString isolateTestEnvironment()
{
    static const TestHome home;
    const QByteArray root = home.path().toLocal8Bit();
    const auto sub = [&](const char *name) {
        const QByteArray path = root + '/' + name;
        QDir().mkpath(QString::fromLocal8Bit(path));
        return path;
    };
    setenv("HOME", root.constData(), 1);
    setenv("XDG_CONFIG_HOME", sub(".config").constData(), 1);
    setenv("XDG_DATA_HOME", sub(".local/share").constData(), 1);
    setenv("XDG_CACHE_HOME", sub(".cache").constData(), 1);
    setenv("XDG_STATE_HOME", sub(".local/state").constData(), 1);
    const QByteArray runtime = sub("run");
    chmod(runtime.constData(), 0700);
    setenv("XDG_RUNTIME_DIR", runtime.constData(), 1);
    const QByteArray work = sub("work");
    if (chdir(work.constData()) != 0)
        std::abort();
    return home.path();
}

QByteArray readFileBytes(const QString &path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

} // namespace tw
