// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appsetup.h"
#include "formlimits.h"
#include "mainwindow.h"
#include "recordcodec.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCheckBox>
#include <QColor>
#include <QComboBox>
#include <QDir>
#include <QDoubleSpinBox>
#include <QFontDatabase>
#include <QFontInfo>
#include <QImage>
#include <QLabel>
#include <QLayout>
#include <QMenuBar>
#include <QSpinBox>
#include <QStatusBar>
#include <QTabBar>
#include <QTabWidget>
#include <QTemporaryDir>
#include <QTest>

#include <algorithm>
#include <QToolBar>

#include <memory>
#include <utility>

namespace {

QStringList numbered(const QString &stem, int first, int last)
{
    QStringList names;
    for (int n = first; n <= last; ++n)
        names << (n == 1 ? stem : stem + QLatin1Char('_') + QString::number(n));
    return names;
}

QStringList channels(int first, int last)
{
    QStringList items;
    for (int n = first; n <= last; ++n)
        items << QStringLiteral("CH%1").arg(n);
    return items;
}

struct SpinColumn
{
    QStringList names;
    int minimum;
    int maximum;
    QList<int> values; // one per name
};

QList<SpinColumn> spinColumns()
{
    const auto same = [](int v) { return QList<int>(8, v); };
    return {
        {numbered("spinBox", 1, 8), 0, 1, {0, 0, 1, 0, 0, 0, 0, 0}},
        {numbered("spinBox", 9, 16), -100, 100, same(0)},
        {numbered("spinBox", 17, 32), 0, 120, QList<int>(16, 96)},
        {numbered("spinBox", 33, 40), 0, 100, {50, 50, 0, 50, 50, 50, 50, 50}},
        {numbered("spinBox", 41, 44), 0, 4, {1, 3, 0, 2}},
        {{"spinBox_45"}, 1, 4, {2}},
        {{"spinBox_46"}, 0, 99999, {0}},
        {numbered("spinBox", 71, 78), 0, 100, same(100)},
        {numbered("spinBox", 79, 80), 0, 100, {100, 100}},
        {numbered("spinBox", 81, 86), 0, 100, {14, 29, 44, 56, 69, 88}},
        {numbered("spinBox", 87, 92), -100, 100, {100, 100, 100, 100, 100, -100}},
        {numbered("spinBox", 93, 96), -100, 100, {50, -50, 50, 50}},
        {numbered("spinBox", 97, 102), -100, 100, {0, 0, 0, 0, 0, 0}},
    };
}

struct ComboRow
{
    const char *name;
    QStringList items;
    int initialIndex;
};

// Every combo box of the form with the items the form gives it.
QList<ComboRow> comboRows()
{
    const QStringList offOn{"关闭", "打开"};
    const QStringList mixState{"禁止", "关闭", "打开"};
    return {
        {"comboBoxComm", {"COM1", "COM2", "COM3", "COM4", "COM5", "COM6", "COM7", "COM8", "COM9"}, 0},
        {"comboBoxBaudRate",
         {"2400", "4800", "9600", "14400", "19200", "38400", "56000", "57600", "115200"}, 8},
        {"comboBoxDataBit", {"8", "7", "6", "5"}, 0},
        {"comboBoxStopBit", {"1", "1.5", "2"}, 0},
        {"comboBoxParity", {"None", "ODD", "EVEN", "MARK", "SPACE"}, 0},
        {"comboBoxFlowCtrl", {"OFF", "HARDWARE", "XONXOFF"}, 0},
        {"comboBox", offOn, 0},
        {"comboBox_2", channels(1, 4), 0},
        {"comboBox_3", {"SWA"}, 0},
        {"comboBox_4", channels(5, 8) << "关闭", 4},
        {"comboBox_5", offOn, 0},
        {"comboBox_6", offOn, 0},
        {"comboBox_7", mixState, 0},
        {"comboBox_11", channels(1, 8), 0},
        {"comboBox_12", channels(1, 8), 3},
        {"comboBox_8", mixState, 0},
        {"comboBox_9", channels(1, 8), 1},
        {"comboBox_10", channels(1, 8), 5},
    };
}

QString channelLabel(int channel)
{
    return QStringLiteral("<html><head/><body><p><span style=\" font-size:16pt; "
                          "font-weight:600;\">CH%1：</span></p></body></html>")
        .arg(channel);
}

} // namespace

class TestForm : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> window;

    template<class T>
    T *find(const QString &name) const
    {
        const auto all = window->findChildren<T *>(name);
        return all.size() == 1 ? all.first() : nullptr;
    }

    QStringList focusChainNames() const
    {
        QStringList names;
        for (QWidget *w = window->nextInFocusChain(); w != window.get(); w = w->nextInFocusChain())
            names << w->objectName();
        return names;
    }

private slots:
    void init() { window = std::make_unique<MainWindow>(); }
    void cleanup() { window.reset(); }

    void controls_data()
    {
        QTest::addColumn<QByteArray>("className");
        QTest::addColumn<double>("minimum");
        QTest::addColumn<double>("maximum");
        QTest::addColumn<double>("step");
        QTest::addColumn<double>("value");
        QTest::addColumn<QStringList>("items");

        for (const SpinColumn &column : spinColumns()) {
            for (int i = 0; i < column.names.size(); ++i) {
                QTest::newRow(qPrintable(column.names[i]))
                    << QByteArray("QSpinBox") << double(column.minimum) << double(column.maximum)
                    << 1.0 << double(column.values[i]) << QStringList();
            }
        }
        QTest::newRow("doubleSpinBox")
            << QByteArray("QDoubleSpinBox") << 0.0 << 199.99 << 0.1 << 11.1 << QStringList();
        for (const ComboRow &row : comboRows()) {
            // The window replaces the form's port list with the ports it finds.
            if (qstrcmp(row.name, "comboBoxComm") == 0)
                continue;
            QTest::newRow(row.name) << QByteArray("QComboBox") << 0.0 << 0.0 << 0.0
                                    << double(row.initialIndex) << row.items;
        }
    }

    void controls()
    {
        QFETCH(QByteArray, className);
        QFETCH(double, minimum);
        QFETCH(double, maximum);
        QFETCH(double, step);
        QFETCH(double, value);
        QFETCH(QStringList, items);

        auto *control = find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY2(control, "no control, or more than one, of that name");
        QCOMPARE(QByteArray(control->metaObject()->className()), className);

        if (auto *spin = qobject_cast<QSpinBox *>(control)) {
            QCOMPARE(spin->minimum(), int(minimum));
            QCOMPARE(spin->maximum(), int(maximum));
            QCOMPARE(spin->singleStep(), int(step));
            QCOMPARE(spin->value(), int(value));
            QCOMPARE(spin->prefix(), QString());
            QCOMPARE(spin->suffix(), QString());
        } else if (auto *dspin = qobject_cast<QDoubleSpinBox *>(control)) {
            QCOMPARE(dspin->decimals(), 2);
            QCOMPARE(dspin->minimum(), minimum);
            QCOMPARE(dspin->maximum(), maximum);
            QCOMPARE(dspin->singleStep(), step);
            QCOMPARE(dspin->value(), value);
            QCOMPARE(dspin->text(), QStringLiteral("11.10"));
        } else {
            auto *combo = qobject_cast<QComboBox *>(control);
            QVERIFY(combo);
            QVERIFY(!combo->isEditable());
            QStringList actual;
            for (int i = 0; i < combo->count(); ++i)
                actual << combo->itemText(i);
            QCOMPARE(actual, items);
            QCOMPARE(combo->currentIndex(), int(value));
        }
    }

    // No control of the parameter set is missing and none is extra.
    void controlSetIsComplete()
    {
        QStringList expected;
        for (const SpinColumn &column : spinColumns())
            expected << column.names;
        expected << "doubleSpinBox";
        for (const ComboRow &row : comboRows())
            expected << QString::fromLatin1(row.name);
        expected.sort();

        QStringList actual;
        for (QAbstractSpinBox *spin : window->findChildren<QAbstractSpinBox *>())
            actual << spin->objectName();
        for (QComboBox *combo : window->findChildren<QComboBox *>())
            actual << combo->objectName();
        actual.sort();
        QCOMPARE(actual, expected);
    }

    // The limits k6qx-cli checks are the form's own: one for every control
    // a record field names, with that control's range or items.
    void sharedLimitsAreTheForm_data()
    {
        QTest::addColumn<QString>("control");
        for (const Records::Format *format : {&Records::sFormat(), &Records::tFormat()}) {
            for (const Records::Field &f : *format)
                QTest::newRow(f.param) << QString::fromLatin1(f.control);
        }
    }

    void sharedLimitsAreTheForm()
    {
        QFETCH(QString, control);
        const FormLimits::Limits *limits = FormLimits::of(control);
        QVERIFY(limits);
        auto *widget = find<QWidget>(control);
        QVERIFY(widget);
        if (auto *spin = qobject_cast<QSpinBox *>(widget)) {
            QVERIFY(!limits->items);
            QCOMPARE(limits->minimum, double(spin->minimum()));
            QCOMPARE(limits->maximum, double(spin->maximum()));
        } else if (auto *dspin = qobject_cast<QDoubleSpinBox *>(widget)) {
            QVERIFY(!limits->items);
            QCOMPARE(limits->minimum, dspin->minimum());
            QCOMPARE(limits->maximum, dspin->maximum());
        } else {
            auto *combo = qobject_cast<QComboBox *>(widget);
            QVERIFY(combo && limits->items);
            QCOMPARE(limits->minimum, 0.0);
            QStringList items;
            for (int i = 0; i <= int(limits->maximum); ++i)
                items << QString::fromUtf8(limits->items[i]);
            QStringList formItems;
            for (int i = 0; i < combo->count(); ++i)
                formItems << combo->itemText(i);
            QCOMPARE(items, formItems);
        }
    }

    void sharedLimitsHoldNothingElse()
    {
        QCOMPARE(FormLimits::all().size(), Records::sFormat().count + Records::tFormat().count);
    }

    void geometry_data()
    {
        QTest::addColumn<QString>("parent");
        QTest::addColumn<QRect>("rect");

        QTest::newRow("tabWidget_2") << "centralwidget" << QRect(0, 10, 981, 501);
        QTest::newRow("layoutWidget_11") << "centralwidget" << QRect(180, 10, 641, 32);
        QTest::newRow("groupBox_8") << "tab_5" << QRect(10, 20, 71, 441);
        QTest::newRow("groupBox") << "tab_5" << QRect(810, 20, 151, 299);
        QTest::newRow("groupBox_11") << "tab_5" << QRect(810, 328, 151, 133);
        QTest::newRow("layoutWidget4") << "groupBox_8" << QRect(10, 31, 70, 381);
        QTest::newRow("layoutWidget1") << "groupBox_5" << QRect(20, 20, 54, 411);
        QTest::newRow("label_10") << "groupBox_6" << QRect(30, 20, 111, 21);
        QTest::newRow("pushButtonOpen") << "groupBox" << QRect(60, 200, 75, 23);
        QTest::newRow("comboBoxBaudRate") << "groupBox" << QRect(66, 52, 62, 20);
        QTest::newRow("doubleSpinBox") << "groupBox_11" << QRect(71, 20, 51, 22);
        QTest::newRow("spinBox_42") << "groupBox_24" << QRect(41, 289, 41, 20);
        QTest::newRow("groupBox_3") << "tab" << QRect(10, 10, 161, 441);
        QTest::newRow("groupBox_14") << "tab" << QRect(680, 240, 271, 211);
        QTest::newRow("label_55") << "groupBox_7" << QRect(130, 100, 61, 31);
        QTest::newRow("label_56") << "groupBox_7" << QRect(140, 160, 61, 31);
        QTest::newRow("label_52") << "groupBox_12" << QRect(20, 180, 54, 31);
        QTest::newRow("comboBox_7") << "groupBox_13" << QRect(50, 40, 69, 21);
        QTest::newRow("label_63") << "groupBox_14" << QRect(170, 100, 41, 31);
    }

    void geometry()
    {
        QFETCH(QString, parent);
        QFETCH(QRect, rect);
        auto *widget = find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(widget);
        QVERIFY(widget->parentWidget());
        QCOMPARE(widget->parentWidget()->objectName(), parent);
        QCOMPARE(widget->geometry(), rect);
    }

    // The actions added to the form cover no control of either page.
    void addedButtonCoversNothing_data()
    {
        QTest::addColumn<QString>("name");
        QTest::newRow("校验数据") << "pushButtonVerify";
        QTest::newRow("更多") << "pushButtonMore";
    }

    void addedButtonCoversNothing()
    {
        QFETCH(QString, name);
        window->show();
        QVERIFY(QTest::qWaitForWindowExposed(window.get()));
        auto *added = find<QWidget>(name);
        auto *tabs = find<QTabWidget>(QStringLiteral("tabWidget_2"));
        QVERIFY(added && tabs);
        QVERIFY(added->isVisible());
        const QRect area(added->mapToGlobal(QPoint(0, 0)), added->size());
        QVERIFY(QRect(window->mapToGlobal(QPoint(0, 0)), window->size()).contains(area));
        QVERIFY(!area.intersects(QRect(find<QWidget>(QStringLiteral("layoutWidget_11"))->mapToGlobal(QPoint(0, 0)),
                                       find<QWidget>(QStringLiteral("layoutWidget_11"))->size())));
        for (int page = 0; page < tabs->count(); ++page) {
            tabs->setCurrentIndex(page);
            const QRect tabArea(tabs->tabBar()->mapToGlobal(tabs->tabBar()->tabRect(page).topLeft()),
                                tabs->tabBar()->tabRect(page).size());
            QVERIFY(!area.intersects(tabArea));
            for (QWidget *w : tabs->widget(page)->findChildren<QWidget *>()) {
                if (!w->isVisible())
                    continue;
                const QRect r(w->mapToGlobal(QPoint(0, 0)), w->size());
                QVERIFY2(!area.intersects(r), qPrintable(w->objectName()));
            }
        }
    }

    void columns_data()
    {
        QTest::addColumn<QString>("layout");
        QTest::addColumn<QStringList>("widgets");

        QTest::newRow("layoutWidget4") << "verticalLayout" << numbered("Lable", 22, 29);
        QTest::newRow("layoutWidget") << "verticalLayout_2" << numbered("spinBox", 1, 8);
        QTest::newRow("layoutWidget1") << "verticalLayout_5" << numbered("spinBox", 9, 16);
        QTest::newRow("layoutWidget2") << "verticalLayout_6" << numbered("spinBox", 17, 24);
        QTest::newRow("layoutWidget3") << "verticalLayout_9" << numbered("spinBox", 25, 32);
        QTest::newRow("layoutWidget5") << "verticalLayout_11" << numbered("spinBox", 33, 40);
        QTest::newRow("layoutWidget_2") << "verticalLayout_15" << numbered("spinBox", 71, 78);
        QTest::newRow("layoutWidget_11")
            << "horizontalLayout_12"
            << QStringList{"pushButtonRead", "pushButtonLoad", "pushButtonSend2", "pushButtonSave"};
    }

    void columns()
    {
        QFETCH(QString, layout);
        QFETCH(QStringList, widgets);
        auto *container = find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(container);
        QLayout *box = container->layout();
        QVERIFY(box);
        QCOMPARE(box->objectName(), layout);
        QCOMPARE(box->contentsMargins(), QMargins(0, 0, 0, 0));
        QStringList actual;
        for (int i = 0; i < box->count(); ++i) {
            QVERIFY(box->itemAt(i)->widget());
            actual << box->itemAt(i)->widget()->objectName();
        }
        QCOMPARE(actual, widgets);
    }

    void fonts_data()
    {
        QTest::addColumn<QString>("family"); // empty: the application's
        QTest::addColumn<double>("pointSize"); // 0: the application's
        QTest::addColumn<bool>("bold");

        const QString caslon = QStringLiteral("Adobe Caslon Pro");
        const QString song = QStringLiteral("宋体");
        QTest::newRow("tabWidget_2") << caslon << 0.0 << false;
        QTest::newRow("groupBox_4") << caslon << 0.0 << false;
        QTest::newRow("spinBox") << caslon << 10.0 << true;
        QTest::newRow("doubleSpinBox") << caslon << 10.0 << true;
        QTest::newRow("label_10") << caslon << 10.0 << true;
        QTest::newRow("Lable_22") << caslon << 0.0 << false;
        QTest::newRow("label_11") << caslon << 9.0 << false;
        QTest::newRow("label_25") << caslon << 0.0 << true;
        QTest::newRow("label_7") << caslon << 0.0 << true;
        QTest::newRow("label_5") << caslon << 0.0 << false;
        QTest::newRow("comboBoxBaudRate") << caslon << 0.0 << false;
        QTest::newRow("groupBox_3") << song << 10.0 << true;
        QTest::newRow("label_55") << song << 10.0 << true;
        QTest::newRow("comboBox_4") << song << 10.0 << true;
        QTest::newRow("spinBox_97") << song << 10.0 << true;
        QTest::newRow("groupBox_14") << song << 0.0 << true;
        QTest::newRow("label_43") << song << 0.0 << true;
        QTest::newRow("comboBox_10") << song << 0.0 << true;
        QTest::newRow("label_62") << song << 10.0 << true;
        QTest::newRow("spinBox_101") << song << 10.0 << true;
        QTest::newRow("pushButtonRead") << QString() << 0.0 << false;
    }

    void fonts()
    {
        QFETCH(QString, family);
        QFETCH(double, pointSize);
        QFETCH(bool, bold);
        auto *widget = find<QWidget>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(widget);
        const QFont font = widget->font();
        QCOMPARE(font.family(), family.isEmpty() ? QApplication::font().family() : family);
        QCOMPARE(font.pointSizeF(), pointSize > 0 ? pointSize : QApplication::font().pointSizeF());
        QCOMPARE(font.bold(), bold);
    }

    // The form's families are Windows fonts; they must land on an installed
    // family that has the Chinese glyphs.
    void fontFallbacks_data()
    {
        QTest::addColumn<QString>("family");
        QTest::newRow("Adobe Caslon Pro") << QStringLiteral("Adobe Caslon Pro");
        QTest::newRow("宋体") << QStringLiteral("宋体");
    }

    void fontFallbacks()
    {
        QFETCH(QString, family);
        AppSetup::installFontFallbacks();
        const QStringList chinese = QFontDatabase::families(QFontDatabase::SimplifiedChinese);
        const QStringList substitutes = QFont::substitutes(family);
        QVERIFY2(std::any_of(substitutes.cbegin(), substitutes.cend(),
                             [&](const QString &f) { return chinese.contains(f, Qt::CaseInsensitive); }),
                 qPrintable(substitutes.join(QLatin1String(", "))));
        // The family actually drawn is an installed one, not a stand-in.
        QVERIFY(QFontDatabase::families().contains(QFontInfo(QFont(family)).family()));
    }

    void texts_data()
    {
        QTest::addColumn<QByteArray>("property");
        QTest::addColumn<QString>("text");

        QTest::newRow("MainWindow") << QByteArray("windowTitle") << "Korvan电子K6QX调参软件V2.0[*]";
        QTest::newRow("label") << QByteArray("text") << "串口号：";
        QTest::newRow("label_5") << QByteArray("text") << "校  验：";
        QTest::newRow("label_6") << QByteArray("text") << "流  控：";
        QTest::newRow("pushButtonOpen") << QByteArray("text") << "打开";
        QTest::newRow("checkBoxDTR") << QByteArray("text") << "DTR";
        QTest::newRow("label_8") << QByteArray("text") << "正0";
        QTest::newRow("label_10") << QByteArray("text") << "  L                R";
        QTest::newRow("Lable_22") << QByteArray("text") << channelLabel(1);
        QTest::newRow("Lable_29") << QByteArray("text") << channelLabel(8);
        QTest::newRow("label_11") << QByteArray("text") << "报警电压：";
        QTest::newRow("label_25") << QByteArray("text") << "0:SwA";
        QTest::newRow("label_32") << QByteArray("text") << "4:NULL";
        QTest::newRow("label_7") << QByteArray("text") << "CH5:";
        QTest::newRow("label_17") << QByteArray("text") << "比例- UP ：";
        QTest::newRow("label_46") << QByteArray("text") << "比例-DOWN：";
        QTest::newRow("label_22") << QByteArray("text") << "姿态4：";
        QTest::newRow("label_23") << QByteArray("text") << "姿态5:";
        QTest::newRow("label_55") << QByteArray("text") << "（UP-UP）";
        QTest::newRow("label_56") << QByteArray("text") << "(UP-CT)";
        QTest::newRow("label_60") << QByteArray("text") << "（DN-DN）";
        QTest::newRow("label_34") << QByteArray("text") << "（左）";
        QTest::newRow("label_50") << QByteArray("text") << "升降二：";
        QTest::newRow("label_52") << QByteArray("text") << "尾舵一：";
        QTest::newRow("label_65") << QByteArray("text") << "UP ：";
        QTest::newRow("label_63") << QByteArray("text") << "UP ：";
        QTest::newRow("label_66") << QByteArray("text") << "DOWN：";
        QTest::newRow("groupBox") << QByteArray("title") << "设置";
        QTest::newRow("groupBox_11") << QByteArray("title") << "参数设置";
        QTest::newRow("groupBox_12") << QByteArray("title") << "V型尾翼混控";
        QTest::newRow("pushButtonRead") << QByteArray("text") << "读取数据";
        QTest::newRow("pushButtonLoad") << QByteArray("text") << "加载数据";
        QTest::newRow("pushButtonSend2") << QByteArray("text") << "写入数据";
        QTest::newRow("pushButtonSave") << QByteArray("text") << "保存数据";
    }

    void texts()
    {
        QFETCH(QByteArray, property);
        QFETCH(QString, text);
        const QString name = QString::fromLatin1(QTest::currentDataTag());
        QObject *object = name == window->objectName() ? window.get() : find<QWidget>(name);
        QVERIFY(object);
        QCOMPARE(object->property(property.constData()).toString(), text);
    }

    void openButtonStatusTip()
    {
        auto *open = find<QAbstractButton>("pushButtonOpen");
        QVERIFY(open);
        QCOMPARE(open->statusTip(), QStringLiteral("打开/关闭串口"));
    }

    void buddies_data()
    {
        QTest::addColumn<QString>("buddy");
        QTest::newRow("label") << "comboBoxComm";
        QTest::newRow("label_2") << "comboBoxBaudRate";
        QTest::newRow("label_3") << "comboBoxDataBit";
        QTest::newRow("label_4") << "comboBoxStopBit";
        QTest::newRow("label_5") << "comboBoxParity";
        QTest::newRow("label_6") << "comboBoxFlowCtrl";
    }

    void buddies()
    {
        QFETCH(QString, buddy);
        auto *label = find<QLabel>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(label);
        QVERIFY(label->buddy());
        QCOMPARE(label->buddy()->objectName(), buddy);
    }

    void frame()
    {
        auto *tabs = find<QTabWidget>("tabWidget_2");
        QVERIFY(tabs);
        QCOMPARE(tabs->count(), 2);
        QCOMPARE(tabs->widget(0)->objectName(), QStringLiteral("tab_5"));
        QCOMPARE(tabs->tabText(0), QStringLiteral("参数设置"));
        QCOMPARE(tabs->widget(1)->objectName(), QStringLiteral("tab"));
        QCOMPARE(tabs->tabText(1), QStringLiteral("高级菜单"));
        QCOMPARE(tabs->currentIndex(), 1);

        QCOMPARE(window->centralWidget()->objectName(), QStringLiteral("centralwidget"));
        QCOMPARE(window->statusBar()->objectName(), QStringLiteral("statusbar"));
        QVERIFY(!window->findChild<QMenuBar *>());
        QVERIFY(!window->findChild<QToolBar *>());
        QVERIFY(!window->windowIcon().isNull());
        // DTR, RTS and 所有串口 of 查找发射机.
        const auto checks = window->findChildren<QCheckBox *>();
        QCOMPARE(checks.size(), 3);
        for (QCheckBox *check : checks)
            QVERIFY2(!check->isChecked(), qPrintable(check->objectName()));
    }

    // Creation order is focus order: the chain must visit the form's widgets
    // in the order in which the form creates them.
    void focusOrder_data()
    {
        QTest::addColumn<QStringList>("sequence");

        QTest::newRow("serial panel")
            << QStringList{"groupBox", "pushButtonOpen", "label", "comboBoxComm", "checkBoxDTR",
                           "checkBoxRTS", "label_2", "comboBoxBaudRate", "label_3",
                           "comboBoxDataBit", "label_4", "comboBoxStopBit", "label_5",
                           "comboBoxParity", "label_6", "comboBoxFlowCtrl"};
        QTest::newRow("page 0 groups")
            << QStringList{"tab_5", "groupBox_4", "groupBox_5", "groupBox_6", "groupBox_8",
                           "groupBox_10", "groupBox_11", "groupBox_24", "groupBox", "groupBox_2",
                           "tab"};
        QTest::newRow("page 0 spin boxes")
            << (numbered("spinBox", 1, 40) << "spinBox_45" << "doubleSpinBox" << "spinBox_46"
                                           << numbered("spinBox", 41, 44)
                                           << numbered("spinBox", 71, 78));
        QTest::newRow("page 1 controls")
            << (QStringList{"comboBox", "comboBox_2", "comboBox_3", "spinBox_79", "spinBox_80"}
                << numbered("spinBox", 81, 86) << "comboBox_4" << numbered("spinBox", 87, 92)
                << "comboBox_5" << numbered("spinBox", 93, 96) << "comboBox_6" << "comboBox_7"
                << numbered("spinBox", 97, 99) << "comboBox_11" << "comboBox_12" << "comboBox_8"
                << numbered("spinBox", 100, 102) << "comboBox_9" << "comboBox_10");
        QTest::newRow("attitude group")
            << (QStringList{"groupBox_7"} << numbered("label", 18, 24)
                                          << numbered("spinBox", 81, 86) << "comboBox_4"
                                          << numbered("label", 55, 60));
        QTest::newRow("channel labels") << (QStringList{"groupBox_8", "layoutWidget4"}
                                            << numbered("Lable", 22, 29));
        QTest::newRow("frame")
            << QStringList{"centralwidget", "tabWidget_2", "tab_5", "tab", "layoutWidget_11",
                           "pushButtonRead", "pushButtonLoad", "pushButtonSend2",
                           "pushButtonSave", "statusbar"};
    }

    void focusOrder()
    {
        QFETCH(QStringList, sequence);
        QStringList visited;
        for (const QString &name : focusChainNames()) {
            if (sequence.contains(name))
                visited << name;
        }
        QCOMPARE(visited, sequence);
    }

    // A language change re-applies the form's texts: every combo box gets the
    // form's items back and keeps its choice; the port list keeps its ports.
    void languageChangeKeepsCombos_data()
    {
        QTest::addColumn<QStringList>("items");
        for (const ComboRow &row : comboRows())
            QTest::newRow(row.name) << row.items;
    }

    void languageChangeKeepsCombos()
    {
        QFETCH(QStringList, items);
        auto *combo = find<QComboBox>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(combo);
        if (combo->objectName() == QLatin1String("comboBoxComm")) {
            combo->addItems({QStringLiteral("/dev/ttyUSB0"), QStringLiteral("/dev/ttyUSB1")});
            items.clear();
            for (int i = 0; i < combo->count(); ++i)
                items << combo->itemText(i);
        }
        combo->setCurrentIndex(combo->count() - 1);

        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window.get(), &change);

        QStringList actual;
        for (int i = 0; i < combo->count(); ++i)
            actual << combo->itemText(i);
        QCOMPARE(actual, items);
        QCOMPARE(combo->currentIndex(), items.size() - 1);
    }

    void languageChangeKeepsValues()
    {
        const QList<std::pair<QString, int>> values{
            {"spinBox_3", 0}, {"spinBox_17", 120}, {"spinBox_46", 4321}, {"spinBox_92", 7},
            {"spinBox_102", -100}};
        QList<std::pair<QSpinBox *, int>> spins;
        for (const auto &[name, value] : values) {
            auto *spin = find<QSpinBox>(name);
            QVERIFY2(spin, qPrintable(name));
            spin->setValue(value);
            spins.append({spin, value});
        }
        auto *voltage = find<QDoubleSpinBox>("doubleSpinBox");
        auto *rts = find<QCheckBox>("checkBoxRTS");
        auto *tabs = find<QTabWidget>("tabWidget_2");
        QVERIFY(voltage && rts && tabs);
        voltage->setValue(3.3);
        rts->setChecked(true);
        tabs->setCurrentIndex(0);

        QEvent change(QEvent::LanguageChange);
        QCoreApplication::sendEvent(window.get(), &change);

        for (const auto &[spin, value] : spins)
            QCOMPARE(spin->value(), value);
        QCOMPARE(voltage->value(), 3.3);
        QVERIFY(rts->isChecked());
        QCOMPARE(tabs->currentIndex(), 0);
    }

    // The action-bar pictures are files relative to the working directory,
    // read when the window is built.
    void actionIcons_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<QColor>("colour");
        QTest::newRow("pushButtonRead") << "images/Receive.png" << QColor(Qt::red);
        QTest::newRow("pushButtonLoad") << "images/open.png" << QColor(Qt::green);
        QTest::newRow("pushButtonSend2") << "images/Send2.png" << QColor(Qt::blue);
        QTest::newRow("pushButtonSave") << "images/save.png" << QColor(Qt::yellow);
        QTest::newRow("pushButtonVerify") << "images/verify.png" << QColor(Qt::cyan);
    }

    void actionIcons()
    {
        QFETCH(QString, file);
        QFETCH(QColor, colour);
        QTemporaryDir dir;
        QVERIFY(dir.isValid());
        QVERIFY(QDir(dir.path()).mkpath("images"));
        QImage picture(32, 32, QImage::Format_RGB32);
        picture.fill(colour);
        QVERIFY(picture.save(dir.filePath(file)));

        const QString before = QDir::currentPath();
        QVERIFY(QDir::setCurrent(dir.path()));
        window = std::make_unique<MainWindow>();
        QVERIFY(QDir::setCurrent(before));

        QVERIFY(!window->windowIcon().isNull());
        auto *button = find<QAbstractButton>(QString::fromLatin1(QTest::currentDataTag()));
        QVERIFY(button);
        const QPixmap shown = button->icon().pixmap(16);
        QVERIFY(!shown.isNull());
        QCOMPARE(shown.toImage().pixelColor(8, 8), colour);
    }
};

QTEST_MAIN(TestForm)
#include "tst_form.moc"
