#include "app/Conversion.h"
#include "TestEnv.h"

#include <QtTest>

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
};

QTEST_APPLESS_MAIN(TestConversion)
#include "test_conversion.moc"
