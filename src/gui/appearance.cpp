// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appearance.h"

#include "systemscheme.h"

#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QPainter>
#include <QStyle>
#include <QToolTip>

namespace Appearance {

namespace {

const std::pair<Choice, const char *> kWords[] = {
    {Choice::System, "system"},
    {Choice::Light, "light"},
    {Choice::Dark, "dark"},
};

Choice g_choice = Choice::System;
bool g_dark = false;
// What the light look goes back to, taken when the dark look first comes on.
QString g_startStyle;
QPalette g_startPalette;
QPalette g_startToolTips;

QColor blend(const QColor &under, const QColor &over, double share)
{
    const auto mix = [share](float a, float b) { return float(a * (1 - share) + b * share); };
    return QColor::fromRgbF(mix(under.redF(), over.redF()), mix(under.greenF(), over.greenF()),
                            mix(under.blueF(), over.blueF()));
}

// A mark is a hue laid over the palette's base: strong enough to be seen,
// weak enough that the palette's text stays legible on it. Stale has no hue
// of its own: the palette's text, faintly.
struct Tint
{
    Mark mark;
    QColor hue;   // invalid: the palette's text colour
    double light; // share of the hue over a light base
    double dark;  // over a dark base
};

const Tint kTints[] = {
    {Mark::Changed, QColor(255, 170, 0), 0.35, 0.35},
    {Mark::Differs, QColor(230, 40, 40), 0.22, 0.35},
    {Mark::Stale, QColor(), 0.25, 0.25},
};

} // namespace

QString title(Choice choice)
{
    switch (choice) {
    case Choice::System:
        return QCoreApplication::translate("Appearance", "跟随系统");
    case Choice::Light:
        return QCoreApplication::translate("Appearance", "浅色");
    case Choice::Dark:
        return QCoreApplication::translate("Appearance", "深色");
    }
    return QString();
}

QString word(Choice choice)
{
    for (const auto &[c, w] : kWords) {
        if (c == choice)
            return QLatin1String(w);
    }
    return QString();
}

std::optional<Choice> fromWord(const QString &word)
{
    for (const auto &[c, w] : kWords) {
        if (word.trimmed().compare(QLatin1String(w), Qt::CaseInsensitive) == 0)
            return c;
    }
    return std::nullopt;
}

void apply(Choice choice)
{
    g_choice = choice;
    const bool dark = choice == Choice::Dark || (choice == Choice::System && SystemScheme::prefersDark());
    if (dark == g_dark)
        return;
    if (dark) {
        g_startStyle = QApplication::style()->name();
        g_startPalette = QApplication::palette();
        g_startToolTips = QToolTip::palette();
        // The style first: setting one puts its own palette in place.
        QApplication::setStyle(QStringLiteral("Fusion"));
        QApplication::setPalette(darkPalette());
        QToolTip::setPalette(darkPalette());
    } else {
        QApplication::setStyle(g_startStyle);
        QApplication::setPalette(g_startPalette);
        QToolTip::setPalette(g_startToolTips);
    }
    g_dark = dark;
    // The widgets are told of the new palette by a posted event: now, so
    // that the window and its marks show the look when this returns.
    QCoreApplication::sendPostedEvents(nullptr, QEvent::ApplicationPaletteChange);
}

Choice current()
{
    return g_choice;
}

bool isDark()
{
    return g_dark;
}

QPalette darkPalette()
{
    const QColor text(232, 232, 232);
    const QColor window(53, 53, 53);
    const QColor base(38, 38, 38);
    const QColor faint(128, 128, 128);

    QPalette p;
    const std::pair<QPalette::ColorRole, QColor> roles[] = {
        {QPalette::Window, window},
        {QPalette::WindowText, text},
        {QPalette::Base, base},
        {QPalette::AlternateBase, QColor(48, 48, 48)},
        {QPalette::Text, text},
        {QPalette::PlaceholderText, QColor(150, 150, 150)},
        {QPalette::Button, QColor(60, 60, 60)},
        {QPalette::ButtonText, text},
        {QPalette::BrightText, QColor(255, 90, 90)},
        // Bevels and frames: lighter above the button, darker below.
        {QPalette::Light, QColor(85, 85, 85)},
        {QPalette::Midlight, QColor(70, 70, 70)},
        {QPalette::Mid, QColor(44, 44, 44)},
        {QPalette::Dark, QColor(30, 30, 30)},
        {QPalette::Shadow, QColor(15, 15, 15)},
        // White on this blue keeps 5.5:1.
        {QPalette::Highlight, QColor(47, 101, 202)},
        {QPalette::HighlightedText, Qt::white},
        {QPalette::ToolTipBase, QColor(66, 66, 66)},
        {QPalette::ToolTipText, text},
        {QPalette::Link, QColor(102, 170, 255)},
        {QPalette::LinkVisited, QColor(190, 140, 255)},
    };
    for (const auto &[role, colour] : roles)
        p.setColor(role, colour);
    for (QPalette::ColorRole role : {QPalette::WindowText, QPalette::Text, QPalette::ButtonText,
                                     QPalette::HighlightedText, QPalette::PlaceholderText})
        p.setColor(QPalette::Disabled, role, faint);
    p.setColor(QPalette::Disabled, QPalette::Base, window);
    p.setColor(QPalette::Disabled, QPalette::Button, QColor(50, 50, 50));
    p.setColor(QPalette::Disabled, QPalette::Highlight, QColor(80, 80, 80));
    p.setColor(QPalette::Disabled, QPalette::Light, window);
    return p;
}

QColor markColour(Mark mark, const QPalette &palette)
{
    const QColor base = palette.color(QPalette::Active, QPalette::Base);
    for (const Tint &t : kTints) {
        if (t.mark != mark)
            continue;
        const QColor hue = t.hue.isValid() ? t.hue : palette.color(QPalette::Active, QPalette::Text);
        return blend(base, hue, base.lightnessF() < 0.5 ? t.dark : t.light);
    }
    return base;
}

QBrush markBrush(Mark mark, const QPalette &palette)
{
    if (mark != Mark::Stale)
        return QBrush(markColour(mark, palette));
    // One tile of the hatching over the base: a table cell or a box painted
    // with it is opaque, whatever lies under it.
    QImage tile(8, 8, QImage::Format_RGB32);
    tile.fill(palette.color(QPalette::Active, QPalette::Base));
    QPainter painter(&tile);
    painter.fillRect(tile.rect(), QBrush(markColour(mark, palette), Qt::BDiagPattern));
    painter.end();
    return QBrush(tile);
}

} // namespace Appearance
