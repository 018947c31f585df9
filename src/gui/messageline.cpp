// SPDX-FileCopyrightText: 2026 The K6QX tool authors
// SPDX-License-Identifier: GPL-3.0-or-later

#include "messageline.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QEvent>
#include <QListWidget>
#include <QMouseEvent>
#include <QVBoxLayout>

MessageLine::MessageLine(QWidget *parent)
    : QLabel(parent)
{
    setObjectName(QStringLiteral("labelMessage"));
    // As wide as the bar leaves it, never wider: the text is cut instead.
    setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    setTextFormat(Qt::PlainText);
    setCursor(Qt::PointingHandCursor);
}

void MessageLine::say(const QString &text, const QStringList &details, const QString &advice)
{
    m_text = text;
    m_details = details;
    m_advice = advice;
    fit();
}

void MessageLine::clear()
{
    say(QString());
}

QSize MessageLine::minimumSizeHint() const
{
    return QSize(0, QLabel::minimumSizeHint().height());
}

void MessageLine::resizeEvent(QResizeEvent *event)
{
    QLabel::resizeEvent(event);
    fit();
}

void MessageLine::changeEvent(QEvent *event)
{
    QLabel::changeEvent(event);
    if (event->type() == QEvent::FontChange)
        fit();
}

void MessageLine::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() == Qt::LeftButton && !m_text.isEmpty())
        showDetails();
    QLabel::mouseReleaseEvent(event);
}

void MessageLine::fit()
{
    // The whole text as one line; the advice follows the account.
    QString line = m_text;
    if (!m_advice.isEmpty())
        line += tr("。") + m_advice;
    line.replace(QLatin1Char('\n'), QLatin1Char(' '));
    const QString shown = fontMetrics().elidedText(line, Qt::ElideRight, qMax(0, contentsRect().width()));
    setText(shown);
    QStringList tip{m_text};
    tip += m_details;
    if (!m_advice.isEmpty())
        tip << m_advice;
    setToolTip(m_text.isEmpty() ? QString() : tip.join(QLatin1Char('\n')));
}

void MessageLine::showDetails()
{
    auto *dialog = new QDialog(window());
    dialog->setObjectName(QStringLiteral("accountDetails"));
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(tr("详细信息"));
    auto *layout = new QVBoxLayout(dialog);
    auto *text = new QLabel(m_text);
    text->setObjectName(QStringLiteral("labelAccount"));
    text->setWordWrap(true);
    text->setTextInteractionFlags(Qt::TextSelectableByMouse);
    layout->addWidget(text);
    if (!m_details.isEmpty()) {
        auto *list = new QListWidget;
        list->setObjectName(QStringLiteral("listDetails"));
        list->addItems(m_details);
        layout->addWidget(list);
    }
    if (!m_advice.isEmpty()) {
        auto *advice = new QLabel(m_advice);
        advice->setObjectName(QStringLiteral("labelAdvice"));
        advice->setWordWrap(true);
        layout->addWidget(advice);
    }
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Close);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::reject);
    layout->addWidget(buttons);
    dialog->resize(qMax(dialog->sizeHint().width(), 420), dialog->sizeHint().height());
    dialog->open();
}
