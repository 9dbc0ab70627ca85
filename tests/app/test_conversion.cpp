#include "app/Conversion.h"
#include "app/Prompt.h"
#include "TestEnv.h"

#include <QtTest>

#include <string>

class TestConversion : public QObject
{
    Q_OBJECT
private slots:
    void bytesToHexWritesTwoLowerCaseDigitsPerByte()
    {
        const unsigned char bytes[] = {0x0A, 0x1B, 0x2C, 0xFF};
        char text[9] = {};
        bytesToHexString(text, bytes, 4);
        QCOMPARE(QByteArray(text), QByteArray("0a1b2cff"));

        const unsigned char zeros[4] = {};
        bytesToHexString(text, zeros, 4);
        QCOMPARE(QByteArray(text), QByteArray("00000000"));

        char untouched[3] = {'x', 'y', '\0'};
        bytesToHexString(untouched, bytes, 0);
        QCOMPARE(QByteArray(untouched), QByteArray("xy"));
    }

    void hexToBytesReadsPairsInEitherCase()
    {
        unsigned char out[4] = {};
        hexStringToBytes("0A1b2cFF", out, sizeof out);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 4), QByteArray("\x0a\x1b\x2c\xff", 4));

        unsigned char two[2] = {};
        hexStringToBytes("ABCD", two, sizeof two);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(two), 2), QByteArray("\xab\xcd", 2));

        hexStringToBytes("abc", two, sizeof two);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(two), 2), QByteArray("\xab\x0c", 2));
    }

    void hexToBytesNeverWritesPastCapacity()
    {
        unsigned char out[6] = {0, 0, 0, 0, 0x77, 0x77};
        hexStringToBytes("0102030405060708090a", out, 4);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 6), QByteArray("\x01\x02\x03\x04\x77\x77", 6));
    }

    void roundTripOfEveryByteValue()
    {
        unsigned char in[256];
        for (int i = 0; i < 256; ++i)
            in[i] = static_cast<unsigned char>(i);
        char text[513];
        bytesToHexString(text, in, 256);
        unsigned char back[256] = {};
        hexStringToBytes(text, back, sizeof back);
        QVERIFY(memcmp(in, back, 256) == 0);
    }

    void ansiToWideChecksCapacity()
    {
        wchar_t wide[8];
        QCOMPARE(ansiToWide("hello", wide, 8), 6);
        QCOMPARE(std::wstring(wide), std::wstring(L"hello"));
        QCOMPARE(ansiToWide("hello", wide, 6), 6); // exactly enough, terminator included

        QList<PromptRequest> shown;
        const PromptHandler previous = setPromptHandler([&](const PromptRequest &request) {
            shown << request;
            return QMessageBox::Ok;
        });
        wchar_t sentinel[3] = {L'a', L'b', L'c'};
        QCOMPARE(ansiToWide("abc", sentinel, 3), int(QMessageBox::Ok));
        setPromptHandler(previous);
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown[0].icon, QMessageBox::Warning);
        QCOMPARE(shown[0].title, QStringLiteral("转换成UNICODE字串失败"));
        QCOMPARE(shown[0].text, QStringLiteral("abc"));
        QCOMPARE(std::wstring(sentinel, 3), std::wstring(L"abc"));
    }

    void midpointsDoubleTheValues()
    {
        const unsigned char values[] = {10, 20, 31, 255};
        unsigned char out[8] = {};
        int count = -1;
        QCOMPARE(&interpolateMidpoints(values, 4, out, count), &count);
        QCOMPARE(count, 8);
        QCOMPARE(QByteArray(reinterpret_cast<char *>(out), 8), QByteArray("\x0a\x0f\x14\x19\x1f\x8f\xff\xff", 8));
        QCOMPARE(interpolateMidpoints(values, 0, out, count), 0);
    }
};

QTEST_APPLESS_MAIN(TestConversion)
#include "test_conversion.moc"
