// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemscheme.h"

#include <QFileInfo>
#include <QProcess>
#include <QSettings>
#include <QStandardPaths>

#ifdef K6_HAVE_DBUS
#include <QDBusConnection>
#include <QDBusConnectionInterface>
#include <QDBusMessage>
#include <QDBusVariant>
#endif

namespace SystemScheme {

namespace {

// How long the system may keep the start waiting, per source.
constexpr int kWaitMs = 300;

#ifdef Q_OS_WIN
std::optional<int> appsUseLightTheme()
{
    const QSettings personalize(
        QStringLiteral("HKEY_CURRENT_USER\\Software\\Microsoft\\Windows\\CurrentVersion\\Themes\\Personalize"),
        QSettings::NativeFormat);
    bool ok = false;
    const int value = personalize.value(QStringLiteral("AppsUseLightTheme")).toInt(&ok);
    return ok ? std::optional<int>(value) : std::nullopt;
}
#endif

#ifdef K6_HAVE_DBUS
std::optional<uint> portalColorScheme()
{
    // Without a session bus libdbus would try to start one: ask nothing.
    if (qEnvironmentVariableIsEmpty("DBUS_SESSION_BUS_ADDRESS")
        && !QFileInfo::exists(qEnvironmentVariable("XDG_RUNTIME_DIR") + QLatin1String("/bus")))
        return std::nullopt;
    QDBusConnection bus = QDBusConnection::sessionBus();
    const QString portal = QStringLiteral("org.freedesktop.portal.Desktop");
    // A portal that is not running is not started for this: that can take seconds.
    if (!bus.isConnected() || !bus.interface()->isServiceRegistered(portal))
        return std::nullopt;
    QDBusMessage call = QDBusMessage::createMethodCall(portal, QStringLiteral("/org/freedesktop/portal/desktop"),
                                                       QStringLiteral("org.freedesktop.portal.Settings"),
                                                       QStringLiteral("Read"));
    call << QStringLiteral("org.freedesktop.appearance") << QStringLiteral("color-scheme");
    const QDBusMessage reply = bus.call(call, QDBus::Block, kWaitMs);
    if (reply.type() != QDBusMessage::ReplyMessage || reply.arguments().isEmpty())
        return std::nullopt;
    // Read wraps the value in a variant twice (ReadOne, newer, once).
    QVariant value = reply.arguments().constFirst();
    while (value.userType() == qMetaTypeId<QDBusVariant>())
        value = value.value<QDBusVariant>().variant();
    bool ok = false;
    const uint scheme = value.toUInt(&ok);
    return ok ? std::optional<uint>(scheme) : std::nullopt;
}
#endif

#ifndef Q_OS_WIN
QString gnomeColorScheme()
{
    if (!qEnvironmentVariable("XDG_CURRENT_DESKTOP").contains(QLatin1String("GNOME"), Qt::CaseInsensitive))
        return QString();
    const QString gsettings = QStandardPaths::findExecutable(QStringLiteral("gsettings"));
    if (gsettings.isEmpty())
        return QString();
    QProcess ask;
    ask.start(gsettings, {QStringLiteral("get"), QStringLiteral("org.gnome.desktop.interface"),
                          QStringLiteral("color-scheme")});
    if (!ask.waitForFinished(kWaitMs)) {
        ask.kill();
        ask.waitForFinished(kWaitMs);
        return QString();
    }
    return ask.exitCode() == 0 ? QString::fromUtf8(ask.readAllStandardOutput()).trimmed() : QString();
}
#endif

} // namespace

bool prefersDark(const Readings &readings)
{
    if (readings.appsUseLightTheme)
        return *readings.appsUseLightTheme == 0;
    if (readings.portalColorScheme)
        return *readings.portalColorScheme == 1;
    return readings.gnomeColorScheme.contains(QLatin1String("prefer-dark"));
}

Readings read()
{
    Readings readings;
#ifdef Q_OS_WIN
    readings.appsUseLightTheme = appsUseLightTheme();
#else
#ifdef K6_HAVE_DBUS
    readings.portalColorScheme = portalColorScheme();
    if (readings.portalColorScheme)
        return readings;
#endif
    readings.gnomeColorScheme = gnomeColorScheme();
#endif
    return readings;
}

} // namespace SystemScheme
