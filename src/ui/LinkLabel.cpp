#include "ui/LinkLabel.h"

#include <QDesktopServices>
#include <QLabel>
#include <QUrl>

namespace sonorelle {

void LinkLabel::makeLink(QLabel* label)
{
    label->setTextFormat(Qt::RichText);
    label->setTextInteractionFlags(Qt::LinksAccessibleByMouse | Qt::LinksAccessibleByKeyboard);
    label->setOpenExternalLinks(false);
    label->setCursor(Qt::PointingHandCursor);
    QObject::connect(label, &QLabel::linkActivated, label,
                     [](const QString& link) { QDesktopServices::openUrl(QUrl(link)); });
}

void LinkLabel::setLink(QLabel* label, const QString& text, const QString& address, const QColor& color)
{
    const QString style =
        color.isValid() ? QStringLiteral(" style=\"color: %1; text-decoration: none;\"").arg(color.name()) : QString();
    label->setText(QStringLiteral("<a href=\"%1\"%2>%3</a>")
                       .arg(addressOf(address).toHtmlEscaped(), style, text.toHtmlEscaped()));
}

QString LinkLabel::addressOf(const QString& address)
{
    const QUrl url = QUrl::fromUserInput(address.trimmed());
    return url.isValid() ? url.toString() : address;
}

}  // namespace sonorelle
