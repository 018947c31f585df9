// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modellibrary.h"

#include "paramcompare.h"
#include "paramfile.h"
#include "paramhistory.h"
#include "recordcodec.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSaveFile>
#include <QStandardPaths>

#include <algorithm>

namespace {

using Model = ModelLibrary::Model;
using Result = ModelLibrary::Result;
using Status = ModelLibrary::Status;

const QString kDat = QStringLiteral(".dat");
const QString kJson = QStringLiteral(".json");
const QString kFormat = QStringLiteral("k6qx-model");
// A file name's stem stays well within 255 bytes with ".json" after it.
constexpr int kMaxStemBytes = 150;
// Stems tried, "Cub", "Cub (2)" …, before giving up.
constexpr int kStemAttempts = 1000;

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.read(ParamFile::kMaxFileBytes + 1) : QByteArray();
}

QByteArray revisionOf(const QByteArray &dat, const QByteArray &json)
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    hash.addData(dat);
    hash.addData(QByteArrayView("\0", 1));
    hash.addData(json);
    return hash.result().toHex();
}

QString timeText(const QDateTime &time)
{
    return time.isValid() ? time.toUTC().toString(Qt::ISODateWithMs) : QString();
}

QDateTime timeOf(const QJsonValue &value)
{
    const QDateTime t = QDateTime::fromString(value.toString(), Qt::ISODateWithMs);
    return t.isValid() ? t.toLocalTime() : QDateTime();
}

QByteArray infoJson(const Model &m)
{
    QJsonObject o{{QStringLiteral("format"), kFormat},
                  {QStringLiteral("version"), 1},
                  {QStringLiteral("name"), m.name},
                  {QStringLiteral("aircraft"), m.aircraft},
                  {QStringLiteral("notes"), m.notes},
                  {QStringLiteral("created"), timeText(m.created)},
                  {QStringLiteral("changed"), timeText(m.changed)}};
    if (!m.lastWritePort.isEmpty()) {
        o.insert(QStringLiteral("lastWrite"), QJsonObject{{QStringLiteral("port"), m.lastWritePort},
                                                          {QStringLiteral("time"), timeText(m.lastWriteTime)}});
    }
    return QJsonDocument(o).toJson();
}

// The .json's fields into m; false when it is no model's .json.
bool readInfo(const QByteArray &json, Model *m)
{
    QJsonParseError error;
    const QJsonDocument doc = QJsonDocument::fromJson(json, &error);
    const QJsonObject o = doc.object();
    if (error.error != QJsonParseError::NoError || o.value(QStringLiteral("format")).toString() != kFormat
        || o.value(QStringLiteral("name")).toString().trimmed().isEmpty())
        return false;
    m->name = o.value(QStringLiteral("name")).toString();
    m->aircraft = o.value(QStringLiteral("aircraft")).toString();
    m->notes = o.value(QStringLiteral("notes")).toString();
    m->created = timeOf(o.value(QStringLiteral("created")));
    m->changed = timeOf(o.value(QStringLiteral("changed")));
    const QJsonObject last = o.value(QStringLiteral("lastWrite")).toObject();
    m->lastWritePort = last.value(QStringLiteral("port")).toString();
    m->lastWriteTime = timeOf(last.value(QStringLiteral("time")));
    return true;
}

QByteArray fileBytes(const ParamAccess &values)
{
    return (Records::build(Records::sFormat(), values)
            + Records::build(Records::tFormat(), values, Records::kMixBiasFile))
        .toLatin1();
}

// Written whole under a private name in folder; empty when it could not be.
QString stage(const QString &folder, const QByteArray &data, QString *why)
{
    const QString path = QDir(folder).filePath(QStringLiteral(".saving-%1-%2")
                                                   .arg(QCoreApplication::applicationPid())
                                                   .arg(QRandomGenerator::global()->generate64(), 0, 36));
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return path;
    *why = file.errorString();
    return QString();
}

// Replaces path with data, whole or not at all.
bool replace(const QString &path, const QByteArray &data, QString *why)
{
    QSaveFile file(path);
    if (file.open(QIODevice::WriteOnly) && file.write(data) == data.size() && file.commit())
        return true;
    *why = file.errorString();
    return false;
}

// A stem in use in folder, in any case (Windows does not tell them apart).
// Compared by hand: a name filter would read "[" in a stem as a pattern.
bool stemTaken(const QDir &dir, const QString &stem)
{
    const QStringList present = dir.entryList(QDir::Files | QDir::Hidden | QDir::System);
    return std::any_of(present.cbegin(), present.cend(), [&stem](const QString &name) {
        return name.compare(stem + kDat, Qt::CaseInsensitive) == 0
               || name.compare(stem + kJson, Qt::CaseInsensitive) == 0;
    });
}

QString numbered(const QString &base, int n)
{
    return n == 1 ? base : QStringLiteral("%1 (%2)").arg(base).arg(n);
}

// A .dat and its .json moved into another folder under a stem free there.
QString moveInto(const Model &m, const QString &folder, QString *why)
{
    if (!QDir().mkpath(folder)) {
        *why = ModelLibrary::tr("不能建立文件夹 %1").arg(QDir::toNativeSeparators(folder));
        return QString();
    }
    const QDir dir(folder);
    for (int n = 1; n <= kStemAttempts; ++n) {
        const QString stem = numbered(m.stem, n);
        if (stemTaken(dir, stem))
            continue;
        const QString dat = dir.filePath(stem + kDat);
        if (!QFile::rename(m.datPath, dat)) {
            if (QFile::exists(dat))
                continue;
            *why = ModelLibrary::tr("不能移动文件 %1").arg(QDir::toNativeSeparators(m.datPath));
            return QString();
        }
        if (QFile::exists(m.jsonPath))
            QFile::rename(m.jsonPath, dir.filePath(stem + kJson));
        return stem;
    }
    *why = ModelLibrary::tr("文件夹 %1 中没有空闲的文件名").arg(QDir::toNativeSeparators(folder));
    return QString();
}

} // namespace

QString ModelLibrary::defaultFolder()
{
    const QString set = qEnvironmentVariable("K6QX_MODELS_DIR");
    if (!set.isEmpty())
        return set;
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/k6qx/models");
}

ModelLibrary::ModelLibrary(const QString &folder, QObject *parent)
    : QObject(parent)
    , m_folder(folder)
{
    // What an interrupted change left behind a minute ago or more.
    const QDateTime aMinuteAgo = QDateTime::currentDateTime().addSecs(-60);
    for (const QString &place : {m_folder, deletedFolder()}) {
        const QFileInfoList staged = QDir(place).entryInfoList({QStringLiteral(".saving-*")},
                                                               QDir::Files | QDir::Hidden | QDir::System);
        for (const QFileInfo &f : staged) {
            if (f.lastModified() < aMinuteAgo)
                QFile::remove(f.filePath());
        }
    }
}

QString ModelLibrary::templatesFolder() const
{
    return QDir(m_folder).filePath(QStringLiteral("templates"));
}

QString ModelLibrary::deletedFolder() const
{
    return QDir(m_folder).filePath(QStringLiteral(".deleted"));
}

QString ModelLibrary::safeStem(const QString &name)
{
    static const QString forbidden = QStringLiteral("<>:\"/\\|?*");
    QString stem;
    for (const QChar c : name.trimmed())
        stem += (c.unicode() < 0x20 || c.unicode() == 0x7f || forbidden.contains(c)) ? QLatin1Char('_') : c;
    // A leading dot hides the file (and is the deleted folder's).
    if (stem.startsWith(QLatin1Char('.')))
        stem[0] = QLatin1Char('_');
    while (stem.toUtf8().size() > kMaxStemBytes)
        stem.chop(1);
    // Windows drops trailing dots and spaces from a name.
    while (stem.endsWith(QLatin1Char('.')) || stem.endsWith(QLatin1Char(' ')))
        stem.chop(1);
    if (stem.isEmpty())
        return QStringLiteral("model");
    // CON, NUL.txt, com1.tar.gz: a device on Windows whatever follows the dot.
    static const QRegularExpression reserved(QStringLiteral("^(CON|PRN|AUX|NUL|COM[1-9]|LPT[1-9])$"),
                                             QRegularExpression::CaseInsensitiveOption);
    if (reserved.match(stem.section(QLatin1Char('.'), 0, 0).trimmed()).hasMatch())
        stem.prepend(QLatin1Char('_'));
    return stem;
}

Model ModelLibrary::readModel(const QString &datPath) const
{
    Model m;
    const QFileInfo info(datPath);
    m.stem = info.completeBaseName();
    m.datPath = datPath;
    m.jsonPath = info.dir().filePath(m.stem + kJson);
    const QByteArray dat = contents(m.datPath);
    const QByteArray json = contents(m.jsonPath);
    m.revision = revisionOf(dat, json);
    if (!readInfo(json, &m)) {
        m.name = m.stem;
        m.state = Model::State::NoInfo;
    }
    QString records;
    QString error;
    if (!ParamFile::load(m.datPath, &records, &error)) {
        m.state = Model::State::Damaged;
        m.damage = error.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(tr("："));
    }
    return m;
}

QList<Model> ModelLibrary::scan(const QString &folder) const
{
    QList<Model> found;
    const QDir dir(folder);
    for (const QString &file : dir.entryList({QStringLiteral("*.dat")}, QDir::Files)) {
        if (!file.startsWith(QLatin1Char('.')))
            found << readModel(dir.filePath(file));
    }
    std::sort(found.begin(), found.end(), [](const Model &a, const Model &b) {
        const int c = QString::compare(a.name, b.name, Qt::CaseInsensitive);
        return c != 0 ? c < 0 : a.stem < b.stem;
    });
    return found;
}

QList<Model> ModelLibrary::models() const
{
    return scan(m_folder);
}

QList<Model> ModelLibrary::deleted() const
{
    return scan(deletedFolder());
}

std::optional<Model> ModelLibrary::find(const QString &name, Result *result) const
{
    // Exactly first; two programs creating at once can leave one name twice.
    QList<Model> exact;
    QList<Model> folded;
    for (const Model &m : models()) {
        if (m.name == name)
            exact << m;
        else if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            folded << m;
    }
    const QList<Model> &matches = exact.isEmpty() ? folded : exact;
    if (matches.size() == 1)
        return matches.first();
    if (result) {
        if (matches.isEmpty()) {
            *result = failed(tr("没有名为「%1」的模型").arg(name));
        } else {
            QStringList names;
            for (const Model &m : matches)
                names << tr("「%1」（%2）").arg(m.name, QFileInfo(m.datPath).fileName());
            *result = failed(tr("有几个模型的名字与「%1」相同或只差大小写：%2，请写出准确的名字").arg(name, names.join(tr("、"))));
        }
    }
    return std::nullopt;
}

QByteArray ModelLibrary::currentRevision(const Model &m) const
{
    if (!QFileInfo(m.datPath).isFile())
        return QByteArray();
    return revisionOf(contents(m.datPath), contents(m.jsonPath));
}

bool ModelLibrary::load(const Model &m, MapParamAccess *values, QString *error) const
{
    return ParamHistory::load(m.datPath, values, error);
}

Result ModelLibrary::failed(const QString &text) const
{
    return {Status::Failed, text};
}

Result ModelLibrary::conflict(const Model &m) const
{
    return {Status::Conflict, tr("模型「%1」读取之后已被其他窗口或程序改动或删除，这次没有改动它；请重新读取模型库").arg(m.name)};
}

Result ModelLibrary::writeNew(const QString &name, const QByteArray &dat, const Model &info, Model *created)
{
    if (name.trimmed().isEmpty())
        return failed(tr("模型的名字不能是空的"));
    for (const Model &m : models()) {
        if (m.name.compare(name, Qt::CaseInsensitive) == 0)
            return {Status::Exists, tr("已经有名为「%1」的模型").arg(m.name)};
    }
    const QString shown = QDir::toNativeSeparators(m_folder);
    if (!QDir().mkpath(m_folder))
        return failed(tr("不能建立文件夹 %1").arg(shown));
    Model m = info;
    m.name = name;
    const QDateTime now = QDateTime::currentDateTime();
    if (!m.created.isValid())
        m.created = now;
    m.changed = now;
    QString why;
    const QString datStage = stage(m_folder, dat, &why);
    if (datStage.isEmpty())
        return failed(tr("不能在文件夹 %1 中写入文件：%2").arg(shown, why));
    const QString jsonStage = stage(m_folder, infoJson(m), &why);
    if (jsonStage.isEmpty()) {
        QFile::remove(datStage);
        return failed(tr("不能在文件夹 %1 中写入文件：%2").arg(shown, why));
    }
    // The stem is taken by the rename that never replaces a file: a model
    // another program made a moment ago keeps its files.
    const QDir dir(m_folder);
    const QString base = safeStem(name);
    for (int n = 1; n <= kStemAttempts; ++n) {
        const QString stem = numbered(base, n);
        if (stemTaken(dir, stem))
            continue;
        const QString datPath = dir.filePath(stem + kDat);
        if (!QFile::rename(datStage, datPath))
            continue;
        if (!QFile::rename(jsonStage, dir.filePath(stem + kJson))) {
            // Someone's .json without its .dat: the name is theirs.
            QFile::rename(datPath, datStage);
            continue;
        }
        if (created)
            *created = readModel(datPath);
        emit changed();
        return {};
    }
    QFile::remove(datStage);
    QFile::remove(jsonStage);
    return failed(tr("不能在文件夹 %1 中写入文件").arg(shown));
}

Result ModelLibrary::create(const QString &name, const ParamAccess &values, Model *created, const QString &aircraft,
                            const QString &notes)
{
    const QStringList problems = Records::limitProblems(Records::sFormat(), values)
                                 + Records::limitProblems(Records::tFormat(), values, Records::kMixBiasFile);
    if (!problems.isEmpty())
        return failed(tr("以下参数超出参数文件能保存的范围，没有保存：%1").arg(problems.join(tr("；"))));
    Model info;
    info.aircraft = aircraft;
    info.notes = notes;
    return writeNew(name, fileBytes(values), info, created);
}

Result ModelLibrary::save(Model &m, const ParamAccess &values)
{
    if (m.state == Model::State::Damaged)
        return failed(tr("模型「%1」的文件不是有效的参数文件，没有改动它").arg(m.name));
    const QStringList problems = Records::limitProblems(Records::sFormat(), values)
                                 + Records::limitProblems(Records::tFormat(), values, Records::kMixBiasFile);
    if (!problems.isEmpty())
        return failed(tr("以下参数超出参数文件能保存的范围，没有保存：%1").arg(problems.join(tr("；"))));
    if (!isCurrent(m))
        return conflict(m);
    QString why;
    if (!replace(m.datPath, fileBytes(values), &why))
        return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(m.datPath), why));
    Model info = m;
    info.changed = QDateTime::currentDateTime();
    if (!info.created.isValid())
        info.created = info.changed;
    if (!replace(m.jsonPath, infoJson(info), &why))
        return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(m.jsonPath), why));
    m = readModel(m.datPath);
    emit changed();
    return {};
}

Result ModelLibrary::saveInfo(Model &m)
{
    if (!isCurrent(m))
        return conflict(m);
    Model info = m;
    info.changed = QDateTime::currentDateTime();
    if (!info.created.isValid())
        info.created = info.changed;
    QString why;
    if (!replace(m.jsonPath, infoJson(info), &why))
        return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(m.jsonPath), why));
    m = readModel(m.datPath);
    emit changed();
    return {};
}

Result ModelLibrary::rename(Model &m, const QString &newName)
{
    if (newName.trimmed().isEmpty())
        return failed(tr("模型的名字不能是空的"));
    if (!isCurrent(m))
        return conflict(m);
    for (const Model &other : models()) {
        if (other.datPath != m.datPath && other.name.compare(newName, Qt::CaseInsensitive) == 0)
            return {Status::Exists, tr("已经有名为「%1」的模型").arg(other.name)};
    }
    Model info = m;
    info.name = newName;
    // Only the case changes, or nothing the file name shows: the files stay.
    if (safeStem(newName).compare(m.stem, Qt::CaseInsensitive) == 0) {
        const Result r = saveInfo(info);
        if (r)
            m = info;
        return r;
    }
    Model moved = m;
    moved.stem = safeStem(newName);
    QString why;
    const QString stem = moveInto(moved, m_folder, &why);
    if (stem.isEmpty())
        return failed(why);
    Model renamed = readModel(QDir(m_folder).filePath(stem + kDat));
    renamed.name = newName;
    renamed.aircraft = m.aircraft;
    renamed.notes = m.notes;
    renamed.created = m.created;
    renamed.lastWritePort = m.lastWritePort;
    renamed.lastWriteTime = m.lastWriteTime;
    renamed.changed = QDateTime::currentDateTime();
    if (!replace(renamed.jsonPath, infoJson(renamed), &why))
        return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(renamed.jsonPath), why));
    m = readModel(renamed.datPath);
    emit changed();
    return {};
}

Result ModelLibrary::copy(const Model &m, const QString &newName, Model *created)
{
    if (m.state == Model::State::Damaged)
        return failed(tr("模型「%1」的文件不是有效的参数文件，没有改动它").arg(m.name));
    Model info;
    info.aircraft = m.aircraft;
    info.notes = m.notes;
    return writeNew(newName, contents(m.datPath).left(Records::kFileLength), info, created);
}

Result ModelLibrary::remove(const Model &m)
{
    if (!isCurrent(m))
        return conflict(m);
    QString why;
    if (moveInto(m, deletedFolder(), &why).isEmpty())
        return failed(why);
    emit changed();
    return {};
}

Result ModelLibrary::restore(const Model &deletedModel, Model *restored)
{
    if (!QFileInfo(deletedModel.datPath).isFile())
        return conflict(deletedModel);
    // A model of the same name made since keeps it; the restored one is numbered.
    const QList<Model> present = models();
    QString name = deletedModel.name;
    for (int n = 2; std::any_of(present.cbegin(), present.cend(),
                                [&name](const Model &p) { return p.name.compare(name, Qt::CaseInsensitive) == 0; });
         ++n)
        name = numbered(deletedModel.name, n);
    QString why;
    const QString stem = moveInto(deletedModel, m_folder, &why);
    if (stem.isEmpty())
        return failed(why);
    Model back = readModel(QDir(m_folder).filePath(stem + kDat));
    if (back.name != name) {
        back.name = name;
        if (!replace(back.jsonPath, infoJson(back), &why))
            return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(back.jsonPath), why));
        back = readModel(back.datPath);
    }
    if (restored)
        *restored = back;
    emit changed();
    return {};
}

Result ModelLibrary::purge(const Model &deletedModel)
{
    // Only what lies in the deleted folder goes for good.
    if (QFileInfo(deletedModel.datPath).absolutePath() != QFileInfo(deletedFolder()).absoluteFilePath())
        return failed(tr("模型「%1」没有删除，不能彻底删除").arg(deletedModel.name));
    QFile::remove(deletedModel.jsonPath);
    if (QFile::exists(deletedModel.datPath) && !QFile::remove(deletedModel.datPath))
        return failed(tr("不能删除文件 %1").arg(QDir::toNativeSeparators(deletedModel.datPath)));
    emit changed();
    return {};
}

Result ModelLibrary::purgeAll()
{
    for (const Model &m : deleted()) {
        const Result r = purge(m);
        if (!r)
            return r;
    }
    return {};
}

Result ModelLibrary::recordWrite(Model &m, const QString &port, const QDateTime &time)
{
    if (!QFileInfo(m.datPath).isFile())
        return conflict(m);
    // What the .json holds now, whoever wrote it last.
    Model now = readModel(m.datPath);
    if (now.state == Model::State::NoInfo)
        now.created = QDateTime::currentDateTime();
    now.lastWritePort = port;
    now.lastWriteTime = time;
    QString why;
    if (!replace(now.jsonPath, infoJson(now), &why))
        return failed(tr("不能写入文件 %1：%2").arg(QDir::toNativeSeparators(now.jsonPath), why));
    m = readModel(m.datPath);
    emit changed();
    return {};
}

Result ModelLibrary::importFile(const QString &path, const QString &name, Model *created)
{
    QString records;
    QString error;
    if (!ParamFile::load(path, &records, &error)) {
        return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(path),
                                                   error.split(QLatin1Char('\n'), Qt::SkipEmptyParts).join(tr("："))));
    }
    const QFileInfo file(path);
    Model info;
    const bool paired = readInfo(contents(file.dir().filePath(file.completeBaseName() + kJson)), &info);
    if (!paired)
        info.name = file.completeBaseName();
    info.lastWritePort.clear();
    info.lastWriteTime = QDateTime();
    return writeNew(name.isEmpty() ? info.name : name, records.toLatin1(), info, created);
}

Result ModelLibrary::exportTo(const Model &m, const QString &path) const
{
    if (m.state == Model::State::Damaged)
        return failed(tr("模型「%1」的文件不是有效的参数文件，没有导出").arg(m.name));
    const QByteArray dat = contents(m.datPath).left(Records::kFileLength);
    const bool alone = path.endsWith(kDat, Qt::CaseInsensitive);
    QString base = path;
    if (base.endsWith(kJson, Qt::CaseInsensitive))
        base.chop(kJson.size());
    const QString datPath = alone ? path : base + kDat;
    if (!ParamFile::save(datPath, dat))
        return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(datPath),
                                                   ParamFile::saveError(datPath).replace(QLatin1Char('\n'), tr("："))));
    if (alone)
        return {};
    Model info = m;
    if (m.state == Model::State::NoInfo)
        info.created = info.changed = QFileInfo(m.datPath).lastModified();
    const QString jsonPath = base + kJson;
    if (!ParamFile::save(jsonPath, infoJson(info)))
        return failed(QStringLiteral("%1: %2").arg(QDir::toNativeSeparators(jsonPath),
                                                   ParamFile::saveError(jsonPath).replace(QLatin1Char('\n'), tr("："))));
    return {};
}

ModelLibrary::Identification ModelLibrary::identify(const ParamAccess &answer,
                                                    const QList<quint8> &groupsReported) const
{
    Identification best;
    const double channel = answer.value(QLatin1String(Records::kDualRateChannel));
    bool any = false;
    for (const Model &m : models()) {
        MapParamAccess values;
        QString error;
        if (m.state == Model::State::Damaged || !load(m, &values, &error))
            continue;
        QList<ParamCompare::Row> rows = ParamCompare::compare(answer, values, groupsReported);
        // The answer's dual rates are those of the channel read: a model
        // keeping another channel's has none to compare.
        const bool otherChannel = values.value(QLatin1String(Records::kDualRateChannel)) != channel;
        rows.removeIf([otherChannel](const ParamCompare::Row &r) {
            return r.missing || (otherChannel && r.field->kind == Records::FieldKind::DualRate);
        });
        const int differing = ParamCompare::differences(rows);
        if (!any || differing < best.differences) {
            best.model = m;
            best.differences = differing;
            best.compared = int(rows.size());
        }
        any = true;
    }
    if (!any) {
        best.text = tr("模型库中没有可以比较的模型");
        return best;
    }
    if (best.differences == 0) {
        best.kind = Identification::Kind::Same;
        best.text = tr("发射机中的参数与模型「%1」一致").arg(best.model->name);
    } else if (2 * best.differences <= best.compared) {
        best.kind = Identification::Kind::Nearest;
        best.text = tr("发射机中的参数与模型「%1」有 %n 项不同", nullptr, best.differences).arg(best.model->name);
    } else {
        best.kind = Identification::Kind::None;
        best.model.reset();
        best.text = tr("发射机中的参数与模型库中的模型都不同");
    }
    return best;
}
