// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "language.h"

#include <QCoreApplication>
#include <QRegularExpression>
#include <QStringList>
#include <QTranslator>

namespace Language {

namespace {
// The objectName of the translator installCatalogue puts in place.
constexpr char kCatalogueName[] = "k6qx-catalogue";
Choice s_current = Choice::Chinese;
} // namespace

std::optional<Choice> fromName(const QString &name)
{
    const QString lower = name.trimmed().toLower();
    const QString base = lower.left(lower.indexOf(QRegularExpression(QStringLiteral("[_.@-]"))));
    if (base == QLatin1String("zh"))
        return Choice::Chinese;
    if (base == QLatin1String("en"))
        return Choice::English;
    return std::nullopt;
}

std::optional<Choice> choose(const QString &commandLine, const QString &environment)
{
    if (!commandLine.isEmpty())
        return fromName(commandLine);
    if (!environment.isEmpty())
        return fromName(environment);
    return Choice::Chinese;
}

QString commandLineValue(const QStringList &arguments)
{
    QString value;
    for (int i = 1; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        if (a == QLatin1String("--"))
            break;
        if (a == QLatin1String("--lang") && i + 1 < arguments.size())
            value = arguments.at(++i);
        else if (a.startsWith(QLatin1String("--lang=")))
            value = a.mid(7);
    }
    return value;
}

bool installCatalogue(QCoreApplication &app, Choice choice)
{
    // Chinese: Qt's own catalogue for its standard texts (the program's texts
    // are Chinese already). English: the program's catalogue; Qt's texts are
    // English already. Lives as long as the application.
    auto *translator = new QTranslator(&app);
    translator->setObjectName(QLatin1String(kCatalogueName));
    const QString catalogue = choice == Choice::English ? QStringLiteral(":/i18n/k6qx_en.qm")
                                                        : QStringLiteral(":/qm/qt_zh_CN.qm");
    if (!translator->load(catalogue)) {
        delete translator;
        return false;
    }
    for (QTranslator *old : app.findChildren<QTranslator *>(QLatin1String(kCatalogueName), Qt::FindDirectChildrenOnly)) {
        if (old != translator) {
            QCoreApplication::removeTranslator(old);
            delete old;
        }
    }
    if (!QCoreApplication::installTranslator(translator))
        return false;
    s_current = choice;
    return true;
}

Choice current()
{
    return s_current;
}

} // namespace Language
