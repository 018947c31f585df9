// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "aircraftsetup.h"

#include <QWizard>

class QButtonGroup;
class QDoubleSpinBox;
class QLabel;
class QLineEdit;
class QSpinBox;
class QTreeWidget;

// 新建 → 向导: the aircraft, the stick mode, the battery and the throttle's
// failsafe, one page each with its diagram, then every value it will set
// and the model's name. It creates nothing itself: whoever opened it makes
// the model from choices() and name().
class ModelWizard final : public QWizard
{
    Q_OBJECT

public:
    explicit ModelWizard(QWidget *parent = nullptr);

    AircraftSetup::Choices choices() const;
    QString name() const;

private:
    QWizardPage *aircraftPage();
    QWizardPage *sticksPage();
    QWizardPage *batteryPage();
    QWizardPage *failsafePage();
    QWizardPage *summaryPage();
    void refreshSummary();

    QButtonGroup *m_aircraft = nullptr;
    QButtonGroup *m_mode = nullptr;
    QSpinBox *m_cells = nullptr;
    QDoubleSpinBox *m_perCell = nullptr;
    QSpinBox *m_failsafe = nullptr;
    QLineEdit *m_name = nullptr;
    QTreeWidget *m_summary = nullptr;
    QLabel *m_alarm = nullptr;
    bool m_nameTyped = false;
};
