// Looks at and changes the private test server from outside, the way a user's own
// sound settings would: through pactl, never through the program's own layer.
#pragma once

#include <QString>
#include <QStringList>
#include <QVector>

namespace pactl {

// Runs pactl with `arguments` against PULSE_SERVER; returns its output ("" on failure).
QString run(const QStringList &arguments);

// The raw volume of each channel of a "sink" or "source".
QVector<unsigned> volumes(const QString &kind, const QString &name);
// The loudest channel, as the percent pactl rounds it to.
int percent(const QString &kind, const QString &name);
bool muted(const QString &kind, const QString &name);

// Every device back to 100 % and unmuted, the speakers the default output.
void resetDevices();

} // namespace pactl

// Device kinds, as pactl names them.
inline const QString kSink = QStringLiteral("sink");
inline const QString kSource = QStringLiteral("source");

// The devices of the test server (tests/sysaudio/pulse-server.sh).
inline const QString kSpeakers = QStringLiteral("tw_speakers");      // default output, "扬声器 Speakers"
inline const QString kHeadphones = QStringLiteral("tw_headphones");
inline const QString kHeadsetMic = QStringLiteral("tw_headset_mic"); // "Headset"
inline const QString kUsbMic = QStringLiteral("tw_usb_mic");         // "麦克风 (USB)"
inline const QStringList kMonitors = {QStringLiteral("tw_speakers.monitor"), QStringLiteral("tw_headphones.monitor")};
// The servers without a capture device ("bare" and "pipewire"): their one output's monitor.
inline const QString kOnlyOutput = QStringLiteral("tw_only_output");
inline const QString kOnlyOutputMonitor = kOnlyOutput + QStringLiteral(".monitor");
