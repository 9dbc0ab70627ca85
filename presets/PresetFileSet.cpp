// Which preset files exist and when they are read: the default files at start-up, and
// for each newly seen headset its user file (made from the model's default file the
// first time), the custom modeSlots filled from it and its stored selection re-applied.
#include "presets/PresetStore.h"
#include "presets/PresetModeSelection.h"

#include "app/Conversion.h"
#include "app/Prompt.h"
#include "app/RuntimeFolder.h"
#include "headset/UsbHidOperation.h"
#include "platform/ReplaceFile.h"

#include <QCoreApplication>
#include <QDebug>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStandardPaths>

#include <algorithm>
#include <cerrno>
#include <cstring>

#include <unistd.h>

namespace {

// Makes the folder and any missing folders above it; a failure is logged with the
// system's reason, and what needs the folder then reports its own failure.
void makeFolder(const QString &path)
{
    if (QDir().mkpath(path))
        return;
    // mkpath ends with the failing mkdir, whose errno it leaves as it was.
    const QString reason = qt_error_string(errno);
    qWarning().noquote() << "Folder not made:" << path + QLatin1Char(':') << reason;
}

// Why no file can be made in the folder, in the system's words; empty when it could.
QString folderRefusal(const QString &folder)
{
    if (::access(QFile::encodeName(folder).constData(), W_OK | X_OK) == 0)
        return QString();
    return qt_error_string(errno);
}

} // namespace

PresetStore::PresetStore()
{
    if (QCoreApplication::instance())
        m_qstrAppDirPath = runtimeFilesFolder();
}

PresetStore::~PresetStore() = default;

void PresetStore::getFiles(const QString &folder, const QString &extension, QStringList &names)
{
    const QString pattern = extension.isEmpty() ? QStringLiteral("*") : QStringLiteral("*.") + extension;
    names += QDir(folder).entryList(QStringList{pattern}, QDir::Files, QDir::Name);
}

void PresetStore::readJsonFolder(const QString &folderName)
{
    const QString folder = m_qstrAppDirPath + QLatin1Char('/') + folderName;
    const int first = m_listJsonFileName.size();
    getFiles(folder, QStringLiteral("json"), m_listJsonFileName);
    for (int i = first; i < m_listJsonFileName.size(); ++i) {
        if (readJsonFile(folder + QLatin1Char('/') + m_listJsonFileName.at(i))) {
            m_listDefaultDevice.append(m_deviceInfo);
            clearDeviceRecord();
        }
    }
}

void PresetStore::getDefaultJsonFile()
{
    qDebug() << "***** Get Default Json File! *****";
    qDebug().noquote() << m_qstrAppDirPath;
    readJsonFolder(QStringLiteral("DefaultFile"));
}

void PresetStore::photoJsonFile()
{
    qDebug() << "***** Get Photo File! *****";
    readJsonFolder(QStringLiteral("photo"));
}

void PresetStore::makeJsonFileName()
{
    const QString ids = QStringLiteral("VID-") + QString::number(g_sOpenVid, 16) + QStringLiteral("&PID-")
                        + QStringLiteral("%1").arg(g_sOpenPid, 4, 16, QLatin1Char('0'));
    m_qstrDefaultFileName = m_qstrAppDirPath + QStringLiteral("/DefaultFile/") + ids + QStringLiteral(".json");

    const QString programFolder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                                  + QLatin1Char('/')
                                  + QFileInfo(QCoreApplication::applicationFilePath()).completeBaseName();
    const QString userFolder = programFolder + QStringLiteral("/UserFile/");
    makeFolder(programFolder);
    qDebug() << "dir->rmdir(m_qstrCurrentUserFileName)";
    makeFolder(userFolder);

    char uuid[2 * kUuidSize + 1] = {};
    bytesToHexString(uuid, m_ucDeviceUuid, kUuidSize);
    m_qstrCurrentUserFileName = userFolder + ids + QStringLiteral("&UUID-") + QString::fromLatin1(uuid)
                                + QStringLiteral(".json");
}

void PresetStore::checkUserJsonFile()
{
    // One this run could not read waits for the next start, even if it is gone since.
    if (m_unreadUserFiles.contains(m_qstrCurrentUserFileName))
        return;
    if (QFile::exists(m_qstrCurrentUserFileName)) {
        // A file without "uuid" (made before a crash, or edited by hand) would match no
        // headset, and every preset of this one would stay silent: it gets the id back.
        if (userFileLacksUuid()) {
            qDebug() << "User File has no uuid!";
            writeJsonFile(QStringLiteral("uuid"));
        }
        return;
    }
    qDebug() << "User File is not exist!";
    copyDefaultToUserFile();
}

bool PresetStore::userFileLacksUuid() const
{
    QByteArray content;
    if (!readPresetFile(m_qstrCurrentUserFileName, content))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(content);
    return document.isObject() && !document.object().contains(QStringLiteral("uuid"));
}

void PresetStore::copyDefaultToUserFile()
{
    if (!QFile::exists(m_qstrDefaultFileName)) {
        qDebug() << "Default File is not exist!";
        promptInformation(nullptr, QStringLiteral("prompt"), QStringLiteral("There is no default JSON file!"));
        m_nJsonFileStatus = -1;
        return;
    }
    if (!makeUserFileFromDefault()) {
        qDebug() << "***** CopyFile:: Copy Fail! *****";
        const QString reason = folderRefusal(QFileInfo(m_qstrCurrentUserFileName).absolutePath());
        qWarning().noquote() << "User preset file not made:" << m_qstrCurrentUserFileName + QLatin1Char(':')
                             << (reason.isEmpty() ? QStringLiteral("writing it failed") : reason);
        promptInformation(nullptr, QStringLiteral("warning"), QStringLiteral("JSON file generation failed!"));
        m_nJsonFileStatus = -2;
        return;
    }
    qDebug() << "***** CopyFile:: Copy Success *****";
}

// The user file appears complete or not at all: the default file's members with this
// headset's "uuid" (a "uuid" the default file brings stays), in one atomic write. A
// default file that is no JSON object is copied as it is; reading it reports it.
bool PresetStore::makeUserFileFromDefault()
{
    if (QFile::exists(m_qstrCurrentUserFileName))
        return false;
    QByteArray content;
    if (!readPresetFile(m_qstrDefaultFileName, content))
        return false;
    const QJsonDocument document = QJsonDocument::fromJson(content);
    if (document.isObject()) {
        QJsonObject root = document.object();
        applyKeyToDocument(QStringLiteral("uuid"), root);
        content = QJsonDocument(root).toJson(QJsonDocument::Indented);
    }
    return savePresetFile(m_qstrCurrentUserFileName, content);
}

void PresetStore::getUserJsonFile()
{
    m_listCustomParam.clear();
    clearHeadsetPresets();
    const bool read = readUserFile();
    if (!read && QFile::exists(m_qstrDefaultFileName))
        readDefaultFileInsteadOfUserFile();
    m_fCustomPresetsKept = read && userFileTakesWrites();
    qDebug() << "***** getUserJsonFile666! *****";
    qDebug().noquote() << m_qstrCurrentUserFileName;
    qDebug() << "***** getUserJsonFile666! *****";

    m_listUserDevice.clear();
    m_listUserDevice.append(m_deviceInfo);
    m_deviceInfo.defaultSurround.clear();
    m_deviceInfo.defaultStereo.clear();
    m_deviceInfo.customSurround.clear();
    m_deviceInfo.customStereo.clear();
    offerCustomPresets(m_fCustomPresetsKept);
}

// The user file into the records; false when there is none that this run can read.
// A file that was never made gets no box of its own: the user was told why it was not.
// A file this run cannot read (no JSON object, not a regular file) is left as it is
// until the next start: never written, and not read again in this run either, as the
// window could not keep what it would find there.
bool PresetStore::readUserFile()
{
    const QString &path = m_qstrCurrentUserFileName;
    if (m_unreadUserFiles.contains(path) || !QFile::exists(path))
        return false;
    if (readPresetDocument(path) == FileRead::Object)
        return true;
    qWarning().noquote() << "User preset file left as it is until the next start:" << path;
    m_unreadUserFiles.append(path);
    return false;
}

// A user file that was read keeps custom presets only if a Save can replace it: the user
// has not marked it read-only, and its folder takes the new file that replaces it.
// Otherwise its presets are still used, but none can be made, changed or deleted: the
// change would be gone at the next start.
bool PresetStore::userFileTakesWrites() const
{
    const QString &path = m_qstrCurrentUserFileName;
    const QString reason = markedReadOnly(path) ? QStringLiteral("it is marked read-only")
                                                : folderRefusal(QFileInfo(path).absolutePath());
    if (reason.isEmpty())
        return true;
    qWarning().noquote() << "User preset file cannot keep custom presets:" << path + QLatin1Char(':') << reason;
    return false;
}

// No user file to read (Documents not writable, say, or one that could not be read): the
// model's default file, of which the user file would have been a copy, stands in for it
// as this headset's record, so that its factory presets and stored selection still reach
// the headset. Custom presets have nowhere to be kept, so none are offered. A default
// file that cannot be read gets no box here: the user file's failure was shown already.
void PresetStore::readDefaultFileInsteadOfUserFile()
{
    if (readPresetDocument(m_qstrDefaultFileName, Failure::LogOnly) == FileRead::Unreadable)
        return;
    qDebug().noquote() << "No user preset file, factory presets from" << m_qstrDefaultFileName;
    std::memcpy(m_deviceInfo.uuid, m_ucDeviceUuid, kUuidSize);
    m_listCustomParam.clear();
}

// A newly read headset keeps nothing of the one before: record, selected modeSlots and the
// copies a Reset would restore.
void PresetStore::clearHeadsetPresets()
{
    clearDeviceRecord();
    m_nSurroundCustomId = 0;
    m_nStereoCustomId = 0;
    m_curSurroundCustom = PresetParam();
    m_curStereoCustom = PresetParam();
    m_fSurroundCustomLoaded = false;
    m_fStereoCustomLoaded = false;
}

void PresetStore::clearDeviceRecord()
{
    m_deviceInfo = DeviceJsonInfo();
}

void PresetStore::clearCurrentCustomParam()
{
    m_scratchCustomParam = PresetParam();
}

int PresetStore::fillModeSlots(const QString &algorithm)
{
    std::array<PresetParam, kCustomSlotCount> &modeSlots = *modeSelection(algorithm).modeSlots;
    int found = 0;
    for (const PresetParam &preset : m_listCustomParam) {
        if (preset.algorithm != algorithm)
            continue;
        if (found < kCustomSlotCount)
            modeSlots[static_cast<std::size_t>(found)] = preset;
        ++found;
    }
    for (int k = found; k < kCustomSlotCount; ++k)
        modeSlots[static_cast<std::size_t>(k)] = PresetParam();
    for (int k = 1; k <= kCustomSlotCount; ++k)
        showCustomSlotName(algorithm, k, modeSlots[static_cast<std::size_t>(k - 1)].name);
    return found;
}

void PresetStore::fillCustomPreset()
{
    for (const QString &algorithm : {kAlgorithmStereo, kAlgorithmSurround})
        *modeSelection(algorithm).customCount = std::min(fillModeSlots(algorithm), kCustomSlotCount);
}

void PresetStore::fillSurroundCustomSlots()
{
    m_nSurroundCustomCount = std::min(fillModeSlots(kAlgorithmSurround), kCustomSlotCount);
    showSurroundCustomSlots(m_nSurroundCustomCount);
}

void PresetStore::setDeviceUserParameter()
{
    qDebug() << "***** Set Device User Parameter!";
    m_currentDeviceInfo = DeviceJsonInfo();
    const QList<DeviceJsonInfo> records = m_listUserDevice;
    for (const DeviceJsonInfo &record : records) {
        if (record.vid != g_sOpenVid || record.pid != g_sOpenPid
            || std::memcmp(record.uuid, m_ucDeviceUuid, kUuidSize) != 0)
            continue;
        m_currentDeviceInfo = record;
        applyStoredSelection(record);
    }
}

void PresetStore::applyStoredSelection(const DeviceJsonInfo &record)
{
    if (record.currentAlgorithm != kAlgorithmSurround && record.currentAlgorithm != kAlgorithmStereo)
        return;
    const QString &algorithm = record.currentAlgorithm;
    const ModeSelection mode = modeSelection(algorithm);
    if (record.currentMode == QLatin1String("default")) {
        const int position = factoryPresetPosition(algorithm, record.currentName);
        if (position < 0)
            return;
        clickFactoryPreset(algorithm, position);
        *mode.state = mode.factoryState;
    } else if (record.currentMode == QLatin1String("custom")) {
        *mode.state = mode.customState;
        if (m_listCustomParam.isEmpty())
            return;
        openCustomList(algorithm);
        for (int k = 1; k <= kCustomSlotCount; ++k) {
            if (customSlotText(algorithm, k) == record.currentName) {
                clickCustomSlot(algorithm, k);
                *mode.customId = mode.idBase + k;
                return;
            }
        }
    }
}

void PresetStore::offerCustomPresets(bool) {}

void PresetStore::showCustomSlotName(const QString &, int, const QString &) {}

void PresetStore::showSurroundCustomSlots(int) {}

void PresetStore::clickFactoryPreset(const QString &, int) {}

void PresetStore::openCustomList(const QString &) {}

QString PresetStore::customSlotText(const QString &algorithm, int slot) const
{
    const auto &modeSlots = algorithm == kAlgorithmSurround ? m_surroundCustom : m_stereoCustom;
    return modeSlots[static_cast<std::size_t>(slot - 1)].name;
}

void PresetStore::clickCustomSlot(const QString &, int) {}
