#include "app/Conversion.h"

#include "app/Prompt.h"

#include <QByteArray>
#include <QFile>
#include <QFontDatabase>
#include <QStringList>
#include <QtDebug>

#include <cstdio>
#include <cstdlib>

void bytesToHexString(char *text, const unsigned char *bytes, int n)
{
    for (int i = 0; i < n; ++i)
        std::snprintf(text + 2 * i, 3, "%02x", static_cast<unsigned>(bytes[i]));
}

void hexStringToBytes(const char *text, unsigned char *bytes, std::size_t capacity)
{
    for (std::size_t i = 0; i < capacity && text[2 * i] != '\0'; ++i) {
        const char pair[3] = {text[2 * i], text[2 * i + 1], '\0'};
        char *end = nullptr;
        const unsigned long value = std::strtoul(pair, &end, 16);
        bytes[i] = (end == pair) ? 0 : static_cast<unsigned char>(value & 0xFF);
        if (text[2 * i + 1] == '\0')
            break;
    }
}

void initPlaceholder() {}

int ansiToWide(const char *text, wchar_t *wide, int capacity)
{
    const QString converted = QString::fromLocal8Bit(text);
    const QVector<uint> codePoints = converted.toUcs4();
    const int needed = codePoints.size() + 1;
    if (capacity < needed)
        return promptWarning(nullptr, QStringLiteral("转换成UNICODE字串失败"), converted);
    for (int i = 0; i < codePoints.size(); ++i)
        wide[i] = static_cast<wchar_t>(codePoints[i]);
    wide[codePoints.size()] = L'\0';
    return needed;
}

QString loadFontFamilyFromFile(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        qDebug() << "Open font file error";
        return QString();
    }
    const int id = QFontDatabase::addApplicationFontFromData(file.readAll());
    file.close();
    return QFontDatabase::applicationFontFamilies(id).value(0);
}

int &interpolateMidpoints(const unsigned char *values, int n, unsigned char *output, int &outputCount)
{
    for (int i = 0; i < n; ++i) {
        output[2 * i] = values[i];
        // Every gap gets its mean, the first one included; past the last value there is
        // nothing to average with, so it is repeated.
        output[2 * i + 1] = (i + 1 < n) ? static_cast<unsigned char>((values[i] + values[i + 1]) / 2) : values[i];
    }
    outputCount = n > 0 ? 2 * n : 0;
    return outputCount;
}
