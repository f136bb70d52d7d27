#include "platform/qt/unavailable_web_pane.h"

#include <QLabel>

namespace kestrova {

UnavailableWebPane::UnavailableWebPane(const QString &reason, QWidget *parent)
    : m_label(new QLabel(QStringLiteral("The web pane could not start: ") + reason, parent))
{
    m_label->setAlignment(Qt::AlignCenter);
    m_label->setWordWrap(true);
    m_label->setTextInteractionFlags(Qt::TextSelectableByMouse);
}

UnavailableWebPane::~UnavailableWebPane()
{
    delete m_label.data();
}

QWidget *UnavailableWebPane::widget() const
{
    return m_label;
}

} // namespace kestrova
