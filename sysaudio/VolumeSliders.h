// The window's three volume sliders and their value boxes, kept in step with the
// sound server: the two equaliser pages' sliders drive the output volume, the
// microphone page's slider the level of the headset's microphone (and unmutes it).
//
// A plain class the main window inherits: it holds no QObject of its own, so the
// window hands over its widgets and itself (as parent of the timer and context of the
// connections) once, during construction.
#pragma once

#include <QByteArray>

class QObject;
class QSlider;
class QTextEdit;

struct VolumeWidgets {
    QSlider *Slider_Voice1 = nullptr;    // Surround page: output volume
    QTextEdit *textEdit = nullptr;
    QSlider *Slider_Voice1_2 = nullptr;  // Stereo page: output volume
    QTextEdit *textEdit_2 = nullptr;
    QSlider *Slider_Voice1_3 = nullptr;  // microphone page: microphone level
    QTextEdit *textEdit_3 = nullptr;
};

class VolumeSliders {
public:
    // Shows the output volume in the three boxes, puts both output sliders at it,
    // connects the three sliders and starts the 100 ms synchronisation (a timer owned
    // by `window`, running as long as the window lives). Nothing waits for the server:
    // when it has not answered yet, the first tick after it has does the showing.
    void initVolumeSliders(QObject *window, const VolumeWidgets &widgets);

    // A move of a slider: sets the server (unless the move only follows the server)
    // and shows the value in the slider's box.
    void on_Slider_Voice1_ValueChanged(int value);
    void on_Slider_Voice1_2_ValueChanged(int value);
    void on_Slider_Voice1_3_ValueChanged(int value);

    // The two halves of a synchronisation tick, run in this order: the Surround
    // page's slider, then the Stereo page's and the microphone slider follow the
    // server. They only show what the server has; nothing is written back, and a
    // slider whose level cannot be read (no such device, no server) stays where it
    // is. Each half reads only when the server's state changed since it last did.
    void syncSurroundVolume();
    void syncStereoAndMicVolume();

    // Writes a percent, in decimal, into a value box.
    static void showVolumeValue(QTextEdit *box, int value);

private:
    void showStartVolume();
    void onOutputSliderChanged(QTextEdit *box, int value);
    void followReading(QSlider *slider, bool (VolumeSliders::*read)(int &));
    void follow(QSlider *slider, int value);
    bool readOutputVolume(int &percent);
    bool readMicVolume(int &percent);
    void reportVolumeFailure(const char *step);
    bool serverChangedSince(unsigned long long &seen);
    void resyncOnNextTick();

    VolumeWidgets m_volumeWidgets;
    bool m_fFollowingSystem = false;   // true while a slider is moved to the server's value
    bool m_fStartVolumeShown = false;  // the boxes have shown the output volume once
    QByteArray m_lastVolumeFailure;    // the step logged last, so a lasting failure logs once
    // The server's change count each half of the tick last synchronised at.
    unsigned long long m_nSurroundSyncedAt = ~0ULL;
    unsigned long long m_nStereoSyncedAt = ~0ULL;
};
