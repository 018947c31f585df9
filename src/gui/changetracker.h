// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paramaccess.h"
#include "recordcodec.h"

#include <QFont>
#include <QHash>
#include <QObject>
#include <QSet>
#include <QStringList>

#include <memory>

class FormAccess;
class QWidget;

// The marks on what differs from the baseline the transmitter work keeps
// (the set after the last agreed read, load, save or write). Every control
// the records carry is watched; one whose value, as the records would carry
// it, differs from the baseline is marked (its "k6Changed" property, a
// tinted background and bold text), and so is the tab of a page that holds one.
class ChangeTracker final : public QObject
{
    Q_OBJECT
    Q_DISABLE_COPY_MOVE(ChangeTracker)

public:
    // Takes the window's current values as the baseline.
    explicit ChangeTracker(QWidget *form, QObject *parent = nullptr);
    ~ChangeTracker() override;

    void setBaseline(const MapParamAccess &baseline);
    const MapParamAccess &baseline() const { return m_baseline; }

    bool isModified() const { return !m_changed.isEmpty(); }
    // In the order the records carry them.
    QStringList changedControls() const;

    // Marks the controls whose values the last read did not refresh (their
    // "k6Stale" property and grey lines over the background), and only them.
    void setStale(const QStringList &controls);
    bool isStale(const QString &control) const { return m_stale.contains(control); }

    // Puts the marks on the tabs again, after their texts were set anew
    // (a change of language).
    void markTabs();

    // What a marked page's tab text ends with.
    static QString tabMarker();

signals:
    void modifiedChanged(bool modified);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void compare(const QString &control);
    void mark(const QString &control);

    QWidget *m_form;
    std::unique_ptr<FormAccess> m_access;
    MapParamAccess m_baseline;
    QStringList m_controls;
    QHash<QString, QWidget *> m_widgets;
    QHash<QString, const Records::Field *> m_fields;
    QHash<QString, QFont> m_formFonts; // the font each control has in the form
    QSet<QString> m_changed;
    QSet<QString> m_stale;
};
