// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>

class QComboBox;
class QMainWindow;
class Ui_MainWindow;

// The form's texts in the current language, with the values left as they
// are. The generated retranslateUi only renames existing items and puts
// every combo box on its first one: each box keeps its choice here, and the
// port list keeps the ports found.
class FormTexts final
{
public:
    // Takes note of the items each combo box has in the form.
    FormTexts(Ui_MainWindow *ui, QMainWindow *window);

    // Sets the texts anew; the boxes tell nobody, as no value changes.
    void retranslate();

private:
    Ui_MainWindow *ui;
    QMainWindow *m_window;
    QHash<QComboBox *, int> m_formItems;
};
