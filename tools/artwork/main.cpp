// Draws Tonewright's artwork: every picture, animation and icon the window uses, the
// headset pictures laid beside the program, the menu icons, the speaker-test sound and
// the resource file.
//
//   tw_artwork_gen <resources folder>
#include "Catalogue.h"
#include "TestSound.h"
#include "Writer.h"

#include <QDir>
#include <QGuiApplication>

#include <cstdio>

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv); // fonts for the captions drawn into the pictures
    const QStringList args = QCoreApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "usage: %s <resources folder>\n", qPrintable(args.value(0)));
        return 2;
    }
    const QString root = QDir(args.at(1)).absolutePath();
    QStringList errors;
    for (const art::Artwork &artwork : art::catalogue()) {
        const QString error = art::writeArtwork(artwork, root);
        if (!error.isEmpty())
            errors << error;
    }
    QString error = art::writeResourceFile(root + QStringLiteral("/artwork.qrc"));
    if (!error.isEmpty())
        errors << error;
    QDir().mkpath(root + QStringLiteral("/audio"));
    if (!art::writeTestSound(root + QStringLiteral("/audio/test.wav")))
        errors << QStringLiteral("cannot write the test sound");
    for (const QString &e : errors)
        std::fprintf(stderr, "tw_artwork_gen: %s\n", qPrintable(e));
    return errors.isEmpty() ? 0 : 1;
}
