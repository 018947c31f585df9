// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "appearance.h"
#include "language.h"

#include <QList>
#include <QPoint>
#include <QString>

#include <optional>

class QWidget;

// What the window keeps between starts, in the user's settings file. A
// missing or unreadable file gives nothing back; nothing here ever stops the
// program.
namespace Remembered {

// k6qx.ini in the user's configuration folder: $XDG_CONFIG_HOME (~/.config)
// on Linux, %LOCALAPPDATA% on Windows; the file K6QX_SETTINGS names instead
// when it is set (a copy on a USB stick, a test of its own).
QString fileName();

// The serial panel's choices: a combo box by its text, a check box by its
// state, each under its objectName.
void keepChoices(const QList<QWidget *> &controls);
// Puts back what is kept and still offered; a choice no longer offered (a
// port that is gone) leaves the control as it is.
void restoreChoices(const QList<QWidget *> &controls);
// The text kept for a combo box, empty when none.
QString keptChoice(const QWidget *control);

// The folder of the file last saved or loaded; empty when none was kept or
// it is gone.
QString folder();
void keepFolderOf(const QString &filePath);
// Where the file dialogs start: the kept folder, or the user's documents
// folder (the home folder where there is none).
QString startFolder();

std::optional<QPoint> position();
void keepPosition(const QPoint &topLeft);

// The look chosen in the window; System when none was kept or what was
// kept is none of the words.
Appearance::Choice appearance();
void keepAppearance(Appearance::Choice choice);

// The language chosen in the window; nullopt when none was kept. --lang
// and K6QX_LANG win over it for one start.
std::optional<Language::Choice> language();
void keepLanguage(Language::Choice choice);

} // namespace Remembered
