// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "dlgload.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "paramaccess.h"
#include "portsettings.h"
#include "recordcodec.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QProcess>
#include <QPushButton>
#include <QRegularExpression>
#include <QStyle>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QXmlStreamReader>

namespace {

// CJK ideographs and the full-width punctuation that goes with them.
bool looksChinese(const QString &text)
{
    static const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{303f}\\x{3400}-\\x{9fff}\\x{ff00}-\\x{ffef}]"));
    return cjk.match(text).hasMatch();
}

// What a user reads on a widget: its own texts, its items, tabs and tips.
QStringList textsOf(QWidget *w)
{
    QStringList texts{w->windowTitle(), w->toolTip(), w->statusTip()};
    if (auto *label = qobject_cast<QLabel *>(w))
        texts << label->text();
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        texts << button->text();
    if (auto *group = qobject_cast<QGroupBox *>(w))
        texts << group->title();
    if (auto *tabs = qobject_cast<QTabWidget *>(w)) {
        for (int i = 0; i < tabs->count(); ++i)
            texts << tabs->tabText(i);
    }
    if (auto *box = qobject_cast<QComboBox *>(w)) {
        for (int i = 0; i < box->count(); ++i)
            texts << box->itemText(i);
    }
    return texts;
}

// The room a label's or button's text needs: a label its size hint, a button
// its text beside its picture or check mark (its size hint adds the style's
// minimum width, which no text needs). Empty for other widgets.
QSize textRoom(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w); label && !label->wordWrap())
        return label->sizeHint();
    auto *button = qobject_cast<QAbstractButton *>(w);
    if (!button || button->text().isEmpty())
        return {};
    int beside = button->icon().isNull() ? 0 : button->iconSize().width() + 4;
    if (qobject_cast<QCheckBox *>(w))
        beside = w->style()->pixelMetric(QStyle::PM_IndicatorWidth, nullptr, w)
                 + w->style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, nullptr, w);
    const QFontMetrics metrics(w->font());
    return {metrics.horizontalAdvance(button->text().remove(QLatin1Char('&'))) + beside, metrics.height()};
}

} // namespace

class TestEnglish : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(AppSetup::install(*qApp, Language::Choice::English)); }

    // No Chinese left on a form, and every text fits its control.
    void forms_data()
    {
        QTest::addColumn<QString>("form");
        QTest::newRow("main window") << "MainWindow";
        QTest::newRow("load dialog") << "DlgLoad";
    }

    void forms()
    {
        QFETCH(QString, form);
        std::unique_ptr<QWidget> top;
        if (form == QLatin1String("MainWindow"))
            top = std::make_unique<MainWindow>();
        else
            top = std::make_unique<DlgLoad>();
        top->show();
        QVERIFY(QTest::qWaitForWindowExposed(top.get(), 5000));
        QStringList wrong;
        QList<QWidget *> widgets = top->findChildren<QWidget *>();
        widgets << top.get();
        for (QWidget *w : std::as_const(widgets)) {
            for (const QString &text : textsOf(w)) {
                if (looksChinese(text))
                    wrong << w->objectName() + QStringLiteral(" untranslated: ") + text;
            }
            const QSize room = textRoom(w);
            if (room.width() > w->width() || room.height() > w->height())
                wrong << QStringLiteral("%1 clipped: needs %2x%3, has %4x%5")
                             .arg(w->objectName()).arg(room.width()).arg(room.height())
                             .arg(w->width()).arg(w->height());
        }
        QVERIFY2(wrong.isEmpty(), qPrintable(wrong.join(QLatin1Char('\n'))));
    }

    // A refused value names its field in English: every value out of range
    // refuses every field. A refused file says why in English.
    void refusals()
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

    // A message box in English, with Qt's own English button; the panel's
    // texts still choose the port settings.
    void windowAtWork()
    {
        MainWindow w;
        auto pick = [&w](const char *name, const char *text) {
            auto *box = w.findChild<QComboBox *>(QLatin1String(name));
            box->setCurrentIndex(box->findText(QLatin1String(text)));
            return box->currentText();
        };
        const PortSettings s = PortSettings::fromPanel(pick("comboBoxBaudRate", "57600"), pick("comboBoxDataBit", "7"),
                                                       pick("comboBoxParity", "EVEN"), pick("comboBoxStopBit", "2"),
                                                       pick("comboBoxFlowCtrl", "HARDWARE"));
        QCOMPARE(s.baudRate, 57600);
        QCOMPARE(s.dataBits, QSerialPort::Data7);
        QCOMPARE(s.parity, QSerialPort::EvenParity);
        QCOMPARE(s.stopBits, QSerialPort::TwoStop);
        QCOMPARE(s.flowControl, QSerialPort::HardwareControl);

        ModalWatcher watcher;
        auto *ports = w.findChild<QComboBox *>(QStringLiteral("comboBoxComm"));
        ports->clear();
        ports->addItem(QStringLiteral("/dev/pts/no-such-port"));
        w.findChild<QPushButton *>(QStringLiteral("pushButtonOpen"))->click();
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("Error"));
        QVERIFY2(!looksChinese(watcher.boxes[0].text), qPrintable(watcher.boxes[0].text));
        QMessageBox box(QMessageBox::Critical, QString(), QString(), QMessageBox::Ok | QMessageBox::Cancel);
        QCOMPARE(box.button(QMessageBox::Cancel)->text(), QStringLiteral("Cancel"));
    }

    // The command line's tables name the values in English too, and the
    // comparison table of the window takes its titles from the same catalogue.
    void namesOfValuesInEnglish()
    {
        QTemporaryDir dir;
        MapParamAccess values;
        Records::applyStartingValues(values);
        auto put = [&dir, &values](const QString &name) {
            QFile f(dir.filePath(name));
            f.open(QIODevice::WriteOnly);
            f.write((Records::build(Records::sFormat(), values)
                     + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
                        .toLatin1());
            return f.fileName();
        };
        const QString a = put(QStringLiteral("a.dat"));
        values.setValue(QStringLiteral("spinBox_9"), 7);
        const QString b = put(QStringLiteral("b.dat"));
        for (const QStringList &args : {QStringList{"show", a}, QStringList{"diff", a, b}}) {
            QProcess cli;
            cli.start(QStringLiteral(K6_CLI_PROGRAM), QStringList{"--lang", "en"} + args);
            QVERIFY(cli.waitForFinished(10000));
            const QString out = QString::fromUtf8(cli.readAllStandardOutput());
            QVERIFY2(out.contains(QStringLiteral("CH1 sub-trim")), qPrintable(out));
            QVERIFY2(!looksChinese(out), qPrintable(out));
        }
    }

    // Every Chinese text lupdate finds in the sources has its English, so a
    // text added later fails here until the catalogue is refreshed
    // (update_translations) and translated.
    void everySourceText()
    {
        QTemporaryDir dir;
        const QString ts = dir.filePath(QStringLiteral("scan.ts"));
        QProcess lupdate;
        lupdate.start(QStringLiteral(K6_LUPDATE), {QStringLiteral("-silent"), QStringLiteral("-recursive"),
                                                   QStringLiteral(K6_SOURCE_DIR "/src"), QStringLiteral("-ts"), ts});
        QVERIFY2(lupdate.waitForFinished(60000) && lupdate.exitCode() == 0, lupdate.readAllStandardError());

        QFile file(ts);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QXmlStreamReader xml(&file);
        // A message is its context, source text and optional disambiguation.
        QByteArray context, source, comment;
        QStringList missing;
        int seen = 0;
        while (!xml.atEnd()) {
            if (xml.readNext() != QXmlStreamReader::StartElement)
                continue;
            if (xml.name() == QLatin1String("name"))
                context = xml.readElementText().toUtf8();
            else if (xml.name() == QLatin1String("source"))
                source = xml.readElementText().toUtf8(), comment.clear();
            else if (xml.name() == QLatin1String("comment"))
                comment = xml.readElementText().toUtf8();
            else if (xml.name() == QLatin1String("translation") && looksChinese(QString::fromUtf8(source))) {
                ++seen;
                const QString english = QCoreApplication::translate(context, source, comment.isEmpty() ? nullptr : comment.constData());
                if (looksChinese(english))
                    missing << QString::fromUtf8(context + ": " + source);
            }
        }
        QVERIFY2(!xml.hasError(), qPrintable(xml.errorString()));
        QVERIFY(seen > 100);
        QVERIFY2(missing.isEmpty(), qPrintable(missing.join(QLatin1Char('\n'))));
    }
};

QTEST_MAIN(TestEnglish)
#include "tst_english.moc"
