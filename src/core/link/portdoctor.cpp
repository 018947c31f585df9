// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "portdoctor.h"

#include "portnames.h"
#include "usbchips.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonArray>
#include <QSerialPortInfo>
#include <QStandardPaths>

#ifdef Q_OS_LINUX
#include <cerrno>
#include <cstring>
#include <dirent.h>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <signal.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>
#elif defined(Q_OS_WIN)
#include <qt_windows.h>

#include <iterator>
#endif

namespace {

// Services that take serial adapters for their own, by their process name.
constexpr const char *kGrabbers[] = {"ModemManager", "brltty"};

QString processList(const QList<PortDoctor::Process> &processes)
{
    QStringList names;
    for (const PortDoctor::Process &p : processes)
        names << PortDoctor::tr("%1（进程 %2）").arg(p.name).arg(p.pid);
    return names.join(PortDoctor::tr("、"));
}

QString hex4(quint16 value)
{
    return QStringLiteral("%1").arg(value, 4, 16, QLatin1Char('0'));
}

QJsonArray processesJson(const QList<PortDoctor::Process> &processes)
{
    QJsonArray list;
    for (const PortDoctor::Process &p : processes)
        list.append(QJsonObject{{QStringLiteral("pid"), p.pid}, {QStringLiteral("name"), p.name}});
    return list;
}

// Whether the other processes with the device open keep this one out: a
// tty opens as often as asked unless its holder asked for sole use, so a
// holder is in the way only when that shows or the open failed busy (Qt
// reports busy and refused access alike; refused access is told apart).
bool holdersBlock(const PortDoctor::Findings &f)
{
    return f.exclusive || (f.reported == QSerialPort::PermissionError && f.access != PortDoctor::Access::Denied);
}

// The processes keeping this one out, and the one the lock file names: a
// live lock of another process keeps Qt from opening the port, even when
// that process is the far end of a pseudo-terminal.
QList<PortDoctor::Process> busyWith(const PortDoctor::Findings &f)
{
    QList<PortDoctor::Process> busy = holdersBlock(f) ? f.holders : QList<PortDoctor::Process>();
    if (f.lock && f.lock->alive && !f.lock->ours) {
        bool known = false;
        for (const PortDoctor::Process &p : busy)
            known = known || p.pid == f.lock->pid;
        if (!known)
            busy << PortDoctor::Process{f.lock->pid, f.lock->name};
    }
    return busy;
}

#ifdef Q_OS_LINUX
// Everything below looks at the device node, /proc and the lock directory.

QByteArray readSmall(const QString &path, qint64 limit = 256)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(limit) : QByteArray();
}

QString processName(qint64 pid)
{
    return QString::fromLocal8Bit(readSmall(QStringLiteral("/proc/%1/comm").arg(pid))).trimmed();
}

QString linkTarget(const QByteArray &link)
{
    char buffer[4096];
    const ssize_t n = ::readlink(link.constData(), buffer, sizeof buffer);
    return n > 0 ? QFile::decodeName(QByteArray(buffer, int(n))) : QString();
}

// The pseudo-terminal's number for /dev/pts/N, else -1.
int ptyIndex(const QString &canonical)
{
    const QString prefix = QStringLiteral("/dev/pts/");
    bool ok = false;
    const int n = canonical.startsWith(prefix) ? canonical.mid(prefix.size()).toInt(&ok) : -1;
    return ok ? n : -1;
}

// A descriptor of the pseudo-terminal multiplexer whose slave is number index.
bool isMasterOf(qint64 pid, const QString &fd, const QString &target, int index)
{
    if (target != QLatin1String("/dev/ptmx") && target != QLatin1String("/dev/pts/ptmx"))
        return false;
    const QString info = QString::fromLatin1(readSmall(QStringLiteral("/proc/%1/fdinfo/%2").arg(pid).arg(fd), 1024));
    for (const QString &line : info.split(QLatin1Char('\n'))) {
        if (line.startsWith(QLatin1String("tty-index:")))
            return line.section(QLatin1Char(':'), 1).trimmed().toInt() == index;
    }
    return false;
}

void inspectProcesses(PortDoctor::Findings &f, const QString &canonical)
{
    const int index = ptyIndex(canonical);
    const qint64 self = ::getpid();
    const QStringList pids = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &entry : pids) {
        bool numeric = false;
        const qint64 pid = entry.toLongLong(&numeric);
        if (!numeric || pid == self)
            continue;
        const QString name = processName(pid);
        for (const char *grabber : kGrabbers) {
            if (name == QLatin1String(grabber))
                f.grabbers << PortDoctor::Process{pid, name};
        }
        const QString fdDir = QStringLiteral("/proc/%1/fd").arg(pid);
        DIR *dir = ::opendir(QFile::encodeName(fdDir).constData());
        if (!dir) {
            if (errno == EACCES)
                ++f.unreadable;
            continue;
        }
        bool holds = false;
        bool master = false;
        QStringList fds;
        while (const dirent *e = ::readdir(dir)) {
            if (e->d_name[0] != '.')
                fds << QString::fromLatin1(e->d_name);
        }
        ::closedir(dir);
        for (const QString &fd : fds) {
            const QString target = linkTarget(QFile::encodeName(fdDir + QLatin1Char('/') + fd));
            holds = holds || target == canonical;
            master = master || (index >= 0 && isMasterOf(pid, fd, target, index));
        }
        if (holds)
            (master ? f.farEnds : f.holders) << PortDoctor::Process{pid, name};
    }
}

void inspectLock(PortDoctor::Findings &f, const QStringList &lockDirs, const QString &canonical)
{
    for (const QString &device : {f.device, canonical}) {
        const QString path = PortDoctor::lockPath(device, lockDirs);
        if (path.isEmpty() || !QFileInfo::exists(path))
            continue;
        PortDoctor::LockFile lock;
        lock.path = path;
        const QByteArray text = readSmall(path, 128);
        // Text (Qt, minicom and most others) or a binary int of old uucp.
        bool ok = false;
        lock.pid = QString::fromLatin1(text).section(QLatin1Char('\n'), 0, 0).trimmed().toLongLong(&ok);
        if (!ok && text.size() == int(sizeof(qint32))) {
            qint32 binary = 0;
            std::memcpy(&binary, text.constData(), sizeof binary);
            lock.pid = binary;
            ok = true;
        }
        if (!ok || lock.pid <= 0)
            lock.pid = 0;
        lock.alive = lock.pid > 0 && (::kill(pid_t(lock.pid), 0) == 0 || errno == EPERM);
        lock.ours = lock.pid == ::getpid();
        if (lock.alive)
            lock.name = processName(lock.pid);
        f.lock = lock;
        return;
    }
}

// Whether another process asked for sole use of the device: a second open
// fails busy then. Tried only while others hold it, so that closing it again
// is never the last close (which would drop DTR on a real port).
bool heldExclusively(const QByteArray &path)
{
    const int fd = ::open(path.constData(), O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (fd >= 0) {
        ::close(fd);
        return false;
    }
    return errno == EBUSY;
}

// udev's word on whether ModemManager probes the device: its rules set
// ID_MM_CANDIDATE on what it would probe, ID_MM_DEVICE_IGNORE on what it
// must leave alone.
bool modemCandidate(const QString &udevData, const struct stat &node)
{
    const QString path = QDir(udevData).filePath(
        QStringLiteral("c%1:%2").arg(major(node.st_rdev)).arg(minor(node.st_rdev)));
    const QStringList lines = QString::fromUtf8(readSmall(path, 64 * 1024)).split(QLatin1Char('\n'));
    return lines.contains(QLatin1String("E:ID_MM_CANDIDATE=1")) && !lines.contains(QLatin1String("E:ID_MM_DEVICE_IGNORE=1"));
}

QString userName(uid_t uid)
{
    const passwd *pw = ::getpwuid(uid);
    return pw ? QString::fromLocal8Bit(pw->pw_name) : QString::number(uid);
}

void inspectAccess(PortDoctor::Findings &f, const struct stat &node, const QByteArray &path)
{
    if (::access(path.constData(), R_OK | W_OK) == 0)
        f.access = PortDoctor::Access::Granted;
    else if (errno == EACCES)
        f.access = PortDoctor::Access::Denied;
    f.owner = userName(node.st_uid);
    const group *gr = ::getgrgid(node.st_gid);
    f.group = gr ? QString::fromLocal8Bit(gr->gr_name) : QString::number(node.st_gid);
    f.mode = QStringLiteral("%1").arg(node.st_mode & 07777, 4, 8, QLatin1Char('0'));
    f.groupMayUse = (node.st_mode & (S_IRGRP | S_IWGRP)) == (S_IRGRP | S_IWGRP);
    f.inGroup = ::getegid() == node.st_gid;
    const int count = ::getgroups(0, nullptr);
    QList<gid_t> groups(qMax(count, 0));
    if (count > 0 && ::getgroups(count, groups.data()) == count)
        f.inGroup = f.inGroup || groups.contains(node.st_gid);
    if (!f.inGroup && gr) {
        const QByteArray me = QFile::encodeName(userName(::getuid()));
        for (char **member = gr->gr_mem; member && *member; ++member)
            f.joinedGroup = f.joinedGroup || me == *member;
    }
}

void inspectSystem(PortDoctor::Findings &f, const QStringList &lockDirs, const QString &udevData)
{
    const QByteArray path = QFile::encodeName(f.device);
    struct stat node;
    f.exists = ::stat(path.constData(), &node) == 0;
    if (!f.exists)
        return;
    f.characterDevice = S_ISCHR(node.st_mode);
    const QString canonical = QFileInfo(f.device).canonicalFilePath();
    inspectAccess(f, node, path);
    inspectProcesses(f, canonical);
    inspectLock(f, lockDirs, canonical);
    if (f.characterDevice) {
        f.modemCandidate = modemCandidate(udevData, node);
        f.exclusive = !f.holders.isEmpty() && f.reported == QSerialPort::NoError && heldExclusively(path);
    }
}

#elif defined(Q_OS_WIN)

// Windows tells who holds a port only to the one that opens it, and the
// doctor never does (an open pulses DTR on many adapters). Whether the
// port is there is the DOS device name's and the registry's answer.
void inspectSystem(PortDoctor::Findings &f, const QStringList &, const QString &)
{
    if (f.reported == QSerialPort::DeviceNotFoundError) {
        f.exists = false;
        return;
    }
    QString name = f.device;
    name.remove(QStringLiteral("\\\\.\\"));
    wchar_t target[1024];
    f.exists = f.reported != QSerialPort::NoError
               || ::QueryDosDeviceW(reinterpret_cast<const wchar_t *>(name.utf16()), target, DWORD(std::size(target))) != 0
               || !QSerialPortInfo(f.port).isNull();
}

#else

void inspectSystem(PortDoctor::Findings &f, const QStringList &, const QString &)
{
    f.exists = QFileInfo::exists(f.device);
}

#endif

QString accessProblem(const PortDoctor::Findings &f)
{
    if (f.groupMayUse && f.joinedGroup)
        return PortDoctor::tr("没有访问权限：设备属于 %1 组，当前用户已加入该组，但要重新登录才生效").arg(f.group);
    if (f.groupMayUse && !f.inGroup)
        return PortDoctor::tr("没有访问权限：设备属于 %1 组，当前用户不在该组中：sudo usermod -aG %1 $USER，然后重新登录")
            .arg(f.group);
    return PortDoctor::tr("没有访问权限：设备 %1 不允许当前用户读写（属于用户 %2、%3 组，权限 %4）")
        .arg(f.device, f.owner, f.group, f.mode);
}

bool holds(const PortDoctor::Findings &f, const PortDoctor::Process &p)
{
    for (const PortDoctor::Process &h : f.holders) {
        if (h.pid == p.pid)
            return true;
    }
    return false;
}

// A udev rule that has ModemManager leave this device alone: by the
// adapter's numbers, else by the device's name.
QString modemIgnoreRule(const PortDoctor::Findings &f)
{
    const QString match = f.vendorId && f.productId
                              ? QStringLiteral("ATTRS{idVendor}==\"%1\", ATTRS{idProduct}==\"%2\"")
                                    .arg(hex4(*f.vendorId), hex4(*f.productId))
                              : QStringLiteral("KERNEL==\"%1\"").arg(f.device.startsWith(QLatin1String("/dev/")) ? f.device.mid(5) : f.device);
    return match + QStringLiteral(", ENV{ID_MM_DEVICE_IGNORE}=\"1\"");
}

// Advice about a service only where it concerns this device: ModemManager
// when udev has it probe the device or it holds it, brltty when it holds it.
QString grabberWarning(const PortDoctor::Findings &f, const PortDoctor::Process &p)
{
    if (p.name == QLatin1String("ModemManager")) {
        if (!f.modemCandidate && !holds(f, p))
            return QString();
        return PortDoctor::tr("ModemManager（进程 %1）会探测这个设备，可能占用串口或向它发送数据；只让它放过这个设备："
                              "echo '%2' | sudo tee /etc/udev/rules.d/99-k6qx-modemmanager.rules，"
                              "然后 sudo udevadm control --reload && sudo udevadm trigger，再重新插上适配器")
            .arg(p.pid)
            .arg(modemIgnoreRule(f));
    }
    if (!holds(f, p))
        return QString();
    return PortDoctor::tr("brltty（进程 %1）占用着这个设备：它把某些 USB 串口适配器（如 CH340）当作盲文显示器；"
                          "不用盲文显示器时：sudo apt-get remove brltty")
        .arg(p.pid);
}

// What Qt's error of a failed open means, when Windows' own number is not
// at hand.
QString qtErrorText(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::OpenError:
        return PortDoctor::tr("串口已经打开");
    case QSerialPort::UnsupportedOperationError:
        return PortDoctor::tr("这些设置不被支持");
    case QSerialPort::TimeoutError:
        return PortDoctor::tr("超时");
    case QSerialPort::ResourceError:
        return PortDoctor::tr("设备出错或已拔出");
    default:
        return PortDoctor::tr("未知错误");
    }
}

} // namespace

QStringList PortDoctor::defaultLockDirs()
{
    return {QStringLiteral("/var/lock"),
            QStringLiteral("/etc/locks"),
            QStringLiteral("/var/spool/locks"),
            QStringLiteral("/var/spool/uucp"),
            QStringLiteral("/tmp"),
            QStringLiteral("/var/tmp"),
            QStringLiteral("/var/lock/lockdev"),
            QStringLiteral("/run/lock"),
            QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
}

QString PortDoctor::lockPath(const QString &device, const QStringList &lockDirs)
{
    // Qt's name for the lock of a device: LCK.. and the path under /dev with
    // '/' as '_' (LCK..ttyUSB0, LCK..pts_3).
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name = QStringLiteral("LCK..") + name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &dir : lockDirs) {
        const QFileInfo folder(dir);
        const QString path = QDir(dir).filePath(name);
        if (folder.isReadable() && (QFileInfo::exists(path) || folder.isWritable()))
            return path;
    }
    return QString();
}

QString PortDoctor::defaultUdevData()
{
    return QStringLiteral("/run/udev/data");
}

PortDoctor::PortDoctor(const QStringList &lockDirs, const QString &udevData)
    : m_lockDirs(lockDirs), m_udevData(udevData)
{
}

PortDoctor::Findings PortDoctor::examine(const QString &port, QSerialPort::SerialPortError reported,
                                         quint32 systemError) const
{
    Findings f;
    f.port = port;
    f.device = PortNames::deviceName(port);
    f.reported = reported;
    f.systemError = systemError;
    const QSerialPortInfo info(port);
    if (!info.isNull()) {
        f.description = info.description();
        f.manufacturer = info.manufacturer();
        f.serialNumber = info.serialNumber();
        if (info.hasVendorIdentifier())
            f.vendorId = info.vendorIdentifier();
        if (info.hasProductIdentifier())
            f.productId = info.productIdentifier();
    }
    if (!f.device.isEmpty())
        inspectSystem(f, m_lockDirs, m_udevData);
    f.adapters = UsbDrivers::found();
    return f;
}

QStringList PortDoctor::problems(const Findings &f)
{
    if (f.port.isEmpty())
        return {tr("没有选择串口")};
    if (!f.exists || f.reported == QSerialPort::DeviceNotFoundError)
        return {tr("串口 %1 不存在（已拔出？）").arg(f.port)};
    if (!f.characterDevice)
        return {tr("%1 不是串口设备").arg(f.device)};
    QStringList out;
    const QList<Process> busy = busyWith(f);
    if (!busy.isEmpty())
        out << tr("串口被其他程序占用：%1").arg(processList(busy));
    if (f.access == Access::Denied)
        out << accessProblem(f);
    if (out.isEmpty() && PortNames::host() == PortNames::Platform::Windows) {
        if (f.reported == QSerialPort::PermissionError)
            out << tr("串口被其他程序占用（Windows 拒绝访问）");
        else if (f.systemError != 0)
            out << tr("Windows 不能打开这个串口：%1").arg(systemErrorText(f.systemError));
        else if (f.reported != QSerialPort::NoError)
            out << tr("Windows 不能打开这个串口：%1").arg(qtErrorText(f.reported));
    }
    return out;
}

QStringList PortDoctor::warnings(const Findings &f)
{
    QStringList out;
    if (f.lock && !f.lock->alive) {
        out << (f.lock->pid > 0 ? tr("锁文件 %1 是已结束的进程 %2 留下的，已经过时，可以删除").arg(f.lock->path).arg(f.lock->pid)
                                : tr("锁文件 %1 中读不出进程号").arg(f.lock->path));
    }
    if (!holdersBlock(f) && !f.holders.isEmpty())
        out << tr("也打开着这个设备：%1").arg(processList(f.holders));
    for (const Process &p : f.grabbers) {
        const QString advice = grabberWarning(f, p);
        if (!advice.isEmpty())
            out << advice;
    }
    // An adapter without a port explains a port that is missing or failed.
    if (!f.exists || f.reported != QSerialPort::NoError) {
        for (const UsbDrivers::Device &d : f.adapters)
            out << UsbDrivers::text(d);
    }
    return out;
}

QStringList PortDoctor::openFailure(const Findings &f)
{
    const QStringList found = problems(f) + warnings(f);
    return found.isEmpty() ? QStringList{tr("请检查串口是否被占用")} : found;
}

QStringList PortDoctor::report(const Findings &f)
{
    QStringList lines;
    lines << tr("设备：%1").arg(f.device);
    if (!f.description.isEmpty())
        lines << tr("说明：%1").arg(f.description);
    if (!f.manufacturer.isEmpty())
        lines << tr("制造商：%1").arg(f.manufacturer);
    if (f.vendorId && f.productId)
        lines << tr("VID:PID：%1:%2").arg(hex4(*f.vendorId), hex4(*f.productId));
    if (!f.serialNumber.isEmpty())
        lines << tr("序列号：%1").arg(f.serialNumber);
    if (!f.exists) {
        lines << tr("设备不存在");
    } else if (f.access != Access::Unknown) {
        lines << (f.access == Access::Granted ? tr("访问权限：当前用户可以读写（%1 %2 %3）")
                                              : tr("访问权限：当前用户不能读写（%1 %2 %3）"))
                     .arg(f.mode, f.owner, f.group);
    }
    if (f.exists && PortNames::host() != PortNames::Platform::Windows) {
        lines << tr("打开它的其他进程：%1").arg(f.holders.isEmpty() ? tr("没有") : processList(f.holders));
        if (!f.farEnds.isEmpty())
            lines << tr("链路的另一端（同时打开伪终端的主端）：%1").arg(processList(f.farEnds));
        if (f.unreadable > 0)
            lines << tr("有 %n 个进程属于其他用户，看不到它们打开的文件", nullptr, f.unreadable);
        if (!f.lock)
            lines << tr("锁文件：没有");
        else if (f.lock->alive)
            lines << tr("锁文件：%1，进程 %2（%3，正在运行）").arg(f.lock->path).arg(f.lock->pid).arg(f.lock->name);
        else
            lines << tr("锁文件：%1，进程 %2（已结束）").arg(f.lock->path).arg(f.lock->pid);
        lines << tr("ModemManager、brltty：%1").arg(f.grabbers.isEmpty() ? tr("没有运行") : processList(f.grabbers));
    }
    return lines;
}

QJsonObject PortDoctor::json(const Findings &f)
{
    static const char *const accessNames[] = {"unknown", "granted", "denied"};
    QJsonObject o{{QStringLiteral("port"), f.port},
                  {QStringLiteral("device"), f.device},
                  {QStringLiteral("exists"), f.exists},
                  {QStringLiteral("description"), f.description},
                  {QStringLiteral("manufacturer"), f.manufacturer},
                  {QStringLiteral("serialNumber"), f.serialNumber},
                  {QStringLiteral("access"), QLatin1String(accessNames[int(f.access)])},
                  {QStringLiteral("holders"), processesJson(f.holders)},
                  {QStringLiteral("farEnds"), processesJson(f.farEnds)},
                  {QStringLiteral("running"), processesJson(f.grabbers)},
                  {QStringLiteral("usable"), usable(f)},
                  {QStringLiteral("missingDrivers"), UsbDrivers::json(f.adapters)},
                  {QStringLiteral("problems"), QJsonArray::fromStringList(problems(f))},
                  {QStringLiteral("warnings"), QJsonArray::fromStringList(warnings(f))}};
    if (f.vendorId && f.productId) {
        o.insert(QStringLiteral("vendorId"), hex4(*f.vendorId));
        o.insert(QStringLiteral("productId"), hex4(*f.productId));
    }
    if (f.access != Access::Unknown) {
        o.insert(QStringLiteral("owner"), f.owner);
        o.insert(QStringLiteral("group"), f.group);
        o.insert(QStringLiteral("mode"), f.mode);
        o.insert(QStringLiteral("inGroup"), f.inGroup);
    }
    if (f.lock) {
        o.insert(QStringLiteral("lock"), QJsonObject{{QStringLiteral("path"), f.lock->path},
                                                     {QStringLiteral("pid"), f.lock->pid},
                                                     {QStringLiteral("alive"), f.lock->alive}});
    }
    return o;
}

QString PortDoctor::systemErrorText(quint32 code)
{
    QString text;
#ifdef Q_OS_WIN
    wchar_t *buffer = nullptr;
    const DWORD n = ::FormatMessageW(FORMAT_MESSAGE_ALLOCATE_BUFFER | FORMAT_MESSAGE_FROM_SYSTEM | FORMAT_MESSAGE_IGNORE_INSERTS,
                                     nullptr, DWORD(code), 0, reinterpret_cast<LPWSTR>(&buffer), 0, nullptr);
    if (n > 0 && buffer)
        text = QString::fromWCharArray(buffer, int(n)).trimmed();
    ::LocalFree(buffer);
#endif
    return text.isEmpty() ? tr("错误 %1").arg(code) : tr("%1（错误 %2）").arg(text).arg(code);
}

QString PortDoctor::toolTip(const PortList::Port &port, const QString &device)
{
    QStringList lines;
    if (!port.description.isEmpty())
        lines << port.description;
    if (port.vendorId && port.productId)
        lines << tr("VID:PID %1:%2").arg(hex4(*port.vendorId), hex4(*port.productId));
    lines << device;
    return lines.join(QLatin1Char('\n'));
}
