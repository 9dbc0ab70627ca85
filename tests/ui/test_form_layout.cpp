// The form as the user meets it: a window of fixed size, parked widgets out of sight,
// the stacking the controllers rely on, texts through the form's translation context,
// every image it names, and a picture of each page.
#include "FormUnderTest.h"
#include "TestEnv.h"
#include "app/AppShell.h"
#include "ui/ui_tonewright.h"

#include <QDir>
#include <QDirIterator>
#include <QRegularExpression>
#include <QTabBar>
#include <QTranslator>
#include <QtTest>

namespace {

// Passes every text through unchanged but wraps it in brackets, and notes the context
// of each request, so a test can tell which texts went through translation.
class MarkingTranslator : public QTranslator
{
public:
    QStringList contexts;
    QStringList sources;

    QString translate(const char *context, const char *sourceText, const char *, int) const override
    {
        auto *self = const_cast<MarkingTranslator *>(this);
        self->contexts << QString::fromUtf8(context);
        self->sources << QString::fromUtf8(sourceText);
        if (QByteArray(sourceText).startsWith("<!DOCTYPE"))
            return QString::fromUtf8(sourceText);
        return QStringLiteral("[%1]").arg(QString::fromUtf8(sourceText));
    }

    bool isEmpty() const override { return false; }
};

// The widget's rectangle in the coordinates of the window.
QRect rectInWindow(const QWidget *widget, const QWidget *window)
{
    return QRect(widget->mapTo(window, QPoint(0, 0)), widget->size());
}

// True when a lies above b among their common parent's children.
bool isAbove(const QWidget *a, const QWidget *b)
{
    const QObjectList siblings = a->parent()->children();
    return a->parent() == b->parent() && siblings.indexOf(const_cast<QWidget *>(a)) >
                                             siblings.indexOf(const_cast<QWidget *>(b));
}

// Every resource path written in the form's sources ("url(:/...)", ":/..." strings).
QStringList resourcePathsInFormSources()
{
    QStringList paths;
    const QRegularExpression resource(QStringLiteral("(:/[^\")\\s]+\\.(?:png|ico|gif|jpg))"));
    QDirIterator sources(QStringLiteral(TW_SOURCE_DIR "/ui"), {"*.cpp", "*.h"});
    while (sources.hasNext()) {
        QFile file(sources.next());
        if (!file.open(QIODevice::ReadOnly))
            continue;
        const QString text = QString::fromUtf8(file.readAll());
        auto matches = resource.globalMatch(text);
        while (matches.hasNext())
            paths << matches.next().captured(1);
    }
    paths.removeDuplicates();
    paths.sort();
    return paths;
}

} // namespace

class TestFormLayout : public FormTest
{
    Q_OBJECT

private slots:
    void windowStaysAt1176By730()
    {
        QCOMPARE(m_window->size(), QSize(1176, 730));
        QCOMPARE(m_window->minimumSize(), QSize(1176, 730));
        QCOMPARE(m_window->maximumSize(), QSize(1176, 730));
        // The central widget asks for 733 pixels and the tab widget reaches x = 1221.
        QCOMPARE(ui.centralWidget->minimumHeight(), 733);
        QCOMPARE(ui.tabWidget->geometry().right(), 1220);
        m_window->resize(1400, 900);
        QCOMPARE(m_window->size(), QSize(1176, 730));
        // A second start finds the running window by this title.
        QCOMPARE(m_window->windowTitle(), QString::fromLatin1(kMainWindowTitle));
    }

    void parkedWidgetsLieWhollyOutsideTheWindow()
    {
        const QRect window(QPoint(0, 0), m_window->size());
        const QList<QWidget *> parked = {
            ui.layoutWidget_2, ui.layoutWidget_4, ui.groupBox_Stereo_Spectrum, ui.checkBox_MicENC,
            ui.label_PersonGif, ui.radioButton, ui.label_5, ui.pushButton_12, ui.groupBox_Stereo,
            ui.pushButton_Surround_CustomClear, ui.layoutWidget, ui.label_dB, ui.label_Hz_2, ui.layoutWidget1,
            ui.label_dB_2, ui.label_Hz, ui.widget_Param_Stereo, ui.widget_Param_Surround,
            ui.pushButton_Stereo_CustomClear, ui.pushButton_33, ui.pushButton_34, ui.label_37, ui.widget_Spectrum,
            ui.lineEdit_CustomName, ui.label_Head, ui.label_Head_One, ui.label_DefaultHead, ui.pushButton_9};
        for (QWidget *widget : parked)
            QVERIFY2(!window.intersects(rectInWindow(widget, m_window)), qPrintable(widget->objectName()));
        // The headset picture keeps the size fixed before its larger geometry was applied.
        QCOMPARE(ui.pushButton_9->geometry(), QRect(1290, 115, 442, 510));
        // What the user must reach lies inside.
        for (QWidget *widget : {static_cast<QWidget *>(ui.pushButton_Minimize), static_cast<QWidget *>(ui.pushButton_Close),
                                static_cast<QWidget *>(ui.pushButton_8), static_cast<QWidget *>(ui.lineEdit)})
            QVERIFY(window.contains(rectInWindow(widget, m_window)));
    }

    void aNamedWindowKeepsItsName()
    {
        QCOMPARE(m_window->objectName(), QStringLiteral("TonewrightClass"));
        RecordingWindow named;
        named.setObjectName(QStringLiteral("mine"));
        Ui_TonewrightClass form;
        form.setupUi(&named);
        QCOMPARE(named.objectName(), QStringLiteral("mine"));
    }

    void sharedObjectNamesStandForDistinctWidgets()
    {
        const auto standards = ui.scrollAreaWidgetContents_6->findChildren<QRadioButton *>(
            QStringLiteral("radioButton_Surround_ZorbStandard"), Qt::FindDirectChildrenOnly);
        QCOMPARE(standards, QList<QRadioButton *>({ui.radioButton_Surround_ZorbStandard,
                                                   ui.radioButton_Surround_ZorbStandard1,
                                                   ui.radioButton_Surround_ZorbStandard2}));
        const auto marks = ui.scrollAreaWidgetContents_6->findChildren<QPushButton *>(QStringLiteral("pushButton_16"));
        QCOMPARE(marks, QList<QPushButton *>({ui.pushButton_16, ui.pushButton_161, ui.pushButton_162}));
        ui.radioButton_Surround_ZorbStandard2->click();
        QVERIFY(ui.radioButton_Surround_ZorbStandard2->isChecked());
        QVERIFY(!ui.radioButton_Surround_ZorbStandard->isChecked());
        QVERIFY(!ui.radioButton_Surround_ZorbStandard1->isChecked());
    }

    void presetListsScrollAndShowTheirStartingSelection()
    {
        QCOMPARE(ui.scrollAreaWidgetContents_6->height(), 700);
        QCOMPARE(ui.scrollAreaWidgetContents_7->height(), 820);
        QCOMPARE(ui.scrollArea->widget(), ui.scrollAreaWidgetContents_6);
        // The custom slots stand 30 pixels apart, slot n's delete button named n + 1.
        QCOMPARE(ui.radioButton_Surround_Custom5->objectName(), QStringLiteral("radioButton_Surround_Custom5"));
        QCOMPARE(ui.radioButton_Surround_Custom5->geometry(), QRect(0, 340, 140, 30));
        QCOMPARE(ui.pushButton_32->objectName(), QStringLiteral("pushButton_32"));
        QCOMPARE(ui.pushButton_32->geometry(), QRect(190, 401, 22, 22));
        QCOMPARE(ui.pushButton_Stereo_CustomClear_6->objectName(), QStringLiteral("pushButton_Stereo_CustomClear_6"));
        QCOMPARE(ui.pushButton_Stereo_CustomClear_6->geometry(), QRect(213, 408, 16, 16));
        QCOMPARE(ui.pushButton_Surround_CustomClear_2->geometry(), QRect(213, 227, 16, 16));
        QCOMPARE(ui.scrollArea_2->widget(), ui.scrollAreaWidgetContents_7);
        QVERIFY(ui.radioButton_Surround_ZorbStandard->isChecked());
        QVERIFY(ui.radioButton_Stereo_ZorbStandard->isChecked());
        // Deep Bass heads the Surround list although Moba was created first.
        QVERIFY(ui.radioButton_Surround_DeepBas->y() < ui.radioButton_Surround_Moba->y());
        // The Classic button keeps the application font's size; its neighbours use 12 px.
        QCOMPARE(ui.radioButton_Stereo_Classic->font().pixelSize(), QFont().pixelSize());
        QVERIFY(ui.radioButton_Stereo_Classic->font().bold());
        QCOMPARE(ui.radioButton_Stereo_Jazz->font().pixelSize(), 12);
        for (CSlider *band : {ui.verticalSlider_30, ui.verticalSlider_16k, ui.verticalSlider_30_2, ui.verticalSlider_16k_2}) {
            QCOMPARE(band->minimum(), -12);
            QCOMPARE(band->maximum(), 12);
            QCOMPARE(band->value(), 0);
        }
    }

    void stackingPutsControlsOverWhatTheyCover()
    {
        QVERIFY(isAbove(ui.tabWidget, ui.label_DefaultBackground));
        QVERIFY(isAbove(ui.label_DefaultBackground, ui.label));
        QVERIFY(isAbove(ui.pushButton_Minimize, ui.tabWidget));
        QVERIFY(isAbove(ui.pushButton_Close, ui.tabWidget));
        QVERIFY(isAbove(ui.pushButton_DefaultClose, ui.tabWidget));
        for (QWidget *button : {ui.pushButton_6, ui.pushButton_7})
            QVERIFY(isAbove(button, ui.label_33) && isAbove(button, ui.label_34));
        for (QWidget *button : {ui.pushButton_10, ui.pushButton_11})
            QVERIFY(isAbove(button, ui.label_34));
        // On the pages: sliders over the frame picture and the speaker panel, the left
        // segments over the right ones, the up arrows over the down arrows.
        QVERIFY(isAbove(ui.verticalSlider_30_2, ui.groupBox_SurroundTest));
        QVERIFY(isAbove(ui.verticalSlider_30_2, ui.label_16));
        QVERIFY(isAbove(ui.verticalSlider_16k, ui.label_36));
        QVERIFY(isAbove(ui.pushButton_4, ui.pushButton_5));
        QVERIFY(isAbove(ui.pushButton_2, ui.pushButton_3));
        QVERIFY(isAbove(ui.pushButton_die1, ui.pushButton_die2));
        QVERIFY(isAbove(ui.pushButton_die3, ui.pushButton_die4));
        QVERIFY(isAbove(ui.label_Spectrum, ui.widget_7));
        // What the user sees at the title bar's close button is the close button.
        QCOMPARE(m_window->childAt(QPoint(1150, 20)), ui.pushButton_DefaultClose);
    }

    void everyTextGoesThroughTheFormContext()
    {
        MarkingTranslator translator;
        QCoreApplication::installTranslator(&translator);
        translator.contexts.clear(); // the toolkit's own question on installation
        translator.sources.clear();
        ui.retranslateUi(m_window);
        QCoreApplication::removeTranslator(&translator);

        QVERIFY(translator.sources.size() > 80);
        for (int call = 0; call < translator.contexts.size(); ++call)
            QVERIFY2(translator.contexts[call] == QLatin1String("TonewrightClass"),
                     qPrintable(translator.contexts[call] + ": " + translator.sources[call]));

        // No text of the form bypasses the translation: each is empty or marked.
        auto marked = [](const QString &text) { return text.isEmpty() || (text.startsWith('[') && text.endsWith(']')); };
        QVERIFY(marked(m_window->windowTitle()));
        for (QLabel *label : m_window->findChildren<QLabel *>())
            QVERIFY2(marked(label->text()), qPrintable(label->objectName() + ": " + label->text()));
        for (QAbstractButton *button : m_window->findChildren<QAbstractButton *>()) {
            if (button->parent()->inherits("QTabBar"))
                continue;
            QVERIFY2(marked(button->text()), qPrintable(button->objectName() + ": " + button->text()));
        }
        for (QLineEdit *edit : m_window->findChildren<QLineEdit *>())
            QVERIFY2(marked(edit->text()), qPrintable(edit->objectName() + ": " + edit->text()));
        for (int tab = 0; tab < ui.tabWidget->count(); ++tab)
            QCOMPARE(ui.tabWidget->tabText(tab), QString());
        QCOMPARE(translator.sources.filter(QStringLiteral("<!DOCTYPE")).size(), 3);
    }

    void textsTheControllersBuildOn()
    {
        QCOMPARE(ui.label_DefaultHead->text(), QStringLiteral(" Zorb 7.1 Surround Sound Hub"));
        QCOMPARE(ui.radioButton_Stereo_RockRoll->text(), QStringLiteral("Rock && Roll"));
        QCOMPARE(ui.radioButton_Surround_DeepBas->text(), QStringLiteral("Deep Bass"));
        QCOMPARE(ui.lineEdit_23->text(), QStringLiteral("POP"));
        QCOMPARE(ui.lineEdit_15->text(), QStringLiteral("POP"));
        QCOMPARE(ui.textEdit->toPlainText(), QString());
        QCOMPARE(ui.textEdit_2->toPlainText(), QStringLiteral("0"));
        QCOMPARE(ui.textEdit_3->toPlainText(), QStringLiteral("0"));
        QCOMPARE(ui.radioButton_Surround_Custom5->text(), QStringLiteral("Customize -5"));
    }

    void microphonePageShowsWhenSelected()
    {
        QVERIFY(!ui.widget_3->isVisible());
        ui.tabWidget->setCurrentIndex(2);
        QVERIFY(ui.widget_3->isVisible());
        QVERIFY(ui.lineEdit_4->isHidden());
        QVERIFY(ui.pushButton_2->isVisible());
    }

    void everyImageTheFormNamesResolves()
    {
        const QStringList paths = resourcePathsInFormSources();
        QVERIFY(paths.size() > 30);
        QStringList missing;
        for (const QString &path : paths)
            if (QImage(path).isNull())
                missing << path;
        QVERIFY2(missing.isEmpty(), qPrintable("unresolved: " + missing.join(", ")));

        // And what the widgets hold after set-up is loaded, not empty.
        QVERIFY(!m_window->windowIcon().isNull());
        // (The no-headset backdrop is left to the window, which decodes it when shown.)
        for (QLabel *picture : {ui.label__Head_Two, ui.label_DefaultLogo, ui.label_18,
                                ui.label_21, ui.label_16, ui.label_36, ui.label_20, ui.label_19, ui.label_32,
                                ui.label_22, ui.label_35})
            QVERIFY2(!picture->pixmap(Qt::ReturnByValue).isNull(), qPrintable(picture->objectName()));
        for (int tab = 0; tab < ui.tabWidget->count(); ++tab)
            QVERIFY(!ui.tabWidget->tabIcon(tab).pixmap(45, 87).isNull());
        for (QPushButton *button : {ui.pushButton_die1, ui.pushButton_die4, ui.pushButton_6, ui.pushButton_11})
            QVERIFY2(!button->icon().pixmap(24, 24).isNull(), qPrintable(button->objectName()));
    }

    // The Add button and the copy check marks take their pictures from style sheets;
    // disabled (no user file to keep a preset in) they look greyed, not as they work.
    void disabledAddAndCopyButtonsLookGreyed()
    {
        for (QPushButton *button : {ui.pushButton_Stereo_CustomAdd, ui.pushButton_22, ui.pushButton_13}) {
            const QImage enabled = button->grab().toImage();
            button->setEnabled(false);
            const QImage disabled = button->grab().toImage();
            button->setEnabled(true);
            QVERIFY2(disabled != enabled, qPrintable(button->objectName()));
        }
    }

    void rendersEachPage()
    {
        QVERIFY(QDir().mkpath(QStringLiteral(TW_UI_TEST_OUTPUT)));
        const QStringList pages = {"surround", "stereo", "microphone"};
        for (int index = 0; index < pages.size(); ++index) {
            ui.tabWidget->setCurrentIndex(index);
            const QImage picture = m_window->grab().toImage();
            QCOMPARE(picture.size() / picture.devicePixelRatio(), QSize(1176, 730));
            const QString file = QStringLiteral(TW_UI_TEST_OUTPUT "/page-%1-%2.png").arg(index).arg(pages[index]);
            QVERIFY2(picture.save(file), qPrintable(file));
        }
    }

    // With the program's own faces and in the look the window gives itself when it opens
    // with a headset (delete prompts and speaker test hidden, the no-headset picture
    // lowered under the background): the picture the README shows.
    void rendersTheWindowAsItOpens()
    {
        loadApplicationFonts();
        FormUnderTest form;
        QVERIFY(form.exposed);
        const Ui_TonewrightClass &ui = form.ui;
        for (QWidget *hidden : std::initializer_list<QWidget *>{ui.label_33, ui.pushButton_6, ui.pushButton_7, ui.label_34,
                                                                ui.pushButton_10, ui.pushButton_11,
                                                                ui.groupBox_SurroundTest, ui.pushButton_SurroundTest})
            hidden->hide();
        for (QWidget *lowered : std::initializer_list<QWidget *>{ui.label_DefaultHead, ui.label_DefaultBackground, ui.pushButton_DefaultClose})
            lowered->lower();
        const QString file = QStringLiteral(TW_UI_TEST_OUTPUT "/window.png");
        QVERIFY2(form.window.grab().save(file), qPrintable(file));
    }
};

QTEST_MAIN(TestFormLayout)
#include "test_form_layout.moc"
