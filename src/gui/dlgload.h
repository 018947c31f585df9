// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramfile.h"

#include <QDialog>
#include <QString>

class Ui_DlgLoad;

// Picks a file, reads it as text, shows its length and the first 16
// characters, and hands the text to the caller. A file that lists bytes in
// hex ("53 30 30") is turned into the bytes it lists. A name typed into the
// line edit is read by 确定 as one chosen with 浏览.
class DlgLoad : public QDialog
{
    Q_OBJECT

public:
    explicit DlgLoad(QWidget *parent = nullptr);
    ~DlgLoad() override;

    QString getContext();
    // The file the text came from.
    QString getFileName() const { return fileName; }

    static constexpr qint64 kMaxFileBytes = ParamFile::kMaxFileBytes;

public slots:
    void accept() override;

protected:
    void changeEvent(QEvent *e) override;

private slots:
    void on_checkBox_clicked();
    void on_toolButton_clicked();

private:
    bool readFile(const QString &path);

    Ui_DlgLoad *ui = nullptr;
    QString context;
    QString fileName; // the file last read
};
