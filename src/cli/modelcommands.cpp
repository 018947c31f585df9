// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modelcommands.h"

#include "cliapp.h"
#include "paramcompare.h"
#include "paramprinter.h"
#include "replyframes.h"

#include <QDir>
#include <QFileInfo>
#include <QJsonArray>
#include <QJsonDocument>

#include <algorithm>
#include <cstdio>

namespace {

const QString kShownTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");

QString shown(const QDateTime &time)
{
    return time.isValid() ? time.toString(kShownTime) : QString();
}

QString stateName(ModelLibrary::Model::State state)
{
    switch (state) {
    case ModelLibrary::Model::State::Ok:
        return QStringLiteral("ok");
    case ModelLibrary::Model::State::NoInfo:
        return QStringLiteral("no-info");
    case ModelLibrary::Model::State::Damaged:
        break;
    }
    return QStringLiteral("damaged");
}

} // namespace

ModelCommands::ModelCommands(CliApp &app)
    : m_app(app)
{
}

QCommandLineOption ModelCommands::nameOption()
{
    return QCommandLineOption(QStringLiteral("name"), tr("model import：模型的名字（默认是文件中的名字或文件名）。"),
                              QStringLiteral("NAME"));
}

QString ModelCommands::helpText()
{
    return tr("\n模型库：\n"
              "  k6qx-cli model list [--json]                     列出模型库中的模型\n"
              "  k6qx-cli model show NAME [--json]\n"
              "  k6qx-cli model save NAME (FILE|PORT) [--baud N] [--dual-rate-channel 1..4]\n"
              "  k6qx-cli model write NAME PORT [--verify] [--no-backup] [--baud N]\n"
              "  k6qx-cli model identify PORT [--baud N] [--dual-rate-channel 1..4]\n"
              "  k6qx-cli model export NAME FILE                  FILE 以 .dat 结尾只导出参数文件，否则导出 FILE.dat 和 FILE.json\n"
              "  k6qx-cli model import FILE [--name NAME]\n"
              "  k6qx-cli model delete NAME                       移到模型库的 .deleted 文件夹，可以恢复\n"
              "模型库文件夹：环境变量 K6QX_MODELS_DIR，默认是文档文件夹下的 k6qx/models。NAME 先按原样比较，再不分大小写。\n"
              "model identify 退出码：0 与一个模型一致，1 最接近的模型有不同或都不同。\n\n");
}

void ModelCommands::fail(const QString &text)
{
    throw CliApp::Failure{text};
}

void ModelCommands::orFail(const ModelLibrary::Result &result) const
{
    if (!result)
        fail(result.text);
}

void ModelCommands::check(const QString &sub, const QStringList &allowed, int positionals)
{
    for (const QString &option : m_app.m_parser.optionNames()) {
        if (option != QLatin1String("lang") && !allowed.contains(option))
            fail(tr("model %1 不接受选项 %2，见 k6qx-cli --help")
                     .arg(sub, (option.size() == 1 ? QStringLiteral("-") : QStringLiteral("--")) + option));
    }
    const int given = int(m_app.m_parser.positionalArguments().size()) - 2;
    if (given != positionals)
        fail(tr("model %1 需要 %n 个参数", nullptr, positionals).arg(sub)
             + tr("，给出了 %n 个，见 k6qx-cli --help", nullptr, given));
}

int ModelCommands::run()
{
    const QStringList args = m_app.m_parser.positionalArguments();
    const QString sub = args.value(1);
    const QString json = QStringLiteral("json");
    const QString baud = QStringLiteral("baud");
    const QString channel = QStringLiteral("dual-rate-channel");
    if (sub == QLatin1String("list")) {
        check(sub, {json}, 0);
        return list();
    }
    if (sub == QLatin1String("show")) {
        check(sub, {json}, 1);
        return show(args.at(2));
    }
    if (sub == QLatin1String("save")) {
        check(sub, {baud, channel}, 2);
        return save(args.at(2), args.at(3));
    }
    if (sub == QLatin1String("write")) {
        check(sub, {QStringLiteral("verify"), QStringLiteral("no-backup"), baud}, 2);
        return write(args.at(2), args.at(3));
    }
    if (sub == QLatin1String("identify")) {
        check(sub, {baud, channel}, 1);
        return identify(args.at(2));
    }
    if (sub == QLatin1String("export")) {
        check(sub, {}, 2);
        return exportModel(args.at(2), args.at(3));
    }
    if (sub == QLatin1String("import")) {
        check(sub, {QStringLiteral("name")}, 1);
        return importFile(args.at(2));
    }
    if (sub == QLatin1String("delete")) {
        check(sub, {}, 1);
        return remove(args.at(2));
    }
    fail(sub.isEmpty() ? tr("model 需要子命令（list、show、save、write、identify、export、import、delete），见 k6qx-cli --help")
                       : tr("未知的 model 子命令“%1”，见 k6qx-cli --help").arg(sub));
}

ModelLibrary::Model ModelCommands::found(const QString &name) const
{
    ModelLibrary::Result result;
    const std::optional<Model> m = m_library.find(name, &result);
    if (!m)
        fail(result.text);
    return *m;
}

QJsonObject ModelCommands::json(const Model &m)
{
    QJsonObject o{{QStringLiteral("name"), m.name},
                  {QStringLiteral("file"), QDir::toNativeSeparators(m.datPath)},
                  {QStringLiteral("aircraft"), m.aircraft},
                  {QStringLiteral("notes"), m.notes},
                  {QStringLiteral("created"), shown(m.created)},
                  {QStringLiteral("changed"), shown(m.changed)},
                  {QStringLiteral("state"), stateName(m.state)}};
    o.insert(QStringLiteral("lastWrite"),
             m.lastWritePort.isEmpty() ? QJsonValue()
                                       : QJsonObject{{QStringLiteral("port"), m.lastWritePort},
                                                     {QStringLiteral("time"), shown(m.lastWriteTime)}});
    if (m.state == Model::State::Damaged)
        o.insert(QStringLiteral("damage"), m.damage);
    return o;
}

int ModelCommands::list()
{
    const QList<Model> models = m_library.models();
    if (m_app.m_parser.isSet(QStringLiteral("json"))) {
        QJsonArray array;
        for (const Model &m : models)
            array.append(json(m));
        CliApp::out(QString::fromUtf8(QJsonDocument(array).toJson()));
        return CliApp::Success;
    }
    if (models.isEmpty())
        CliApp::out(tr("模型库 %1 中没有模型\n").arg(QDir::toNativeSeparators(m_library.folder())));
    for (const Model &m : models) {
        QString note;
        if (m.state == Model::State::Damaged)
            note = tr("已损坏：%1").arg(m.damage);
        else if (m.state == Model::State::NoInfo)
            note = tr("没有说明文件（.json）");
        else if (!m.lastWritePort.isEmpty())
            note = tr("最后写入 %1 %2").arg(m.lastWritePort, shown(m.lastWriteTime));
        CliApp::out(QStringList{m.name, m.aircraft, shown(m.changed), note}.join(QLatin1Char('\t')) + QLatin1Char('\n'));
    }
    return CliApp::Success;
}

int ModelCommands::show(const QString &name)
{
    const Model m = found(name);
    if (m.state == Model::State::Damaged)
        fail(tr("模型「%1」已损坏：%2").arg(m.name, m.damage));
    MapParamAccess values;
    QString error;
    if (!m_library.load(m, &values, &error))
        fail(error.split(QLatin1Char('\n')).join(tr("：")));
    const auto fields = ParamCompare::fields(ParamCompare::Against::File);
    if (m_app.m_parser.isSet(QStringLiteral("json"))) {
        QJsonObject o = json(m);
        o.insert(QStringLiteral("values"), QJsonDocument::fromJson(ParamPrinter::json(fields, values).toUtf8()).object());
        CliApp::out(QString::fromUtf8(QJsonDocument(o).toJson()));
        return CliApp::Success;
    }
    const QString written = m.lastWritePort.isEmpty() ? tr("没有写入过发射机")
                                                      : QStringLiteral("%1 %2").arg(m.lastWritePort, shown(m.lastWriteTime));
    CliApp::out(tr("名字：%1\n机型：%2\n备注：%3\n建立：%4\n修改：%5\n最后写入：%6\n文件：%7\n\n")
                    .arg(m.name, m.aircraft, m.notes, shown(m.created), shown(m.changed), written,
                         QDir::toNativeSeparators(m.datPath)));
    CliApp::out(ParamPrinter::table(fields, values));
    return CliApp::Success;
}

// A regular file of that name is a parameter file; anything else names a port.
int ModelCommands::save(const QString &name, const QString &source)
{
    MapParamAccess values;
    if (QFileInfo(source).isFile()) {
        values = m_app.loadFile(source);
    } else {
        std::optional<MapParamAccess> answer;
        try {
            answer = m_app.readComplete(source);
        } catch (const CliApp::Failure &failure) {
            if (QFileInfo::exists(source))
                throw;
            fail(tr("%1；也没有名为 %2 的参数文件").arg(failure.message, source));
        }
        if (!answer)
            return CliApp::Differences;
        values = *answer;
    }
    const QList<Model> models = m_library.models();
    const bool present = std::any_of(models.cbegin(), models.cend(), [&name](const Model &m) {
        return m.name.compare(name, Qt::CaseInsensitive) == 0;
    });
    Model m;
    if (present) {
        m = found(name);
        orFail(m_library.save(m, values));
        CliApp::out(tr("模型「%1」已更新：%2\n").arg(m.name, QDir::toNativeSeparators(m.datPath)));
    } else {
        orFail(m_library.create(name, values, &m));
        CliApp::out(tr("已建立模型「%1」：%2\n").arg(m.name, QDir::toNativeSeparators(m.datPath)));
    }
    return CliApp::Success;
}

int ModelCommands::write(const QString &name, const QString &port)
{
    Model m = found(name);
    if (m.state == Model::State::Damaged)
        fail(tr("模型「%1」已损坏：%2").arg(m.name, m.damage));
    MapParamAccess values;
    QString error;
    if (!m_library.load(m, &values, &error))
        fail(error.split(QLatin1Char('\n')).join(tr("：")));
    // Noted once the records went out; whether the transmitter took them
    // nothing can tell.
    return m_app.writeSet(port, values, [this, &m, &port] {
        const ModelLibrary::Result noted = m_library.recordWrite(m, port, QDateTime::currentDateTime());
        if (!noted)
            CliApp::err(QStringLiteral("k6qx-cli: %1\n").arg(tr("模型「%1」的最后写入没有记下：%2").arg(m.name, noted.text)));
    });
}

int ModelCommands::identify(const QString &port)
{
    const std::optional<MapParamAccess> answer = m_app.readComplete(port);
    if (!answer)
        return CliApp::Differences;
    // An agreed answer brought every group.
    const ModelLibrary::Identification id = m_library.identify(*answer, ReplyFrames::groups());
    CliApp::out(id.text + QLatin1Char('\n'));
    return id.kind == ModelLibrary::Identification::Kind::Same ? CliApp::Success : CliApp::Differences;
}

int ModelCommands::exportModel(const QString &name, const QString &file)
{
    const Model m = found(name);
    orFail(m_library.exportTo(m, file));
    QString where = QDir::toNativeSeparators(file);
    if (!file.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive)) {
        QString base = where;
        if (base.endsWith(QLatin1String(".json"), Qt::CaseInsensitive))
            base.chop(5);
        where = tr("%1 和 %2").arg(base + QStringLiteral(".dat"), base + QStringLiteral(".json"));
    }
    CliApp::out(tr("模型「%1」已导出到 %2\n").arg(m.name, where));
    return CliApp::Success;
}

int ModelCommands::importFile(const QString &file)
{
    Model m;
    orFail(m_library.importFile(file, m_app.m_parser.value(QStringLiteral("name")), &m));
    CliApp::out(tr("已导入为模型「%1」：%2\n").arg(m.name, QDir::toNativeSeparators(m.datPath)));
    return CliApp::Success;
}

int ModelCommands::remove(const QString &name)
{
    const Model m = found(name);
    orFail(m_library.remove(m));
    CliApp::out(tr("模型「%1」已移到 %2，可以从那里恢复\n").arg(m.name, QDir::toNativeSeparators(m_library.deletedFolder())));
    return CliApp::Success;
}
