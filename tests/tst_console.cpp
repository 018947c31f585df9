// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QDir>
#include <QProcess>
#include <QTest>

#ifdef Q_OS_WIN
#include <qt_windows.h>
#endif

namespace {

QString cliProgram()
{
    QString path = QStringLiteral(K6_CLI_PROGRAM);
#ifdef Q_OS_WIN
    // Under Wine the build's paths are the Linux ones, on drive Z:.
    if (path.startsWith(QLatin1Char('/')))
        path.prepend(QLatin1String("Z:"));
#endif
    return QDir::toNativeSeparators(path);
}

#ifdef Q_OS_WIN
// k6qx-cli with both its output streams on a console of this process's own,
// as in a command prompt; the console's characters afterwards, row after row.
struct ConsoleRun
{
    int code = -1;
    QString screen;
    QString trouble;
};

ConsoleRun runInConsole(const QStringList &args)
{
    ConsoleRun run;
    const HANDLE savedOut = ::GetStdHandle(STD_OUTPUT_HANDLE);
    const HANDLE savedErr = ::GetStdHandle(STD_ERROR_HANDLE);
    const HANDLE savedIn = ::GetStdHandle(STD_INPUT_HANDLE);
    ::FreeConsole();
    if (!::AllocConsole()) {
        run.trouble = QStringLiteral("AllocConsole: ") + qt_error_string();
        return run;
    }
    SECURITY_ATTRIBUTES inherit{sizeof(inherit), nullptr, TRUE};
    const HANDLE console = ::CreateFileW(L"CONOUT$", GENERIC_READ | GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE,
                                         &inherit, OPEN_EXISTING, 0, nullptr);
    if (console != INVALID_HANDLE_VALUE) {
        // Room for the whole help text without scrolling.
        ::SetConsoleScreenBufferSize(console, COORD{200, 400});
        STARTUPINFOW startup{};
        startup.cb = sizeof(startup);
        startup.dwFlags = STARTF_USESTDHANDLES;
        startup.hStdOutput = console;
        startup.hStdError = console;
        QString command = QLatin1Char('"') + cliProgram() + QLatin1Char('"');
        for (const QString &arg : args)
            command += QLatin1Char(' ') + arg;
        std::wstring line = command.toStdWString();
        PROCESS_INFORMATION process{};
        if (::CreateProcessW(nullptr, line.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr, &startup, &process)) {
            if (::WaitForSingleObject(process.hProcess, 10000) == WAIT_OBJECT_0) {
                DWORD code = 0;
                ::GetExitCodeProcess(process.hProcess, &code);
                run.code = int(code);
            } else {
                ::TerminateProcess(process.hProcess, 99);
                run.trouble = QStringLiteral("k6qx-cli did not end within 10 s");
            }
            ::CloseHandle(process.hThread);
            ::CloseHandle(process.hProcess);
            CONSOLE_SCREEN_BUFFER_INFO info{};
            ::GetConsoleScreenBufferInfo(console, &info);
            const DWORD cells = DWORD(info.dwSize.X) * DWORD(info.dwSize.Y);
            std::wstring chars(cells, L' ');
            DWORD read = 0;
            ::ReadConsoleOutputCharacterW(console, chars.data(), cells, COORD{0, 0}, &read);
            run.screen = QString::fromWCharArray(chars.data(), int(read));
        } else {
            run.trouble = QStringLiteral("CreateProcessW: ") + qt_error_string();
        }
        ::CloseHandle(console);
    } else {
        run.trouble = QStringLiteral("CONOUT$: ") + qt_error_string();
    }
    ::FreeConsole();
    ::SetStdHandle(STD_OUTPUT_HANDLE, savedOut);
    ::SetStdHandle(STD_ERROR_HANDLE, savedErr);
    ::SetStdHandle(STD_INPUT_HANDLE, savedIn);
    return run;
}
#endif

} // namespace

// What k6qx-cli says reaches the reader as Chinese both on a console and
// through a file or a pipe.
class TestConsole : public QObject
{
    Q_OBJECT

    static void outputRows()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("code");
        QTest::addColumn<bool>("onStderr");
        QTest::addColumn<QString>("text");
        QTest::newRow("help on standard output") << QStringList{QStringLiteral("--help")} << 0 << false
                                                 << QStringLiteral("显示帮助。");
        QTest::newRow("trouble on standard error")
            << QStringList{QStringLiteral("nosuchcommand")} << 2 << true
            << QStringLiteral("k6qx-cli: 未知命令“nosuchcommand”，见 k6qx-cli --help");
    }

private slots:
    // A pipe gets UTF-8 bytes, whatever the system's code page.
    void redirected_data() { outputRows(); }
    void redirected()
    {
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(bool, onStderr);
        QFETCH(QString, text);
        QProcess p;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("K6QX_LANG"), QStringLiteral("zh"));
        p.setProcessEnvironment(env);
        p.start(cliProgram(), args);
        QVERIFY2(p.waitForFinished(10000), "k6qx-cli did not end within 10 s");
        QCOMPARE(p.exitCode(), code);
        const QByteArray out = p.readAllStandardOutput();
        const QByteArray err = p.readAllStandardError();
        QVERIFY2((onStderr ? err : out).contains(text.toUtf8()), (onStderr ? err : out).toHex(' ').left(300).constData());
        QVERIFY((onStderr ? out : err).isEmpty());
    }

    // A console gets the characters themselves, as WriteConsoleW puts them.
    void console_data() { outputRows(); }
    void console()
    {
#ifndef Q_OS_WIN
        QSKIP("Windows consoles only");
#else
        QFETCH(QStringList, args);
        QFETCH(int, code);
        QFETCH(QString, text);
        qputenv("K6QX_LANG", "zh");
        const ConsoleRun run = runInConsole(args);
        QVERIFY2(run.trouble.isEmpty(), qPrintable(run.trouble));
        QCOMPARE(run.code, code);
        QVERIFY2(run.screen.contains(text), qPrintable(run.screen.simplified().left(400)));
#endif
    }
};

QTEST_GUILESS_MAIN(TestConsole)
#include "tst_console.moc"
