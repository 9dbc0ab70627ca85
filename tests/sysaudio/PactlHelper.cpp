#include "PactlHelper.h"

#include <QProcess>
#include <QRegularExpression>

#include <algorithm>

namespace pactl {

QString run(const QStringList &arguments)
{
    QProcess process;
    process.start(QStringLiteral("pactl"), arguments);
    if (!process.waitForFinished(5000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return QString::fromUtf8(process.readAllStandardOutput());
}

QVector<unsigned> volumes(const QString &kind, const QString &name)
{
    const QString output = run({QStringLiteral("get-%1-volume").arg(kind), name});
    const QString firstLine = output.section(QLatin1Char('\n'), 0, 0);
    QVector<unsigned> result;
    QRegularExpressionMatchIterator it = QRegularExpression(QStringLiteral(":\\s*(\\d+) /")).globalMatch(firstLine);
    while (it.hasNext())
        result.append(it.next().captured(1).toUInt());
    return result;
}

int percent(const QString &kind, const QString &name)
{
    const QVector<unsigned> channels = volumes(kind, name);
    if (channels.isEmpty())
        return -1;
    const unsigned loudest = *std::max_element(channels.begin(), channels.end());
    return static_cast<int>((loudest * 100.0) / 65536.0 + 0.5);
}

bool muted(const QString &kind, const QString &name)
{
    return run({QStringLiteral("get-%1-mute").arg(kind), name}).contains(QStringLiteral("yes"));
}

void resetDevices()
{
    for (const QString &sink : {kSpeakers, kHeadphones}) {
        run({QStringLiteral("set-sink-volume"), sink, QStringLiteral("100%")});
        run({QStringLiteral("set-sink-mute"), sink, QStringLiteral("0")});
    }
    for (const QString &source : QStringList{kHeadsetMic, kUsbMic} + kMonitors) {
        run({QStringLiteral("set-source-volume"), source, QStringLiteral("100%")});
        run({QStringLiteral("set-source-mute"), source, QStringLiteral("0")});
    }
    run({QStringLiteral("set-default-sink"), kSpeakers});
    run({QStringLiteral("set-default-source"), kHeadsetMic});
}

} // namespace pactl
