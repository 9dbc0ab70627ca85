// Reading and writing one preset file. Every object is visited and written in ascending
// key order (QJsonObject keeps its keys sorted), so the keys of "defaultMode" decide the
// order of each mode's factory presets.
#include "presets/PresetStore.h"

#include "app/Conversion.h"
#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"
#include "platform/ReadRegularFile.h"
#include "platform/ReplaceFile.h"

#include <QDebug>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

#include <cctype>
#include <cerrno>


namespace {

// Far beyond any real preset file; a bigger one is no preset file of ours.
constexpr qint64 kMaxPresetFileSize = 1024 * 1024;

// The log keeps no more of a name than the name fields take.
QString loggedName(const QString &name)
{
    return name.left(kMaxPresetNameLength);
}

// Hex digits as the files write ids ("2e7a", "0x0411", " 411"): leading blanks and a
// "0x" prefix pass, parsing stops at the first other character (a sign too), no digits
// give 0, and the id is the low 16 bits of the number however many digits follow.
quint16 parseHexId(const QString &text)
{
    const QByteArray latin1 = text.toLatin1();
    const char *c = latin1.constData();
    while (*c != '\0' && std::isspace(static_cast<unsigned char>(*c)))
        ++c;
    if (c[0] == '0' && (c[1] == 'x' || c[1] == 'X'))
        c += 2;
    unsigned id = 0;
    for (; std::isxdigit(static_cast<unsigned char>(*c)); ++c) {
        const int digit = std::isdigit(static_cast<unsigned char>(*c)) ? *c - '0' : std::tolower(*c) - 'a' + 10;
        id = ((id << 4) | static_cast<unsigned>(digit)) & 0xFFFFu;
    }
    return static_cast<quint16>(id);
}

// Adds id to the first count entries of list unless it is already there or the list is full.
void addPermittedId(unsigned short *list, int &count, quint16 id)
{
    for (int i = 0; i < count; ++i) {
        if (list[i] == id)
            return;
    }
    if (count >= kMaxIdListSize) {
        qDebug().noquote() << "Id list full, id not added:" << QString::number(id, 16);
        return;
    }
    list[count++] = id;
}

QString keyList(const QJsonObject &object)
{
    return object.keys().join(QStringLiteral(", "));
}

void reportUnreadableFile()
{
    PromptRequest request;
    request.icon = QMessageBox::Critical;
    request.title = QStringLiteral("Error");
    request.text = QStringLiteral("Json File Is Error!");
    showPrompt(request);
}

} // namespace

// Opened without blocking, so a FIFO never holds the window, and judged on the opened
// file itself, so nothing can be swapped in between the test and the read.
bool PresetStore::readPresetFile(const QString &path, QByteArray &content)
{
    QString reason;
    switch (readRegularFile(path, kMaxPresetFileSize, content, reason)) {
    case ReadOutcome::Read:
        return true;
    case ReadOutcome::Missing:
        reason = qt_error_string(ENOENT);
        break;
    case ReadOutcome::Refused:
        break;
    }
    qWarning().noquote() << "Preset file not read:" << path + QLatin1Char(':') << reason;
    return false;
}

// Replaces the file as a whole: the old content stays until all of the new one is on the
// disk, so a crash or a full disk never leaves a truncated file behind. Content the reader
// would refuse is not written: the file stays as the last start read it. Nor is a file
// this run could not read: the window's list never held what it holds, and the user may
// mend it while the program runs; the next start reads it again.
bool PresetStore::savePresetFile(const QString &path, const QByteArray &content) const
{
    if (m_unreadUserFiles.contains(path)) {
        qWarning().noquote() << "Preset file not written, this run could not read it:" << path;
        return false;
    }
    if (content.size() > kMaxPresetFileSize) {
        qWarning().noquote() << "Preset file not written, it would exceed 1 MiB:" << path;
        return false;
    }
    if (markedReadOnly(path)) {
        qWarning().noquote() << "Preset file not written, it is marked read-only:" << path;
        return false;
    }
    QString error;
    if (!replaceFileContents(path, content, &error)) {
        qWarning().noquote() << "Preset file not written:" << error;
        return false;
    }
    return true;
}

bool PresetStore::readJsonFile(const QString &path)
{
    return readPresetDocument(path) != FileRead::Unreadable;
}

PresetStore::FileRead PresetStore::readPresetDocument(const QString &path, Failure failure)
{
    qDebug() << "====================readJsonFile====================";
    qDebug().noquote() << path;

    // An unreadable or refused file reads as empty, which is no JSON either: it gets the
    // same box, but the log keeps its own reason (given by readPresetFile) instead of
    // claiming a parse error for a file that may never have existed.
    QByteArray content;
    const bool read = readPresetFile(path, content);
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError) {
        if (read)
            qDebug().noquote() << "json Parse Error!" << path + QLatin1Char(':') << error.errorString() << "at offset"
                               << error.offset;
        if (failure == Failure::Box)
            reportUnreadableFile();
        return FileRead::Unreadable;
    }
    if (!document.isObject())
        return FileRead::NoObject;

    const QJsonObject root = document.object();
    qDebug().noquote() << keyList(root);
    for (auto it = root.constBegin(); it != root.constEnd(); ++it) {
        const QString key = it.key();
        const QJsonValue value = it.value();
        if (value.isString() && (key == QLatin1String("vid") || key == QLatin1String("pid")))
            readIdMember(key, value.toString());
        else if (value.isString() && key == QLatin1String("uuid"))
            readUuidMember(value.toString());
        else if (value.isArray() && key == QLatin1String("customMode"))
            readCustomModeMember(value.toArray());
        else if (value.isObject() && key == QLatin1String("defaultMode"))
            readDefaultModeMember(value.toObject());
        else if (value.isObject() && key == QLatin1String("mode"))
            readSelectionMember(value.toObject());
    }
    return FileRead::Object;
}

void PresetStore::readIdMember(const QString &key, const QString &text)
{
    const quint16 id = parseHexId(text);
    if (key == QLatin1String("vid")) {
        m_deviceInfo.vid = id;
        addPermittedId(g_sVidList, g_nVidCount, id);
    } else {
        m_deviceInfo.pid = id;
        addPermittedId(g_sPidList, g_nPidCount, id);
    }
}

void PresetStore::readUuidMember(const QString &text)
{
    unsigned char bytes[kUuidSize] = {};
    const QByteArray latin1 = text.toLatin1();
    // Never more than the four bytes of the id, however long the text.
    hexStringToBytes(latin1.constData(), bytes, sizeof bytes);
    std::copy(bytes, bytes + kUuidSize, m_deviceInfo.uuid);
}

void PresetStore::readCustomModeMember(const QJsonArray &items)
{
    m_deviceInfo.customCount = items.size();
    for (const QJsonValue &item : items) {
        m_scratchCustomParam = presetFromFileItem(item);
        qDebug().noquote() << m_scratchCustomParam.algorithm;
        qDebug().noquote() << loggedName(m_scratchCustomParam.name);
        qDebug().noquote() << m_scratchCustomParam.parameter;

        const QString stored = makeStoredPreset(m_scratchCustomParam.name, m_scratchCustomParam.parameter);
        if (m_scratchCustomParam.algorithm == kAlgorithmStereo)
            m_deviceInfo.customStereo.append(stored);
        else if (m_scratchCustomParam.algorithm == kAlgorithmSurround)
            m_deviceInfo.customSurround.append(stored);
        // Every item is kept, whatever its algorithm, and one the reader cannot use too:
        // with no algorithm it fills no slot, and it is written back as it was.
        m_listCustomParam.append(m_scratchCustomParam);
    }
}

void PresetStore::readDefaultModeMember(const QJsonObject &presets)
{
    qDebug().noquote() << "DefaultMode::" << keyList(presets);
    for (auto it = presets.constBegin(); it != presets.constEnd(); ++it) {
        if (!it.value().isObject())
            continue;
        const QJsonObject preset = it.value().toObject();
        qDebug().noquote() << keyList(preset);
        const QJsonValue algorithm = preset.value(QStringLiteral("algorithm"));
        const QJsonValue name = preset.value(QStringLiteral("name"));
        const QJsonValue parameter = preset.value(QStringLiteral("parameter"));
        // A preset counts once it has both a name and gains, extra keys or not.
        if (name.isUndefined() || parameter.isUndefined())
            continue;
        const QString entry = makeStoredPreset(name.toString(), parameter.toString());
        qDebug().noquote() << loggedName(entry);
        if (algorithm.toString() == kAlgorithmSurround)
            m_deviceInfo.defaultSurround.append(entry);
        else if (algorithm.toString() == kAlgorithmStereo)
            m_deviceInfo.defaultStereo.append(entry);
        ++m_deviceInfo.defaultCount;
    }
}

void PresetStore::readSelectionMember(const QJsonObject &selection)
{
    qDebug().noquote() << "CustomMode::" << keyList(selection);
    m_deviceInfo.currentAlgorithm = selection.value(QStringLiteral("algorithm")).toString();
    m_deviceInfo.currentMode = selection.value(QStringLiteral("mode")).toString();
    m_deviceInfo.currentName = selection.value(QStringLiteral("name")).toString();
}

bool PresetStore::writeJsonFile(const QString &key)
{
    qDebug().noquote() << "*** Write Json File" << key;
    qDebug().noquote() << m_qstrCurrentUserFileName;

    QByteArray content;
    if (!readPresetFile(m_qstrCurrentUserFileName, content)) {
        qDebug() << "Open Json File Error!";
        return false;
    }
    qDebug() << "Open Json File Success!";

    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(content, &error);
    if (error.error != QJsonParseError::NoError) {
        qDebug() << "json Parse Error!";
        return false;
    }
    // Only an object can take the member; anything else is kept as the user left it.
    if (!document.isObject()) {
        qDebug() << "*** write Json Fail! Not an object, file left unchanged";
        return false;
    }
    QJsonObject root = document.object();
    qDebug().noquote() << keyList(root);
    applyKeyToDocument(key, root);

    if (!savePresetFile(m_qstrCurrentUserFileName, QJsonDocument(root).toJson(QJsonDocument::Indented))) {
        qDebug() << "*** write Json Fail!";
        return false;
    }
    qDebug() << "*** write Json Success!";
    return true;
}

// Changes the one member the key names; an unknown key changes nothing.
void PresetStore::applyKeyToDocument(const QString &key, QJsonObject &root) const
{
    if (key == QLatin1String("uuid") && !root.contains(QStringLiteral("uuid"))) {
        char text[2 * kUuidSize + 1] = {};
        bytesToHexString(text, m_ucDeviceUuid, kUuidSize);
        root.insert(QStringLiteral("uuid"), QString::fromLatin1(text));
    } else if (key == QLatin1String("customMode")) {
        QJsonArray items;
        for (const PresetParam &preset : m_listCustomParam)
            items.append(fileItemOfPreset(preset));
        root.insert(QStringLiteral("customMode"), items);
    } else if (key == QLatin1String("currentMode")) {
        QJsonObject selection = root.value(QStringLiteral("mode")).toObject();
        selection.insert(QStringLiteral("algorithm"), m_qstrCurrentAlgorithm);
        selection.insert(QStringLiteral("mode"), m_qstrCurrentMode);
        selection.insert(QStringLiteral("name"), m_qstrCurrentName);
        root.insert(QStringLiteral("mode"), selection);
    }
}
