// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "namedpipe.h"
#include "paramfile.h"
#include "unprivileged.h"

#include <QDir>
#include <QFile>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>

#include <sys/stat.h>
#include <unistd.h>

namespace {

const QByteArray kFile =
    "S00000000787878787878787876767676767676767575757575757875323232323264323201236D2Y"
    "T41E2D3C4855680DCDCDCDCDC14096329696674747474747474740074746464646464640135006D2Z";

// Bytes that are no text at all, the same on every run.
QByteArray noise(int size)
{
    QRandomGenerator generator(162);
    QByteArray bytes(size, '\0');
    for (char &b : bytes)
        b = char(generator.bounded(256));
    return bytes;
}

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<unreadable>");
}

} // namespace

class TestParamFile : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void refusalNamesTheProblem_data()
    {
        QTest::addColumn<QByteArray>("bytes");
        QTest::addColumn<QString>("reason");
        QTest::newRow("line end between the records") << kFile.left(81) + "\r\n" + kFile.mid(81) << "第 82 个字符是换行符";
        QTest::newRow("too short") << kFile.left(100) << "文件太短";
        QTest::newRow("hex listing of a short file") << kFile.left(10).toHex(' ') << "文件太短：10 个字符";
        // Decoded as text, 162 such bytes come out as fewer characters.
        QTest::newRow("162 random bytes") << noise(162) << "这不是文本文件";
        QTest::newRow("hex listing of random bytes") << noise(162).toHex(' ') << "这不是文本文件";
        QTest::newRow("short text with a NUL") << kFile.left(20) + '\0' << "这不是文本文件";
    }

    void refusalNamesTheProblem()
    {
        QFETCH(QByteArray, bytes);
        QFETCH(QString, reason);
        QString records, why;
        QVERIFY(!ParamFile::recordsOf(ParamFile::textOf(bytes), &records, &why));
        QVERIFY2(why.startsWith(reason), qPrintable(why));
        QVERIFY(records.isEmpty());
    }

    // A file that cannot be read or written is refused with the reason the
    // file system shows; as a plain user where permissions decide.
    void troubleNamesItsReason_data()
    {
        QTest::addColumn<bool>("write");
        QTest::addColumn<QString>("path"); // under the places folder, PLACES in reason
        QTest::addColumn<bool>("plainUser");
        QTest::addColumn<QString>("reason"); // the message's second line; "" none
        QTest::newRow("read a folder") << false << "" << false << "这是文件夹，不是文件";
        QTest::newRow("read a missing file") << false << "missing.txt" << false << "文件不存在";
        QTest::newRow("read in a missing folder") << false << "gone/deeper/a.txt" << false << "文件夹 PLACES/gone 不存在";
        QTest::newRow("read without permission") << false << "locked.txt" << true << "没有读取这个文件的权限";
        QTest::newRow("read in a folder shut") << false << "shut/inside.txt" << true << "没有打开文件夹 PLACES/shut 的权限";
        QTest::newRow("read a device that refuses") << false << "/proc/self/mem" << false << "";
        QTest::newRow("write into a missing folder") << true << "gone/a.pdf" << false << "文件夹 PLACES/gone 不存在";
        QTest::newRow("write under a file") << true << "plain.txt/a.pdf" << false << "PLACES/plain.txt 不是文件夹";
        QTest::newRow("write over a folder") << true << "" << false << "这是文件夹，不是文件";
        QTest::newRow("write a file without permission") << true << "locked.txt" << true << "没有写入这个文件的权限";
        QTest::newRow("write into a read-only folder") << true << "readonly/a.pdf" << true
                                                       << "没有在文件夹 PLACES/readonly 中新建文件的权限";
    }

    void troubleNamesItsReason()
    {
        QFETCH(bool, write);
        QFETCH(QString, path);
        QFETCH(bool, plainUser);
        QFETCH(QString, reason);
        const QString places = m_dir.filePath(QStringLiteral("places"));
        QVERIFY(QDir().mkpath(places + QStringLiteral("/shut")) && QDir().mkpath(places + QStringLiteral("/readonly")));
        for (const QString name : {QStringLiteral("locked.txt"), QStringLiteral("plain.txt"), QStringLiteral("shut/inside.txt")}) {
            QFile f(places + QLatin1Char('/') + name);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(kFile) == kFile.size());
        }
        QVERIFY(::chmod(qPrintable(m_dir.path()), 0755) == 0);
        QVERIFY(::chmod(qPrintable(places + QStringLiteral("/locked.txt")), 0) == 0);
        QVERIFY(::chmod(qPrintable(places + QStringLiteral("/shut")), 0) == 0);
        QVERIFY(::chmod(qPrintable(places + QStringLiteral("/readonly")), 0555) == 0);
        if (!path.startsWith(QLatin1Char('/')))
            path = path.isEmpty() ? places : places + QLatin1Char('/') + path;
        reason.replace(QStringLiteral("PLACES"), QDir::toNativeSeparators(places));
        const QString first = write ? QStringLiteral("不能写入指定的文件") : QStringLiteral("不能读取指定的文件");
        const QString expected = reason.isEmpty() ? first : first + QLatin1Char('\n') + reason;
        const auto check = [&] {
            QString records, error;
            if (write)
                error = ParamFile::saveError(path);
            else
                ParamFile::load(path, &records, &error);
            if (error != expected)
                qWarning("said: %s", qPrintable(error));
            return error == expected;
        };
        QVERIFY(plainUser ? asUnprivileged(check) : check());
    }

    // Devices and pipes are refused before they are opened: reading a pipe
    // or a serial port would wait for ever.
    void onlyRegularFilesAreRead_data()
    {
        QTest::addColumn<QString>("path");
        QTest::newRow("named pipe") << m_dir.filePath(QStringLiteral("pipe"));
        QTest::newRow("character device") << QStringLiteral("/dev/null");
    }

    void onlyRegularFilesAreRead()
    {
        QFETCH(QString, path);
        NamedPipe pipe(m_dir.filePath(QStringLiteral("pipe")));
        QVERIFY(pipe.made());
        QString records, error;
        QVERIFY(!ParamFile::load(path, &records, &error));
        QCOMPARE(error, QStringLiteral("不能读取指定的文件\n这是设备或管道，不是普通文件"));
    }

    // A folder the user may not write into: no file can be made beside the
    // target, so the save goes into the file itself. A file the user may not
    // write stays as it was and the save says so.
    void saveInAFolderWithoutWriteAccess()
    {
        const QString folder = m_dir.filePath(QStringLiteral("locked"));
        QVERIFY(QDir().mkpath(folder));
        const QString mine = folder + QStringLiteral("/mine.dat");
        const QString theirs = folder + QStringLiteral("/theirs.dat");
        for (const QString &path : {mine, theirs}) {
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write("old") == 3);
        }
        QVERIFY(::chmod(qPrintable(theirs), 0444) == 0);
        if (::geteuid() == 0)
            QVERIFY(::chown(qPrintable(mine), 65534, 65534) == 0);
        QVERIFY(::chmod(qPrintable(folder), 0555) == 0);
        QVERIFY(::chmod(qPrintable(m_dir.path()), 0755) == 0);

        QVERIFY(asUnprivileged([&] { return ParamFile::save(mine, kFile); }));
        QVERIFY(asUnprivileged([&] { return !ParamFile::save(theirs, kFile); }));
        QCOMPARE(contents(mine), kFile);
        QCOMPARE(contents(theirs), QByteArray("old"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), 2);
        QVERIFY(::chmod(qPrintable(folder), 0755) == 0);
    }

    // The limit itself is still read; a byte more, or a device that never
    // ends, is refused after reading one byte beyond the limit.
    void sizeLimit_data()
    {
        QTest::addColumn<QString>("path");
        QTest::addColumn<qint64>("size");
        QTest::addColumn<int>("status");
        const auto Ok = int(ParamFile::ReadStatus::Ok);
        const auto TooLarge = int(ParamFile::ReadStatus::TooLarge);
        QTest::newRow("exactly the limit") << "limit.bin" << ParamFile::kMaxFileBytes << Ok;
        QTest::newRow("one byte beyond") << "beyond.bin" << ParamFile::kMaxFileBytes + 1 << TooLarge;
        // A device has no honest size: refused before it is opened.
        QTest::newRow("a device without end") << "/dev/zero" << qint64(-1) << int(ParamFile::ReadStatus::NotRegular);
    }

    void sizeLimit()
    {
        QFETCH(QString, path);
        QFETCH(qint64, size);
        QFETCH(int, status);
        if (size >= 0) {
            path = m_dir.filePath(path);
            QFile f(path);
            QVERIFY(f.open(QIODevice::WriteOnly) && f.write(QByteArray(size, 'S')) == size);
        }
        QByteArray bytes("stale");
        QCOMPARE(int(ParamFile::readBytes(path, &bytes)), status);
        QCOMPARE(bytes.size(), status == int(ParamFile::ReadStatus::Ok) ? size : 0);
    }
};

QTEST_GUILESS_MAIN(TestParamFile)
#include "tst_paramfile.moc"
