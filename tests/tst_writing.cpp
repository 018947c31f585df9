// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "controls.h"
#include "linkend.h"
#include "mainwindow.h"
#include "modalwatcher.h"
#include "windowprobe.h"

#include <QComboBox>
#include <QDoubleSpinBox>
#include <QElapsedTimer>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTest>

#include <atomic>
#include <thread>

#include <fcntl.h>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

namespace {

const QByteArray kFreshS = "S00100000787878787878787870707070707070707070707070707070424210424242424213027F2Y";
const QByteArray kFreshT = "T41E2D3C4855680DCDCDCDCDC140A642A6A6674747474747474740074747474747474740135006D2Z";

// Reads the far end on its own thread, noting when each chunk arrived, while
// the window's thread is busy writing.
class TimedReader
{
public:
    explicit TimedReader(int fd)
        : m_thread([this, fd] {
              QElapsedTimer clock;
              clock.start();
              while (!m_stop) {
                  pollfd p{fd, POLLIN, 0};
                  if (::poll(&p, 1, 2) > 0 && (p.revents & POLLIN)) {
                      char buf[512];
                      const ssize_t n = ::read(fd, buf, sizeof buf);
                      if (n > 0) {
                          const qint64 at = clock.nsecsElapsed();
                          std::lock_guard lock(m_mutex);
                          m_bytes.append(buf, n);
                          m_chunkEnds << std::make_pair(m_bytes.size(), at);
                      }
                  }
              }
          })
    {
    }
    ~TimedReader()
    {
        m_stop = true;
        m_thread.join();
    }
    QByteArray bytes()
    {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }
    // Arrival time (ns) of the chunk that holds byte index i.
    qint64 arrivalOf(qsizetype i)
    {
        std::lock_guard lock(m_mutex);
        for (const auto &[end, at] : m_chunkEnds) {
            if (i < end)
                return at;
        }
        return -1;
    }

private:
    std::mutex m_mutex;
    QByteArray m_bytes;
    QList<std::pair<qsizetype, qint64>> m_chunkEnds;
    std::atomic<bool> m_stop{false};
    std::thread m_thread;
};



} // namespace

class TestWriting : public QObject
{
    Q_OBJECT

private slots:
    void sendsSThenT()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        // S has left the computer before T starts, with the pause between.
        // The reader thread may be scheduled late, which hides a gap but
        // never makes one: one of three clicks must show it.
        qint64 widestGap = 0;
        for (int click = 1; click <= 3 && widestGap < 1'000'000; ++click) {
            TimedReader reader(link.pty.masterFd());
            button(w, "pushButtonSend2")->click();
            QTRY_COMPARE(reader.bytes().size(), 162);
            QCOMPARE(reader.bytes(), kFreshS + kFreshT);
            // After the read request and the answer of answerOnce.
            QCOMPARE(probe.transCount(), 2 + 162 * click);
            QVERIFY(probe.info().endsWith(QStringLiteral("发送：%1B | 接收：336B").arg(2 + 162 * click)));
            widestGap = qMax(widestGap, reader.arrivalOf(81) - reader.arrivalOf(80));
        }
        QVERIFY2(widestGap >= 1'000'000, qPrintable(QStringLiteral("gap %1 ns").arg(widestGap)));
        // Sent is what is known; the transmitter acknowledges nothing.
        QCOMPARE(shownMessage(w),
                 QStringLiteral("参数已发送（162 字节），发射机不回报是否收下\n可以用“校验数据”核对"));
    }

    void secondClickBuildsAnew()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        button(w, "pushButtonSend2")->click();
        QCOMPARE(link.receive(162), kFreshS + kFreshT);
        w.findChild<QSpinBox *>(QStringLiteral("spinBox_93"))->setValue(-100);
        w.findChild<QSpinBox *>(QStringLiteral("spinBox_46"))->setValue(777); // carried by no record
        button(w, "pushButtonSend2")->click();
        QByteArray expectedT = kFreshT;
        expectedT.replace(28, 2, "10");
        QCOMPARE(link.receive(162), kFreshS + expectedT);
        QCOMPARE(probe.transCount(), 2 + 324);
    }

    void closedPortWritesNothing()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        button(w, "pushButtonOpen")->click();
        const QString before = probe.info();
        button(w, "pushButtonSend2")->click();
        QCOMPARE(link.drain(100), QByteArray());
        QCOMPARE(probe.info(), before);
    }

    void refusesValuesThatDoNotFit_data()
    {
        QTest::addColumn<QString>("control");
        QTest::addColumn<double>("value");
        QTest::addColumn<QString>("named");
        QTest::newRow("alarm voltage 24.0") << "doubleSpinBox" << 24.0 << "23.9";
        QTest::newRow("alarm voltage 199.99") << "doubleSpinBox" << 199.99 << "LB";
        QTest::newRow("mix state without an item") << "comboBox_7" << -1.0 << "ProgMix14Mix0";
        QTest::newRow("dual-rate channel without an item") << "comboBox_2" << -1.0 << "DRCH";
    }

    void refusesValuesThatDoNotFit()
    {
        QFETCH(QString, control);
        QFETCH(double, value);
        QFETCH(QString, named);
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        if (auto *d = w.findChild<QDoubleSpinBox *>(control))
            d->setValue(value);
        else
            w.findChild<QComboBox *>(control)->setCurrentIndex(int(value));
        button(w, "pushButtonSend2")->click();
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("错误"));
        QVERIFY2(watcher.boxes[0].text.contains(named), qPrintable(watcher.boxes[0].text));
        QCOMPARE(link.drain(100), QByteArray());
        QCOMPARE(probe.transCount(), 0);
    }

    // Bytes arriving while the records go out wait until T is sent: the pair
    // reflects the controls at the click, and the frame is decoded afterwards.
    void framesWaitForTheWrite()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        link.send(frame(0xA3, {1, 0, 0, 0, 0}));
        button(w, "pushButtonSend2")->click();
        QCOMPARE(link.receive(162), kFreshS + kFreshT);
        QTRY_COMPARE(probe.recvCount(), 2 * 168 + 12);
        QCOMPARE(w.findChild<QSpinBox *>(QStringLiteral("spinBox_93"))->value(), -100);
    }

    // The far end takes nothing (output suspended): the write is reported
    // incomplete, only what left is counted, and the session stays usable.
    void writeThatCannotFinish()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        const int tty = ::open(qPrintable(link.pty.slavePath()), O_RDWR | O_NOCTTY);
        QVERIFY(tty >= 0);
        QVERIFY(::tcflow(tty, TCOOFF) == 0);
        button(w, "pushButtonSend2")->click();
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QVERIFY2(watcher.boxes[0].text.contains(QStringLiteral("没有完整写入")), qPrintable(watcher.boxes[0].text));
        QCOMPARE(probe.transCount(), 2); // the read requests of answerOnce only
        QVERIFY(probe.isComOpen());
        ::tcflow(tty, TCOON);
        ::close(tty);
        QCOMPARE(link.drain(100), QByteArray());
        button(w, "pushButtonSend2")->click();
        QCOMPARE(link.receive(162), kFreshS + kFreshT);
        QCOMPARE(probe.transCount(), 2 + 162);
    }

    void farEndGoneDuringWrite()
    {
        MainWindow w;
        MainWindowProbe probe(w);
        ModalWatcher watcher;
        LinkEnd link;
        link.openIn(w);
        link.answerOnce(w);
        link.pty.closeMaster();
        link.pty.closeSlave();
        button(w, "pushButtonSend2")->click();
        QTRY_VERIFY(!probe.isComOpen());
        QTRY_COMPARE(watcher.boxes.size(), 1);
        QTest::qWait(100);
        QCOMPARE(watcher.boxes.size(), 1);
        QCOMPARE(watcher.boxes[0].title, QStringLiteral("错误"));
        QVERIFY(probe.transCount() <= 81);
    }
};

QTEST_MAIN(TestWriting)
#include "tst_writing.moc"
