// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "changetracker.h"

#include "appearance.h"
#include "formaccess.h"
#include "recordcodec.h"

#include <QComboBox>
#include <QEvent>
#include <QDoubleSpinBox>
#include <QSpinBox>
#include <QTabWidget>

#include <algorithm>

ChangeTracker::ChangeTracker(QWidget *form, QObject *parent)
    : QObject(parent), m_form(form), m_access(std::make_unique<FormAccess>(form))
{
    for (const Records::Format *f : {&Records::sFormat(), &Records::tFormat()}) {
        for (const Records::Field &field : *f) {
            const QString name = QLatin1String(field.control);
            if (m_controls.contains(name))
                continue;
            QWidget *w = form->findChild<QWidget *>(name);
            if (!w)
                continue;
            m_controls << name;
            m_fields.insert(name, &field);
            m_widgets.insert(name, w);
            m_formFonts.insert(name, w->testAttribute(Qt::WA_SetFont) ? w->font() : QFont());
            const auto changed = [this, name] { compare(name); };
            if (auto *spin = qobject_cast<QSpinBox *>(w))
                connect(spin, &QSpinBox::valueChanged, this, changed);
            else if (auto *doubleSpin = qobject_cast<QDoubleSpinBox *>(w))
                connect(doubleSpin, &QDoubleSpinBox::valueChanged, this, changed);
            else if (auto *combo = qobject_cast<QComboBox *>(w))
                connect(combo, &QComboBox::currentIndexChanged, this, changed);
        }
    }
    MapParamAccess now;
    for (const QString &control : std::as_const(m_controls))
        now.setValue(control, m_access->value(control));
    setBaseline(now);
    form->installEventFilter(this);
}

ChangeTracker::~ChangeTracker() = default;

QString ChangeTracker::tabMarker()
{
    return QStringLiteral(" *");
}

void ChangeTracker::setBaseline(const MapParamAccess &baseline)
{
    m_baseline = baseline;
    for (const QString &control : std::as_const(m_controls))
        compare(control);
}

QStringList ChangeTracker::changedControls() const
{
    QStringList changed;
    for (const QString &control : m_controls) {
        if (m_changed.contains(control))
            changed << control;
    }
    return changed;
}

void ChangeTracker::compare(const QString &control)
{
    // Compared as the records carry them: 10.54 V and 10.50 V are both written as 10.5.
    const Records::Field *field = m_fields.value(control);
    const bool changed = Records::carriedValue(*field, m_access->value(control))
                         != Records::carriedValue(*field, m_baseline.value(control));
    if (changed == m_changed.contains(control))
        return;
    const bool wasModified = isModified();
    if (changed)
        m_changed.insert(control);
    else
        m_changed.remove(control);
    mark(control);
    markTabs();
    if (isModified() != wasModified)
        emit modifiedChanged(isModified());
}

// A new palette (a dark one, say) gets tints of its own.
bool ChangeTracker::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == m_form && event->type() == QEvent::PaletteChange) {
        for (const QString &control : m_changed + m_stale)
            mark(control);
    }
    return QObject::eventFilter(watched, event);
}

void ChangeTracker::setStale(const QStringList &controls)
{
    QSet<QString> stale;
    for (const QString &control : controls) {
        if (m_widgets.contains(control))
            stale.insert(control);
    }
    const QSet<QString> affected = stale + m_stale;
    m_stale = stale;
    for (const QString &control : affected)
        mark(control);
}

// A changed value: a tinted background and bold text; a stale one: grey
// lines over its background. A control can be both.
void ChangeTracker::mark(const QString &control)
{
    QWidget *w = m_widgets.value(control);
    const bool changed = m_changed.contains(control);
    const bool stale = m_stale.contains(control);
    w->setProperty("k6Changed", changed);
    w->setProperty("k6Stale", stale);
    QFont font = m_formFonts.value(control);
    if (changed) {
        font = font.resolve(w->parentWidget()->font());
        font.setBold(true);
    }
    w->setFont(font);
    if (!changed && !stale) {
        w->setPalette(QPalette()); // the inherited palette again
        return;
    }
    // Only these roles are set; the rest keep following the window's
    // palette. A spin box's field is drawn on Base: a stale value's hatching
    // lies there, over the change's tint when it is both. Buttons (a choice
    // box, a spin box's arrows) are drawn with gradients of a plain colour:
    // the grey of the hatching for a stale choice.
    const QPalette &window = m_form->palette();
    const QColor tint = Appearance::markColour(Appearance::Mark::Changed, window);
    QPalette marked;
    if (stale) {
        QPalette ground = window;
        if (changed)
            ground.setColor(QPalette::Base, tint);
        marked.setBrush(QPalette::Base, Appearance::markBrush(Appearance::Mark::Stale, ground));
    } else {
        marked.setColor(QPalette::Base, tint);
    }
    if (changed || qobject_cast<QComboBox *>(w))
        marked.setColor(QPalette::Button, changed ? tint : Appearance::markColour(Appearance::Mark::Stale, window));
    w->setPalette(marked);
}

void ChangeTracker::markTabs()
{
    for (QTabWidget *tabs : m_form->findChildren<QTabWidget *>()) {
        for (int i = 0; i < tabs->count(); ++i) {
            QString text = tabs->tabText(i);
            if (text.endsWith(tabMarker()))
                text.chop(tabMarker().size());
            const QWidget *page = tabs->widget(i);
            const bool marked = std::any_of(m_changed.cbegin(), m_changed.cend(), [&](const QString &c) {
                return page->isAncestorOf(m_widgets.value(c));
            });
            if (marked)
                text += tabMarker();
            if (text != tabs->tabText(i))
                tabs->setTabText(i, text);
        }
    }
}
