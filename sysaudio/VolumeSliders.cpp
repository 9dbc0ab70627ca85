#include "sysaudio/VolumeSliders.h"

#include "sysaudio/SystemVolume.h"

#include <QDebug>
#include <QSlider>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int kSyncIntervalMs = 100;
}

void VolumeSliders::initVolumeSliders(QObject *window, const VolumeWidgets &widgets)
{
    m_volumeWidgets = widgets;
    showStartVolume();
    int percent = 0;
    // Each output slider is put at the server's volume before its handler is
    // connected, so this first value is not written back.
    if (readOutputVolume(percent))
        widgets.Slider_Voice1->setValue(percent);
    QObject::connect(widgets.Slider_Voice1, &QSlider::valueChanged, window,
                     [this](int value) { on_Slider_Voice1_ValueChanged(value); });
    if (readOutputVolume(percent))
        widgets.Slider_Voice1_2->setValue(percent);
    QObject::connect(widgets.Slider_Voice1_2, &QSlider::valueChanged, window,
                     [this](int value) { on_Slider_Voice1_2_ValueChanged(value); });
    QObject::connect(widgets.Slider_Voice1_3, &QSlider::valueChanged, window,
                     [this](int value) { on_Slider_Voice1_3_ValueChanged(value); });

    auto *timer = new QTimer(window);
    timer->start(kSyncIntervalMs);
    QObject::connect(timer, &QTimer::timeout, window, [this] { syncSurroundVolume(); });
    QObject::connect(timer, &QTimer::timeout, window, [this] { syncStereoAndMicVolume(); });
}

void VolumeSliders::on_Slider_Voice1_ValueChanged(int value)
{
    onOutputSliderChanged(m_volumeWidgets.textEdit, value);
}

void VolumeSliders::on_Slider_Voice1_2_ValueChanged(int value)
{
    onOutputSliderChanged(m_volumeWidgets.textEdit_2, value);
}

void VolumeSliders::on_Slider_Voice1_3_ValueChanged(int value)
{
    // Only the user's own move unmutes: a level that merely follows the server
    // must not undo a mute set elsewhere.
    if (!m_fFollowingSystem) {
        setMicMuteAndVolume(false, static_cast<float>(value));
        resyncOnNextTick();
    }
    showVolumeValue(m_volumeWidgets.textEdit_3, value);
}

void VolumeSliders::resyncOnNextTick()
{
    // A user's move the server did not take (a level it refused, say) is undone by
    // the next tick, as if it had read the server; one with nothing to read back (no
    // microphone, no server) stays where the user put it.
    m_nSurroundSyncedAt = m_nStereoSyncedAt = ~0ULL;
}

bool VolumeSliders::serverChangedSince(unsigned long long &seen)
{
    // Nothing changed since this half of the tick last looked: the sliders already
    // show what the server has, and an idle desktop costs no reading at all.
    const unsigned long long now = systemVolumeChangeCount();
    if (now == seen)
        return false;
    seen = now;
    return true;
}

void VolumeSliders::showStartVolume()
{
    int percent = 0;
    if (!readOutputVolume(percent))
        return;
    for (QTextEdit *box : {m_volumeWidgets.textEdit, m_volumeWidgets.textEdit_2, m_volumeWidgets.textEdit_3})
        showVolumeValue(box, percent);
    m_fStartVolumeShown = true;
}

void VolumeSliders::syncSurroundVolume()
{
    if (!serverChangedSince(m_nSurroundSyncedAt))
        return;
    // The server was not there yet at construction: the boxes get what they would have shown.
    if (!m_fStartVolumeShown)
        showStartVolume();
    followReading(m_volumeWidgets.Slider_Voice1, &VolumeSliders::readOutputVolume);
}

void VolumeSliders::syncStereoAndMicVolume()
{
    if (!serverChangedSince(m_nStereoSyncedAt))
        return;
    followReading(m_volumeWidgets.Slider_Voice1_2, &VolumeSliders::readOutputVolume);
    followReading(m_volumeWidgets.Slider_Voice1_3, &VolumeSliders::readMicVolume);
}

void VolumeSliders::showVolumeValue(QTextEdit *box, int value)
{
    box->setText(QString::number(value));
}

void VolumeSliders::onOutputSliderChanged(QTextEdit *box, int value)
{
    if (!m_fFollowingSystem) {
        try {
            setSystemVolume(value);
            m_lastVolumeFailure.clear();
        } catch (const char *step) {
            reportVolumeFailure(step);
        }
        resyncOnNextTick();
    }
    showVolumeValue(box, value);
}

void VolumeSliders::followReading(QSlider *slider, bool (VolumeSliders::*read)(int &))
{
    // Nothing read (no device, no server) says nothing about the level: the slider
    // stays where it is rather than dropping to 0.
    int percent = 0;
    if ((this->*read)(percent))
        follow(slider, percent);
}

void VolumeSliders::follow(QSlider *slider, int value)
{
    if (slider->value() == value)
        return;
    m_fFollowingSystem = true;
    slider->setValue(value);  // its handler shows the value in the box
    m_fFollowingSystem = false;
}

bool VolumeSliders::readOutputVolume(int &percent)
{
    try {
        percent = getSystemVolume();
        m_lastVolumeFailure.clear();
        return true;
    } catch (const char *step) {
        reportVolumeFailure(step);
        return false;
    }
}

bool VolumeSliders::readMicVolume(int &percent)
{
    // getMicVolume leaves the value alone when there is no microphone to read.
    constexpr int kUnread = -1;
    int read = kUnread;
    getMicVolume(read);
    if (read == kUnread)
        return false;
    percent = read;
    return true;
}

void VolumeSliders::reportVolumeFailure(const char *step)
{
    // Every tick would repeat the same failure ten times a second; log each new one.
    // A connection still being made is no failure yet: the tick after the server has
    // answered reads again.
    if (m_lastVolumeFailure == step || systemVolumeConnecting())
        return;
    m_lastVolumeFailure = step;
    qWarning().noquote() << QStringLiteral("[SystemVolume::%1 Fail!]").arg(QString::fromLatin1(step));
}
