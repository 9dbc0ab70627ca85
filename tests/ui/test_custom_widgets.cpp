#include <QtTest>
class TestCustomWidgets : public QObject { Q_OBJECT };
QTEST_MAIN(TestCustomWidgets)
#include "test_custom_widgets.moc"
