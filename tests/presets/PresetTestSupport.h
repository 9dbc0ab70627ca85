// Shared by the preset suites: a store that records the window steps it asks for, a
// prompt recorder, and small file helpers.
#pragma once

#include "TestEnv.h"
#include "app/Prompt.h"
#include "headset/UsbHidOperation.h"
#include "presets/PresetStore.h"

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QStringList>

// Records each window step as one line, e.g. "factory Surround 3".
class RecordingStore : public PresetStore
{
public:
    QStringList steps;

protected:
    void showCustomSlotName(const QString &algorithm, int slot, const QString &name) override
    {
        steps << QStringLiteral("name %1 %2 %3").arg(algorithm).arg(slot).arg(name);
    }
    void showSurroundCustomSlots(int count) override { steps << QStringLiteral("show Surround %1").arg(count); }
    void clickFactoryPreset(const QString &algorithm, int listPosition) override
    {
        steps << QStringLiteral("factory %1 %2").arg(algorithm).arg(listPosition);
    }
    void openCustomList(const QString &algorithm) override { steps << QStringLiteral("open %1").arg(algorithm); }
    void clickCustomSlot(const QString &algorithm, int slot) override
    {
        steps << QStringLiteral("slot %1 %2").arg(algorithm).arg(slot);
    }
};

// Installs itself as the prompt handler for its lifetime; every prompt is "title|text".
struct PromptRecorder {
    QStringList prompts;
    PromptRecorder()
    {
        setPromptHandler([this](const PromptRequest &request) {
            prompts << request.title + QLatin1Char('|') + request.text;
            return QMessageBox::Ok;
        });
    }
    ~PromptRecorder() { setPromptHandler(PromptHandler()); }
};

inline void resetIdLists()
{
    g_nPidCount = 0;
    g_nVidCount = 0;
    std::fill(std::begin(g_sPidList), std::end(g_sPidList), 0);
    std::fill(std::begin(g_sVidList), std::end(g_sVidList), 0);
}

inline bool writeFile(const QString &path, const QByteArray &content)
{
    QDir().mkpath(path.section(QLatin1Char('/'), 0, -2));
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(content) == content.size();
}

inline QJsonObject readObject(const QString &path)
{
    return QJsonDocument::fromJson(tw::readFileBytes(path)).object();
}

inline QByteArray toJson(const QJsonObject &object)
{
    return QJsonDocument(object).toJson();
}
