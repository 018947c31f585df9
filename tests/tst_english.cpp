#include "appsetup.h"
#include "dlgload.h"
#include "language.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "paramaccess.h"
#include "portsettings.h"
#include "recordcodec.h"

#include <QAbstractButton>
#include <QCheckBox>
#include <QRadioButton>
#include <QStyle>
#include <QComboBox>
#include <QDirIterator>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QRegularExpression>
#include <QStatusBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QXmlStreamReader>

namespace {

bool looksChinese(const QString &text)
{
    // CJK ideographs and the full-width punctuation that goes with them.
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return cjk.match(text).hasMatch();
}

QString plain(const QString &text)
{
    if (!Qt::mightBeRichText(text))
        return text;
    QTextDocument doc;
    doc.setHtml(text);
    return doc.toPlainText();
}

// Every text a user can see on the widget and its children.
QStringList chineseTexts(QWidget *top)
{
    QStringList found;
    auto check = [&found](QObject *o, const QString &what, const QString &text) {
        if (looksChinese(text))
            found << QStringLiteral("%1 %2: %3").arg(o->objectName(), what, text);
    };
    QList<QWidget *> widgets = top->findChildren<QWidget *>();
    widgets.prepend(top);
    check(top, QStringLiteral("title"), top->windowTitle());
    for (QWidget *w : widgets) {
        check(w, QStringLiteral("tooltip"), w->toolTip());
        check(w, QStringLiteral("status tip"), w->statusTip());
        if (auto *label = qobject_cast<QLabel *>(w))
            check(w, QStringLiteral("text"), label->text());
        if (auto *button = qobject_cast<QAbstractButton *>(w))
            check(w, QStringLiteral("text"), button->text());
        if (auto *group = qobject_cast<QGroupBox *>(w))
            check(w, QStringLiteral("title"), group->title());
        if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
            for (int i = 0; i < tabs->count(); ++i)
                check(w, QStringLiteral("tab"), tabs->tabText(i));
        }
        if (auto *box = qobject_cast<QComboBox *>(w)) {
            for (int i = 0; i < box->count(); ++i)
                check(w, QStringLiteral("item"), box->itemText(i));
        }
    }
    return found;
}

// Texts wider or taller than the room their control has, among the widgets shown.
QStringList clippedOnShownPages(QWidget *top)
{
    QStringList found;
    for (QWidget *w : top->findChildren<QWidget *>()) {
        if (!w->isVisibleTo(top))
            continue;
        // A label needs its size hint; a button the room for its text beside
        // its picture or check mark (its size hint adds the style's minimum
        // width, which no text needs).
        QString text;
        QSize needed;
        if (auto *label = qobject_cast<QLabel *>(w); label && !label->wordWrap() && label->pixmap().isNull()) {
            text = plain(label->text());
            needed = label->sizeHint();
        } else if (auto *button = qobject_cast<QAbstractButton *>(w)) {
            text = button->text();
            int beside = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
            if (qobject_cast<QCheckBox *>(w) || qobject_cast<QRadioButton *>(w))
                beside = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w)
                         + w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
            const QFontMetrics metrics(w->font());
            needed = QSize(metrics.horizontalAdvance(QString(text).remove(QLatin1Char('&'))) + beside,
                           metrics.height());
        } else {
            continue;
        }
        if (!text.isEmpty() && (needed.width() > w->width() || needed.height() > w->height()))
            found << QStringLiteral("%1 \"%2\": needs %3x%4, has %5x%6")
                         .arg(w->objectName(), text)
                         .arg(needed.width()).arg(needed.height()).arg(w->width()).arg(w->height());
    }
    return found;
}

// Texts wider or taller than the room their control has, on every page.
QStringList clipped(QWidget *top)
{
    QStringList found;
    const QList<QTabWidget *> tabs = top->findChildren<QTabWidget *>();
    for (QTabWidget *t : tabs) {
        for (int i = 0; i < t->count(); ++i) {
            t->setCurrentIndex(i);
            found << clippedOnShownPages(top);
        }
    }
    if (tabs.isEmpty())
        found << clippedOnShownPages(top);
    found.removeDuplicates();
    return found;
}

QWidget *shown(QWidget *w)
{
    w->show();
    if (!QTest::qWaitForWindowExposed(w, 5000))
        qWarning("window not exposed");
    return w;
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        QVERIFY(AppSetup::install(*qApp, Language::Choice::English));
    }

    void formsSpeakEnglish_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("main window") << "MainWindow";
        QTest::newRow("load dialog") << "DlgLoad";
    }

    void formsSpeakEnglish()
    {
        QFETCH(QString, form);
        std::unique_ptr<QWidget> w;
        if (form == QLatin1String("MainWindow"))
            w = std::make_unique<MainWindow>();
        else
            w = std::make_unique<DlgLoad>();
        shown(w.get());
        const QStringList chinese = chineseTexts(w.get());
        QVERIFY2(chinese.isEmpty(), qPrintable(chinese.join(QLatin1Char('\n'))));
        const QStringList tooWide = clipped(w.get());
        QVERIFY2(tooWide.isEmpty(), qPrintable(tooWide.join(QLatin1Char('\n'))));
    }

    // Refused values and files are explained in English, every field named
    // in English: all values out of range refuse every field.
    void refusalsSpeakEnglish()
    {
        MapParamAccess values;
        for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
            for (const Records::Field &f : *format)
                values.setValue(QLatin1String(f.control), 1e6);
        }
        QStringList lines = Records::limitProblems(Records::sFormat(), values)
                            + Records::limitProblems(Records::tFormat(), values);
        QString reason;
        QVERIFY(!Records::isParameterFile(QStringLiteral("S00"), &reason));
        lines << reason;
        QVERIFY(lines.size() > 80);
        for (const QString &line : std::as_const(lines))
            QVERIFY2(!looksChinese(line), qPrintable(line));
    }

    // The panel's texts still choose the port settings.
    void panelInEnglish()
    {
        MainWindow w;
        auto pick = [&w](const char *box, const char *text) {
            auto *combo = w.findChild<QComboBox *>(QLatin1String(box));
            combo->setCurrentIndex(combo->findText(QLatin1String(text)));
            return combo->currentText();
        };
        const PortSettings s = PortSettings::fromPanel(pick("comboBoxBaudRate", "57600"), pick("comboBoxDataBit", "7"),
                                                       pick("comboBoxParity", "EVEN"), pick("comboBoxStopBit", "2"),
                                                       pick("comboBoxFlowCtrl", "HARDWARE"));
        QCOMPARE(s.baudRate, 57600);
        QCOMPARE(s.dataBits, QSerialPort::Data7);
        QCOMPARE(s.parity, QSerialPort::EvenParity);
        QCOMPARE(s.stopBits, QSerialPort::TwoStop);
        QCOMPARE(s.flowControl, QSerialPort::HardwareControl);
    }

    // A message the window shows, in English, with Qt's own English button.
    void messageBoxSpeaksEnglish()
    {
        MainWindow w;
        ModalWatcher watcher;
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        ports->clear();
        ports->addItem(QStringLiteral("/dev/pts/does-not-exist"));
        w.findChild<QAbstractButton *>(QStringLiteral("pushButtonOpen"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("Error"));
        QVERIFY2(!looksChinese(watcher.boxes[0].text), qPrintable(watcher.boxes[0].text));
        QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Ok)->text(), QStringLiteral("OK"));
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    }

    // Every Chinese text in the sources, found by lupdate, has its English:
    // texts added later fail here until the catalogue is refreshed
    // (update_translations) and translated.
    void everySourceTextTranslated()
    {
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        const QString ts = dir.filePath(QStringLiteral("scan.ts"));
        QStringList arguments{QStringLiteral("-silent"), QStringLiteral("-locations"), QStringLiteral("none"),
                              QStringLiteral("-recursive"), QStringLiteral(K6_SOURCE_DIR "/src"),
                              QStringLiteral("-ts"), ts};
        QProcess lupdate;
        lupdate.start(QStringLiteral(K6_LUPDATE), arguments);
        QVERIFY2(lupdate.waitForFinished(60000), "lupdate did not finish");
        QCOMPARE(lupdate.exitCode(), 0);

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        QString context;
        QStringList missing;
        int seen = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name")) {
                context = xml.readElementText();
            } else if (xml.name() == QLatin1String("source")) {
                const QString source = xml.readElementText();
                if (!looksChinese(source))
                    continue;
                ++seen;
                const QByteArray c = context.toUtf8(), s = source.toUtf8();
                const QString english = QCoreApplication::translate(c.constData(), s.constData());
                if (english == source || looksChinese(english))
                    missing << context + QStringLiteral(": ") + source;
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(seen > 100);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
