// The 7.1 speaker test on the Surround page and the microphone's noise cancellation.
#include "window/MainWindow.h"

#include "app/LogHandler.h"
#include "app/Prompt.h"
#include "headset/MyThread_Two.h"
#include "headset/UsbHidOperation.h"

#include <QDebug>
#include <QMediaPlayer>
#include <QMovie>
#include <QUrl>

namespace {

// The speaker positions in the order of the walk: front left, centre, front right,
// right, rear right, rear left, left. Each label's picture and animation share a name.
struct SpeakerPosition {
    QLabel *Ui_TonewrightClass::*label;
    const char *image;
};

constexpr int kPositions = 7;
constexpr int kLastStep = kPositions + 1; // the step that ends the test
const SpeakerPosition kSpeakerPositions[kPositions] = {
    {&Ui_TonewrightClass::label_Horn_LeftUp, "左上"},    {&Ui_TonewrightClass::label_Horn_Up, "上"},
    {&Ui_TonewrightClass::label_Horn_RightUp, "右上"},   {&Ui_TonewrightClass::label_Horn_Right, "右"},
    {&Ui_TonewrightClass::label_Horn_RightDown, "右下"}, {&Ui_TonewrightClass::label_Horn_LeftDown, "左下"},
    {&Ui_TonewrightClass::label_Horn_Left, "左"},
};
const QString kHeadAnimation = QStringLiteral(":/gif/pic/gif/PersonHead1.gif");

QString animationPath(int position)
{
    return QStringLiteral(":/gif/pic/gif/%1.gif").arg(QString::fromUtf8(kSpeakerPositions[position].image));
}

// The label's still picture, as the form gives it.
QString stillSheet(int position)
{
    return QStringLiteral("border-image: url(:/png/pic/png/%1.png);")
        .arg(QString::fromUtf8(kSpeakerPositions[position].image));
}

// The still picture put back when the walk moves on from a position.
QString walkedSheet(int position)
{
    return position == 0 ? stillSheet(position) : QStringLiteral("QLabel{%1}").arg(stillSheet(position));
}

void resumeMovie(QMovie *movie)
{
    if (!movie)
        return;
    if (movie->state() == QMovie::Paused)
        movie->setPaused(false);
    else
        movie->start();
}

void pauseMovie(QMovie *movie)
{
    if (movie && movie->state() == QMovie::Running)
        movie->setPaused(true);
}

} // namespace

// ---- Speaker test ------------------------------------------------------------------

void MainWindow::on_PushButton_PlayTest_Clicked()
{
    if (!g_hidDevice) {
        promptWarning(nullptr, QStringLiteral("warning"), QStringLiteral("Please Insert Device!"));
        return;
    }
    ui.pushButton_SurroundTest->setText(QStringLiteral("Testing"));
    if (m_nTestClickCount == 0) {
        m_nSurroundTestRun = true;
        loadSpeakerGifs();
        playTestAudio();
    } else if (m_player) {
        holdSpeakerTest(m_nTestClickCount % 2 == 1);
    }
    ++m_nTestClickCount;
}

// Pauses (hold) or resumes the sound, the sequencer and the two running animations.
void MainWindow::holdSpeakerTest(bool hold)
{
    ui.pushButton_SurroundTest->setText(hold ? QStringLiteral("Test") : QStringLiteral("Testing"));
    m_nSurroundTestRun = !hold;
    if (hold)
        m_player->pause();
    else
        m_player->play();
    if (m_pMyThreadTwo)
        m_pMyThreadTwo->m_fPause = hold ? 1 : 0;
    QMovie *current = m_nSpeakerStep > 0 ? m_pSpeakerMovies[m_nSpeakerStep - 1] : nullptr;
    for (QMovie *movie : {m_pHeadMovie, current}) {
        if (hold)
            pauseMovie(movie);
        else
            resumeMovie(movie);
    }
}

void MainWindow::loadSpeakerGifs()
{
    releaseSpeakerMovies(); // whatever the last test left
    m_pHeadMovie = new QMovie(kHeadAnimation, QByteArray(), this);
    for (int i = 0; i < kPositions; ++i)
        m_pSpeakerMovies[i] = new QMovie(animationPath(i), QByteArray(), this);

    ui.label_PersonGif->setStyleSheet(QString());
    ui.label_PersonGif->setMovie(m_pHeadMovie);
    ui.label_PersonGif->setScaledContents(true);
    m_pHeadMovie->start();
    for (int i = 0; i < kPositions; ++i) {
        QLabel *label = ui.*kSpeakerPositions[i].label;
        label->setMovie(m_pSpeakerMovies[i]);
        label->setScaledContents(true);
    }
}

void MainWindow::playTestAudio()
{
    const QString path = m_qstrAppDirPath + QStringLiteral("/audio/test.wav");
    qDebug() << "MediaPlayer Play Audio!";
    m_player = new QMediaPlayer(this);
    QMediaPlayer *player = m_player;
    // Without a sound server or a playable file the walk goes on all the same; the
    // reason is only logged.
    connect(player, QOverload<QMediaPlayer::Error>::of(&QMediaPlayer::error), this,
            [player](QMediaPlayer::Error) { qWarning() << "[MediaPlayer]" << player->errorString(); });
    m_player->setMedia(QMediaContent(QUrl::fromLocalFile(path)));
    m_player->setVolume(50);
    m_player->play();
    if (m_pMyThreadTwo) {
        m_pMyThreadTwo->m_fPause = 0;
        m_pMyThreadTwo->m_fActive = 1;
    } else {
        qDebug() << "Please Input Device!";
    }
}

void MainWindow::on_SLOTSetMicTimer_LabelUI(int step)
{
    qDebug() << "SLOT::SetUI!";
    // The sequencer's steps come queued: one may still arrive after the test it
    // belongs to was stopped or ended. Only the next step of the running walk counts.
    if (!m_player || step != m_nSpeakerStep + 1)
        return;
    if (step < kLastStep)
        showSpeakerStep(step);
    else
        endSpeakerTest();
}

void MainWindow::showSpeakerStep(int step)
{
    const int position = step - 1;
    if (position > 0) {
        QLabel *previous = ui.*kSpeakerPositions[position - 1].label;
        releaseSpeakerMovie(position - 1);
        previous->clear();
        previous->setStyleSheet(walkedSheet(position - 1));
        (ui.*kSpeakerPositions[position].label)->setStyleSheet(QString());
    }
    // A step already under way when the test was paused waits for the resume.
    if (m_nSurroundTestRun && m_pSpeakerMovies[position])
        m_pSpeakerMovies[position]->start();
    m_nSpeakerStep = step;
}

void MainWindow::endSpeakerTest()
{
    qDebug() << "m_player is stop!";
    m_player->stop();
    qDebug() << "mediaStatus == " << m_player->mediaStatus();
    restSpeakerTest();
}

void MainWindow::stopSpeakerTest()
{
    if (!m_nSurroundTestRun)
        return; // a paused test stays paused until the next click
    if (m_pMyThreadTwo)
        m_pMyThreadTwo->m_fActive = 0;
    if (m_player)
        m_player->stop();
    if (m_nSpeakerStep >= 1 && m_nSpeakerStep <= kPositions) {
        const int position = m_nSpeakerStep - 1;
        (ui.*kSpeakerPositions[position].label)->clear();
        (ui.*kSpeakerPositions[position].label)->setStyleSheet(stillSheet(position));
    }
    restSpeakerTest();
}

// Back to idle after the last step or a stop: the player and the position animations
// are let go, the head animation holds its frame until the next test replaces it.
void MainWindow::restSpeakerTest()
{
    dropTestPlayer();
    if (m_pHeadMovie)
        m_pHeadMovie->stop();
    for (int i = 0; i < kPositions; ++i)
        releaseSpeakerMovie(i);
    ui.label_Horn_Left->clear();
    ui.label_Horn_Left->setStyleSheet(walkedSheet(kPositions - 1));
    ui.pushButton_SurroundTest->setText(QStringLiteral("Test"));
    m_nSpeakerStep = 0;
    m_nSurroundTestRun = false;
    m_nTestClickCount = 0;
    // A pause clicked while the last step was on its way must not hold the next test.
    if (m_pMyThreadTwo)
        m_pMyThreadTwo->m_fPause = 0;
}

void MainWindow::dropTestPlayer()
{
    if (!m_player)
        return;
    m_player->disconnect(this);
    m_player->deleteLater();
    m_player = nullptr;
}

void MainWindow::releaseSpeakerMovie(int position)
{
    delete m_pSpeakerMovies[position];
    m_pSpeakerMovies[position] = nullptr;
}

void MainWindow::releaseSpeakerMovies()
{
    for (int i = 0; i < kPositions; ++i)
        releaseSpeakerMovie(i);
    delete m_pHeadMovie;
    m_pHeadMovie = nullptr;
}

void MainWindow::on_PushButton_Horn_LeftUp_Clicked() {}

// ---- Microphone noise cancellation ------------------------------------------------------

void MainWindow::sendNoiseCancellation(bool on, const char *slot)
{
    usbHidSend_SetAlgorithmSwitch(1, 0, on ? 1 : 2, 0);
    debugLog(QStringLiteral("MicENC Switch"), on ? QStringLiteral("Open ENC") : QStringLiteral("CLose ENC"),
             QStringLiteral(__FILE__), QString::fromLatin1(slot), __LINE__);
}

void MainWindow::On_Button_MousePressEvent()
{
    sendNoiseCancellation(true, "On_Button_MousePressEvent");
    ui.pushButton_3->setStyleSheet(
        QStringLiteral("QPushButton{background-color: rgb(14,12,56);border-top-right-radius:5px;"
                       "border-bottom-right-radius: 5px;color:rgb(100,100,100)}"));
    ui.pushButton_2->setStyleSheet(QStringLiteral(
        "QPushButton{border-radius: 5px; color:rgb(255,255,255);border: none;background-color: rgb(196,40,26)}"));
    ui.pushButton_2->raise();
}

void MainWindow::Off_Button_MousePressEvent()
{
    sendNoiseCancellation(false, "Off_Button_MousePressEvent");
    ui.pushButton_2->setStyleSheet(
        QStringLiteral("QPushButton{background-color: rgb(14,12,56);border-top-left-radius: 5px;"
                       "border-bottom-left-radius:5px;color:rgb(100,100,100)}"));
    ui.pushButton_3->setStyleSheet(QStringLiteral(
        "QPushButton{color:rgb(255,255,255);border-radius: 5px; border: none;background-color: rgb(196,40,26)}"));
    ui.pushButton_3->raise();
}

void MainWindow::on_CheckBox_MicENC_Clicked()
{
    sendNoiseCancellation(ui.checkBox_MicENC->isChecked(), "on_CheckBox_MicENC_Clicked");
}
