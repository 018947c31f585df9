// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// Every dialog of the program at the scale QT_SCALE_FACTOR gives (ctest runs
// this program at 1, 1.25, 1.5 and 2), in both languages: no two visible
// widgets of one dialog overlap and no text is cut.

#include "aboutbox.h"
#include "comparedialog.h"
#include "dlgload.h"
#include "historydialog.h"
#include "language.h"
#include "mainwindow.h"
#include "messageline.h"
#include "modellibrarydialog.h"
#include "modelwizard.h"
#include "paramcompare.h"
#include "transmitterwork.h"

#include <QAbstractButton>
#include <QAbstractScrollArea>
#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QTest>

#include <functional>

using DialogMaker = std::function<QWidget *(MainWindow &)>;
Q_DECLARE_METATYPE(DialogMaker)

namespace {

// The widgets a dialog shows: scroll areas (tables, lists) as one, with
// what they scroll left out.
QList<QWidget *> shownParts(QWidget *dialog)
{
    QList<QWidget *> parts;
    for (QWidget *w : dialog->findChildren<QWidget *>()) {
        if (!w->isVisible() || w->isWindow())
            continue;
        bool inside = false;
        for (QWidget *up = w->parentWidget(); up && up != dialog; up = up->parentWidget())
            inside = inside || qobject_cast<QAbstractScrollArea *>(up) || qobject_cast<QAbstractButton *>(up);
        const bool container = !qobject_cast<QAbstractScrollArea *>(w) && !qobject_cast<QAbstractButton *>(w)
                               && !qobject_cast<QLabel *>(w)
                               && std::any_of(w->children().cbegin(), w->children().cend(), [](QObject *o) {
                                      auto *c = qobject_cast<QWidget *>(o);
                                      return c && c->isVisible() && !c->isWindow();
                                  });
        if (!inside && !container)
            parts << w;
    }
    return parts;
}

QRect inDialog(QWidget *w, QWidget *dialog)
{
    return QRect(w->mapTo(dialog, QPoint(0, 0)), w->size());
}

QString name(QWidget *w)
{
    if (auto *label = qobject_cast<QLabel *>(w))
        return QStringLiteral("label \"%1\"").arg(label->text().left(20));
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        return QStringLiteral("button \"%1\"").arg(button->text());
    return QLatin1String(w->metaObject()->className()) + QLatin1Char(' ') + w->objectName();
}

// Why a text does not fit, empty when it does.
QString cut(QWidget *w)
{
    const QSize need = w->hasHeightForWidth() ? QSize(w->minimumSizeHint().width(), w->heightForWidth(w->width()))
                                              : w->sizeHint();
    if (auto *label = qobject_cast<QLabel *>(w); label && label->text().isEmpty())
        return QString();
    if (!qobject_cast<QLabel *>(w) && !qobject_cast<QAbstractButton *>(w))
        return QString();
    if (w->width() < need.width() || w->height() < need.height())
        return QStringLiteral("%1 is %2×%3, needs %4×%5")
            .arg(name(w))
            .arg(w->width())
            .arg(w->height())
            .arg(need.width())
            .arg(need.height());
    return QString();
}

QList<ParamCompare::Row> someRows()
{
    MapParamAccess mine;
    MapParamAccess other;
    for (const Records::Field *f : ParamCompare::fields(ParamCompare::Against::Transmitter)) {
        mine.setValue(QLatin1String(f->control), 1);
        other.setValue(QLatin1String(f->control), 2);
    }
    return ParamCompare::compare(mine, other, ParamCompare::Against::Transmitter);
}

} // namespace

class TestScales : public QObject
{
    Q_OBJECT

private slots:
    void dialogFits_data()
    {
        QTest::addColumn<Language::Choice>("language");
        QTest::addColumn<DialogMaker>("make");
        const std::pair<const char *, DialogMaker> dialogs[] = {
            {"校验数据",
             [](MainWindow &w) -> QWidget * {
                 return new CompareDialog(someRows(), QStringLiteral("发射机 ttyUSB0 12:03:04"),
                                          ParamCompare::transmitterNote(0) + QLatin1Char('\n')
                                              + ParamCompare::transmitterNote(-1),
                                          &w);
             }},
            {"历史记录",
             [](MainWindow &w) -> QWidget * {
                 QList<ParamHistory::Entry> entries;
                 for (int i = 0; i < 3; ++i)
                     entries.append({QDateTime(QDate(2026, 12, 9), QTime(12, i)), ParamHistory::Kind::Read,
                                     QStringLiteral("ttyUSB0"), QString()});
                 return new HistoryDialog(entries, &w);
             }},
            {"加载文件", [](MainWindow &w) -> QWidget * { return new DlgLoad(&w); }},
            {"模型库",
             [](MainWindow &w) -> QWidget * {
                 static QTemporaryDir folder;
                 static ModelLibrary library(folder.path());
                 if (library.models().isEmpty())
                     library.create(QStringLiteral("V 尾滑翔机 2m"), MapParamAccess());
                 return new ModelLibraryDialog(library, [] { return MapParamAccess(); }, &w);
             }},
            {"关于", [](MainWindow &w) -> QWidget * { return AboutBox::create(&w); }},
            {"详细信息",
             [](MainWindow &w) -> QWidget * {
                 auto *line = w.findChild<MessageLine *>();
                 line->say(QStringLiteral("只收到 8 组参数（共 14 组），未收到的参数仍是窗口原来的值：舵机延迟、大小舵比例"),
                           {QStringLiteral("舵机延迟"), QStringLiteral("大小舵比例")}, QStringLiteral("请检查连接后重新读取"));
                 line->showDetails();
                 return w.findChild<QDialog *>(QStringLiteral("accountDetails"));
             }},
        };
        for (const auto &[dialog, make] : dialogs) {
            QTest::addRow("%s 中文", dialog) << Language::Choice::Chinese << make;
            QTest::addRow("%s English", dialog) << Language::Choice::English << make;
        }
        // Each page of the new-model wizard.
        for (int page = 0; page < 5; ++page) {
            const DialogMaker make = [page](MainWindow &w) -> QWidget * {
                auto *wizard = new ModelWizard(&w);
                wizard->show();
                for (int i = 0; i < page; ++i)
                    wizard->next();
                return wizard;
            };
            QTest::addRow("向导 %d 中文", page) << Language::Choice::Chinese << make;
            QTest::addRow("向导 %d English", page) << Language::Choice::English << make;
        }
    }

    void dialogFits()
    {
        QFETCH(Language::Choice, language);
        QFETCH(DialogMaker, make);
        QVERIFY(Language::installCatalogue(*qApp, language));
        MainWindow w;
        QWidget *dialog = make(w);
        QVERIFY(dialog);
        dialog->show();
        QVERIFY(QTest::qWaitForWindowExposed(dialog));
        QCoreApplication::processEvents();

        const QList<QWidget *> parts = shownParts(dialog);
        QVERIFY(parts.size() > 1);
        const QRect inside = dialog->rect();
        for (int i = 0; i < parts.size(); ++i) {
            const QRect a = inDialog(parts[i], dialog);
            QVERIFY2(inside.contains(a), qPrintable(name(parts[i]) + QStringLiteral(" leaves the dialog")));
            const QString why = cut(parts[i]);
            QVERIFY2(why.isEmpty(), qPrintable(why));
            for (int j = i + 1; j < parts.size(); ++j) {
                QVERIFY2(!a.intersects(inDialog(parts[j], dialog)),
                         qPrintable(name(parts[i]) + QStringLiteral(" overlaps ") + name(parts[j])));
            }
        }
        delete dialog;
    }
};

QTEST_MAIN(TestScales)
#include "tst_scales.moc"
