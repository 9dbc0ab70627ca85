#include "TestEnv.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <cstdlib>
#include <sys/stat.h>
#include <unistd.h>

namespace tw {

QString isolateTestEnvironment()
{
    static QTemporaryDir home(QDir::tempPath() + QStringLiteral("/tonewright-test-XXXXXX"));
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
