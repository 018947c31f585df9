#pragma once

#include <QHash>
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
