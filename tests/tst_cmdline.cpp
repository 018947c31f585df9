// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

// The program started as a user or a script starts it.
class TestCommandLine : public QObject
{
    Q_OBJECT

    QTemporaryDir m_dir;

private slots:
    void answers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QStringList>("environment");
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("output");  // a pattern stdout matches
        QTest::addColumn<QString>("errors");  // a pattern stderr matches

        // xcb without a display would fail: these answers need no window system.
        const QStringList noDisplay{"QT_QPA_PLATFORM=xcb"};
        const QString version = QStringLiteral("^k6qx %1\\n%2[^\\n]+\\n$").arg(QRegularExpression::escape(K6_VERSION));
        QTest::newRow("--version without a display")
            << QStringList{"--version"} << noDisplay << 0 << version.arg("许可证：GPL-3\\.0-or-later") << "";
        QTest::newRow("--lang en --version, the licence in English")
            << QStringList{"--lang", "en", "--version"} << noDisplay << 0
            << version.arg("Licence: GPL-3\\.0-or-later") << "";
        QTest::newRow("--help without a display, in Chinese")
            << QStringList{"--help"} << noDisplay << 0 << "--lang <语言>\\s+界面语言" << "";
        QTest::newRow("--lang en --help in English, no Chinese")
            << QStringList{"--lang", "en", "--help"} << noDisplay << 0
            << "^[^\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]*Interface language[^\\x{3000}-\\x{9fff}\\x{ff00}-\\x{ffef}]*$" << "";
        QTest::newRow("K6QX_LANG=en chooses English")
            << QStringList{"--help"} << (noDisplay + QStringList{"K6QX_LANG=en"}) << 0 << "Interface language" << "";
        QTest::newRow("--lang wins over K6QX_LANG")
            << QStringList{"--lang=zh", "--help"} << (noDisplay + QStringList{"K6QX_LANG=en"}) << 0 << "界面语言" << "";
        // English chosen in the window and kept: --lang and K6QX_LANG win for one start.
        const QString keptEnglish = m_dir.filePath(QStringLiteral("k6qx.ini"));
        QFile kept(keptEnglish);
        QVERIFY(kept.open(QIODevice::WriteOnly));
        kept.write("[interface]\nlanguage=en\n");
        kept.close();
        const QStringList keeping = noDisplay + QStringList{QStringLiteral("K6QX_SETTINGS=") + keptEnglish};
        QTest::newRow("the kept language chooses English")
            << QStringList{"--help"} << keeping << 0 << "Interface language" << "";
        QTest::newRow("K6QX_LANG wins over the kept language")
            << QStringList{"--help"} << (keeping + QStringList{"K6QX_LANG=zh"}) << 0 << "界面语言" << "";
        QTest::newRow("--lang wins over the kept language")
            << QStringList{"--lang", "zh", "--help"} << keeping << 0 << "界面语言" << "";
        QTest::newRow("unknown language refused")
            << QStringList{"--lang", "fr"} << noDisplay << 2 << "^$" << "\"fr\"";
        QTest::newRow("unknown option refused") << QStringList{"--bogus"} << noDisplay << 1 << "^$" << "bogus";
        QTest::newRow("shows its window and quits")
            << QStringList{"--quit-after-show"} << QStringList{"QT_QPA_PLATFORM=offscreen"} << 0 << "^$" << "";
        QTest::newRow("shows its window in English and quits")
            << QStringList{"--quit-after-show", "--lang", "en"} << QStringList{"QT_QPA_PLATFORM=offscreen"} << 0
            << "^$" << "";
    }

    void answers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QStringList, environment);
        QFETCH(int, exitCode);
        QFETCH(QString, output);
        QFETCH(QString, errors);

        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "K6QX_LANG"})
            env.remove(QLatin1String(name));
        for (const QString &pair : environment)
            env.insert(pair.section(QLatin1Char('='), 0, 0), pair.section(QLatin1Char('='), 1));
        QProcess program;
        program.setProcessEnvironment(env);
        program.start(QStringLiteral(K6_PROGRAM), arguments);
        QVERIFY(program.waitForStarted(5000));
        if (!program.waitForFinished(20000)) {
            program.kill();
            program.waitForFinished(2000);
            QFAIL("the program did not end");
        }
        const QString out = QString::fromUtf8(program.readAllStandardOutput());
        const QString err = QString::fromUtf8(program.readAllStandardError());
        QVERIFY2(program.exitStatus() == QProcess::NormalExit, qPrintable(err));
        QVERIFY2(program.exitCode() == exitCode, qPrintable(QStringLiteral("exit %1\n%2").arg(program.exitCode()).arg(err)));
        QVERIFY2(QRegularExpression(output).match(out).hasMatch(), qPrintable(out));
        QVERIFY2(QRegularExpression(errors).match(err).hasMatch(), qPrintable(err));
    }
};

QTEST_GUILESS_MAIN(TestCommandLine)
#include "tst_cmdline.moc"
