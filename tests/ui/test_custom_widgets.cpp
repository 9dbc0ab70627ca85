// The band slider that ignores the wheel, the tab style that draws left-aligned labels,
// and the slider whose value label follows the handle.
#include "TestEnv.h"
#include "ui/CSlider.h"
#include "ui/CustomTabStyle.h"
#include "ui/MyCustomSlider.h"

#include <QLabel>
#include <QPainter>
#include <QSignalSpy>
#include <QtTest>

namespace {

QWheelEvent wheelTurn(const QPoint &at, int angle)
{
    return QWheelEvent(QPointF(at), QPointF(at), QPoint(), QPoint(0, angle), Qt::NoButton, Qt::NoModifier,
                       Qt::NoScrollPhase, false);
}

// The left-most column holding ink (a pixel that is not the background), or -1.
int firstInkColumn(const QImage &image)
{
    for (int x = 0; x < image.width(); ++x)
        for (int y = 0; y < image.height(); ++y)
            if (image.pixel(x, y) != qRgb(255, 255, 255))
                return x;
    return -1;
}

QImage blankImage()
{
    QImage image(240, 40, QImage::Format_RGB32);
    image.fill(Qt::white);
    return image;
}

void sendMouse(QWidget *widget, QEvent::Type type, const QPoint &at)
{
    const Qt::MouseButton button = type == QEvent::MouseMove ? Qt::NoButton : Qt::LeftButton;
    // A move reaches a widget without mouse tracking only while a button is held.
    const Qt::MouseButtons held = type == QEvent::MouseButtonRelease ? Qt::NoButton : Qt::LeftButton;
    QMouseEvent event(type, QPointF(at), button, held, Qt::NoModifier);
    QApplication::sendEvent(widget, &event);
}

} // namespace

class TestCustomWidgets : public QObject
{
    Q_OBJECT

public:
    static void initMain() { tw::isolateTestEnvironment(); }

private slots:
    void wheelNeverMovesABandSliderAndTravelsOn()
    {
        QWidget page;
        CSlider *band = new CSlider(&page);
        band->setRange(-12, 12);
        band->setPageStep(1);
        band->setOrientation(Qt::Vertical);
        band->setGeometry(10, 10, 22, 331);
        band->setValue(3);
        QSignalSpy changes(band, &QSlider::valueChanged);

        for (int angle : {120, -120, 720, -2400}) {
            // Delivered unaccepted, as the toolkit delivers a real turn; left unaccepted,
            // it travels on to the parent (the page).
            QWheelEvent turn = wheelTurn(QPoint(11, 100), angle);
            turn.ignore();
            QApplication::sendEvent(band, &turn);
            QVERIFY(!turn.isAccepted());
        }
        QCOMPARE(band->value(), 3);
        QCOMPARE(changes.count(), 0);

        // A plain slider takes the same turn, which is what the band slider must not do.
        QSlider plain(Qt::Vertical);
        plain.setRange(-12, 12);
        plain.resize(22, 331);
        QWheelEvent turn = wheelTurn(QPoint(11, 100), 120);
        turn.ignore();
        QApplication::sendEvent(&plain, &turn);
        QVERIFY(plain.value() != 0);

        // The keyboard still moves it, one page step (1 dB) at a time.
        band->setFocus();
        QTest::keyClick(band, Qt::Key_PageUp);
        QCOMPARE(band->value(), 4);
        QTest::keyClick(band, Qt::Key_Down);
        QCOMPARE(band->value(), 3);
        QCOMPARE(changes.count(), 2);
    }

    void tabLabelsAreDrawnLeftAlignedTenPixelsIn()
    {
        CustomTabStyle style;
        const QRect rect(0, 0, 240, 40);
        QImage reference = blankImage();
        {
            QPainter painter(&reference);
            painter.setPen(Qt::black);
            painter.drawText(rect.translated(10, 0), Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("Surround"));
        }
        QPalette palette;
        palette.setColor(QPalette::WindowText, Qt::black);
        for (int flags : {int(Qt::AlignCenter), int(Qt::AlignRight | Qt::AlignBottom), int(Qt::AlignLeft | Qt::AlignTop)}) {
            QImage drawn = blankImage();
            QPainter painter(&drawn);
            const QTransform before = painter.transform();
            style.drawItemText(&painter, rect, flags, palette, true, QStringLiteral("Surround"), QPalette::WindowText);
            QCOMPARE(painter.transform(), before);
            painter.end();
            QVERIFY2(drawn == reference, qPrintable(QStringLiteral("flags %1").arg(flags)));
        }
        const int ink = firstInkColumn(reference);
        QVERIFY(ink >= 10 && ink < 16);
    }

    void valueLabelAppearsOnPressAndHidesOnRelease()
    {
        MyCustomSlider slider;
        slider.setRange(-12, 12);
        slider.setOrientation(Qt::Vertical);
        slider.resize(22, 240);
        slider.setValue(7);
        QLabel *label = slider.findChild<QLabel *>();
        QVERIFY(label);
        QVERIFY(label->isHidden());
        QCOMPARE(label->size(), QSize(20, 10));
        QCOMPARE(label->pos(), QPoint(10, 111));
        QCOMPARE(label->palette().color(QPalette::Window), QColor(Qt::white));
        QVERIFY(label->autoFillBackground());

        sendMouse(&slider, QEvent::MouseButtonPress, QPoint(11, 200));
        QVERIFY(!label->isHidden());
        QCOMPARE(label->pos(), QPoint(10, 111)); // a press does not move it
        QCOMPARE(label->text(), QStringLiteral("7")); // the value before the press moved the slider
        sendMouse(&slider, QEvent::MouseButtonRelease, QPoint(11, 200));
        QVERIFY(label->isHidden());
    }

    void valueLabelFollowsTheValueWhileMoving_data()
    {
        QTest::addColumn<int>("width");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("value");
        QTest::addColumn<QPoint>("expected");
        QTest::newRow("top") << 22 << 240 << 12 << QPoint(1, 0);
        QTest::newRow("bottom") << 22 << 240 << -12 << QPoint(1, 248);
        QTest::newRow("middle of a short slider") << 22 << 100 << 0 << QPoint(1, 52);
        QTest::newRow("odd width") << 21 << 100 << 0 << QPoint(0, 52);
    }

    void valueLabelFollowsTheValueWhileMoving()
    {
        QFETCH(int, width);
        QFETCH(int, height);
        QFETCH(int, value);
        QFETCH(QPoint, expected);
        MyCustomSlider slider;
        slider.setRange(-12, 12);
        slider.setOrientation(Qt::Vertical);
        slider.resize(width, height);
        slider.setValue(value);
        sendMouse(&slider, QEvent::MouseMove, QPoint(5, 5));
        QLabel *label = slider.findChild<QLabel *>();
        QCOMPARE(label->pos(), expected);
        QCOMPARE(label->text(), QString::number(value));
    }
};

QTEST_MAIN(TestCustomWidgets)
#include "test_custom_widgets.moc"
