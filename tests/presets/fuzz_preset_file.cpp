// Arbitrary bytes as the content of a preset file: read it as a default file would be,
// then rewrite one member as a user file. Nothing may crash or read out of bounds.
// Half of the inputs are taken as file text as they are; the other half are cut into
// strings that fill a well-formed preset file, since random bytes seldom parse as JSON
// and would otherwise never get past the parser.
#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"
#include "presets/PresetStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTemporaryDir>

#include <cstddef>
#include <cstdint>

namespace {

void dropMessage(QtMsgType, const QMessageLogContext &, const QString &) {}

QString &fuzzFile()
{
    static QString path;
    return path;
}

// Hands out the input's strings in turn; some picks land on the words the reader knows.
class Fields
{
public:
    explicit Fields(const QByteArray &bytes) : m_parts(bytes.split('\0')) {}
    QString next() { return QString::fromLatin1(m_parts.at(m_next++ % m_parts.size())); }
    QString algorithm()
    {
        const QString text = next();
        const int pick = text.isEmpty() ? 0 : text.at(0).unicode() % 3;
        return pick == 0 ? kAlgorithmSurround : pick == 1 ? kAlgorithmStereo : text;
    }
    int count() { return next().size() % 8; }

private:
    QList<QByteArray> m_parts;
    int m_next = 0;
};

QJsonObject presetFrom(Fields &fields)
{
    QJsonObject preset{{"algorithm", fields.algorithm()}, {"name", fields.next()}, {"parameter", fields.next()}};
    if (fields.count() == 0)
        preset.remove(fields.algorithm() == kAlgorithmStereo ? "name" : "parameter");
    if (fields.count() == 1)
        preset.insert(fields.next(), fields.next());
    return preset;
}

QByteArray presetFileFrom(const QByteArray &bytes)
{
    Fields fields(bytes);
    QJsonObject root{{"vid", fields.next()}, {"pid", fields.next()}, {"uuid", fields.next()}};
    QJsonObject defaults;
    for (int i = fields.count(); i > 0; --i)
        defaults.insert(fields.next(), presetFrom(fields));
    QJsonArray custom;
    for (int i = fields.count(); i > 0; --i)
        custom.append(presetFrom(fields));
    root.insert("defaultMode", defaults);
    root.insert("customMode", custom);
    root.insert("mode", QJsonObject{{"algorithm", fields.algorithm()}, {"mode", fields.next()}, {"name", fields.next()}});
    return QJsonDocument(root).toJson();
}

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    // On a memory file system when there is one: every rewrite is flushed to disk.
    static QTemporaryDir dir(QDir(QStringLiteral("/dev/shm")).exists()
                                 ? QStringLiteral("/dev/shm/tonewright-fuzz-XXXXXX")
                                 : QDir::tempPath() + QStringLiteral("/tonewright-fuzz-XXXXXX"));
    fuzzFile() = dir.filePath(QStringLiteral("preset.json"));
    qInstallMessageHandler(dropMessage);
    setPromptHandler([](const PromptRequest &) { return QMessageBox::Ok; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    if (size == 0)
        return 0;
    const QByteArray input(reinterpret_cast<const char *>(data + 1), static_cast<int>(size - 1));
    {
        QFile file(fuzzFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write((data[0] & 1) ? presetFileFrom(input) : input);
    }
    // Let the id lists fill up now and then, so the full-list path is reached too.
    if (g_nPidCount >= kMaxIdListSize && g_nVidCount >= kMaxIdListSize) {
        g_nPidCount = 0;
        g_nVidCount = 0;
    }
    PresetStore store;
    store.m_qstrCurrentUserFileName = fuzzFile();
    if (store.readJsonFile(fuzzFile())) {
        store.m_qstrCurrentAlgorithm = store.m_deviceInfo.currentAlgorithm;
        store.m_qstrCurrentMode = store.m_deviceInfo.currentMode;
        store.m_qstrCurrentName = store.m_deviceInfo.currentName;
        store.m_listUserDevice.append(store.m_deviceInfo);
        store.fillCustomPreset();
        store.setDeviceUserParameter();
        for (const QString &stored : store.m_deviceInfo.defaultStereo + store.m_deviceInfo.customSurround)
            splitStoredPreset(stored);
        static const QString keys[] = {QStringLiteral("uuid"), QStringLiteral("customMode"),
                                       QStringLiteral("currentMode")};
        store.writeJsonFile(keys[(data[0] >> 1) % 3]);
    }
    return 0;
}
