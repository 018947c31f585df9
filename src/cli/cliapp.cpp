// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cliapp.h"

#include "answeraccount.h"
#include "consolewriter.h"
#include "filereason.h"
#include "formlimits.h"
#include "licence.h"
#include "modelcommands.h"
#include "paramcompare.h"
#include "paramfile.h"
#include "paramhistory.h"
#include "paramprinter.h"
#include "portdoctor.h"
#include "portlist.h"
#include "portnames.h"
#include "portsettings.h"
#include "recordcodec.h"
#include "replyframes.h"
#include "sheetwriter.h"
#include "transmittersession.h"
#include "transmitterwork.h"
#include "usbdrivers.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSerialPortInfo>

#include <cstdio>

namespace {

constexpr qint32 kTransmitterBaud = 115200;

QString oneLine(QString text)
{
    return text.replace(QLatin1Char('\n'), QLatin1Char(' ')).trimmed();
}

// A file's trouble as one line: "missing.dat: 不能读取指定的文件：文件不存在".
QString fileTrouble(const QString &path, const QString &error)
{
    QStringList parts = error.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    for (QString &part : parts) {
        while (part.endsWith(QChar(u'：')) || part.endsWith(QLatin1Char(':')))
            part.chop(1);
    }
    return QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path), parts.join(CliApp::tr("：")));
}

// An option as it is typed: -o, --json.
QString spelled(const QString &option)
{
    return (option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + option;
}

// The findings under the port's name, indented; problems and warnings last.
QString findingsText(const PortDoctor::Findings &f)
{
    QStringList lines{f.port};
    for (const QString &line : PortDoctor::report(f))
        lines << QStringLiteral("  ") + line;
    for (const QString &line : PortDoctor::problems(f))
        lines << QStringLiteral("  ") + CliApp::tr("问题：%1").arg(line);
    for (const QString &line : PortDoctor::warnings(f))
        lines << QStringLiteral("  ") + CliApp::tr("注意：%1").arg(line);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

QString adaptersText(const QList<UsbDrivers::Device> &found)
{
    if (found.isEmpty())
        return CliApp::tr("没有发现插着却没有串口的 USB 串口芯片\n");
    QStringList lines{CliApp::tr("USB 串口芯片没有串口（%n 个）：", nullptr, int(found.size()))};
    for (const UsbDrivers::Device &d : found)
        lines << QStringLiteral("  ") + UsbDrivers::text(d);
    return lines.join(QLatin1Char('\n')) + QLatin1Char('\n');
}

} // namespace

CliApp::CliApp()
    : m_output({QStringLiteral("o"), QStringLiteral("output")}, tr("read：把参数保存到文件 FILE（与“保存数据”相同）；sheet：参数表写到 FILE。"),
               QStringLiteral("FILE"))
    , m_json(QStringLiteral("json"), tr("输出 JSON：参数是以发射机参数名为键的一个对象，history 是一个数组。"))
    , m_baud(QStringLiteral("baud"), tr("串口波特率（默认 115200）。"), QStringLiteral("N"))
    , m_channel(QStringLiteral("dual-rate-channel"), tr("读取哪个通道（1..4）的大小舵比例（默认 1）。"),
                QStringLiteral("1..4"))
    , m_verify(QStringLiteral("verify"), tr("写入后读回并比较。"))
    , m_noBackup(QStringLiteral("no-backup"), tr("写入前不读取发射机的参数，不做备份。"))
    , m_verbose(QStringLiteral("verbose"), tr("ports：列出每个串口时附上诊断结果。"))
    , m_all(QStringLiteral("all"), tr("find：芯片表中的串口之后，再试串口列表中的其他每个串口。"))
    , m_help({QStringLiteral("h"), QStringLiteral("help")}, tr("显示帮助。"))
    , m_version(QStringLiteral("version"), tr("显示版本。"))
    , m_lang(QStringLiteral("lang"), tr("输出语言：zh（简体中文，默认）或 en（英文）。也可以用环境变量 K6QX_LANG 设置。"),
             QStringLiteral("zh|en"))
{
    m_parser.setSingleDashWordOptionMode(QCommandLineParser::ParseAsLongOptions);
    m_parser.addOptions({m_output, m_json, m_baud, m_channel, m_verify, m_noBackup, m_verbose, m_all, m_help, m_version, m_lang});
    m_parser.addOption(ModelCommands::nameOption());
}

void CliApp::out(const QString &text)
{
    QString reason;
    if (!ConsoleWriter::write(ConsoleWriter::Stream::Out, text, &reason))
        throw Failure{reason.isEmpty() ? tr("不能写入标准输出") : tr("不能写入标准输出：%1").arg(reason)};
}

void CliApp::err(const QString &text)
{
    // Nowhere is left to tell of a failure here.
    ConsoleWriter::write(ConsoleWriter::Stream::Err, text);
}

QString CliApp::commandOf(const QStringList &arguments)
{
    CliApp probe;
    probe.m_parser.parse(arguments);
    const QStringList args = probe.m_parser.positionalArguments();
    return args.isEmpty() ? QString() : args.first();
}

int CliApp::run(const QStringList &arguments)
{
    try {
        if (!m_parser.parse(arguments)) {
            const QStringList unknown = m_parser.unknownOptionNames();
            if (!unknown.isEmpty())
                throw Failure{tr("未知选项“%1”，见 k6qx-cli --help").arg(spelled(unknown.first()))};
            QString why = m_parser.errorText();
            while (why.endsWith(QLatin1Char('.')) || why.endsWith(QChar(u'。')))
                why.chop(1);
            throw Failure{tr("%1，见 k6qx-cli --help").arg(why)};
        }
        if (m_parser.isSet(m_help)) {
            out(helpText());
            return Success;
        }
        if (m_parser.isSet(m_version)) {
            out(QStringLiteral("k6qx-cli %1\n%2\n").arg(QCoreApplication::applicationVersion(), Licence::versionLine()));
            return Success;
        }
        const QStringList args = m_parser.positionalArguments();
        if (args.isEmpty())
            throw Failure{tr("缺少命令（ports、doctor、find、read、write、verify、show、diff、history、sheet、model），见 k6qx-cli --help")};
        const QString command = args.first();
        if (command == QLatin1String("ports")) {
            checkOptions(command, {QStringLiteral("verbose"), QStringLiteral("json")}, 0);
            return ports();
        }
        if (command == QLatin1String("doctor")) {
            checkOptions(command, {QStringLiteral("json")}, args.size() > 1 ? 1 : 0);
            return args.size() > 1 ? doctor(args.at(1)) : adapters();
        }
        if (command == QLatin1String("find")) {
            checkOptions(command, {QStringLiteral("all"), QStringLiteral("json"), QStringLiteral("baud")}, 0);
            return find();
        }
        if (command == QLatin1String("read")) {
            checkOptions(command, {QStringLiteral("o"), QStringLiteral("json"), QStringLiteral("baud"),
                                   QStringLiteral("dual-rate-channel")}, 1);
            return read(args.at(1));
        }
        if (command == QLatin1String("write")) {
            checkOptions(command, {QStringLiteral("verify"), QStringLiteral("no-backup"), QStringLiteral("baud")}, 2);
            return write(args.at(1), args.at(2));
        }
        if (command == QLatin1String("verify")) {
            checkOptions(command, {QStringLiteral("json"), QStringLiteral("baud")}, 2);
            return verify(args.at(1), args.at(2));
        }
        if (command == QLatin1String("show")) {
            checkOptions(command, {QStringLiteral("json")}, 1);
            return show(args.at(1));
        }
        if (command == QLatin1String("diff")) {
            checkOptions(command, {QStringLiteral("json")}, 2);
            return diff(args.at(1), args.at(2));
        }
        if (command == QLatin1String("history")) {
            checkOptions(command, {QStringLiteral("json")}, 0);
            return history();
        }
        if (command == QLatin1String("sheet")) {
            checkOptions(command, {QStringLiteral("o"), QStringLiteral("baud"), QStringLiteral("dual-rate-channel")}, 1);
            return sheet(args.at(1));
        }
        if (command == QLatin1String("model"))
            return ModelCommands(*this).run();
        throw Failure{tr("未知命令“%1”，见 k6qx-cli --help").arg(command)};
    } catch (const Failure &failure) {
        err(QStringLiteral("k6qx-cli: %1\n").arg(oneLine(failure.message)));
        return Trouble;
    }
}

void CliApp::checkOptions(const QString &command, const QStringList &allowed, int positionals)
{
    for (const QString &name : m_parser.optionNames()) {
        const QString canonical = name == QLatin1String("output") ? QStringLiteral("o") : name;
        if (canonical != QLatin1String("lang") && !allowed.contains(canonical))
            throw Failure{tr("%1 不接受选项 %2，见 k6qx-cli --help").arg(command, spelled(name))};
    }
    const qsizetype given = m_parser.positionalArguments().size() - 1;
    if (given != positionals) {
        throw Failure{tr("%1 需要 %n 个参数", nullptr, positionals).arg(command)
                      + tr("，给出了 %n 个，见 k6qx-cli --help", nullptr, int(given))};
    }
}

// An output file that cannot be written is refused before anything is read.
void CliApp::checkOutput(const QString &path)
{
    if (!FileReason::of(path, FileReason::Operation::Write).isEmpty())
        throw Failure{fileTrouble(path, ParamFile::saveError(path))};
}

qint32 CliApp::baudRate()
{
    if (!m_parser.isSet(m_baud))
        return kTransmitterBaud;
    bool ok = false;
    const QString text = m_parser.value(m_baud);
    const int baud = text.toInt(&ok);
    // The rates the serial panel offers; anything else would fall back silently.
    if (!ok || PortSettings::fromPanel(text, {}, {}, {}, {}).baudRate != baud)
        throw Failure{tr("--baud 不是串口面板提供的波特率：“%1”").arg(text)};
    return baud;
}

MapParamAccess CliApp::loadFile(const QString &path)
{
    MapParamAccess values;
    QString error;
    if (!ParamHistory::load(path, &values, &error))
        throw Failure{fileTrouble(path, error)};
    return values;
}

void CliApp::watchHistory(TransmitterWork &work)
{
    const auto warn = [this](const QString &text) {
        if (text.isEmpty() || m_historyWarned)
            return;
        m_historyWarned = true;
        err(QStringLiteral("k6qx-cli: %1\n").arg(oneLine(text)));
    };
    QObject::connect(&work, &TransmitterWork::historyTroubleChanged, &work,
                     [warn](const QString &why) { warn(why.isEmpty() ? why : tr("参数历史没有保存：%1").arg(why)); });
    QObject::connect(&work, &TransmitterWork::historyNotice, &work, warn);
}

void CliApp::openPort(TransmitterWork &work, const QString &port)
{
    watchHistory(work);
    PortSettings settings;
    settings.baudRate = baudRate();
    const QString device = PortNames::deviceName(port);
    if (!work.open(device, settings, false, false)) {
        const auto findings = PortDoctor().examine(port, work.openError(), work.openSystemError());
        throw Failure{tr("不能打开串口 %1：%2").arg(port, PortDoctor::openFailure(findings).join(tr("；")))};
    }
}

int CliApp::ports()
{
    const QStringList names = PortList::current();
    if (!m_parser.isSet(m_verbose) && !m_parser.isSet(m_json)) {
        for (const QString &name : names)
            out(name + QLatin1Char('\n'));
        return Success;
    }
    const PortDoctor doctor;
    QJsonArray list;
    for (const QString &name : names) {
        const auto findings = doctor.examine(name);
        if (m_parser.isSet(m_json))
            list.append(PortDoctor::json(findings));
        else
            out(findingsText(findings));
    }
    if (m_parser.isSet(m_json))
        out(QString::fromUtf8(QJsonDocument(list).toJson()));
    else
        out(adaptersText(UsbDrivers::found()));
    return Success;
}

// The USB-serial adapters plugged in that give no serial port.
int CliApp::adapters()
{
    const QList<UsbDrivers::Device> found = UsbDrivers::found();
    if (m_parser.isSet(m_json))
        out(QString::fromUtf8(QJsonDocument(QJsonObject{{QStringLiteral("missingDrivers"), UsbDrivers::json(found)}}).toJson()));
    else
        out(adaptersText(found));
    if (found.isEmpty())
        return Success;
    err(QStringLiteral("k6qx-cli: %1\n").arg(oneLine(UsbDrivers::finding(found.first()))));
    return Trouble;
}

int CliApp::doctor(const QString &port)
{
    const auto findings = PortDoctor().examine(port);
    const QStringList problems = PortDoctor::problems(findings);
    if (m_parser.isSet(m_json)) {
        out(QString::fromUtf8(QJsonDocument(PortDoctor::json(findings)).toJson()));
    } else {
        out(findingsText(findings));
        // Nothing was opened: that the port would open is a guess.
        if (!problems.isEmpty())
            out(tr("该串口现在不能使用\n"));
        else
            out(tr("没有发现妨碍使用该串口的问题（没有打开串口试过）\n"));
    }
    if (problems.isEmpty())
        return Success;
    err(QStringLiteral("k6qx-cli: %1\n").arg(oneLine(problems.first())));
    return Trouble;
}

std::optional<MapParamAccess> CliApp::readComplete(const QString &port)
{
    int channel = 1;
    if (m_parser.isSet(m_channel)) {
        bool ok = false;
        channel = m_parser.value(m_channel).toInt(&ok);
        if (!ok || channel < 1 || channel > 4)
            throw Failure{tr("--dual-rate-channel 只能是 1 到 4：“%1”").arg(m_parser.value(m_channel))};
    }
    MapParamAccess values;
    Records::applyStartingValues(values);
    values.setValue(QLatin1String(Records::kDualRateChannel), channel - 1);

    TransmitterWork work(values);
    openPort(work, port);
    const TransmitterWork::Account account = work.readAndWait();
    work.close();
    switch (account.outcome) {
    case AnswerCollector::Outcome::Complete:
        break;
    case AnswerCollector::Outcome::Partial:
        // Part of an answer is no parameter set: nothing is saved or shown as one.
        out(account.text + QLatin1Char('\n'));
        return std::nullopt;
    default:
        throw Failure{work.troubleOf(account.outcome).full()};
    }
    // With the firmware version, which no record carries.
    MapParamAccess read = values;
    read.setValue(QLatin1String(ReplyFrames::kFirmwareControl),
                  values.value(QLatin1String(ReplyFrames::kFirmwareControl)));
    return read;
}

int CliApp::read(const QString &port)
{
    if (m_parser.isSet(m_output))
        checkOutput(m_parser.value(m_output));
    const std::optional<MapParamAccess> answer = readComplete(port);
    if (!answer)
        return Differences;
    const MapParamAccess &values = *answer;

    if (m_parser.isSet(m_output)) {
        const QString path = m_parser.value(m_output);
        const QStringList problems = Records::limitProblems(Records::sFormat(), values)
                                     + Records::limitProblems(Records::tFormat(), values, Records::kMixBiasFile);
        if (!problems.isEmpty())
            throw Failure{tr("以下参数超出可保存的范围，没有保存：") + problems.join(QStringLiteral("；"))};
        const QString text = Records::build(Records::sFormat(), values)
                             + Records::build(Records::tFormat(), values, Records::kMixBiasFile);
        if (!ParamFile::save(path, text.toLocal8Bit()))
            throw Failure{fileTrouble(path, ParamFile::saveError(path))};
    }
    const auto fields = ParamCompare::fields(ParamCompare::Against::File);
    if (m_parser.isSet(m_json))
        out(ParamPrinter::json(fields, values));
    else if (!m_parser.isSet(m_output))
        out(ParamPrinter::table(fields, values));
    if (m_parser.isSet(m_output)) {
        const QString saved = tr("参数已保存到 %1\n")
                                  .arg(QDir::toNativeSeparators(QFileInfo(m_parser.value(m_output)).absoluteFilePath()));
        // Standard output holds the JSON alone.
        if (m_parser.isSet(m_json))
            err(saved);
        else
            out(saved);
    }
    return Success;
}

int CliApp::write(const QString &port, const QString &file)
{
    return writeSet(port, loadFile(file));
}

int CliApp::writeSet(const QString &port, MapParamAccess values, const std::function<void()> &sent)
{
    TransmitterWork work(values);
    // No one to ask: a write without a kept backup is refused.
    work.setAsker([](TransmitterWork::Question, const QString &) { return false; });
    const QStringList problems = TransmitterWork::writeProblems(values);
    // Refused before the port is opened.
    if (!problems.isEmpty())
        throw Failure{tr("以下参数超出可写入的范围，没有写入发射机：") + problems.join(QStringLiteral("；"))};
    openPort(work, port);
    const TransmitterWork::Account account = work.write(!m_parser.isSet(m_noBackup));
    if (!account.done) {
        QString why = account.text;
        if (!account.details.isEmpty())
            why += account.details.join(QStringLiteral("；"));
        if (account.noBackup)
            why += tr("；不备份也要写入请加 --no-backup");
        throw Failure{why};
    }
    if (sent)
        sent();
    // The transmitter does not acknowledge: what is known is what left.
    out(tr("参数已写入串口 %1（%n 字节），发射机不回报是否收下\n", nullptr, 2 * Records::kRecordLength).arg(port));
    if (m_parser.isSet(m_noBackup))
        out(tr("没有备份：用了 --no-backup，写入前没有读取发射机的参数\n"));
    else if (!account.backup.isEmpty())
        out(tr("写入前发射机的参数备份在 %1\n").arg(QDir::toNativeSeparators(account.backup)));
    if (!m_parser.isSet(m_verify)) {
        out(tr("可以用 k6qx-cli verify 核对发射机中的参数\n"));
        return Success;
    }
    const TransmitterWork::Verification v = work.readBack();
    if (!v.account.done)
        throw Failure{v.account.full()};
    out(tr("读回发射机的参数，与文件比较：\n"));
    out(ParamPrinter::differences(v.rows, tr("文件"), tr("发射机")));
    return ParamCompare::differences(v.rows) + ParamCompare::missing(v.rows) > 0 ? Differences : Success;
}

int CliApp::verify(const QString &port, const QString &file)
{
    MapParamAccess values = loadFile(file);
    TransmitterWork work(values);
    openPort(work, port);
    const TransmitterWork::Verification v = work.verify();
    if (!v.account.done)
        throw Failure{v.account.full()};
    if (m_parser.isSet(m_json)) {
        out(ParamPrinter::differencesJson(v.rows));
    } else {
        out(ParamPrinter::differences(v.rows, tr("文件"), tr("发射机")));
        out(ParamCompare::transmitterNote(int(values.value(QLatin1String(Records::kDualRateChannel)))) + QLatin1Char('\n'));
    }
    return ParamCompare::differences(v.rows) + ParamCompare::missing(v.rows) > 0 ? Differences : Success;
}

int CliApp::show(const QString &file)
{
    const MapParamAccess values = loadFile(file);
    const auto fields = ParamCompare::fields(ParamCompare::Against::File);
    out(m_parser.isSet(m_json) ? ParamPrinter::json(fields, values) : ParamPrinter::table(fields, values));
    return Success;
}

int CliApp::diff(const QString &fileA, const QString &fileB)
{
    const MapParamAccess a = loadFile(fileA);
    const MapParamAccess b = loadFile(fileB);
    const auto rows = ParamCompare::compare(a, b, ParamCompare::Against::File);
    out(m_parser.isSet(m_json) ? ParamPrinter::differencesJson(rows) : ParamPrinter::differences(rows, fileA, fileB));
    return ParamCompare::differences(rows) > 0 ? Differences : Success;
}

int CliApp::history()
{
    const QList<ParamHistory::Entry> entries = ParamHistory().entries();
    out(m_parser.isSet(m_json) ? ParamPrinter::historyJson(entries) : ParamPrinter::history(entries));
    return Success;
}

// A regular file of that name is a parameter file; anything else names a port.
int CliApp::sheet(const QString &source)
{
    if (!m_parser.isSet(m_output))
        throw Failure{tr("sheet 需要 -o OUT.pdf 或 -o OUT.html，见 k6qx-cli --help")};
    const QString path = m_parser.value(m_output);
    // Refused before the transmitter is asked anything.
    if (SheetWriter::formatOf(path) == SheetWriter::Format::Unknown)
        throw Failure{SheetWriter::unknownSuffix(path)};
    checkOutput(path);

    SetupSheet::Input input;
    input.time = QDateTime::currentDateTime();
    MapParamAccess values;
    if (QFileInfo(source).isFile()) {
        values = loadFile(source);
        input.source = tr("文件 %1").arg(QDir::toNativeSeparators(source));
    } else {
        std::optional<MapParamAccess> answer;
        try {
            answer = readComplete(source);
        } catch (const Failure &failure) {
            // A mistyped file name reads as a port: say that no file has it either.
            if (QFileInfo::exists(source))
                throw;
            throw Failure{tr("%1；也没有名为 %2 的参数文件").arg(failure.message, source)};
        }
        if (!answer)
            return Differences;
        values = *answer;
        input.source = tr("发射机 %1").arg(source);
        input.firmware = int(values.value(QLatin1String(ReplyFrames::kFirmwareControl)));
    }
    input.values = &values;
    QString error;
    if (!SheetWriter::write(path, input, &error))
        throw Failure{error};
    return Success;
}

QString CliApp::helpText() const
{
    return tr("用法：\n"
              "  k6qx-cli ports [--verbose] [--json]              列出串口，每行一个；--verbose 附上诊断结果\n"
              "  k6qx-cli doctor [PORT] [--json]                  诊断一个串口：能否使用，为什么不能；不给 PORT 时找没有串口的 USB 串口芯片\n"
              "  k6qx-cli find [--all] [--json] [--baud N]        查找发射机在哪个串口上\n"
              "  k6qx-cli read PORT [-o FILE] [--json] [--baud N] [--dual-rate-channel 1..4]\n"
              "  k6qx-cli write PORT FILE [--verify] [--no-backup] [--baud N]\n"
              "  k6qx-cli verify PORT FILE [--json] [--baud N]\n"
              "  k6qx-cli show FILE [--json]\n"
              "  k6qx-cli diff FILE_A FILE_B [--json]\n"
              "  k6qx-cli history [--json]\n"
              "  k6qx-cli sheet (FILE|PORT) -o OUT.pdf|OUT.html [--baud N] [--dual-rate-channel 1..4]\n"
              "  k6qx-cli --help | --version\n"
              "\n"
              "PORT：窗口串口列表中的名字（ttyUSB0、COM3 …）或设备的绝对路径。\n"
              "FILE：参数文件，“加载数据”接受的文件都可以（包括十六进制列表）。\n"
              "\n"
              "read 读取发射机的参数；发射机不回报的值（大小舵混控开关）取窗口的初始值，\n"
              "大小舵比例是 --dual-rate-channel 所指通道的一对（默认 1）。-o 保存为参数文件，与“保存数据”相同。\n"
              "write 写入前做与“写入数据”相同的检查，有问题就什么都不发送；然后读取发射机现有的参数作为备份，\n"
              "读不到完整的参数就不写入（--no-backup 不读取、不备份）；--verify 写入后读回并比较。\n"
              "verify 只比较发射机回报的参数，大小舵比例是文件中 大小舵 通道 所指通道的一对。\n"
              "doctor 不打开串口，查看设备的说明、VID:PID、访问权限、打开它的其他进程、锁文件，以及 ModemManager、brltty\n"
              "是否会碰这个设备；没有发现问题时退出码为 0，否则为 2。不给 PORT 时列出插着却没有串口的 USB 串口芯片（驱动没有安装、\n"
              "有问题或被 brltty 接管）和该怎么做，有这样的芯片时退出码为 2。\n"
              "find 依次试芯片表中 USB 串口芯片的串口（--all 再试串口列表中的其他每个串口，包括 K6QX_EXTRA_PORTS 的）：\n"
              "其他程序占着的串口不试；打开，只发送一个读取请求，等回报，关闭。标准输出列出回报了全部参数的串口，\n"
              "每行一个，第一个就是要用的；每个串口的结果写到标准错误。有串口回报时退出码为 0，没有为 1，\n"
              "没有可试的串口或一个都打不开为 2。\n"
              "history 列出参数历史，最新的在前：时间、种类、串口、文件。read 读到的、write 写入前备份的和写入的参数\n"
              "都保存在参数历史文件夹中（环境变量 K6QX_HISTORY_DIR，默认是用户数据文件夹下的 k6qx/history），保留最新的 1000 个。\n"
              "sheet 把参数文件或发射机（像 read 一样读取）的参数写成参数表：A4 的 PDF 或 HTML，由 OUT 的后缀决定；\n"
              "有这个名字的普通文件就是参数文件，否则是串口。\n"
              "\n"
              "退出码：0 成功或一致，1 有不一致，2 出错（参数错误、文件不能读取或无效、串口打不开或断开、发射机没有及时回报、\n"
              "doctor 发现串口不能使用）。\n")
           + ModelCommands::helpText() + m_parser.helpText().section(QLatin1Char('\n'), 2);
}
