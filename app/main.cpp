#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/LogHandler.h"
#include "window/MainWindow.h"
#include "platform/InstanceLock.h"
#include "platform/ScreenDpi.h"
#include "platform/ShowRequest.h"
#include "platform/StandardStreams.h"
#include "platform/WindowSystem.h"
#include "platform/XdgBaseFolders.h"

#include <QApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    protectStandardStreams();
    dropInvalidXdgFolders();
    // The scale passes through unrounded: at 144 DPI rounding 1.5 up to 2 would make the
    // fixed-size window larger than a 1440-line screen.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    const QString missing = missingWindowSystem(argc, argv);
    if (!missing.isEmpty()) {
        std::fprintf(stderr, "tonewright: cannot start: %s\n", missing.toLocal8Bit().constData());
        return 1;
    }
    QApplication app(argc, argv);
    QApplication::setFont(scaledApplicationFont(QApplication::font(), screenDpiX()));

    const QString key = QString::fromLatin1(kInstanceKey);
    InstanceLock marker(key);
    if (const std::optional<int> result = settleSingleInstance(marker))
        return *result;
    ShowRequestServer showRequests(key);

    loadApplicationFonts();
    qInstallMessageHandler(logMessageOutput);
    // Only the start that runs the program points the log-on entry at itself: a refused
    // second copy (another build, another prefix) leaves it to the one running.
    setAutoRunRegistry(QCoreApplication::applicationFilePath());
    MainWindow window;
    showRequests.setShowHandler([&window] { window.bringBackWindow(); });
    window.showAsStarted();
    return app.exec();
}
