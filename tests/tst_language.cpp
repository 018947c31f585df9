// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The language chosen in the window's 更多 menu: everything follows at once,
// no value changes, and the next start speaks it too.

#include "appsetup.h"
#include "controls.h"
#include "dlgload.h"
#include "formsnapshot.h"
#include "language.h"
#include "mainwindow.h"
#include "remembered.h"

#include <QAbstractSpinBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QPushButton>
#include <QSpinBox>
#include <QTest>

namespace {

bool hasChinese(const QString &text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.unicode() >= 0x4e00 && c.unicode() < 0xa000; });
}

// A value other than the form's own in every control the records carry.
void changeEveryValue(QWidget &w)
{
    const QStringList controls = recordValues(&w).keys();
    for (const QString &name : controls) {
        QWidget *control = w.findChild<QWidget *>(name);
        if (auto *combo = qobject_cast<QComboBox *>(control))
            combo->setCurrentIndex(combo->currentIndex() == combo->count() - 1 ? 0 : combo->count() - 1);
        else if (auto *spin = qobject_cast<QSpinBox *>(control))
            spin->setValue(spin->value() == spin->maximum() ? spin->minimum() : spin->maximum());
        else if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(control))
            doubleSpin->setValue(doubleSpin->value() == doubleSpin->maximum() ? doubleSpin->minimum()
                                                                              : doubleSpin->maximum());
    }
}

} // namespace

class TestLanguage : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { QVERIFY(AppSetup::install(*qApp, Language::Choice::Chinese)); }

    void switchesWithoutChangingValues()
    {
        MainWindow w;
        changeEveryValue(w);
        const QHash<QString, double> before = recordValues(&w);
        const QStringList changed = w.transmitterWork().changedControls();
        QVERIFY(changed.size() > 40);

        click(w, "actionLanguageEn");
        QTRY_VERIFY2(!hasChinese(w.windowTitle()), qPrintable(w.windowTitle()));
        QCOMPARE(button(w, "pushButtonMore")->text(), QStringLiteral("More"));
        QVERIFY(!hasChinese(w.findChild<QWidget *>(QStringLiteral("spinBox_17"))->toolTip()));
        QVERIFY(!hasChinese(action(w, "actionHistory")->text()));
        DlgLoad dialog(&w);
        QVERIFY(!hasChinese(dialog.windowTitle()));
        QCOMPARE(recordValues(&w), before);
        QCOMPARE(w.transmitterWork().changedControls(), changed);
        QCOMPARE(Remembered::language(), Language::Choice::English);

        click(w, "actionLanguageZh");
        QTRY_COMPARE(button(w, "pushButtonMore")->text(), QStringLiteral("更多"));
        QCOMPARE(recordValues(&w), before);
        QCOMPARE(Remembered::language(), Language::Choice::Chinese);
    }
};

QTEST_MAIN(TestLanguage)
#include "tst_language.moc"
