// The committed artwork is what the generator draws: running it into an empty folder gives
// the same files (names, picture sizes, animation lengths, the same resource file), and
// nothing is committed that it no longer draws.
#include "TestEnv.h"

#include <QDirIterator>
#include <QFile>
#include <QImageReader>
#include <QMovie>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The generator's part of resources/: the picture, photo, audio and menu icon folders
// and its resource file. The rest of resources/ belongs to others.
const char *const kGeneratedFolders[] = {"pic", "photo", "audio", "icons"};
const char kResourceFile[] = "artwork.qrc";

QStringList generatedFiles(const QString &root)
{
    QStringList files;
    for (const char *folder : kGeneratedFolders) {
        QDirIterator it(root + QLatin1Char('/') + QLatin1String(folder), QDir::Files, QDirIterator::Subdirectories);
        while (it.hasNext())
            files << it.next().mid(root.size() + 1);
    }
    if (QFile::exists(root + QLatin1Char('/') + QLatin1String(kResourceFile)))
        files << QLatin1String(kResourceFile);
    files.sort();
    return files;
}

} // namespace

class TestArtworkGenerator : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void initTestCase();
    void drawsTheCommittedFiles();
    void sameShapes_data();
    void sameShapes();
    void resourceFileUnchanged();

private:
    QTemporaryDir m_out;
    QString m_committed;
};

void TestArtworkGenerator::initTestCase()
{
    const QString generator = qEnvironmentVariable("TW_ARTWORK_GEN");
    m_committed = qEnvironmentVariable("TW_RESOURCES_DIR");
    QVERIFY2(QFile::exists(generator), "TW_ARTWORK_GEN names no program");
    QVERIFY2(QFile::exists(m_committed + QLatin1Char('/') + QLatin1String(kResourceFile)), "TW_RESOURCES_DIR");
    QVERIFY(m_out.isValid());
    QProcess run;
    run.setProcessChannelMode(QProcess::ForwardedChannels);
    run.start(generator, {m_out.path()});
    QVERIFY(run.waitForFinished(600000));
    QCOMPARE(run.exitStatus(), QProcess::NormalExit);
    QCOMPARE(run.exitCode(), 0);
}

void TestArtworkGenerator::drawsTheCommittedFiles()
{
    const QStringList drawn = generatedFiles(m_out.path());
    const QStringList committed = generatedFiles(m_committed);
    QVERIFY(!drawn.isEmpty());
    for (const QString &f : committed)
        QVERIFY2(drawn.contains(f), qPrintable(f + QStringLiteral(" is committed but no longer drawn")));
    for (const QString &f : drawn)
        QVERIFY2(committed.contains(f), qPrintable(f + QStringLiteral(" is drawn but not committed")));
}

void TestArtworkGenerator::sameShapes_data()
{
    QTest::addColumn<QString>("file");
    for (const QString &f : generatedFiles(m_committed))
        if (f != QLatin1String(kResourceFile))
            QTest::newRow(qPrintable(f)) << f;
}

void TestArtworkGenerator::sameShapes()
{
    QFETCH(QString, file);
    const QString drawn = m_out.path() + QLatin1Char('/') + file;
    const QString committed = m_committed + QLatin1Char('/') + file;
    QVERIFY2(QFile::exists(drawn), qPrintable(file));
    if (file.endsWith(QLatin1String(".wav"))) {
        QCOMPARE(QFileInfo(drawn).size(), QFileInfo(committed).size());
        return;
    }
    QImageReader a(drawn), b(committed);
    QVERIFY2(a.canRead() && b.canRead(), qPrintable(file));
    QCOMPARE(a.size(), b.size());
    QCOMPARE(a.imageCount(), b.imageCount()); // frames of an animation, sizes of an icon
}

void TestArtworkGenerator::resourceFileUnchanged()
{
    // The resource file is plain text made from the generator's table: any edit of the
    // table must be followed by regenerating and committing the result.
    const QByteArray drawn = tw::readFileBytes(m_out.path() + QLatin1Char('/') + QLatin1String(kResourceFile));
    QVERIFY(!drawn.isEmpty());
    QCOMPARE(drawn, tw::readFileBytes(m_committed + QLatin1Char('/') + QLatin1String(kResourceFile)));
}

QTEST_MAIN(TestArtworkGenerator)
#include "test_artwork_generator.moc"
