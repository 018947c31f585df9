// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "portopenerror.h"

#include <QComboBox>
#include <QFile>
#include <QPushButton>
#include <QSerialPort>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

using PortNames::Platform;
Q_DECLARE_METATYPE(Platform)
Q_DECLARE_METATYPE(QSerialPort::SerialPortError)

namespace {

// Runs fn in a child process as a user without the rights root has, so file
// modes apply; returns fn's result.
bool asUnprivileged(const std::function<bool()> &fn)
{
    if (::geteuid() != 0)
        return fn();
    const pid_t pid = ::fork();
    if (pid == 0) {
        const bool ok = ::setgid(65534) == 0 && ::setuid(65534) == 0 && fn();
        ::_exit(ok ? 0 : 1);
    }
    int status = 0;
    ::waitpid(pid, &status, 0);
    return WIFEXITED(status) && WEXITSTATUS(status) == 0;
}

} // namespace

class TestPortOpenError : public QObject
{
    Q_OBJECT

private slots:
    void groupHint_data()
    {
        QTest::addColumn<QSerialPort::SerialPortError>("error");
        QTest::addColumn<Platform>("platform");
        QTest::addColumn<bool>("denied");
        QTest::addColumn<bool>("hint");

        QTest::newRow("no access to the device: hint")
            << QSerialPort::PermissionError << Platform::Unix << true << true;
        QTest::newRow("busy port (lock file, exclusive use): no hint")
            << QSerialPort::PermissionError << Platform::Unix << false << false;
        QTest::newRow("windows never gets the hint")
            << QSerialPort::PermissionError << Platform::Windows << true << false;
        QTest::newRow("missing device: no hint")
            << QSerialPort::DeviceNotFoundError << Platform::Unix << true << false;
        QTest::newRow("not a serial port: no hint")
            << QSerialPort::OpenError << Platform::Unix << true << false;
    }

    void groupHint()
    {
        QFETCH(QSerialPort::SerialPortError, error);
        QFETCH(Platform, platform);
        QFETCH(bool, denied);
        QFETCH(bool, hint);
        QCOMPARE(PortOpenError::wantsGroupHint(error, platform, denied), hint);
    }

    // Opening a port reads and writes: a node the user may only read (or
    // only write) is refused as much as one without any access.
    void accessDenied_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("denied");
        QTest::newRow("read and write") << 0666 << false;
        QTest::newRow("read only") << 0444 << true;
        QTest::newRow("write only") << 0222 << true;
        QTest::newRow("neither") << 0 << true;
    }

    void accessDenied()
    {
        QFETCH(int, mode);
        QFETCH(bool, denied);
        QTemporaryDir dir;
        const QString node = dir.filePath(QStringLiteral("ttyUSB0"));
        QFile f(node);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        QVERIFY(::chmod(qPrintable(dir.path()), 0755) == 0);
        QVERIFY(::chmod(qPrintable(node), mode_t(mode)) == 0);
        QVERIFY(asUnprivileged([&] { return PortOpenError::accessDenied(node) == denied; }));
    }

    // Only EACCES is a refusal; a missing node is not one.
    void missingNodeIsNoRefusal() { QVERIFY(!PortOpenError::accessDenied(QStringLiteral("/dev/pts/no-such-port"))); }

    // A port another program holds gets the two-line message alone.
    void busyPortWithoutHint()
    {
        LinkEnd link;
        QSerialPort holder(link.pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        QSerialPort second(link.pty.slavePath());
        QVERIFY(!second.open(QIODevice::ReadWrite));
        QCOMPARE(second.error(), QSerialPort::PermissionError); // the case the hint must not follow

        MainWindow w;
        ModalWatcher watcher;
        link.openIn(w);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("不能打开指定串口\n请检查串口是否被占用"));
    }
};

QTEST_MAIN(TestPortOpenError)
#include "tst_portopenerror.moc"
