// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "usbdrivers.h"

#include <QJsonObject>
#include <QRegularExpression>

#include <algorithm>
#include <iterator>

namespace UsbDrivers {

namespace {

QString tr(const char *text, const char *disambiguation = nullptr, int n = -1)
{
    return QCoreApplication::translate("UsbDrivers", text, disambiguation, n);
}

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

enum class Remedy { Install, Replug, Enable, Reinstall, Signed };

// Device Manager's problem codes, as they concern a USB-serial adapter.
struct ProblemCode
{
    quint32 code;
    const char *finding; // after "but"
    Remedy remedy;
};

constexpr ProblemCode kProblems[] = {
    {28, QT_TRANSLATE_NOOP("UsbDrivers", "它的驱动没有安装"), Remedy::Install},
    {10, QT_TRANSLATE_NOOP("UsbDrivers", "它不能启动"), Remedy::Reinstall},
    {43, QT_TRANSLATE_NOOP("UsbDrivers", "Windows 因为它报告了问题而停止了它"), Remedy::Replug},
    {22, QT_TRANSLATE_NOOP("UsbDrivers", "它在设备管理器中被禁用了"), Remedy::Enable},
    {1, QT_TRANSLATE_NOOP("UsbDrivers", "它的驱动没有正确安装"), Remedy::Reinstall},
    {18, QT_TRANSLATE_NOOP("UsbDrivers", "它的驱动需要重新安装"), Remedy::Reinstall},
    {31, QT_TRANSLATE_NOOP("UsbDrivers", "Windows 不能加载它的驱动"), Remedy::Reinstall},
    {39, QT_TRANSLATE_NOOP("UsbDrivers", "它的驱动损坏或缺失"), Remedy::Reinstall},
    {52, QT_TRANSLATE_NOOP("UsbDrivers", "Windows 不能验证它的驱动的数字签名"), Remedy::Signed},
};

const ProblemCode *problemOf(quint32 code)
{
    const auto it = std::find_if(std::begin(kProblems), std::end(kProblems),
                                 [code](const ProblemCode &p) { return p.code == code; });
    return it == std::end(kProblems) ? nullptr : it;
}

QString remedyText(Remedy remedy, const UsbChips::Chip &chip)
{
    const QString maker = QLatin1String(chip.maker);
    const QString driver = QLatin1String(chip.driverTitle);
    switch (remedy) {
    case Remedy::Install:
        return tr("请安装 %1 的 %2 驱动后重新插上。").arg(maker, driver);
    case Remedy::Replug:
        return tr("请换一个 USB 口或数据线重新插上；仍不行时重新安装 %1 的 %2 驱动。").arg(maker, driver);
    case Remedy::Enable:
        return tr("请在设备管理器中启用它。");
    case Remedy::Signed:
        return tr("请安装 %1 官方签名的 %2 驱动后重新插上。").arg(maker, driver);
    case Remedy::Reinstall:
        break;
    }
    return tr("请在设备管理器中卸载它，重新安装 %1 的 %2 驱动后重新插上。").arg(maker, driver);
}

// The interface drivers that give no serial port for this chip.
QString foreignDriver(const LinuxRecord &r, const UsbChips::Chip &chip)
{
    for (const QString &driver : r.drivers) {
        if (driver != QLatin1String(chip.linuxModule) && driver != QLatin1String("usbfs"))
            return driver;
    }
    return QString();
}

const char *const kCauseNames[] = {"moduleMissing", "claimed", "otherDriver", "unbound", "problem", "noPort"};

} // namespace

QList<Device> classify(const QList<LinuxRecord> &records)
{
    QList<Device> out;
    for (const LinuxRecord &r : records) {
        const UsbChips::Chip *chip = UsbChips::find(r.vendorId, r.productId);
        // Bound to its own module, a port is on its way or under another name.
        if (!chip || r.hasTty || r.drivers.contains(QLatin1String(chip->linuxModule)))
            continue;
        Device d{chip, r.vendorId, r.productId, r.name};
        d.brltty = r.brltty;
        if (r.drivers.contains(QLatin1String("usbfs")) || !r.brltty.isEmpty()) {
            d.cause = Cause::Claimed;
        } else if (!foreignDriver(r, *chip).isEmpty()) {
            d.cause = Cause::OtherDriver;
            d.driver = foreignDriver(r, *chip);
        } else {
            d.cause = r.moduleLoaded ? Cause::Unbound : Cause::ModuleMissing;
        }
        out << d;
    }
    return out;
}

QList<Device> classify(const QList<WindowsRecord> &records)
{
    static const QRegularExpression usbId(QStringLiteral("^USB\\\\VID_([0-9A-F]{4})&PID_([0-9A-F]{4})"),
                                          QRegularExpression::CaseInsensitiveOption);
    struct Parsed
    {
        const WindowsRecord *record;
        quint16 vid;
        quint16 pid;
    };
    QList<Parsed> parsed;
    for (const WindowsRecord &r : records) {
        const QRegularExpressionMatch m = usbId.match(r.hardwareId);
        if (m.hasMatch())
            parsed << Parsed{&r, quint16(m.captured(1).toUInt(nullptr, 16)), quint16(m.captured(2).toUInt(nullptr, 16))};
    }
    // A composite adapter lists its device and each interface; the port
    // may hang under any of them.
    const auto portOrProblem = [&parsed](quint16 vid, quint16 pid) {
        return std::any_of(parsed.cbegin(), parsed.cend(), [vid, pid](const Parsed &p) {
            return p.vid == vid && p.pid == pid && (p.record->hasPort || p.record->problem != 0);
        });
    };
    QList<Device> out;
    for (const Parsed &p : parsed) {
        const UsbChips::Chip *chip = UsbChips::find(p.vid, p.pid);
        if (!chip || p.record->hasPort)
            continue;
        if (p.record->problem == 0 && portOrProblem(p.vid, p.pid))
            continue;
        Device d{chip, p.vid, p.pid,
                 QStringLiteral("USB\\VID_%1&PID_%2").arg(hex4(p.vid).toUpper(), hex4(p.pid).toUpper())};
        d.cause = p.record->problem != 0 ? Cause::Problem : Cause::NoPort;
        d.problem = p.record->problem;
        const bool told = std::any_of(out.cbegin(), out.cend(), [&d](const Device &o) {
            return o.where == d.where && o.cause == d.cause && o.problem == d.problem;
        });
        if (!told)
            out << d;
    }
    return out;
}

QString sysfsRoot()
{
    const QString root = qEnvironmentVariable("K6QX_SYSFS_ROOT");
    return root.isEmpty() ? QStringLiteral("/sys") : root;
}

QList<Device> found()
{
#if defined(Q_OS_WIN)
    return classify(readSetupApi());
#else
    return classify(readSysfs());
#endif
}

QString finding(const Device &d)
{
    const QString chip = QLatin1String(d.chip->name);
    if (d.cause == Cause::Problem || d.cause == Cause::NoPort) {
        const ProblemCode *code = problemOf(d.problem);
        if (d.cause == Cause::NoPort)
            return tr("检测到 USB 串口芯片 %1（%2），但它没有 COM 口。").arg(chip, d.where);
        return tr("检测到 USB 串口芯片 %1（%2），但%3（设备管理器问题代码 %4）。")
            .arg(chip, d.where, code ? tr(code->finding) : tr("它有问题"))
            .arg(d.problem);
    }
    const QString device = tr("USB 设备 %1，%2:%3").arg(d.where, hex4(d.vendorId), hex4(d.productId));
    const QString module = QLatin1String(d.chip->linuxModule);
    QString why;
    switch (d.cause) {
    case Cause::ModuleMissing:
        why = tr("内核模块 %1 没有加载").arg(module);
        break;
    case Cause::Claimed:
        if (d.brltty.isEmpty()) {
            why = tr("一个程序通过 usbfs 接管了它（常见的是 brltty）");
        } else {
            QStringList pids;
            for (qint64 pid : d.brltty)
                pids << QString::number(pid);
            why = tr("brltty（进程 %1）接管了它，把它当作盲文显示器").arg(pids.join(tr("、")));
        }
        break;
    case Cause::OtherDriver:
        why = tr("它绑定在驱动 %1 上，而不是 %2").arg(d.driver, module);
        break;
    default:
        why = tr("内核模块 %1 已经加载，却没有接管它").arg(module);
        break;
    }
    return tr("检测到 USB 串口芯片 %1（%2），但没有串口设备：%3。").arg(chip, device, why);
}

QString advice(const Device &d)
{
    const QString module = QLatin1String(d.chip->linuxModule);
    switch (d.cause) {
    case Cause::ModuleMissing:
        return tr("请运行 sudo modprobe %1，然后重新插上。").arg(module);
    case Cause::Claimed:
        return tr("不用盲文显示器时：sudo apt-get remove brltty，然后重新插上。");
    case Cause::OtherDriver:
    case Cause::Unbound:
        return tr("请拔下后重新插上；仍不行时查看 sudo dmesg 中这个设备的消息。");
    case Cause::Problem:
        if (const ProblemCode *code = problemOf(d.problem))
            return remedyText(code->remedy, *d.chip);
        return remedyText(Remedy::Reinstall, *d.chip);
    case Cause::NoPort:
        break;
    }
    return remedyText(Remedy::Reinstall, *d.chip);
}

QString text(const Device &device)
{
    return finding(device) + advice(device);
}

QString summary(const QList<Device> &devices)
{
    if (devices.isEmpty())
        return QString();
    QString line = text(devices.first());
    if (devices.size() > 1)
        line += tr("（另有 %n 个 USB 串口芯片也没有串口）", nullptr, int(devices.size() - 1));
    return line;
}

QJsonArray json(const QList<Device> &devices)
{
    QJsonArray list;
    for (const Device &d : devices) {
        QJsonObject o{{QStringLiteral("chip"), QLatin1String(d.chip->name)},
                      {QStringLiteral("maker"), QLatin1String(d.chip->maker)},
                      {QStringLiteral("vendorId"), hex4(d.vendorId)},
                      {QStringLiteral("productId"), hex4(d.productId)},
                      {QStringLiteral("where"), d.where},
                      {QStringLiteral("cause"), QLatin1String(kCauseNames[int(d.cause)])},
                      {QStringLiteral("finding"), finding(d)},
                      {QStringLiteral("advice"), advice(d)}};
        if (d.cause == Cause::Problem)
            o.insert(QStringLiteral("problemCode"), qint64(d.problem));
        if (!d.driver.isEmpty())
            o.insert(QStringLiteral("driver"), d.driver);
        if (!d.brltty.isEmpty()) {
            QJsonArray pids;
            for (qint64 pid : d.brltty)
                pids.append(pid);
            o.insert(QStringLiteral("brltty"), pids);
        }
        list.append(o);
    }
    return list;
}

} // namespace UsbDrivers
