// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "modellibrarydialog.h"

#include "aircraftsetup.h"
#include "modelwizard.h"

#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLineEdit>
#include <QLocale>
#include <QMenu>
#include <QMessageBox>
#include <QPushButton>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

QString when(const QDateTime &time)
{
    return time.isValid() ? QLocale().toString(time.toLocalTime(), QStringLiteral("yyyy-MM-dd HH:mm")) : QString();
}

QTreeWidget *modelList(const QStringList &headers)
{
    auto *list = new QTreeWidget;
    list->setHeaderLabels(headers);
    list->setRootIsDecorated(false);
    list->setUniformRowHeights(true);
    list->setSortingEnabled(false);
    list->header()->setSectionResizeMode(QHeaderView::ResizeToContents);
    list->header()->setStretchLastSection(true);
    return list;
}

} // namespace

ModelLibraryDialog::ModelLibraryDialog(ModelLibrary &library, std::function<MapParamAccess()> values, QWidget *parent)
    : QDialog(parent), m_library(library), m_values(std::move(values))
{
    setObjectName(QStringLiteral("modelLibrary"));
    setWindowTitle(tr("模型库"));
    m_filter = new QLineEdit;
    m_filter->setObjectName(QStringLiteral("lineEditFilter"));
    m_filter->setPlaceholderText(tr("筛选：名称、机型或备注"));
    m_filter->setClearButtonEnabled(true);
    m_list = modelList({tr("名称"), tr("机型"), tr("上次写入发射机"), tr("修改时间")});
    m_list->setObjectName(QStringLiteral("treeModels"));

    const auto button = [this](const char *name, const QString &text, auto slot) {
        auto *b = new QPushButton(text);
        b->setObjectName(QLatin1String(name));
        b->setAutoDefault(false);
        if constexpr (!std::is_same_v<decltype(slot), std::nullptr_t>)
            connect(b, &QPushButton::clicked, this, slot);
        return b;
    };
    auto *create = button("pushButtonNew", tr("新建"), nullptr);
    auto *newMenu = new QMenu(create);
    newMenu->addAction(tr("窗口中的参数"), this, [this] { createFrom(m_values(), QString(), QString()); });
    QMenu *templates = newMenu->addMenu(tr("从模板"));
    connect(templates, &QMenu::aboutToShow, this, [this, templates] { fillTemplates(templates); });
    newMenu->addAction(tr("向导…"), this, &ModelLibraryDialog::newFromWizard);
    create->setMenu(newMenu);
    auto *load = button("pushButtonLoadModel", tr("载入窗口"), [this] {
        if (const ModelLibrary::Model *m = selected())
            emit loadRequested(*m);
    });
    load->setDefault(true);
    auto *write = button("pushButtonWriteModel", tr("写入发射机"), [this] {
        if (const ModelLibrary::Model *m = selected())
            emit writeRequested(*m);
    });
    auto *save = button("pushButtonSaveModel", tr("保存窗口到此模型"), [this] {
        if (const ModelLibrary::Model *m = selected())
            emit saveRequested(*m);
    });
    auto *rename = button("pushButtonRename", tr("重命名"), &ModelLibraryDialog::renameSelected);
    auto *copy = button("pushButtonCopy", tr("复制"), &ModelLibraryDialog::copySelected);
    auto *remove = button("pushButtonDelete", tr("删除"), &ModelLibraryDialog::deleteSelected);
    auto *deleted = button("pushButtonDeleted", tr("已删除的模型…"), &ModelLibraryDialog::showDeleted);
    auto *import = button("pushButtonImport", tr("导入…"), &ModelLibraryDialog::importFile);
    auto *exportButton = button("pushButtonExport", tr("导出…"), &ModelLibraryDialog::exportSelected);
    m_needSelection = {load, write, save, rename, copy, remove, exportButton};
    m_needSound = {load, write, save, copy, exportButton};

    auto *side = new QVBoxLayout;
    for (QPushButton *b : {create, load, write, save, rename, copy, remove, deleted, import, exportButton})
        side->addWidget(b);
    side->addStretch();
    auto *close = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    side->addWidget(close);

    auto *left = new QVBoxLayout;
    left->addWidget(m_filter);
    left->addWidget(m_list, 1);
    auto *layout = new QHBoxLayout(this);
    layout->addLayout(left, 1);
    layout->addLayout(side);

    connect(m_filter, &QLineEdit::textChanged, this, [this] { refresh(selected() ? selected()->name : QString()); });
    connect(m_list, &QTreeWidget::currentItemChanged, this, &ModelLibraryDialog::showSelection);
    connect(m_list, &QTreeWidget::itemActivated, load, &QPushButton::click);
    connect(&m_library, &ModelLibrary::changed, this, [this] { refresh(selected() ? selected()->name : QString()); });
    resize(760, 420);
    refresh();
}

void ModelLibraryDialog::refresh(const QString &select)
{
    m_models = m_library.models();
    const QString filter = m_filter->text().trimmed();
    m_list->clear();
    QTreeWidgetItem *chosen = nullptr;
    for (int i = 0; i < m_models.size(); ++i) {
        const ModelLibrary::Model &m = m_models[i];
        if (!filter.isEmpty() && !m.name.contains(filter, Qt::CaseInsensitive)
            && !m.aircraft.contains(filter, Qt::CaseInsensitive) && !m.notes.contains(filter, Qt::CaseInsensitive))
            continue;
        const QString written = m.lastWritePort.isEmpty()
                                    ? QString()
                                    : tr("%1（%2）").arg(when(m.lastWriteTime), m.lastWritePort);
        auto *item = new QTreeWidgetItem({m.name, m.aircraft, written, when(m.changed)});
        item->setData(0, Qt::UserRole, i);
        if (m.state == ModelLibrary::Model::State::Damaged) {
            item->setText(1, tr("已损坏"));
            for (int c = 0; c < item->columnCount(); ++c) {
                item->setForeground(c, palette().brush(QPalette::Disabled, QPalette::Text));
                item->setToolTip(c, m.damage);
            }
        } else if (!m.notes.isEmpty()) {
            item->setToolTip(0, m.notes);
        }
        m_list->addTopLevelItem(item);
        if (m.name == select)
            chosen = item;
    }
    m_list->setCurrentItem(chosen ? chosen : m_list->topLevelItem(0));
    showSelection();
}

const ModelLibrary::Model *ModelLibraryDialog::selected() const
{
    const QTreeWidgetItem *item = m_list->currentItem();
    if (!item)
        return nullptr;
    const int i = item->data(0, Qt::UserRole).toInt();
    return i >= 0 && i < m_models.size() ? &m_models[i] : nullptr;
}

void ModelLibraryDialog::showSelection()
{
    const ModelLibrary::Model *m = selected();
    for (QPushButton *b : std::as_const(m_needSelection))
        b->setEnabled(m);
    if (m && m->state == ModelLibrary::Model::State::Damaged) {
        for (QPushButton *b : std::as_const(m_needSound))
            b->setEnabled(false);
    }
}

bool ModelLibraryDialog::told(const ModelLibrary::Result &result, const QString &title)
{
    if (result)
        return true;
    QMessageBox::warning(this, title, result.text);
    refresh(selected() ? selected()->name : QString());
    return false;
}

QString ModelLibraryDialog::askName(const QString &title, const QString &suggested)
{
    bool ok = false;
    const QString name = QInputDialog::getText(this, title, tr("模型名称："), QLineEdit::Normal, suggested, &ok).trimmed();
    return ok ? name : QString();
}

void ModelLibraryDialog::fillTemplates(QMenu *menu)
{
    menu->clear();
    for (AircraftSetup::Aircraft a : AircraftSetup::kAircraft) {
        menu->addAction(AircraftSetup::name(a), this, [this, a] {
            AircraftSetup::Choices choices;
            choices.aircraft = a;
            createFrom(AircraftSetup::values(choices), AircraftSetup::name(a), AircraftSetup::name(a));
        });
    }
    ModelLibrary templates(m_library.templatesFolder());
    const QList<ModelLibrary::Model> own = templates.models();
    if (!own.isEmpty())
        menu->addSeparator();
    for (const ModelLibrary::Model &t : own) {
        if (t.state == ModelLibrary::Model::State::Damaged)
            continue;
        menu->addAction(t.name, this, [this, t] {
            ModelLibrary templates(m_library.templatesFolder());
            MapParamAccess values;
            QString error;
            if (!templates.load(t, &values, &error)) {
                QMessageBox::warning(this, tr("从模板"), error);
                return;
            }
            createFrom(values, t.name, t.aircraft);
        });
    }
}

void ModelLibraryDialog::createFrom(const MapParamAccess &values, const QString &suggested, const QString &aircraft)
{
    const QString name = askName(tr("新建模型"), suggested);
    if (name.isEmpty())
        return;
    ModelLibrary::Model made;
    if (told(m_library.create(name, values, &made, aircraft), tr("新建模型"))) {
        refresh(made.name);
        emit created(made);
    }
}

void ModelLibraryDialog::newFromWizard()
{
    ModelWizard wizard(this);
    if (wizard.exec() != QDialog::Accepted)
        return;
    const AircraftSetup::Choices choices = wizard.choices();
    ModelLibrary::Model made;
    if (told(m_library.create(wizard.name(), AircraftSetup::values(choices), &made, AircraftSetup::name(choices.aircraft)),
             tr("新建模型"))) {
        refresh(made.name);
        emit created(made);
    }
}

void ModelLibraryDialog::renameSelected()
{
    const ModelLibrary::Model *m = selected();
    if (!m)
        return;
    ModelLibrary::Model model = *m;
    const QString name = askName(tr("重命名"), model.name);
    if (name.isEmpty() || name == model.name)
        return;
    if (told(m_library.rename(model, name), tr("重命名")))
        refresh(model.name);
}

void ModelLibraryDialog::copySelected()
{
    const ModelLibrary::Model *m = selected();
    if (!m)
        return;
    const ModelLibrary::Model model = *m;
    const QString name = askName(tr("复制"), tr("%1 副本").arg(model.name));
    ModelLibrary::Model made;
    if (!name.isEmpty() && told(m_library.copy(model, name, &made), tr("复制")))
        refresh(made.name);
}

void ModelLibraryDialog::deleteSelected()
{
    const ModelLibrary::Model *m = selected();
    if (!m)
        return;
    const ModelLibrary::Model model = *m;
    if (QMessageBox::question(this, tr("删除"),
                              tr("删除模型“%1”？\n它会移到“已删除的模型”中，可以恢复。").arg(model.name))
        != QMessageBox::Yes)
        return;
    if (told(m_library.remove(model), tr("删除")))
        refresh();
}

void ModelLibraryDialog::showDeleted()
{
    QDialog dialog(this);
    dialog.setObjectName(QStringLiteral("deletedModels"));
    dialog.setWindowTitle(tr("已删除的模型"));
    QTreeWidget *list = modelList({tr("名称"), tr("机型"), tr("修改时间")});
    list->setObjectName(QStringLiteral("treeDeleted"));
    QList<ModelLibrary::Model> gone;
    const auto fill = [&] {
        gone = m_library.deleted();
        list->clear();
        for (const ModelLibrary::Model &m : std::as_const(gone))
            list->addTopLevelItem(new QTreeWidgetItem({m.name, m.aircraft, when(m.changed)}));
        list->setCurrentItem(list->topLevelItem(0));
    };
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    QPushButton *restore = buttons->addButton(tr("恢复"), QDialogButtonBox::ActionRole);
    QPushButton *purge = buttons->addButton(tr("永久删除"), QDialogButtonBox::ActionRole);
    QPushButton *purgeAll = buttons->addButton(tr("清空"), QDialogButtonBox::ActionRole);
    connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    const auto current = [&]() -> const ModelLibrary::Model * {
        const int row = list->indexOfTopLevelItem(list->currentItem());
        return row >= 0 && row < gone.size() ? &gone[row] : nullptr;
    };
    connect(restore, &QPushButton::clicked, &dialog, [&] {
        if (const ModelLibrary::Model *m = current()) {
            ModelLibrary::Model back;
            if (told(m_library.restore(*m, &back), tr("恢复")))
                refresh(back.name);
            fill();
        }
    });
    connect(purge, &QPushButton::clicked, &dialog, [&] {
        const ModelLibrary::Model *m = current();
        if (m && QMessageBox::question(&dialog, tr("永久删除"), tr("永久删除模型“%1”？这不能撤销。").arg(m->name))
                     == QMessageBox::Yes) {
            told(m_library.purge(*m), tr("永久删除"));
            fill();
        }
    });
    connect(purgeAll, &QPushButton::clicked, &dialog, [&] {
        if (!gone.isEmpty()
            && QMessageBox::question(&dialog, tr("清空"), tr("永久删除全部 %n 个已删除的模型？这不能撤销。", nullptr, int(gone.size())))
                   == QMessageBox::Yes) {
            told(m_library.purgeAll(), tr("清空"));
            fill();
        }
    });
    auto *layout = new QVBoxLayout(&dialog);
    layout->addWidget(list, 1);
    layout->addWidget(buttons);
    fill();
    dialog.resize(520, 320);
    dialog.exec();
}

void ModelLibraryDialog::importFile()
{
    const QString path = QFileDialog::getOpenFileName(this, tr("导入模型"), QString(), tr("参数文件 (*.dat);;所有文件 (*)"));
    if (path.isEmpty())
        return;
    ModelLibrary::Model made;
    if (told(m_library.importFile(path, QString(), &made), tr("导入模型")))
        refresh(made.name);
}

void ModelLibraryDialog::exportSelected()
{
    const ModelLibrary::Model *m = selected();
    if (!m)
        return;
    const ModelLibrary::Model model = *m;
    QString filter;
    const QString path = QFileDialog::getSaveFileName(
        this, tr("导出模型"), model.stem, tr("模型（参数文件和说明） (*);;只有参数文件 (*.dat)"), &filter);
    if (path.isEmpty())
        return;
    // The pair unless a parameter file alone was asked for.
    const bool datOnly = filter.contains(QLatin1String("*.dat")) || path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive);
    const QString target = datOnly && !path.endsWith(QLatin1String(".dat"), Qt::CaseInsensitive) ? path + QStringLiteral(".dat") : path;
    told(m_library.exportTo(model, target), tr("导出模型"));
}
