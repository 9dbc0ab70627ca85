// Arbitrary bytes as the content of a preset file: read it as a default file would be,
// then rewrite each member as a user file. Nothing may crash or read out of bounds.
#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"
#include "presets/PresetStore.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
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

} // namespace

extern "C" int LLVMFuzzerInitialize(int *argc, char ***argv)
{
    static QCoreApplication app(*argc, *argv);
    static QTemporaryDir dir;
    fuzzFile() = dir.filePath(QStringLiteral("preset.json"));
    qInstallMessageHandler(dropMessage);
    setPromptHandler([](const PromptRequest &) { return QMessageBox::Ok; });
    return 0;
}

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t *data, std::size_t size)
{
    {
        QFile file(fuzzFile());
        if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate))
            return 0;
        file.write(reinterpret_cast<const char *>(data), static_cast<qint64>(size));
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
        store.fillCustomPreset();
        store.writeJsonFile(QStringLiteral("uuid"));
        store.writeJsonFile(QStringLiteral("customMode"));
        store.writeJsonFile(QStringLiteral("currentMode"));
    }
    return 0;
}
