// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "remembered.h"

#include <QAbstractButton>
#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QSettings>
#include <QStandardPaths>
#include <QWidget>

namespace Remembered {

// An INI file on every system, beside no organisation's folder, so that it
// is one file a user can find and remove.
QString fileName()
{
    const QString chosen = qEnvironmentVariable("K6QX_SETTINGS");
    if (!chosen.isEmpty())
        return chosen;
    return QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + QLatin1String("/k6qx.ini");
}

namespace {

QSettings settings()
{
    return QSettings(fileName(), QSettings::IniFormat);
}

QString keyOf(const QWidget *control)
{
    return QStringLiteral("panel/") + control->objectName();
}

} // namespace

void keepChoices(const QList<QWidget *> &controls)
{
    QSettings s = settings();
    for (const QWidget *control : controls) {
        if (auto *box = qobject_cast<const QComboBox *>(control))
            s.setValue(keyOf(control), box->currentText());
        else if (auto *check = qobject_cast<const QAbstractButton *>(control))
            s.setValue(keyOf(control), check->isChecked());
    }
}

void restoreChoices(const QList<QWidget *> &controls)
{
    const QSettings s = settings();
    for (QWidget *control : controls) {
        const QVariant kept = s.value(keyOf(control));
        if (!kept.isValid())
            continue;
        if (auto *box = qobject_cast<QComboBox *>(control)) {
            const int index = box->findText(kept.toString());
            if (index >= 0)
                box->setCurrentIndex(index);
        } else if (auto *check = qobject_cast<QAbstractButton *>(control)) {
            const QString text = kept.toString();
            if (text == QLatin1String("true") || text == QLatin1String("false"))
                check->setChecked(text == QLatin1String("true"));
        }
    }
}

QString keptChoice(const QWidget *control)
{
    return settings().value(keyOf(control)).toString();
}

QString folder()
{
    const QString kept = settings().value(QStringLiteral("files/folder")).toString();
    return !kept.isEmpty() && QFileInfo(kept).isDir() ? kept : QString();
}

void keepFolderOf(const QString &filePath)
{
    settings().setValue(QStringLiteral("files/folder"), QFileInfo(filePath).absolutePath());
}

QString startFolder()
{
    const QString kept = folder();
    if (!kept.isEmpty())
        return kept;
    // The user's documents, where the system has that folder; home otherwise.
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    return QFileInfo(documents).isDir() ? documents : QDir::homePath();
}

std::optional<QPoint> position()
{
    const QSettings s = settings();
    bool xOk = false;
    bool yOk = false;
    const QPoint kept(s.value(QStringLiteral("window/x")).toInt(&xOk), s.value(QStringLiteral("window/y")).toInt(&yOk));
    if (!xOk || !yOk)
        return std::nullopt;
    return kept;
}

void keepPosition(const QPoint &topLeft)
{
    QSettings s = settings();
    s.setValue(QStringLiteral("window/x"), topLeft.x());
    s.setValue(QStringLiteral("window/y"), topLeft.y());
}

Appearance::Choice appearance()
{
    return Appearance::fromWord(settings().value(QStringLiteral("interface/appearance")).toString())
        .value_or(Appearance::Choice::System);
}

void keepAppearance(Appearance::Choice choice)
{
    settings().setValue(QStringLiteral("interface/appearance"), Appearance::word(choice));
}

std::optional<Language::Choice> language()
{
    return Language::fromName(settings().value(QStringLiteral("interface/language")).toString());
}

void keepLanguage(Language::Choice choice)
{
    settings().setValue(QStringLiteral("interface/language"),
                        choice == Language::Choice::English ? QStringLiteral("en") : QStringLiteral("zh"));
}

} // namespace Remembered
