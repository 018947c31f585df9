// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "valuesources.h"

#include "comparedialog.h"
#include "dlgload.h"
#include "historydialog.h"
#include "paramfile.h"
#include "recordcodec.h"
#include "transmitterwork.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QMessageBox>

namespace ValueSources {

namespace {

QString tr(const char *text)
{
    return QCoreApplication::translate("ValueSources", text);
}

void showError(QWidget *parent, const QString &text)
{
    QMessageBox::critical(parent, tr("错误"), text, QMessageBox::Ok);
}

bool recordsOfEntry(QWidget *parent, const ParamHistory::Entry &entry, const QString &refusal, QString *records)
{
    QString error;
    if (ParamFile::load(entry.path, records, &error))
        return true;
    showError(parent, refusal.arg(error));
    return false;
}

} // namespace

bool recordsFromDialog(QWidget *parent, const QString &refusal, QString *records, QString *fileName,
                       const QString &title)
{
    DlgLoad dlg(parent);
    if (!title.isEmpty())
        dlg.setWindowTitle(title);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    QString reason;
    if (!ParamFile::recordsOf(dlg.getContext(), records, &reason)) {
        showError(parent, refusal.arg(reason));
        return false;
    }
    *fileName = dlg.getFileName();
    return true;
}

MapParamAccess withRecords(const MapParamAccess &base, const QString &records)
{
    MapParamAccess set = base;
    Records::apply(Records::sFormat(), records.left(Records::kRecordLength), set);
    Records::apply(Records::tFormat(), records.mid(Records::kRecordLength), set, Records::kMixBiasFile);
    return set;
}

QString compare(QWidget *parent, TransmitterWork &work, const QString &records, const QString &origin)
{
    // The window's values stand in for what a file does not carry.
    const MapParamAccess mine = work.values();
    const MapParamAccess other = withRecords(mine, records);
    CompareDialog dialog(ParamCompare::compare(mine, other, ParamCompare::Against::File), origin, QString(), parent);
    if (dialog.exec() != QDialog::Accepted)
        return QString();
    return takenText(dialog.taken().size(), work.take(dialog.taken()));
}

QString takenText(qsizetype taken, const QStringList &notes)
{
    if (taken == 0)
        return QString();
    QString text = QCoreApplication::translate("MainWindow", "已载入 %n 项（尚未写入发射机）", nullptr, int(taken));
    if (!notes.isEmpty())
        text += tr("；") + TransmitterWork::clampText(notes);
    return text;
}

QString loadedText(const QString &origin, const QStringList &notes)
{
    QString text = tr("已载入 %1（尚未写入发射机）").arg(origin);
    if (!notes.isEmpty())
        text += tr("；") + TransmitterWork::clampText(notes);
    return text;
}

QString showHistory(QWidget *parent, TransmitterWork &work)
{
    HistoryDialog dlg(work.history().entries(), parent);
    QString done;
    QObject::connect(&dlg, &HistoryDialog::compareRequested, &dlg, [&](const ParamHistory::Entry &entry) {
        QString records;
        if (recordsOfEntry(&dlg, entry, tr("不能读取历史记录，没有比较任何参数：\n%1"), &records))
            done = compare(&dlg, work, records, HistoryDialog::origin(entry));
    });
    QObject::connect(&dlg, &HistoryDialog::loadRequested, &dlg, [&](const ParamHistory::Entry &entry) {
        QString records;
        if (!recordsOfEntry(&dlg, entry, tr("不能读取历史记录，没有加载任何参数：\n%1"), &records))
            return;
        TransmitterWork::Origin origin;
        origin.kind = TransmitterWork::Origin::Kind::History;
        origin.where = HistoryDialog::origin(entry);
        done = loadedText(origin.where, work.load(withRecords(work.values(), records), origin));
        dlg.accept();
    });
    dlg.exec();
    return done;
}

} // namespace ValueSources
