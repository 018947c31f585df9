// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliprocess.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "otherprocess.h"
#include "portcombobox.h"
#include "portdoctor.h"
#include "unprivileged.h"

#include <QAbstractItemView>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPort>
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <grp.h>
#include <poll.h>
#include <signal.h>
#include <sys/ioctl.h>
#include <sys/prctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <sys/wait.h>
#include <unistd.h>

namespace {

QString ownName()
{
    QFile f(QStringLiteral("/proc/self/comm"));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll()).trimmed() : QString();
}

// Qt's lock-file name for a pseudo-terminal: LCK..pts_N.
QString lockName(const QString &slavePath)
{
    return QStringLiteral("LCK..") + slavePath.mid(5).replace(QLatin1Char('/'), QLatin1Char('_'));
}

// The number of a process that has ended.
qint64 endedPid()
{
    const pid_t pid = ::fork();
    if (pid == 0)
        ::_exit(0);
    ::waitpid(pid, nullptr, 0);
    return pid;
}

// k6qx-cli with these paths at the head of its port list.
CliRun cliWith(const QStringList &args, const QString &extraPorts)
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("K6QX_EXTRA_PORTS"), extraPorts);
    return cli(args, QString(), env);
}

QString busyText(qint64 pid)
{
    return QStringLiteral("串口被其他程序占用：%1（进程 %2）").arg(ownName()).arg(pid);
}

} // namespace

class TestPortDoctor : public QObject
{
    Q_OBJECT

private slots:
    // A second process with the pseudo-terminal's slave open holds the port;
    // this process holds both ends, which makes it the link's far end, not
    // a holder, for anyone else. A tty opens as often as asked: the holder
    // is in the way only when it keeps others out (sole use, a failed open).
    void heldByAnotherProcess_data()
    {
        QTest::addColumn<bool>("exclusive");
        QTest::addColumn<int>("reported"); // what Qt said when the port was opened
        QTest::addColumn<bool>("usable");

        QTest::newRow("a passive holder is only told of") << false << int(QSerialPort::NoError) << true;
        QTest::newRow("a failed open makes it the cause") << false << int(QSerialPort::PermissionError) << false;
        QTest::newRow("sole use keeps others out") << true << int(QSerialPort::NoError) << false;
    }

    void heldByAnotherProcess()
    {
        QFETCH(bool, exclusive);
        QFETCH(int, reported);
        QFETCH(bool, usable);
        if (exclusive && ::geteuid() == 0)
            QSKIP("sole use does not keep root out");
        PtyPair pty;
        QVERIFY(pty.open());
        OtherProcess other(pty.slavePath(), QString(), {exclusive, QByteArray()});
        QVERIFY(other.ready());

        const auto f = PortDoctor().examine(pty.slavePath(), QSerialPort::SerialPortError(reported));
        QVERIFY(f.exists);
        QCOMPARE(f.holders.size(), 1);
        QCOMPARE(f.holders[0].pid, other.pid());
        QCOMPARE(f.holders[0].name, ownName());
        const QString told = QStringLiteral("也打开着这个设备：%1（进程 %2）").arg(ownName()).arg(other.pid());
        QCOMPARE(PortDoctor::problems(f), usable ? QStringList() : QStringList(busyText(other.pid())));
        QCOMPARE(PortDoctor::warnings(f), usable ? QStringList(told) : QStringList());

        if (reported != QSerialPort::NoError)
            return; // the doctor command opens nothing
        const CliRun r = cli({QStringLiteral("doctor"), pty.slavePath()});
        QCOMPARE(r.code, usable ? 0 : 2);
        if (usable)
            QVERIFY(r.out.contains(QStringLiteral("注意：") + told));
        else
            QCOMPARE(r.errLines, QStringList(QStringLiteral("k6qx-cli: ") + busyText(other.pid())));
        QVERIFY(r.out.contains(QStringLiteral("链路的另一端（同时打开伪终端的主端）：%1（进程 %2）")
                                   .arg(ownName()).arg(::getpid())));
    }

    // ModemManager is worth a word only about a device it would probe
    // (udev's ID_MM_CANDIDATE without ID_MM_DEVICE_IGNORE) or holds; the
    // advice is a rule for this device, not stopping the service.
    void modemManager_data()
    {
        QTest::addColumn<QByteArray>("udev"); // the device's udev data; empty: none
        QTest::addColumn<bool>("holds");
        QTest::addColumn<bool>("advised");

        QTest::newRow("a device it probes") << QByteArray("E:ID_MM_CANDIDATE=1\n") << false << true;
        QTest::newRow("a device it is told to leave")
            << QByteArray("E:ID_MM_CANDIDATE=1\nE:ID_MM_DEVICE_IGNORE=1\n") << false << false;
        QTest::newRow("a device it does not look at") << QByteArray("E:ID_SERIAL=x\n") << false << false;
        QTest::newRow("a device it holds") << QByteArray() << true << true;
    }

    void modemManager()
    {
        QFETCH(QByteArray, udev);
        QFETCH(bool, holds);
        QFETCH(bool, advised);
        PtyPair pty;
        QVERIFY(pty.open());
        OtherProcess modemManager(holds ? pty.slavePath() : QString(), QString(), {false, "ModemManager"});
        QVERIFY(modemManager.ready());
        QTemporaryDir udevData;
        struct stat node;
        QVERIFY(::stat(QFile::encodeName(pty.slavePath()).constData(), &node) == 0);
        if (!udev.isEmpty()) {
            QFile data(udevData.filePath(QStringLiteral("c%1:%2").arg(major(node.st_rdev)).arg(minor(node.st_rdev))));
            QVERIFY(data.open(QIODevice::WriteOnly));
            data.write(udev);
        }

        const auto f = PortDoctor({}, udevData.path()).examine(pty.slavePath());
        const QString advice = QStringLiteral("ModemManager（进程 %1）会探测这个设备").arg(modemManager.pid());
        const QStringList warnings = PortDoctor::warnings(f);
        QCOMPARE(warnings.filter(advice).size(), advised ? 1 : 0);
        if (advised) {
            QVERIFY(warnings.filter(advice).first().contains(QStringLiteral("ENV{ID_MM_DEVICE_IGNORE}=\"1\"")));
            QVERIFY(!warnings.filter(advice).first().contains(QStringLiteral("systemctl")));
        }
        QVERIFY(PortDoctor::usable(f));
    }

    // Qt takes the lock in the first folder that is readable and has the
    // lock already or may be written to.
    void lockFolder_data()
    {
        QTest::addColumn<QString>("lockIn");  // "first", "second"
        QTest::addColumn<bool>("firstThere");
        QTest::addColumn<QString>("chosen");

        QTest::newRow("a lock in the first folder") << "first" << true << "first";
        QTest::newRow("a writable first folder wins over a lock in the second") << "second" << true << "first";
        QTest::newRow("no first folder: the second") << "second" << false << "second";
    }

    void lockFolder()
    {
        QFETCH(QString, lockIn);
        QFETCH(bool, firstThere);
        QFETCH(QString, chosen);
        QTemporaryDir root;
        const QString first = root.filePath(QStringLiteral("first"));
        const QString second = root.filePath(QStringLiteral("second"));
        if (firstThere)
            QVERIFY(QDir().mkpath(first));
        QVERIFY(QDir().mkpath(second));
        const QString device = QStringLiteral("/dev/ttyUSB3");
        QFile lock(root.filePath(lockIn + QStringLiteral("/LCK..ttyUSB3")));
        QVERIFY(lock.open(QIODevice::WriteOnly));
        QCOMPARE(PortDoctor::lockPath(device, {first, second}), root.filePath(chosen + QStringLiteral("/LCK..ttyUSB3")));
    }

    // The lock directory decides for Qt: a live lock of another process
    // blocks, one whose process has ended is stale, our own is none of the
    // doctor's business.
    void lockFile_data()
    {
        QTest::addColumn<QString>("who");
        QTest::addColumn<bool>("usable");
        QTest::addColumn<QString>("said"); // %1 the lock file, %2 its process

        QTest::newRow("live process") << "live" << false << QStringLiteral("串口被其他程序占用：%3（进程 %2）");
        QTest::newRow("ended process") << "ended" << true
                                       << QStringLiteral("锁文件 %1 是已结束的进程 %2 留下的，已经过时，可以删除");
        QTest::newRow("no process number") << "garbage" << true << QStringLiteral("锁文件 %1 中读不出进程号");
        QTest::newRow("this process") << "self" << true << QString();
    }

    void lockFile()
    {
        QFETCH(QString, who);
        QFETCH(bool, usable);
        QFETCH(QString, said);
        PtyPair pty;
        QVERIFY(pty.open());
        QTemporaryDir lockDir;
        const QString path = lockDir.filePath(lockName(pty.slavePath()));

        std::unique_ptr<OtherProcess> live;
        qint64 pid = 0;
        if (who == QLatin1String("live")) {
            live = std::make_unique<OtherProcess>(QString(), path);
            QVERIFY(live->ready());
            pid = live->pid();
        } else {
            pid = who == QLatin1String("ended") ? endedPid() : who == QLatin1String("self") ? ::getpid() : 0;
            QFile lock(path);
            QVERIFY(lock.open(QIODevice::WriteOnly));
            lock.write(pid ? QByteArray::number(pid) + "\nk6qx\nhost\n" : QByteArray("not a number\n"));
        }

        const auto f = PortDoctor({lockDir.path()}).examine(pty.slavePath());
        QVERIFY(f.lock.has_value());
        QCOMPARE(f.lock->pid, pid);
        QCOMPARE(PortDoctor::usable(f), usable);
        const QStringList found = PortDoctor::problems(f) + PortDoctor::warnings(f);
        said.replace(QLatin1String("%1"), path).replace(QLatin1String("%2"), QString::number(pid));
        const QStringList expected = said.isEmpty() ? QStringList() : QStringList(said.replace(QLatin1String("%3"), ownName()));
        QCOMPARE(found, expected);
    }

    // A missing node, no port chosen, a file that is no device: each said
    // for what it is, and the CLI's doctor exits 2.
    void notAPort_data()
    {
        QTest::addColumn<QString>("port");
        QTest::addColumn<QString>("said");
        QTest::newRow("unplugged adapter") << "ttyUSB9" << "串口 ttyUSB9 不存在（已拔出？）";
        QTest::newRow("missing path") << "/dev/pts/no-such-port" << "串口 /dev/pts/no-such-port 不存在（已拔出？）";
        QTest::newRow("a file") << "/proc/version" << "/proc/version 不是串口设备";
    }

    void notAPort()
    {
        QFETCH(QString, port);
        QFETCH(QString, said);
        QCOMPARE(PortDoctor::problems(PortDoctor().examine(port)), QStringList(said));
        const CliRun r = cli({QStringLiteral("doctor"), port});
        QCOMPARE(r.code, 2);
        QCOMPARE(r.errLines, QStringList(QStringLiteral("k6qx-cli: ") + said));
    }

    // Opening reads and writes: a device the user may only read is refused
    // as one without any access; the group advice only where joining the
    // group would help.
    void access_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<bool>("dialout");
        QTest::addColumn<bool>("member"); // the child has dialout as a supplementary group
        QTest::addColumn<QString>("said"); // %1 the device

        QTest::newRow("everyone reads and writes") << 0666 << false << false << QString();
        QTest::newRow("the dialout group reads and writes")
            << 0660 << true << false
            << QStringLiteral("没有访问权限：设备属于 dialout 组，当前用户不在该组中：sudo usermod -aG dialout $USER，然后重新登录");
        QTest::newRow("a member of the dialout group") << 0660 << true << true << QString();
        QTest::newRow("read only for the group")
            << 0640 << true << false << QStringLiteral("没有访问权限：设备 %1 不允许当前用户读写（属于用户 root、dialout 组，权限 0640）");
        QTest::newRow("the owner alone")
            << 0600 << false << false << QStringLiteral("没有访问权限：设备 %1 不允许当前用户读写（属于用户 root、root 组，权限 0600）");
    }

    void access()
    {
        QFETCH(int, mode);
        QFETCH(bool, dialout);
        QFETCH(bool, member);
        QFETCH(QString, said);
        if (::geteuid() != 0)
            QSKIP("needs root to give the device away");
        const group *gr = ::getgrnam("dialout");
        if (!gr)
            QSKIP("no dialout group");
        PtyPair pty;
        QVERIFY(pty.open());
        const QByteArray node = QFile::encodeName(pty.slavePath());
        QVERIFY(::chown(node.constData(), 0, dialout ? gr->gr_gid : 0) == 0);
        QVERIFY(::chmod(node.constData(), mode_t(mode)) == 0);
        const QStringList expected =
            said.isEmpty() ? QStringList() : QStringList(said.replace(QLatin1String("%1"), pty.slavePath()));
        QVERIFY(asUnprivileged(
            [&] {
                const PortDoctor::Findings f = PortDoctor().examine(pty.slavePath());
                const QStringList found = PortDoctor::problems(f);
                if (found != expected || f.inGroup != member)
                    qWarning() << "found" << found << "expected" << expected << "in the group" << f.inGroup;
                return found == expected && f.inGroup == member;
            },
            member ? std::vector<gid_t>{gr->gr_gid} : std::vector<gid_t>{}));
    }

    // The window names the holder: the second process has the slave open
    // and holds Qt's lock in the system's lock directory.
    void windowNamesTheHolder()
    {
        LinkEnd link;
        OtherProcess other(link.pty.slavePath(), PortDoctor::lockPath(link.pty.slavePath()));
        QVERIFY(other.ready());
        MainWindow w;
        ModalWatcher watcher;
        link.openIn(w);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("不能打开指定串口\n") + busyText(other.pid()));
    }

    // A port this program holds itself is no other program's: the plain
    // question stays.
    void ownPortKeepsThePlainQuestion()
    {
        LinkEnd link;
        QSerialPort holder(link.pty.slavePath());
        QVERIFY(holder.open(QIODevice::ReadWrite));
        MainWindow w;
        ModalWatcher watcher;
        link.openIn(w);
        QTRY_COMPARE_WITH_TIMEOUT(watcher.boxes.size(), 1, 5000);
        QCOMPARE(watcher.boxes[0].text, QStringLiteral("不能打开指定串口\n请检查串口是否被占用"));
    }

    // A free pseudo-terminal (only this process at its master) looks usable
    // to `doctor`; `ports --verbose` and `--json` list it with the findings.
    void cliOnAFreePort()
    {
        PtyPair pty;
        QVERIFY(pty.open());
        pty.closeSlave();
        const QString path = pty.slavePath();

        const CliRun doctor = cli({QStringLiteral("doctor"), path});
        QCOMPARE(doctor.code, 0);
        QVERIFY(doctor.out.startsWith(path + QStringLiteral("\n  设备：") + path + QLatin1Char('\n')));
        QVERIFY(doctor.out.endsWith(QStringLiteral("没有发现妨碍使用该串口的问题（没有打开串口试过）\n")));

        const CliRun verbose = cliWith({QStringLiteral("ports"), QStringLiteral("--verbose")}, path);
        QCOMPARE(verbose.code, 0);
        QVERIFY(verbose.out.startsWith(path + QStringLiteral("\n  设备：") + path + QLatin1Char('\n')));

        const CliRun json = cliWith({QStringLiteral("ports"), QStringLiteral("--json")}, path);
        QCOMPARE(json.code, 0);
        const QJsonObject first = QJsonDocument::fromJson(json.out.toUtf8()).array().first().toObject();
        QCOMPARE(first.value(QStringLiteral("port")).toString(), path);
        QCOMPARE(first.value(QStringLiteral("usable")).toBool(), true);
        QCOMPARE(first.value(QStringLiteral("access")).toString(), QStringLiteral("granted"));
    }

    // The drop-down carries each item's device in its tooltip and is wide
    // enough for the longest name; the closed box keeps the form's width
    // and shows the end of a long path, where pseudo-terminals differ,
    // not its start ("/dev/pts" for every one of them).
    void portBox()
    {
        const QString longPath = QStringLiteral("/dev/pts/10");
        qputenv("K6QX_EXTRA_PORTS", longPath.toLocal8Bit());
        MainWindow w;
        auto *box = w.findChild<PortComboBox *>(QStringLiteral("comboBoxComm"));
        QVERIFY(box);
        const int width = box->width();
        box->showPopup();
        QCOMPARE(box->itemText(0), longPath);
        QVERIFY(box->itemData(0, Qt::ToolTipRole).toString().endsWith(longPath));
        QVERIFY(box->view()->width() > box->view()->fontMetrics().horizontalAdvance(longPath));
        box->hidePopup();
        QCOMPARE(box->width(), width);
        box->setCurrentIndex(0);
        const QString shown = box->shownText();
        QVERIFY2(shown.startsWith(QChar(0x2026)) && longPath.endsWith(shown.mid(1)), qPrintable(shown));
        qunsetenv("K6QX_EXTRA_PORTS");
    }
};

QTEST_MAIN(TestPortDoctor)
#include "tst_portdoctor.moc"
