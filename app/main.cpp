#include "app/AppShell.h"
#include "app/Autorun.h"
#include "app/LogHandler.h"
#include "window/MainWindow.h"
#include "platform/InstanceLock.h"
#include "platform/ScreenDpi.h"
#include "platform/ShowRequest.h"

#include <QApplication>

int main(int argc, char *argv[])
{
    // The scale passes through unrounded: at 144 DPI rounding 1.5 up to 2 would make the
    // fixed-size window larger than a 1440-line screen.
    QGuiApplication::setHighDpiScaleFactorRoundingPolicy(Qt::HighDpiScaleFactorRoundingPolicy::PassThrough);
    QApplication::setAttribute(Qt::AA_EnableHighDpiScaling);
    QApplication app(argc, argv);
    QApplication::setFont(scaledApplicationFont(QApplication::font(), screenDpiX()));
    setAutoRunRegistry(QCoreApplication::applicationFilePath());

    const QString key = QString::fromLatin1(kInstanceKey);
    InstanceLock marker(key);
    if (const std::optional<int> result = settleSingleInstance(marker))
        return *result;
    ShowRequestServer showRequests(key);

    loadApplicationFonts();
    qInstallMessageHandler(logMessageOutput);
    MainWindow window;
    showRequests.setShowHandler([&window] { window.bringBackWindow(); });
    window.showAsStarted();
    return app.exec();
}
