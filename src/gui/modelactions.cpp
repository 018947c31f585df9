// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modelactions.h"

#include "modellibrarydialog.h"
#include "transmitterwork.h"
#include "valuesources.h"

#include <QDateTime>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

ModelActions::ModelActions(QWidget *window, TransmitterWork &work, Say say, std::function<void()> write)
    : QObject(window), m_window(window), m_work(work), m_say(std::move(say)), m_write(std::move(write))
{
    m_work.setIdentifier([this](const ParamAccess &answer, const QList<quint8> &groups) {
        return m_library.models().isEmpty() ? QString() : m_library.identify(answer, groups).text;
    });
    connect(&m_work, &TransmitterWork::modelWritten, this, [this](const QString &name, const QString &port) {
        std::optional<ModelLibrary::Model> m = m_library.find(name);
        if (!m)
            return;
        const ModelLibrary::Result r = m_library.recordWrite(*m, port, QDateTime::currentDateTime());
        if (!r)
            m_say(tr("参数已发送，但没能在模型“%1”中记下这次写入：%2").arg(name, r.text));
        else if (m_held && m_held->stem == m->stem)
            m_held = *m;
    });
}

std::optional<ModelLibrary::Model> ModelActions::held()
{
    const TransmitterWork::Origin &origin = m_work.origin();
    if (origin.kind != TransmitterWork::Origin::Kind::Model || !m_held || m_held->name != origin.where)
        return std::nullopt;
    return m_held;
}

void ModelActions::openLibrary()
{
    ModelLibraryDialog dialog(m_library, [this] { return m_work.values(); }, m_window);
    if (const auto m = held())
        dialog.refresh(m->name);
    connect(&dialog, &ModelLibraryDialog::loadRequested, &dialog, [&](const ModelLibrary::Model &m) {
        if (loadModel(m))
            dialog.accept();
    });
    connect(&dialog, &ModelLibraryDialog::created, &dialog, [&](const ModelLibrary::Model &m) {
        if (loadModel(m, true))
            dialog.accept();
    });
    bool writeAfter = false;
    connect(&dialog, &ModelLibraryDialog::writeRequested, &dialog, [&](const ModelLibrary::Model &m) {
        if (loadModel(m)) {
            writeAfter = true;
            dialog.accept();
        }
    });
    connect(&dialog, &ModelLibraryDialog::saveRequested, &dialog, [&](const ModelLibrary::Model &m) {
        if (QMessageBox::question(&dialog, tr("保存窗口到此模型"),
                                  tr("用窗口中的参数替换模型“%1”的参数？\n模型原来的参数会保存在参数历史中。").arg(m.name))
            != QMessageBox::Yes)
            return;
        ModelLibrary::Model model = m;
        if (saveTo(model))
            dialog.refresh(model.name);
    });
    dialog.exec();
    if (writeAfter)
        m_write();
}

// Like 加载数据: the window's changes are kept in the history first.
bool ModelActions::loadModel(const ModelLibrary::Model &model, bool fresh)
{
    MapParamAccess values;
    QString error;
    if (!m_library.load(model, &values, &error)) {
        QMessageBox::critical(m_window, tr("错误"), tr("不能载入模型“%1”：\n%2").arg(model.name, error));
        return false;
    }
    TransmitterWork::Origin origin;
    origin.kind = TransmitterWork::Origin::Kind::Model;
    origin.where = model.name;
    origin.time = QDateTime::currentDateTime();
    m_held = model;
    const QStringList notes = fresh ? m_work.startNew(values, origin) : m_work.load(values, origin);
    m_say(ValueSources::loadedText(tr("模型 %1").arg(model.name), notes));
    return true;
}

bool ModelActions::saveTo(ModelLibrary::Model &model)
{
    // The model's set before it is replaced goes to the history.
    MapParamAccess old;
    QString error;
    if (m_library.load(model, &old, &error)
        && !m_work.history().keep(ParamHistory::Kind::BeforeModelSave, old, model.name, &error)
        && QMessageBox::question(m_window, tr("保存到模型"),
                                 tr("参数历史不能保存模型原来的参数：%1\n仍然保存到模型“%2”吗？").arg(error, model.name))
               != QMessageBox::Yes)
        return false;
    const ModelLibrary::Result r = m_library.save(model, m_work.values());
    if (!r) {
        QMessageBox::warning(m_window, tr("保存到模型"), r.text);
        return false;
    }
    m_held = model;
    m_work.saved(model.name, TransmitterWork::Origin::Kind::Model);
    m_say(tr("已保存到模型 %1").arg(model.name));
    return true;
}

ModelActions::SaveTarget ModelActions::askSaveTarget()
{
    const auto m = held();
    if (!m)
        return SaveTarget::File;
    QMessageBox box(QMessageBox::Question, tr("保存数据"), tr("窗口中是模型“%1”的参数。保存到哪里？").arg(m->name),
                    QMessageBox::Cancel, m_window);
    QPushButton *toModel = box.addButton(tr("保存到模型 %1").arg(m->name), QMessageBox::AcceptRole);
    QPushButton *toFile = box.addButton(tr("保存为文件…"), QMessageBox::ActionRole);
    box.setDefaultButton(toModel);
    box.exec();
    if (box.clickedButton() == toModel)
        return SaveTarget::Model;
    return box.clickedButton() == toFile ? SaveTarget::File : SaveTarget::Nothing;
}

bool ModelActions::saveToHeld()
{
    std::optional<ModelLibrary::Model> m = held();
    return m && saveTo(*m);
}

void ModelActions::saveAsTemplate()
{
    bool ok = false;
    const QString name = QInputDialog::getText(m_window, tr("保存为模板"), tr("模板名称："), QLineEdit::Normal,
                                               QString(), &ok)
                             .trimmed();
    if (!ok || name.isEmpty())
        return;
    ModelLibrary templates(m_library.templatesFolder());
    const ModelLibrary::Result r = templates.create(name, m_work.values());
    if (!r) {
        QMessageBox::warning(m_window, tr("保存为模板"), r.text);
        return;
    }
    m_say(tr("已保存为模板 %1（新建 → 从模板 中可用）").arg(name));
}
