// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QList>
#include <QString>

// The parameter set lives in the form's controls. The codecs reach it only
// through this accessor, keyed by the control's objectName: a spin box's
// value, the double spin box's value, or a combo box's current index.
class ParamAccess
{
public:
    virtual ~ParamAccess() = default;
    virtual double value(const QString &control) const = 0;
    virtual void setValue(const QString &control, double value) = 0;
};

// A plain map standing in for the controls; no clamping, no item lists.
class MapParamAccess final : public ParamAccess
{
public:
    double value(const QString &control) const override { return values.value(control); }
    void setValue(const QString &control, double v) override { values.insert(control, v); }

    QHash<QString, double> values;
};

// Collects what is set and passes it on in one go: a value set several
// times reaches the target once, with its last value. Reads see the
// collected values first, then the target.
class BufferedParamAccess final : public ParamAccess
{
public:
    explicit BufferedParamAccess(ParamAccess &target) : m_target(target) {}

    double value(const QString &control) const override
    {
        const auto it = m_values.constFind(control);
        return it != m_values.constEnd() ? it.value() : m_target.value(control);
    }
    void setValue(const QString &control, double v) override
    {
        if (!m_values.contains(control))
            m_order << control;
        m_values.insert(control, v);
    }
    // Sets the target in the order the controls were first set.
    void flush()
    {
        for (const QString &control : std::as_const(m_order))
            m_target.setValue(control, m_values.value(control));
        m_order.clear();
        m_values.clear();
    }

private:
    ParamAccess &m_target;
    QHash<QString, double> m_values;
    QList<QString> m_order;
};

// Sets every value in both; reads from the first. Lets an answer go into the
// window's controls and, unclamped, into a copy at the same time.
class TeeParamAccess final : public ParamAccess
{
public:
    TeeParamAccess(ParamAccess &first, ParamAccess &second) : m_first(first), m_second(second) {}

    double value(const QString &control) const override { return m_first.value(control); }
    void setValue(const QString &control, double v) override
    {
        m_first.setValue(control, v);
        m_second.setValue(control, v);
    }

private:
    ParamAccess &m_first;
    ParamAccess &m_second;
};
