// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "paramhistory.h"

#include "paramfile.h"
#include "recordcodec.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QSet>
#include <QStandardPaths>

#include <algorithm>

namespace {

const QString kStampFormat = QStringLiteral("yyyyMMdd-HHmmss-zzz");
constexpr int kStampLength = 19;
// Names tried after the first, a millisecond apart, before giving up.
constexpr int kNameAttempts = 100;

constexpr ParamHistory::Kind kKinds[] = {ParamHistory::Kind::Read, ParamHistory::Kind::BeforeWrite,
                                         ParamHistory::Kind::Written, ParamHistory::Kind::Edits,
                                         ParamHistory::Kind::BeforeModelSave};

const QRegularExpression &entryName()
{
    static const QRegularExpression re(QStringLiteral(
        "^(\\d{8}-\\d{6}-\\d{3})-(read|before-write|written|edits|before-model-save)(?:-([A-Za-z0-9_.-]+))?\\.dat$"));
    return re;
}

// The entries in the folder, oldest first.
QList<ParamHistory::Entry> scan(const QString &folder)
{
    QList<ParamHistory::Entry> found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList(QDir::Files, QDir::Name)) {
        const QRegularExpressionMatch m = entryName().match(name);
        if (!m.hasMatch())
            continue;
        const QDateTime time = QDateTime::fromString(m.captured(1), kStampFormat);
        if (!time.isValid())
            continue;
        const auto kind = std::find_if(std::begin(kKinds), std::end(kKinds), [&m](ParamHistory::Kind k) {
            return ParamHistory::kindName(k) == m.captured(2);
        });
        found.append({time, *kind, m.captured(3), dir.filePath(name)});
    }
    // Names sort as their times do, but for the hour a clock turned back.
    std::stable_sort(found.begin(), found.end(),
                     [](const ParamHistory::Entry &a, const ParamHistory::Entry &b) { return a.time < b.time; });
    return found;
}

// The newest read entry of the port when it holds exactly these bytes.
QString newestReadAlike(const QString &folder, const QString &port, const QByteArray &data)
{
    const QList<ParamHistory::Entry> all = scan(folder);
    for (auto e = all.crbegin(); e != all.crend(); ++e) {
        if (e->kind != ParamHistory::Kind::Read || e->port != port)
            continue;
        QFile file(e->path);
        const bool same = file.open(QIODevice::ReadOnly) && file.read(data.size() + 1) == data;
        return same ? e->path : QString();
    }
    return QString();
}

} // namespace

QString ParamHistory::defaultFolder()
{
    const QString set = qEnvironmentVariable("K6QX_HISTORY_DIR");
    if (!set.isEmpty())
        return set;
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/k6qx/history");
}

ParamHistory::ParamHistory(const QString &folder)
    : m_folder(folder)
{
    const QDir dir(m_folder);
    const QDateTime aMinuteAgo = QDateTime::currentDateTime().addSecs(-60);
    const QFileInfoList staged =
        dir.entryInfoList({QStringLiteral(".keeping-*")}, QDir::Files | QDir::Hidden | QDir::System);
    for (const QFileInfo &f : staged) {
        if (f.lastModified() < aMinuteAgo)
            QFile::remove(f.filePath());
    }
}

bool ParamHistory::keep(Kind kind, const ParamAccess &values, const QString &port, QString *error, QString *path,
                        QStringList *clamped)
{
    const auto fail = [error](const QString &why) {
        if (error)
            *error = why;
        return false;
    };
    // What the transmitter reported is kept even where a field cannot carry
    // it: the records hold the nearest value, and the caller is told which.
    const QStringList problems = Records::limitProblems(Records::sFormat(), values)
                                 + Records::limitProblems(Records::tFormat(), values, Records::kMixBiasFile);
    if (clamped)
        *clamped = problems;
    const QByteArray data = (Records::build(Records::sFormat(), values)
                             + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
                                .toLatin1();

    // A read that brought what the newest read of the same port holds is
    // in the history already: that entry stands for it.
    if (kind == Kind::Read) {
        const QString same = newestReadAlike(m_folder, safePortName(port), data);
        if (!same.isEmpty()) {
            if (path)
                *path = same;
            return true;
        }
    }

    const QString shown = QDir::toNativeSeparators(m_folder);
    const QDir dir(m_folder);
    if (!QDir().mkpath(m_folder))
        return fail(tr("不能建立文件夹 %1").arg(shown));

    // Written whole under a name of its own, then given the entry's name.
    // Renaming never replaces a file, so an entry another program kept in
    // the same millisecond stays as it is.
    const QString staging = dir.filePath(QStringLiteral(".keeping-%1-%2")
                                             .arg(QCoreApplication::applicationPid())
                                             .arg(QRandomGenerator::global()->generate64(), 0, 36));
    QSaveFile file(staging);
    if (!file.open(QIODevice::WriteOnly) || file.write(data) != data.size() || !file.commit())
        return fail(tr("不能在文件夹 %1 中写入文件：%2").arg(shown, file.errorString()));

    // Every entry has a time of its own, so newest first is one order.
    QSet<QString> taken;
    const QList<Entry> before = scan(m_folder);
    for (const Entry &e : before)
        taken.insert(QFileInfo(e.path).fileName().left(kStampLength));
    QDateTime time = QDateTime::currentDateTime();
    // A clock behind the newest entry (a flat clock battery, a clock set
    // back) still names the entry; the user is told to look at the clock.
    if (!before.isEmpty() && before.last().time > time) {
        m_clockNotice = tr("电脑的时钟早于参数历史中最新的记录（%1），请检查时钟")
                            .arg(before.last().time.toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")));
    }
    QString target;
    for (int attempt = 0; attempt < kNameAttempts && target.isEmpty(); time = time.addMSecs(1)) {
        if (taken.contains(time.toString(kStampFormat)))
            continue;
        ++attempt;
        const QString candidate = dir.filePath(fileName(time, kind, port));
        if (QFile::rename(staging, candidate))
            target = candidate;
        else if (!QFile::exists(candidate))
            break;
    }
    if (target.isEmpty()) {
        QFile::remove(staging);
        return fail(tr("不能在文件夹 %1 中写入文件").arg(shown));
    }

    // The oldest go, never the entry just kept, wherever the clock put it.
    QList<Entry> all = scan(m_folder);
    all.removeIf([&target](const Entry &e) { return e.path == target; });
    for (qsizetype i = 0; i < all.size() - (kMaxEntries - 1); ++i)
        QFile::remove(all.at(i).path);
    if (path)
        *path = target;
    return true;
}

QList<ParamHistory::Entry> ParamHistory::entries() const
{
    QList<Entry> found = scan(m_folder);
    std::reverse(found.begin(), found.end());
    return found;
}

bool ParamHistory::load(const QString &path, MapParamAccess *values, QString *error)
{
    QString records;
    if (!ParamFile::load(path, &records, error))
        return false;
    // Values a file does not carry (the dual rates of a channel beyond CH4)
    // keep the window's starting values.
    MapParamAccess loaded;
    Records::applyStartingValues(loaded);
    Records::apply(Records::sFormat(), records.left(Records::kRecordLength), loaded);
    Records::apply(Records::tFormat(), records.mid(Records::kRecordLength), loaded, Records::kMixBiasFile);
    *values = loaded;
    return true;
}

QString ParamHistory::fileName(const QDateTime &time, Kind kind, const QString &port)
{
    const QString safe = safePortName(port);
    return time.toLocalTime().toString(kStampFormat) + QLatin1Char('-') + kindName(kind)
           + (safe.isEmpty() ? QString() : QLatin1Char('-') + safe) + QStringLiteral(".dat");
}

QString ParamHistory::kindName(Kind kind)
{
    switch (kind) {
    case Kind::Read:
        return QStringLiteral("read");
    case Kind::BeforeWrite:
        return QStringLiteral("before-write");
    case Kind::Written:
        return QStringLiteral("written");
    case Kind::BeforeModelSave:
        return QStringLiteral("before-model-save");
    case Kind::Edits:
        break;
    }
    return QStringLiteral("edits");
}

QString ParamHistory::kindText(Kind kind)
{
    switch (kind) {
    case Kind::Read:
        return tr("读取");
    case Kind::BeforeWrite:
        return tr("写入前备份");
    case Kind::Written:
        return tr("已写入");
    case Kind::BeforeModelSave:
        return tr("模型保存前");
    case Kind::Edits:
        break;
    }
    return tr("窗口中的修改");
}

QString ParamHistory::safePortName(const QString &port)
{
    QStringView name(port);
    for (const QLatin1String prefix : {QLatin1String("/dev/"), QLatin1String("\\\\.\\")}) {
        if (name.startsWith(prefix)) {
            name = name.mid(prefix.size());
            break;
        }
    }
    QString safe;
    for (const QChar c : name) {
        if (c == QLatin1Char('/') || c == QLatin1Char('\\'))
            safe += QLatin1Char('-');
        else if (c.unicode() < 0x80 && (c.isLetterOrNumber() || c == QLatin1Char('_') || c == QLatin1Char('.')
                                        || c == QLatin1Char('-')))
            safe += c;
    }
    return safe;
}
