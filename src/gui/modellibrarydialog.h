// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "modellibrary.h"

#include <QDialog>
#include <QList>

#include <functional>

class QLineEdit;
class QMenu;
class QPushButton;
class QTreeWidget;

// 模型库: the pilot's models with their aircraft, last write and change, a
// filter, and what can be done with one. What touches only the library
// (new, rename, copy, delete, restore, import, export) is done here; what
// concerns the window's values or the transmitter is asked of the window
// through the signals, and the list follows what the window did.
class ModelLibraryDialog final : public QDialog
{
    Q_OBJECT

public:
    // values gives the window's values for 新建 and 保存窗口到此模型.
    ModelLibraryDialog(ModelLibrary &library, std::function<MapParamAccess()> values, QWidget *parent);

    // The models again, the one of that name selected.
    void refresh(const QString &select = QString());

signals:
    void loadRequested(const ModelLibrary::Model &model);
    void writeRequested(const ModelLibrary::Model &model);
    void saveRequested(const ModelLibrary::Model &model);
    // A new model made here, to be opened in the window.
    void created(const ModelLibrary::Model &model);

private:
    const ModelLibrary::Model *selected() const;
    void showSelection();
    void fillTemplates(QMenu *menu);
    void createFrom(const MapParamAccess &values, const QString &suggested, const QString &aircraft);
    void newFromWizard();
    void renameSelected();
    void copySelected();
    void deleteSelected();
    void showDeleted();
    void importFile();
    void exportSelected();
    // The result in a message box when it failed; true when done.
    bool told(const ModelLibrary::Result &result, const QString &title);
    QString askName(const QString &title, const QString &suggested);

    ModelLibrary &m_library;
    std::function<MapParamAccess()> m_values;
    QList<ModelLibrary::Model> m_models;
    QLineEdit *m_filter = nullptr;
    QTreeWidget *m_list = nullptr;
    QList<QPushButton *> m_needSelection;
    QList<QPushButton *> m_needSound; // not for a damaged model
};
