// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "wizardpictures.h"

#include <QApplication>
#include <QPainter>
#include <QPainterPath>
#include <QPalette>

namespace {

QColor ink()
{
    return QApplication::palette().color(QPalette::WindowText);
}

QColor surface()
{
    return QApplication::palette().color(QPalette::Highlight);
}

QColor body()
{
    return QApplication::palette().color(QPalette::Mid);
}

// Points given on a 100 × 100 grid, drawn into r keeping the grid square.
QPolygonF shape(const QRectF &r, std::initializer_list<QPointF> points)
{
    const qreal side = qMin(r.width(), r.height());
    const QPointF origin(r.center().x() - side / 2, r.center().y() - side / 2);
    QPolygonF out;
    for (const QPointF &pt : points)
        out << origin + pt * side / 100;
    return out;
}

void fill(QPainter &p, const QPolygonF &polygon, const QColor &colour)
{
    p.setBrush(colour);
    p.setPen(QPen(ink(), 1.2));
    p.drawPolygon(polygon);
}

} // namespace

namespace WizardPictures {

void aircraft(QPainter &p, const QRectF &r, AircraftSetup::Aircraft kind)
{
    using A = AircraftSetup::Aircraft;
    p.setRenderHint(QPainter::Antialiasing);
    switch (kind) {
    case A::FlyingWing:
        fill(p, shape(r, {{50, 20}, {95, 62}, {95, 72}, {50, 58}, {5, 72}, {5, 62}}), body());
        // The elevons: the trailing edge of each half.
        fill(p, shape(r, {{95, 66}, {95, 72}, {62, 62}, {64, 57}}), surface());
        fill(p, shape(r, {{5, 66}, {5, 72}, {38, 62}, {36, 57}}), surface());
        break;
    case A::Other:
        p.setPen(QPen(ink(), 1.2, Qt::DashLine));
        p.setBrush(Qt::NoBrush);
        p.drawPolygon(shape(r, {{50, 10}, {90, 50}, {50, 90}, {10, 50}}));
        p.setPen(ink());
        p.drawText(r, Qt::AlignCenter, QStringLiteral("?"));
        break;
    case A::Conventional:
    case A::VTail: {
        fill(p, shape(r, {{46, 8}, {54, 8}, {54, 92}, {46, 92}}), body());         // fuselage
        fill(p, shape(r, {{5, 30}, {95, 30}, {95, 44}, {5, 44}}), body());         // wing
        fill(p, shape(r, {{5, 40}, {25, 40}, {25, 44}, {5, 44}}), surface());      // ailerons
        fill(p, shape(r, {{75, 40}, {95, 40}, {95, 44}, {75, 44}}), surface());
        if (kind == A::Conventional) {
            fill(p, shape(r, {{30, 78}, {70, 78}, {70, 88}, {30, 88}}), body());   // stabiliser
            fill(p, shape(r, {{30, 85}, {70, 85}, {70, 88}, {30, 88}}), surface()); // elevator
            fill(p, shape(r, {{48, 70}, {52, 70}, {52, 96}, {48, 96}}), surface()); // rudder
        } else {
            // The two tail halves seen from above, each one surface.
            fill(p, shape(r, {{50, 76}, {72, 86}, {70, 92}, {50, 84}}), surface());
            fill(p, shape(r, {{50, 76}, {28, 86}, {30, 92}, {50, 84}}), surface());
        }
        break;
    }
    }
}

void sticks(QPainter &p, const QRectF &r, int mode)
{
    // What the vertical and the horizontal axis of each stick move.
    struct Axes
    {
        const char *leftUp, *leftSide, *rightUp, *rightSide;
    };
    static const Axes kModes[] = {
        {QT_TRANSLATE_NOOP("WizardPictures", "升降"), QT_TRANSLATE_NOOP("WizardPictures", "方向"),
         QT_TRANSLATE_NOOP("WizardPictures", "油门"), QT_TRANSLATE_NOOP("WizardPictures", "副翼")},
        {QT_TRANSLATE_NOOP("WizardPictures", "油门"), QT_TRANSLATE_NOOP("WizardPictures", "方向"),
         QT_TRANSLATE_NOOP("WizardPictures", "升降"), QT_TRANSLATE_NOOP("WizardPictures", "副翼")},
        {QT_TRANSLATE_NOOP("WizardPictures", "升降"), QT_TRANSLATE_NOOP("WizardPictures", "副翼"),
         QT_TRANSLATE_NOOP("WizardPictures", "油门"), QT_TRANSLATE_NOOP("WizardPictures", "方向")},
        {QT_TRANSLATE_NOOP("WizardPictures", "油门"), QT_TRANSLATE_NOOP("WizardPictures", "副翼"),
         QT_TRANSLATE_NOOP("WizardPictures", "升降"), QT_TRANSLATE_NOOP("WizardPictures", "方向")},
    };
    const Axes &a = kModes[qBound(1, mode, 4) - 1];
    p.setRenderHint(QPainter::Antialiasing);
    const qreal side = qMin(r.width() / 2, r.height()) * 0.8;
    const auto stick = [&](const QPointF &centre, const char *up, const char *sideways) {
        const QRectF box(centre.x() - side / 2, centre.y() - side / 2, side, side);
        p.setPen(QPen(ink(), 1.2));
        p.setBrush(body());
        p.drawRoundedRect(box, 6, 6);
        p.setPen(QPen(surface(), 2));
        p.drawLine(QPointF(centre.x(), box.top() + 14), QPointF(centre.x(), box.bottom() - 14));
        p.drawLine(QPointF(box.left() + 14, centre.y()), QPointF(box.right() - 14, centre.y()));
        p.setBrush(ink());
        p.drawEllipse(centre, 5, 5);
        p.setPen(ink());
        const QString vertical = QCoreApplication::translate("WizardPictures", up);
        const QString horizontal = QCoreApplication::translate("WizardPictures", sideways);
        p.drawText(QRectF(box.left(), box.top(), box.width(), 14), Qt::AlignCenter, vertical);
        p.drawText(QRectF(box.left(), centre.y() - 18, box.width() / 2, 14), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral(" ") + horizontal);
    };
    stick(QPointF(r.left() + r.width() / 4, r.center().y()), a.leftUp, a.leftSide);
    stick(QPointF(r.left() + 3 * r.width() / 4, r.center().y()), a.rightUp, a.rightSide);
}

void battery(QPainter &p, const QRectF &r, int cells, double alarm)
{
    p.setRenderHint(QPainter::Antialiasing);
    const int n = qBound(1, cells, 6);
    const qreal w = qMin(r.width() / 7, r.height() * 0.4);
    const qreal h = w * 1.8;
    const qreal left = r.center().x() - n * w / 2;
    const qreal top = r.top() + (r.height() - h) / 2 - 10;
    for (int i = 0; i < n; ++i) {
        const QRectF cell(left + i * w + 2, top, w - 4, h);
        p.setPen(QPen(ink(), 1.2));
        p.setBrush(body());
        p.drawRect(cell);
        p.setBrush(surface());
        p.drawRect(QRectF(cell.left(), cell.bottom() - h * 0.25, cell.width(), h * 0.25));
    }
    p.setPen(ink());
    p.drawText(QRectF(r.left(), top + h + 4, r.width(), 20), Qt::AlignCenter,
               QCoreApplication::translate("WizardPictures", "%1 S：%2 V 时报警").arg(n).arg(alarm, 0, 'f', 1));
}

void throttle(QPainter &p, const QRectF &r, int failsafe)
{
    p.setRenderHint(QPainter::Antialiasing);
    const QRectF track(r.center().x() - 10, r.top() + 10, 20, r.height() - 20);
    p.setPen(QPen(ink(), 1.2));
    p.setBrush(body());
    p.drawRect(track);
    const qreal y = track.bottom() - track.height() * qBound(0, failsafe, 100) / 100.0;
    p.setPen(QPen(surface(), 4));
    p.drawLine(QPointF(track.left() - 12, y), QPointF(track.right() + 12, y));
    p.setPen(ink());
    p.drawText(QRectF(track.right() + 16, track.top() - 8, r.width() / 2, 16), Qt::AlignLeft,
               QCoreApplication::translate("WizardPictures", "油门最高 100"));
    p.drawText(QRectF(track.right() + 16, track.bottom() - 8, r.width() / 2, 16), Qt::AlignLeft,
               QCoreApplication::translate("WizardPictures", "油门最低 0"));
    p.drawText(QRectF(r.left(), y - 8, track.left() - 16 - r.left(), 16), Qt::AlignRight,
               QCoreApplication::translate("WizardPictures", "失控时 %1").arg(failsafe));
}

} // namespace WizardPictures

PictureBox::PictureBox(Painter painter, QWidget *parent) : QWidget(parent), m_painter(std::move(painter))
{
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Expanding);
}

QSize PictureBox::sizeHint() const
{
    return QSize(320, 180);
}

void PictureBox::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    m_painter(p, QRectF(rect()).adjusted(4, 4, -4, -4));
}
