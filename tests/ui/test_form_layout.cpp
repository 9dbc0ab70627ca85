#include <QtTest>
class TestFormLayout : public QObject { Q_OBJECT };
QTEST_MAIN(TestFormLayout)
#include "test_form_layout.moc"
