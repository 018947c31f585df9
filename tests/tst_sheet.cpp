// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language.h"
#include "paramaccess.h"
#include "paramfile.h"
#include "recordcodec.h"
#include "setupsheet.h"
#include "sheetwriter.h"

#include <QApplication>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

// One value of the known file: where its record carries it, and where the
// sheet shows it (section, row, column counted from 1 after the row's label).
struct Placed
{
    char record;
    int pos;
    int width;
    int bias;
    int value;
    QString section;
    QString row;
    int column;
    QString shown;
};

QString hex2(int n)
{
    return QStringLiteral("%1").arg(n, 2, 16, QLatin1Char('0')).toUpper();
}

// Every field of both records, written from their layout with values that
// differ from their neighbours', and what the sheet must say for each.
QList<Placed> knownValues()
{
    QList<Placed> v;
    const QString channels = QStringLiteral("通道");
    for (int ch = 1; ch <= 8; ++ch) {
        const QString row = QStringLiteral("CH%1").arg(ch);
        const int sub = ch * 11 - 50;
        v << Placed{'S', ch, 1, 0, ch % 2, channels, row, 1, ch % 2 ? QStringLiteral("反1") : QStringLiteral("正0")}
          << Placed{'S', 9 + 2 * (ch - 1), 2, 120, sub, channels, row, 2, QString::number(sub)}
          << Placed{'S', 25 + 2 * (ch - 1), 2, 16, 60 + ch, channels, row, 3, QString::number(60 + ch)}
          << Placed{'S', 41 + 2 * (ch - 1), 2, 16, 70 + ch, channels, row, 4, QString::number(70 + ch)}
          << Placed{'S', 57 + 2 * (ch - 1), 2, 16, 80 + ch, channels, row, 5, QString::number(80 + ch)}
          << Placed{'T', 37 + 2 * (ch - 1), 2, 16, 90 + ch, channels, row, 6, QString::number(90 + ch)};
    }
    const QString aux = QStringLiteral("辅助通道");
    v << Placed{'S', 73, 1, 0, 4, aux, QStringLiteral("CH5"), 1, QStringLiteral("4:NULL")}
      << Placed{'S', 74, 1, 0, 2, aux, QStringLiteral("CH6"), 1, QStringLiteral("2:VrA")}
      << Placed{'S', 75, 1, 0, 1, aux, QStringLiteral("CH7"), 1, QStringLiteral("1:SwB")}
      << Placed{'S', 76, 1, 0, 3, aux, QStringLiteral("CH8"), 1, QStringLiteral("3:VrB")};
    const QString settings = QStringLiteral("参数设置");
    v << Placed{'S', 77, 2, 16, 97, settings, QStringLiteral("报警电压 (V)"), 1, QStringLiteral("9.7")}
      << Placed{'S', 79, 1, 0, 3, settings, QStringLiteral("摇杆模式"), 1, QStringLiteral("3")};

    const QString attitude = QStringLiteral("姿态选择");
    v << Placed{'T', 1, 1, 0, 2, attitude, QStringLiteral("通道选择"), 1, QStringLiteral("CH7")};
    const char *const positions[] = {"UP-UP", "UP-CT", "UP-DN", "DN-UP", "DN-CT", "DN-DN"};
    for (int i = 0; i < 6; ++i) {
        v << Placed{'T', 2 + 2 * i, 2, 16, 11 + i, attitude,
                    QStringLiteral("姿态%1 (%2)").arg(i + 1).arg(QLatin1String(positions[i])), 1,
                    QString::number(11 + i)};
    }
    const QString elevon = QStringLiteral("升降副翼混控");
    v << Placed{'T', 14, 1, 0, 1, elevon, QStringLiteral("混控"), 1, QStringLiteral("打开")}
      << Placed{'T', 15, 2, 120, -21, elevon, QStringLiteral("副翼一（左）"), 1, QStringLiteral("-21")}
      << Placed{'T', 17, 2, 120, 22, elevon, QStringLiteral("副翼一（右）"), 1, QStringLiteral("22")}
      << Placed{'T', 19, 2, 120, -23, elevon, QStringLiteral("副翼二（左）"), 1, QStringLiteral("-23")}
      << Placed{'T', 21, 2, 120, 24, elevon, QStringLiteral("副翼二（右）"), 1, QStringLiteral("24")}
      << Placed{'T', 23, 2, 120, -25, elevon, QStringLiteral("升降二"), 1, QStringLiteral("-25")}
      << Placed{'T', 25, 2, 120, 26, elevon, QStringLiteral("升降一"), 1, QStringLiteral("26")};
    // In a file the mixes carry value + 100.
    const QString vtail = QStringLiteral("V型尾翼混控");
    v << Placed{'T', 27, 1, 0, 0, vtail, QStringLiteral("混控"), 1, QStringLiteral("关闭")}
      << Placed{'T', 28, 2, 100, 31, vtail, QStringLiteral("升降一"), 1, QStringLiteral("31")}
      << Placed{'T', 30, 2, 100, -32, vtail, QStringLiteral("升降二"), 1, QStringLiteral("-32")}
      << Placed{'T', 32, 2, 100, 33, vtail, QStringLiteral("尾舵二"), 1, QStringLiteral("33")}
      << Placed{'T', 34, 2, 100, -34, vtail, QStringLiteral("尾舵一"), 1, QStringLiteral("-34")};
    const QString rates = QStringLiteral("大小舵设置");
    v << Placed{'T', 53, 1, 0, 1, rates, QStringLiteral("混控"), 1, QStringLiteral("打开")}
      << Placed{'T', 54, 1, 0, 2, rates, QStringLiteral("通道"), 1, QStringLiteral("CH3")}
      << Placed{'T', 55, 2, 16, 42, rates, QStringLiteral("CH3 比例-UP"), 1, QStringLiteral("42")}
      << Placed{'T', 57, 2, 16, 43, rates, QStringLiteral("CH3 比例-DOWN"), 1, QStringLiteral("43")};
    const QString mixes = QStringLiteral("可编程混控");
    v << Placed{'T', 59, 2, 100, 51, mixes, QStringLiteral("UP"), 1, QStringLiteral("51")}
      << Placed{'T', 61, 2, 100, -52, mixes, QStringLiteral("UP"), 2, QStringLiteral("-52")}
      << Placed{'T', 63, 2, 100, 53, mixes, QStringLiteral("DOWN"), 1, QStringLiteral("53")}
      << Placed{'T', 65, 2, 100, -54, mixes, QStringLiteral("DOWN"), 2, QStringLiteral("-54")}
      << Placed{'T', 67, 2, 100, 55, mixes, QStringLiteral("偏置"), 1, QStringLiteral("55")}
      << Placed{'T', 69, 2, 100, -56, mixes, QStringLiteral("偏置"), 2, QStringLiteral("-56")}
      << Placed{'T', 71, 1, 0, 3, mixes, QStringLiteral("主控"), 1, QStringLiteral("CH4")}
      << Placed{'T', 72, 1, 0, 5, mixes, QStringLiteral("主控"), 2, QStringLiteral("CH6")}
      << Placed{'T', 73, 1, 0, 6, mixes, QStringLiteral("被控"), 1, QStringLiteral("CH7")}
      << Placed{'T', 74, 1, 0, 0, mixes, QStringLiteral("被控"), 2, QStringLiteral("CH1")}
      << Placed{'T', 75, 1, 0, 2, mixes, QStringLiteral("混控"), 1, QStringLiteral("打开")}
      << Placed{'T', 76, 1, 0, 0, mixes, QStringLiteral("混控"), 2, QStringLiteral("禁止")};
    return v;
}

QByteArray knownFile()
{
    QString s = QStringLiteral("S") + QString(79, QLatin1Char('0')) + QStringLiteral("Y");
    QString t = QStringLiteral("T") + QString(79, QLatin1Char('0')) + QStringLiteral("Z");
    t[36] = QLatin1Char('6');
    t.replace(77, 3, QStringLiteral("6D2"));
    for (const Placed &p : knownValues()) {
        QString &record = p.record == 'S' ? s : t;
        const int n = p.value + p.bias;
        record.replace(p.pos, p.width, p.width == 1 ? QString::number(n) : hex2(n));
    }
    return (s + t).toLatin1();
}

MapParamAccess valuesOf(const QByteArray &file)
{
    MapParamAccess values;
    QString records;
    QString reason;
    if (!ParamFile::recordsOf(QString::fromLatin1(file), &records, &reason))
        qFatal("known file refused: %s", qPrintable(reason));
    Records::apply(Records::sFormat(), records.left(Records::kRecordLength), values);
    Records::apply(Records::tFormat(), records.mid(Records::kRecordLength), values, Records::kMixBiasFile);
    return values;
}

QString cellText(QString html)
{
    html.remove(QRegularExpression(QStringLiteral("<[^>]*>")));
    return html.replace(QLatin1String("&amp;"), QLatin1String("&"))
        .replace(QLatin1String("&lt;"), QLatin1String("<"))
        .replace(QLatin1String("&gt;"), QLatin1String(">"))
        .trimmed();
}

// The sheet's tables as a reader sees them: section title and row label to
// the row's cells after the label.
QHash<QString, QStringList> tablesOf(const QString &html)
{
    QHash<QString, QStringList> rows;
    const QRegularExpression section(QStringLiteral("<h3>(.*?)</h3>\\s*<table[^>]*>(.*?)</table>"),
                                     QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression row(QStringLiteral("<tr>(.*?)</tr>"), QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpression cell(QStringLiteral("<t[hd][^>]*>(.*?)</t[hd]>"),
                                  QRegularExpression::DotMatchesEverythingOption);
    for (const auto &s : section.globalMatch(html)) {
        for (const auto &r : row.globalMatch(s.captured(2))) {
            QStringList cells;
            for (const auto &c : cell.globalMatch(r.captured(1)))
                cells << cellText(c.captured(1));
            if (!cells.isEmpty())
                rows.insert(cellText(s.captured(1)) + QLatin1Char('/') + cells.takeFirst(), cells);
        }
    }
    return rows;
}

QString run(const QString &program, const QStringList &args)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(10000) || p.exitCode() != 0)
        return QString();
    return QString::fromUtf8(p.readAllStandardOutput());
}

SetupSheet::Input inputFor(const MapParamAccess &values)
{
    SetupSheet::Input input;
    input.values = &values;
    input.source = QStringLiteral("文件 known <1>.dat");
    input.time = QDateTime(QDate(2026, 12, 8), QTime(12, 3, 4));
    return input;
}

} // namespace

class TestSheet : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        QCoreApplication::setApplicationName(QStringLiteral("k6qx"));
        QCoreApplication::setApplicationVersion(QStringLiteral(K6_VERSION));
    }

    void htmlShowsEveryValueInItsPlace()
    {
        const MapParamAccess values = valuesOf(knownFile());
        const QString html = SetupSheet::html(inputFor(values));
        const QHash<QString, QStringList> rows = tablesOf(html);
        for (const Placed &p : knownValues()) {
            const QString key = p.section + QLatin1Char('/') + p.row;
            QVERIFY2(rows.contains(key), qPrintable(key));
            const QStringList cells = rows.value(key);
            QVERIFY2(p.column <= cells.size(), qPrintable(key));
            QVERIFY2(cells.at(p.column - 1) == p.shown,
                     qPrintable(QStringLiteral("%1 column %2: %3, not %4").arg(key).arg(p.column)
                                    .arg(cells.at(p.column - 1), p.shown)));
        }
        // A file does not carry the firmware version; the header names the
        // source (escaped), the time and the program.
        QCOMPARE(rows.value(QStringLiteral("参数设置/固件版本")), QStringList{QStringLiteral("（只有发射机回报）")});
        QVERIFY(html.contains(QStringLiteral("文件 known &lt;1&gt;.dat")));
        QVERIFY(html.contains(QLatin1String("2026-12-08 12:03:04")));
        QVERIFY(html.contains(QLatin1String("k6qx " K6_VERSION)));
    }

    // The window may hold more than the record carries.
    void alarmVoltageAsWritten()
    {
        MapParamAccess values = valuesOf(knownFile());
        values.setValue(QStringLiteral("doubleSpinBox"), 11.15);
        QCOMPARE(tablesOf(SetupSheet::html(inputFor(values))).value(QStringLiteral("参数设置/报警电压 (V)")),
                 QStringList{QStringLiteral("11.15（写入为 11.1）")});
    }

    void firmwareFromTheTransmitter()
    {
        const MapParamAccess values = valuesOf(knownFile());
        SetupSheet::Input input = inputFor(values);
        input.firmware = 300;
        QCOMPARE(tablesOf(SetupSheet::html(input)).value(QStringLiteral("参数设置/固件版本")),
                 QStringList{QStringLiteral("300")});
    }

    // Values the source did not report are marked, the rest are not.
    void unreportedValuesMarked()
    {
        const MapParamAccess values = valuesOf(knownFile());
        SetupSheet::Input input = inputFor(values);
        input.unreported = {QStringLiteral("comboBox"), QStringLiteral("comboBox_2")};
        const QHash<QString, QStringList> rows = tablesOf(SetupSheet::html(input));
        QCOMPARE(rows.value(QStringLiteral("大小舵设置/混控")), QStringList{QStringLiteral("打开 （未读取）")});
        QCOMPARE(rows.value(QStringLiteral("大小舵设置/通道")), QStringList{QStringLiteral("CH3 （未读取）")});
        QCOMPARE(rows.value(QStringLiteral("大小舵设置/CH3 比例-UP")), QStringList{QStringLiteral("42")});
    }

    // The PDF: A4, at most two pages, every font embedded, the values in its
    // text as pdftotext reads them.
    void pdfCarriesTheValues()
    {
        const MapParamAccess values = valuesOf(knownFile());
        const QString path = m_dir.filePath(QStringLiteral("sheet.pdf"));
        QString error;
        QVERIFY2(SheetWriter::write(path, inputFor(values), &error), qPrintable(error));
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadOnly));
        QVERIFY(file.read(5) == "%PDF-");

        const QString pdftotext = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
#ifdef Q_OS_WIN
        if (pdftotext.isEmpty())
            QSKIP("pdftotext (poppler-utils) is looked for on Linux only");
#endif
        QVERIFY2(!pdftotext.isEmpty(), "pdftotext missing: scripts/deps.sh installs poppler-utils");
        const QString text = run(pdftotext, {QStringLiteral("-layout"), path, QStringLiteral("-")});
        const QStringList words = text.split(QRegularExpression(QStringLiteral("\\s+")), Qt::SkipEmptyParts);
        for (const Placed &p : knownValues())
            QVERIFY2(words.contains(p.shown), qPrintable(p.section + QLatin1Char('/') + p.row + QLatin1Char(' ') + p.shown));
        QVERIFY(words.contains(QStringLiteral("大小舵设置")));

        const QString info = run(QStandardPaths::findExecutable(QStringLiteral("pdfinfo")), {path});
        const QRegularExpressionMatch pages = QRegularExpression(QStringLiteral("Pages:\\s+(\\d+)")).match(info);
        QVERIFY2(pages.hasMatch(), qPrintable(info));
        QVERIFY(pages.captured(1).toInt() >= 1 && pages.captured(1).toInt() <= 2);
        QVERIFY2(info.contains(QLatin1String("(A4)")), qPrintable(info));
        // pdffonts: two heading lines, then one per font; "emb" is column 5 from the end.
        const QStringList fonts = run(QStandardPaths::findExecutable(QStringLiteral("pdffonts")), {path})
                                      .split(QLatin1Char('\n'), Qt::SkipEmptyParts).mid(2);
        QVERIFY(!fonts.isEmpty());
        for (const QString &font : fonts) {
            const QStringList columns = font.split(QLatin1Char(' '), Qt::SkipEmptyParts);
            QVERIFY2(columns.size() >= 7 && columns.at(columns.size() - 5) == QLatin1String("yes"), qPrintable(font));
        }
        QVERIFY2(fonts.join(QLatin1Char('\n')).contains(QLatin1String("WenQuanYi")), qPrintable(fonts.join(QLatin1Char('\n'))));
    }

    // The suffix chooses; a failed write leaves nothing behind.
    void writeBySuffix_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<bool>("written");
        QTest::addColumn<QByteArray>("start");
        QTest::newRow("pdf") << QStringLiteral("a.pdf") << true << QByteArray("%PDF-");
        QTest::newRow("PDF") << QStringLiteral("b.PDF") << true << QByteArray("%PDF-");
        QTest::newRow("html") << QStringLiteral("c.html") << true << QByteArray("<!DOCTYPE html>");
        QTest::newRow("htm") << QStringLiteral("d.htm") << true << QByteArray("<!DOCTYPE html>");
        QTest::newRow("txt") << QStringLiteral("e.txt") << false << QByteArray();
        QTest::newRow("no suffix") << QStringLiteral("f") << false << QByteArray();
        QTest::newRow("missing folder") << QStringLiteral("no-such-folder/g.pdf") << false << QByteArray();
    }

    void writeBySuffix()
    {
        QFETCH(QString, name);
        QFETCH(bool, written);
        QFETCH(QByteArray, start);
        const MapParamAccess values = valuesOf(knownFile());
        const QString path = m_dir.filePath(name);
        QString error;
        QCOMPARE(SheetWriter::write(path, inputFor(values), &error), written);
        QCOMPARE(error.isEmpty(), written);
        QCOMPARE(QFile::exists(path), written);
        if (written) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::ReadOnly));
            QCOMPARE(file.read(start.size()), start);
        }
    }

    // The English sheet has no Chinese left. Last: the catalogue stays installed.
    void englishSheet()
    {
        QVERIFY(Language::installCatalogue(*QCoreApplication::instance(), Language::Choice::English));
        const MapParamAccess values = valuesOf(knownFile());
        SetupSheet::Input input = inputFor(values);
        input.source = QStringLiteral("known.dat");
        const QString html = SetupSheet::html(input);
        const QRegularExpression cjk(QStringLiteral("[\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]+"));
        const QRegularExpressionMatch left = cjk.match(html);
        QVERIFY2(!left.hasMatch(), qPrintable(left.captured()));
        QVERIFY(html.contains(QLatin1String("lang=\"en\"")));
    }
};

QTEST_MAIN(TestSheet)
#include "tst_sheet.moc"
