// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "aircraftsetup.h"

#include <QWidget>

#include <functional>

class QPainter;

// The new-model wizard's diagrams, drawn in the palette's colours so they
// read in a light and a dark appearance alike.
namespace WizardPictures {

// The aircraft from above, its moving surfaces filled.
void aircraft(QPainter &p, const QRectF &r, AircraftSetup::Aircraft aircraft);
// The two sticks with what each axis moves in that mode.
void sticks(QPainter &p, const QRectF &r, int mode);
// The battery's cells in a row with the alarm voltage under them.
void battery(QPainter &p, const QRectF &r, int cells, double alarm);
// The throttle channel's travel with the failsafe position marked.
void throttle(QPainter &p, const QRectF &r, int failsafe);

} // namespace WizardPictures

// A widget that paints what a function draws, again whenever update() is called.
class PictureBox final : public QWidget
{
public:
    using Painter = std::function<void(QPainter &, const QRectF &)>;
    explicit PictureBox(Painter painter, QWidget *parent = nullptr);
    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Painter m_painter;
};
