// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's action keys work wherever the focus is. Run on X11 (Xvfb):
// there a number box's line edit wants Ctrl+E (end of line) for itself,
// which the offscreen platform's key bindings never show. Ctrl+A (select
// all) it wants everywhere; here it is the key of an action of the window.

#include "appsetup.h"
#include "controls.h"
#include "mainwindow.h"

#include <QAction>
#include <QApplication>
#include <QKeySequence>
#include <QPushButton>
#include <QSignalSpy>
#include <QTabWidget>
#include <QTest>

#include <memory>

namespace {

// Shows the page of the window's tabs that holds the control.
void bringForward(QWidget &window, QWidget *control)
{
    for (QTabWidget *tabs : window.findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            if (tabs->widget(i)->isAncestorOf(control))
                tabs->setCurrentIndex(i);
        }
    }
}

} // namespace

class TestKeys : public QObject
{
    Q_OBJECT

    std::unique_ptr<MainWindow> m_window;
    QAction *m_more = nullptr; // an action of the window beside the buttons, as the 更多 menu's

private slots:
    void initTestCase()
    {
        AppSetup::install(*qApp);
        m_window = std::make_unique<MainWindow>();
        // Only whether a key reaches its action counts here: what the
        // buttons do (dialogs, the status bar) is tested elsewhere.
        for (QPushButton *b : m_window->findChildren<QPushButton *>())
            QObject::disconnect(b, &QPushButton::clicked, nullptr, nullptr);
        m_more = new QAction(m_window.get());
        m_more->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_A));
        m_window->addAction(m_more);
        m_window->show();
        // Xvfb has no window manager to give the window the focus.
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
        m_window->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(m_window.get()));
    }

    void cleanupTestCase() { m_window.reset(); }

    void keyWinsOverTheFocusedControl_data()
    {
        QTest::addColumn<QKeySequence>("key");
        QTest::addColumn<QString>("action"); // a button's objectName, or "more"
        QTest::addColumn<QString>("control");

        const std::pair<QKeySequence, const char *> keys[] = {
            {QKeySequence(Qt::CTRL | Qt::Key_R), "pushButtonRead"},
            {QKeySequence(Qt::Key_F5), "pushButtonRead"},
            {QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_W), "pushButtonSend2"},
            {QKeySequence(Qt::CTRL | Qt::Key_S), "pushButtonSave"},
            {QKeySequence(Qt::CTRL | Qt::Key_O), "pushButtonLoad"},
            {QKeySequence(Qt::CTRL | Qt::Key_E), "pushButtonVerify"},
            {QKeySequence(Qt::CTRL | Qt::Key_A), "more"},
        };
        const std::pair<const char *, const char *> controls[] = {
            {"spin box", "spinBox_9"},
            {"double spin box", "doubleSpinBox"},
            {"combo box", "comboBox_7"},
        };
        for (const auto &[key, action] : keys) {
            for (const auto &[kind, control] : controls) {
                QTest::addRow("%s in a %s", qPrintable(key.toString()), kind)
                    << key << QString::fromLatin1(action) << QString::fromLatin1(control);
            }
        }
    }

    void keyWinsOverTheFocusedControl()
    {
        QFETCH(QKeySequence, key);
        QFETCH(QString, action);
        QFETCH(QString, control);

        auto *target = m_window->findChild<QWidget *>(control);
        QVERIFY(target);
        bringForward(*m_window, target);
        target->setFocus();
        QTRY_COMPARE_WITH_TIMEOUT(QApplication::focusWidget(), target, 2000);

        std::unique_ptr<QSignalSpy> ran;
        if (action == QLatin1String("more"))
            ran = std::make_unique<QSignalSpy>(m_more, &QAction::triggered);
        else
            ran = std::make_unique<QSignalSpy>(button(*m_window, qPrintable(action)), &QPushButton::clicked);
        QTest::keySequence(QApplication::focusWidget(), key);
        QCOMPARE(ran->count(), 1);
    }
};

QTEST_MAIN(TestKeys)
#include "tst_keys.moc"
