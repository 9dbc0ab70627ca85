#include "Writer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QImage>
#include <QProcess>
#include <QRegularExpression>
#include <QSvgGenerator>
#include <QTemporaryDir>
#include <QTextStream>
#include <QTransform>

namespace art {

namespace {

QImage render(const Artwork &artwork, const QSize &size, qreal phase)
{
    QImage image(size, QImage::Format_ARGB32_Premultiplied);
    image.fill(Qt::transparent);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    artwork.paint(p, size, phase);
    p.end();
    return image;
}

QString save(const QImage &image, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    return image.save(path, "PNG") ? QString() : QStringLiteral("cannot write ") + path;
}

// GIF keeps one level of transparency: pixels at least half covered become opaque,
// their soft edges blended over the dark panel the animations are shown on.
QImage hardenAlpha(const QImage &frame)
{
    static const QColor matte(20, 18, 48);
    QImage out = frame.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < out.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(out.scanLine(y));
        for (int x = 0; x < out.width(); ++x) {
            const QRgb px = line[x];
            const int a = qAlpha(px);
            if (a < 128) {
                line[x] = qRgba(0, 0, 0, 0);
                continue;
            }
            const auto mix = [a](int c, int m) { return (c * a + m * (255 - a)) / 255; };
            line[x] = qRgb(mix(qRed(px), matte.red()), mix(qGreen(px), matte.green()), mix(qBlue(px), matte.blue()));
        }
    }
    return out;
}

// ImageMagick assembles the GIF and the ICO; the toolkit writes neither.
QString runConvert(const QStringList &arguments)
{
    QProcess convert;
    convert.setProcessChannelMode(QProcess::ForwardedChannels);
    convert.start(QStringLiteral("convert"), arguments);
    if (!convert.waitForFinished(120000) || convert.exitStatus() != QProcess::NormalExit)
        return QStringLiteral("ImageMagick convert did not run (is imagemagick installed?)");
    return convert.exitCode() == 0 ? QString() : QStringLiteral("convert failed for ") + arguments.last();
}

QString writeAnimation(const Artwork &artwork, const QString &path)
{
    QTemporaryDir frames;
    QStringList arguments{QStringLiteral("-delay"), QString::number(artwork.frameDelayMs / 10),
                          QStringLiteral("-loop"), QStringLiteral("0"), QStringLiteral("-dispose"),
                          QStringLiteral("background")};
    for (int i = 0; i < artwork.frames; ++i) {
        const QString frame = frames.filePath(QStringLiteral("frame%1.png").arg(i, 3, 10, QLatin1Char('0')));
        const QString error = save(hardenAlpha(render(artwork, artwork.size, qreal(i) / artwork.frames)), frame);
        if (!error.isEmpty())
            return error;
        arguments << frame;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return runConvert(arguments << path);
}

QString writeWindowIcon(const Artwork &artwork, const QString &path)
{
    QTemporaryDir sizes;
    QStringList arguments;
    for (int side : windowIconSizes()) {
        const QString file = sizes.filePath(QStringLiteral("icon%1.png").arg(side, 3, 10, QLatin1Char('0')));
        const QString error = save(render(artwork, QSize(side, side), 0), file);
        if (!error.isEmpty())
            return error;
        arguments << file;
    }
    QDir().mkpath(QFileInfo(path).absolutePath());
    return runConvert(arguments << path);
}

// The generator states the picture's size in millimetres, which readers turn into pixels
// at differing resolutions; an icon's nominal size is meant in pixels.
QString sizeInPixels(const QString &path, const QSize &size)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return QStringLiteral("cannot read ") + path;
    QString text = QString::fromUtf8(file.readAll());
    file.close();
    text.replace(QRegularExpression(QStringLiteral("<svg width=\"[^\"]*\" height=\"[^\"]*\"")),
                 QStringLiteral("<svg width=\"%1\" height=\"%2\"").arg(size.width()).arg(size.height()));
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate) || file.write(text.toUtf8()) < 0)
        return QStringLiteral("cannot write ") + path;
    return QString();
}

QString writeVector(const Artwork &artwork, const QString &path)
{
    QDir().mkpath(QFileInfo(path).absolutePath());
    QSvgGenerator svg;
    svg.setFileName(path);
    svg.setSize(artwork.size);
    svg.setViewBox(QRect(QPoint(0, 0), artwork.size));
    svg.setTitle(QFileInfo(path).completeBaseName());
    svg.setDescription(QString());
    QPainter p;
    if (!p.begin(&svg))
        return QStringLiteral("cannot write ") + path;
    p.setRenderHint(QPainter::Antialiasing);
    artwork.paint(p, artwork.size, 0);
    if (!p.end())
        return QStringLiteral("cannot write ") + path;
    return sizeInPixels(path, artwork.size);
}

} // namespace

QString writeArtwork(const Artwork &artwork, const QString &root)
{
    const QString path = root + QLatin1Char('/') + artwork.file;
    switch (artwork.kind) {
    case Kind::Picture:
        return save(render(artwork, artwork.size, 0), path);
    case Kind::TabIcon: {
        // The west tab bar turns its icons a quarter anticlockwise, so the picture is drawn
        // upright on the turned canvas and stored turned the other way.
        const QImage upright = render(artwork, artwork.size.transposed(), 0);
        return save(upright.transformed(QTransform().rotate(90)), path);
    }
    case Kind::Animation:
        return writeAnimation(artwork, path);
    case Kind::WindowIcon:
        return writeWindowIcon(artwork, path);
    case Kind::Vector:
        return writeVector(artwork, path);
    }
    return QStringLiteral("unknown kind of artwork");
}

QString writeResourceFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Text))
        return QStringLiteral("cannot write ") + path;
    QTextStream out(&file);
    out.setCodec("UTF-8");
    out << "<!-- Written by tools/artwork; regenerate with the tw_artwork target. -->\n<RCC>\n";
    QStringList prefixes;
    for (const Artwork &a : catalogue())
        if (!a.prefix.isEmpty() && !prefixes.contains(a.prefix))
            prefixes << a.prefix;
    for (const QString &prefix : prefixes) {
        out << "    <qresource prefix=\"" << prefix << "\">\n";
        for (const Artwork &a : catalogue()) {
            if (a.prefix != prefix)
                continue;
            out << "        <file";
            if (a.name != a.file)
                out << " alias=\"" << a.name << '"';
            out << '>' << a.file << "</file>\n";
        }
        out << "    </qresource>\n";
    }
    out << "</RCC>\n";
    out.flush();
    return file.error() == QFile::NoError ? QString() : QStringLiteral("cannot write ") + path;
}

} // namespace art
