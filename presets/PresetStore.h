// The preset side of the main window: the records read from the preset files, the
// custom slots, the current selection, and the operations on the preset files.
//
// MainWindow inherits this class, so its members and methods are the window's own; the
// few steps that need the window's buttons are the virtual hooks at the end, which the
// window overrides (they do nothing here).
//
// Files: a read-only default file per headset model in <run-time files>/DefaultFile/
// ("VID-2e7a&PID-0411.json"), and a user file per headset in
// <Documents>/<program name>/UserFile/ ("VID-2e7a&PID-0411&UUID-0a1b2c3d.json"), made
// as a copy of the default file and the only preset file ever written.
#pragma once

#include "presets/PresetRecords.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <array>

class QJsonArray;
class QJsonObject;

class PresetStore
{
public:
    PresetStore();
    virtual ~PresetStore();

    // Reads one preset file into m_deviceInfo and m_listCustomParam and adds its ids to
    // the headset link's lists of permitted ids. Clears nothing first. False (after the
    // "Json File Is Error!" box) only when the file is unreadable or not valid JSON.
    bool readJsonFile(const QString &path);

    // Rewrites one member of the user file m_qstrCurrentUserFileName: "uuid" (added only
    // when missing), "customMode" (from m_listCustomParam) or "currentMode" (the "mode"
    // object from the current-selection strings). Every other member is kept. The file
    // is replaced atomically; false when nothing was written.
    bool writeJsonFile(const QString &key);

    // Appends to names the files of folder matching "*.<extension>" ("*" when the
    // extension is empty), in name order.
    void getFiles(const QString &folder, const QString &extension, QStringList &names);

    void getDefaultJsonFile();   // start-up: every default file; fills the permitted ids
    void photoJsonFile();        // the same over the photo folder (nothing uses it)

    // A headset with a new unique id (m_ucDeviceUuid, g_sOpenVid, g_sOpenPid), in order:
    void makeJsonFileName();      // the two file paths; makes the user folder
    void checkUserJsonFile();     // makes the user file if missing, adds a missing "uuid"
    void copyDefaultToUserFile(); // the default file's members and this headset's "uuid", one write
    // Reads the user file into m_listUserDevice, m_listCustomParam; when none could be
    // made or read, the default file's presets stand in, without custom presets.
    void getUserJsonFile();
    void fillCustomPreset();      // custom slots 1..5 of each mode from m_listCustomParam
    void setDeviceUserParameter(); // keeps the headset's record, re-applies its stored selection

    // Whether the headset's user file was read and can keep custom presets (it can be
    // replaced: not marked read-only, its folder writable); false before any headset and
    // while the default file stands in for the user file.
    bool customPresetsKept() const { return m_fCustomPresetsKept; }

    void clearDeviceRecord();
    void clearCurrentCustomParam();
    void fillSurroundCustomSlots();

    // Custom slots of one mode ("Surround" or "Stereo"); slot k is 1..5. The used slots
    // are always 1..n, n never above five whatever the file held.
    int usedCustomSlots(const QString &algorithm) const;
    int selectedCustomSlot(const QString &algorithm) const; // 1..5 from the selected id, else 0
    // The selected slot while the mode's page shows the custom list and the slot is used; else 0.
    int shownCustomSlot(const QString &algorithm) const;
    const PresetParam &customSlot(const QString &algorithm, int slot) const;
    void setCustomLoaded(const QString &algorithm, bool loaded);
    bool customLoaded(const QString &algorithm) const;
    void selectCustomSlotRecord(const QString &algorithm, int slot); // custom state and id
    // The slot's gains into the mode's gain strings and current copy; false when it has none.
    bool loadCustomSlot(const QString &algorithm, int slot);
    // A new "New Equalizer" slot after the used ones, its entry after theirs in the list;
    // its number, 0 when all five are used.
    int addCustomSlot(const QString &algorithm, const QString &gainText);
    // Saves name and gains into the slot and its entry of the list. The used slots are
    // the mode's first entries of m_listCustomParam, each changed in its place; every
    // other entry stays as it was read.
    void storeCustomSlot(const QString &algorithm, int slot, const QString &name, const QString &gainText);
    void rebuildCustomList(const QString &algorithm);
    // The index of the mode's slot-th entry of m_listCustomParam, -1 when there is none.
    int modeEntryIndex(const QString &algorithm, int slot) const;
    // The slot's own entry of m_listCustomParam; -1 when the list no longer holds it.
    int customEntryIndex(const QString &algorithm, int slot) const;
    bool removeCustomEntry(const QString &algorithm, int slot);
    // Moves the slots after slot up by one and empties the last used one; returns the
    // used count before the move, 0 when slot was not a used slot (nothing moved).
    int shiftCustomSlots(const QString &algorithm, int slot);
    // One used slot fewer; with none left the selection goes too. Returns the new count.
    int dropCustomSlot(const QString &algorithm);

    // Records.
    DeviceJsonInfo m_deviceInfo;            // what readJsonFile fills
    DeviceJsonInfo m_currentDeviceInfo;     // the connected headset's user-file record
    QList<DeviceJsonInfo> m_listDefaultDevice;
    QList<DeviceJsonInfo> m_listUserDevice;
    QList<PresetParam> m_listCustomParam;   // custom presets of the user file, file order
    PresetParam m_scratchCustomParam;
    std::array<PresetParam, kCustomSlotCount> m_stereoCustom;   // slot k at index k-1
    std::array<PresetParam, kCustomSlotCount> m_surroundCustom;
    PresetParam m_curStereoCustom;
    PresetParam m_curSurroundCustom;
    bool m_fStereoCustomLoaded = false;
    bool m_fSurroundCustomLoaded = false;
    EqGainValues m_stereoGain;
    EqGainValues m_surroundGain;

    // Files.
    QStringList m_listJsonFileName;
    QString m_qstrAppDirPath;               // the run-time files' folder (runtimeFilesFolder)
    QString m_qstrDefaultFileName;
    QString m_qstrCurrentUserFileName;
    int m_nJsonFileStatus = 0;              // -1 default file missing, -2 user file not made

    // The headset whose user file is loaded, and the selection.
    unsigned char m_ucDeviceUuid[kUuidSize] = {};
    QString m_qstrCurrentAlgorithm;
    QString m_qstrCurrentMode;
    QString m_qstrCurrentName;
    int m_nSurroundState = 101;             // 101 factory preset, 102 custom list
    int m_nStereoState = 201;               // 201 factory preset, 202 custom list
    int m_nSurroundCustomId = 0;            // 21..25, 0 none
    int m_nStereoCustomId = 0;              // 41..45, 0 none
    int m_nSurroundCustomCount = 0;
    int m_nStereoCustomCount = 0;

protected:
    // Window steps of the operations above (all do nothing here). algorithm is
    // "Surround" or "Stereo"; slot is 1..5.
    // Offer the controls that make a custom preset, or take them away.
    virtual void offerCustomPresets(bool offered);
    // Give slot's radio button the name as its text.
    virtual void showCustomSlotName(const QString &algorithm, int slot, const QString &name);
    // Show the Surround custom group and the first count slot buttons, hide the others.
    virtual void showSurroundCustomSlots(int count);
    // Click the factory preset button whose entry sits at this default-list position.
    virtual void clickFactoryPreset(const QString &algorithm, int listPosition);
    // Switch to the mode's tab (running the tab handler) and click its Customize button.
    virtual void openCustomList(const QString &algorithm);
    // The text of the slot's radio button; here the slot's name.
    virtual QString customSlotText(const QString &algorithm, int slot) const;
    // Click the slot's radio button.
    virtual void clickCustomSlot(const QString &algorithm, int slot);

private:
    // What reading a preset file found.
    enum class FileRead { Unreadable, NoObject, Object };
    // Whether a file that cannot be read gets the error box, or only its log lines.
    enum class Failure { Box, LogOnly };
    FileRead readPresetDocument(const QString &path, Failure failure = Failure::Box);
    bool readUserFile();
    bool userFileTakesWrites() const;

    // Preset files are small: only a regular file of at most 1 MiB is read (false for
    // anything else, a FIFO or a device included, which is left untouched).
    static bool readPresetFile(const QString &path, QByteArray &content);
    // Writes the file atomically; false (nothing changed) when it is marked read-only,
    // this run could not read it, or the content is more than readPresetFile takes.
    bool savePresetFile(const QString &path, const QByteArray &content) const;
    bool makeUserFileFromDefault();
    bool userFileLacksUuid() const;

    bool m_fCustomPresetsKept = false;
    QStringList m_unreadUserFiles; // user files this run could not read; never written in it

    struct ModeSelection;
    ModeSelection modeSelection(const QString &algorithm);
    ModeSelection modeSelection(const QString &algorithm) const;
    int fillModeSlots(const QString &algorithm);

    void readJsonFolder(const QString &folderName);
    void readIdMember(const QString &key, const QString &text);
    void readUuidMember(const QString &text);
    void readCustomModeMember(const QJsonArray &items);
    void readDefaultModeMember(const QJsonObject &presets);
    void readSelectionMember(const QJsonObject &selection);
    void applyKeyToDocument(const QString &key, QJsonObject &root) const;
    void applyStoredSelection(const DeviceJsonInfo &record);
    void clearHeadsetPresets();
    void readDefaultFileInsteadOfUserFile();
};
