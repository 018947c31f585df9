// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "modellibrary.h"

#include <QObject>

#include <functional>
#include <optional>

class TransmitterWork;
class QWidget;

// The model library bound to the window: 模型库…, 保存为模板…, the model
// 保存数据 offers, the read's word on which model the transmitter holds, and
// each model's last write. The values go through the work like any other
// source, so its history and change marks hold for models too.
class ModelActions final : public QObject
{
    Q_OBJECT

public:
    using Say = std::function<void(const QString &text)>;
    // write starts the window's own write (the 写入数据 path).
    ModelActions(QWidget *window, TransmitterWork &work, Say say, std::function<void()> write);

    ModelLibrary &library() { return m_library; }

    void openLibrary();
    void saveAsTemplate();

    enum class SaveTarget { Model, File, Nothing };
    // Where 保存数据 goes: the model the window holds when the user says so.
    SaveTarget askSaveTarget();
    // The window's values into the model it holds; true once written.
    bool saveToHeld();
    // The model's values into the window, like 加载数据; false (and told) when
    // its file cannot be read. A model just made (fresh) keeps the window's
    // baseline, so it shows as changed against the transmitter.
    bool loadModel(const ModelLibrary::Model &model, bool fresh = false);

private:
    bool saveTo(ModelLibrary::Model &model);
    // The model the window holds now (by the work's origin), as it stands in the library.
    std::optional<ModelLibrary::Model> held();

    QWidget *m_window;
    TransmitterWork &m_work;
    Say m_say;
    std::function<void()> m_write;
    ModelLibrary m_library;
    // The model as it was when the window took or last saved it: a save
    // over a model changed since by another program is refused.
    std::optional<ModelLibrary::Model> m_held;
};
