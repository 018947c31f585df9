// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's look: light, dark or as the system prefers, kept between
// starts with the language; the marks stay legible in either palette.

#include "appearance.h"
#include "controls.h"
#include "mainwindow.h"
#include "remembered.h"
#include "systemscheme.h"

#include <QApplication>
#include <QFile>
#include <QStyle>
#include <QTemporaryDir>
#include <QTest>
#include <QToolTip>

#include <cmath>

Q_DECLARE_METATYPE(Appearance::Choice)
Q_DECLARE_METATYPE(Appearance::Mark)
Q_DECLARE_METATYPE(Language::Choice)
Q_DECLARE_METATYPE(std::optional<int>)
Q_DECLARE_METATYPE(std::optional<uint>)

namespace {

// WCAG 2: relative luminance, and the contrast ratio of two colours.
double luminance(const QColor &c)
{
    const auto linear = [](double v) { return v <= 0.04045 ? v / 12.92 : std::pow((v + 0.055) / 1.055, 2.4); };
    return 0.2126 * linear(c.redF()) + 0.7152 * linear(c.greenF()) + 0.0722 * linear(c.blueF());
}

double contrast(const QColor &a, const QColor &b)
{
    const double la = luminance(a);
    const double lb = luminance(b);
    return (std::max(la, lb) + 0.05) / (std::min(la, lb) + 0.05);
}

} // namespace

class TestAppearance : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;
    QString m_startStyle;
    QPalette m_startPalette;

private slots:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        qputenv("K6QX_SETTINGS", m_dir.filePath(QStringLiteral("k6qx.ini")).toLocal8Bit());
        m_startStyle = QApplication::style()->name();
        m_startPalette = QApplication::palette();
    }

    void init() { QFile::remove(Remembered::fileName()); }
    void cleanup() { Appearance::apply(Appearance::Choice::Light); }

    void choicesAreKept_data()
    {
        QTest::addColumn<Appearance::Choice>("appearance");
        QTest::addColumn<Language::Choice>("language");
        QTest::newRow("system, Chinese") << Appearance::Choice::System << Language::Choice::Chinese;
        QTest::newRow("light, English") << Appearance::Choice::Light << Language::Choice::English;
        QTest::newRow("dark, Chinese") << Appearance::Choice::Dark << Language::Choice::Chinese;
    }

    void choicesAreKept()
    {
        QFETCH(Appearance::Choice, appearance);
        QFETCH(Language::Choice, language);
        QCOMPARE(Remembered::appearance(), Appearance::Choice::System);
        QCOMPARE(Remembered::language(), std::nullopt);
        // Each over the other choice, so that a word left behind would show.
        Remembered::keepAppearance(appearance == Appearance::Choice::Dark ? Appearance::Choice::Light
                                                                          : Appearance::Choice::Dark);
        Remembered::keepAppearance(appearance);
        Remembered::keepLanguage(language == Language::Choice::English ? Language::Choice::Chinese
                                                                       : Language::Choice::English);
        Remembered::keepLanguage(language);
        QCOMPARE(Remembered::appearance(), appearance);
        QCOMPARE(Remembered::language(), language);
    }

    void garbledChoicesAreNone()
    {
        QFile f(Remembered::fileName());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("[interface]\nappearance=purple\nlanguage=tlh\n");
        f.close();
        QCOMPARE(Remembered::appearance(), Appearance::Choice::System);
        QCOMPARE(Remembered::language(), std::nullopt);
    }

    void darkAndBackToLight()
    {
        const QColor startWindow = m_startPalette.color(QPalette::Window);
        const QColor startText = m_startPalette.color(QPalette::Text);
        QWidget shown; // follows the application's palette as every widget does
        Appearance::apply(Appearance::Choice::Dark);
        QCOMPARE(QApplication::style()->name().toLower(), QStringLiteral("fusion"));
        QVERIFY(Appearance::isDark());
        for (const QPalette &p : {QApplication::palette(), shown.palette(), QToolTip::palette()}) {
            QVERIFY2(p.color(QPalette::Window).lightnessF() < 0.3, qPrintable(p.color(QPalette::Window).name()));
            QVERIFY2(p.color(QPalette::Base).lightnessF() < 0.3, qPrintable(p.color(QPalette::Base).name()));
            QVERIFY2(p.color(QPalette::Text).lightnessF() > 0.7, qPrintable(p.color(QPalette::Text).name()));
            QVERIFY2(p.color(QPalette::ToolTipText).lightnessF() > 0.7, qPrintable(p.color(QPalette::ToolTipText).name()));
        }

        Appearance::apply(Appearance::Choice::Light);
        QVERIFY(!Appearance::isDark());
        QCOMPARE(Appearance::current(), Appearance::Choice::Light);
        QCOMPARE(QApplication::style()->name(), m_startStyle);
        for (const QPalette &p : {QApplication::palette(), shown.palette()}) {
            QCOMPARE(p.color(QPalette::Window), startWindow);
            QCOMPARE(p.color(QPalette::Text), startText);
        }
    }

    void systemDecides_data()
    {
        QTest::addColumn<std::optional<int>>("appsUseLightTheme");
        QTest::addColumn<std::optional<uint>>("portal");
        QTest::addColumn<QString>("gnome");
        QTest::addColumn<bool>("dark");
        const std::optional<int> noKey;
        const std::optional<uint> noPortal;
        QTest::newRow("nothing answers") << noKey << noPortal << QString() << false;
        QTest::newRow("Windows, dark apps") << std::optional<int>(0) << noPortal << QString() << true;
        QTest::newRow("Windows, light apps") << std::optional<int>(1) << noPortal << QString() << false;
        QTest::newRow("portal prefers dark") << noKey << std::optional<uint>(1) << QString() << true;
        QTest::newRow("portal prefers light") << noKey << std::optional<uint>(2) << QString() << false;
        QTest::newRow("portal has no preference, gsettings not asked")
            << noKey << std::optional<uint>(0) << QStringLiteral("'prefer-dark'") << false;
        QTest::newRow("GNOME prefers dark") << noKey << noPortal << QStringLiteral("'prefer-dark'") << true;
        QTest::newRow("GNOME's default") << noKey << noPortal << QStringLiteral("'default'") << false;
    }

    void systemDecides()
    {
        QFETCH(std::optional<int>, appsUseLightTheme);
        QFETCH(std::optional<uint>, portal);
        QFETCH(QString, gnome);
        QFETCH(bool, dark);
        QCOMPARE(SystemScheme::prefersDark({appsUseLightTheme, portal, gnome}), dark);
    }

    void marksAreLegible_data()
    {
        QTest::addColumn<bool>("dark");
        QTest::addColumn<Appearance::Mark>("mark");
        const std::pair<const char *, Appearance::Mark> marks[] = {
            {"changed", Appearance::Mark::Changed},
            {"differs", Appearance::Mark::Differs},
            {"stale", Appearance::Mark::Stale},
        };
        for (bool dark : {false, true}) {
            for (const auto &[name, mark] : marks)
                QTest::addRow("%s, %s", dark ? "dark" : "light", name) << dark << mark;
        }
    }

    // The palette's text on the mark keeps 4.5:1 (WCAG AA); the mark is
    // told from the base.
    void marksAreLegible()
    {
        QFETCH(bool, dark);
        QFETCH(Appearance::Mark, mark);
        const QPalette palette = dark ? Appearance::darkPalette() : m_startPalette;
        const QColor colour = Appearance::markColour(mark, palette);
        for (QPalette::ColorRole text : {QPalette::Text, QPalette::ButtonText, QPalette::WindowText}) {
            const double ratio = contrast(palette.color(text), colour);
            QVERIFY2(ratio >= 4.5, qPrintable(QStringLiteral("%1 on %2: %3")
                                                  .arg(palette.color(text).name(), colour.name())
                                                  .arg(ratio)));
        }
        QVERIFY2(contrast(colour, palette.color(QPalette::Base)) >= 1.2,
                 qPrintable(colour.name() + QLatin1String(" on ") + palette.color(QPalette::Base).name()));
    }

    // A changed value's mark takes the colours of the look chosen while it
    // is shown.
    void marksFollowTheLook()
    {
        MainWindow w;
        QWidget *box = w.findChild<QWidget *>(QStringLiteral("spinBox_9"));
        setControl(w, QStringLiteral("spinBox_9"), -100);
        QCOMPARE(box->palette().color(QPalette::Base), Appearance::markColour(Appearance::Mark::Changed));
        for (Appearance::Choice look : {Appearance::Choice::Dark, Appearance::Choice::Light}) {
            Appearance::apply(look);
            QCOMPARE(box->palette().color(QPalette::Base),
                     Appearance::markColour(Appearance::Mark::Changed, QApplication::palette()));
            QCOMPARE(box->palette().color(QPalette::Text), QApplication::palette().color(QPalette::Text));
        }
    }
};

QTEST_MAIN(TestAppearance)
#include "tst_appearance.moc"
