#pragma once

#include <QColor>
#include <QString>

class QLabel;

namespace sonorelle {

// Labels that open an address (mailto: or a web address) when clicked, through the
// desktop's default mail program or browser.
class LinkLabel {
public:
    // Makes label open its link on click; its text is then set with setLink.
    static void makeLink(QLabel* label);

    // color: the link's colour where the default one would not read on the background.
    static void setLink(QLabel* label, const QString& text, const QString& address, const QColor& color = {});

    // The address as given, or as a web address when it names no scheme ("www.x.org").
    static QString addressOf(const QString& address);
};

}  // namespace sonorelle
