#include "ui/ApplyLanguage.h"

#include "controls/ccXPButton.h"
#include "lang/LanguageTexts.h"
#include "ui/LanguageWindowProvider.h"

#include <QAbstractButton>
#include <QGroupBox>
#include <QHash>
#include <QLabel>
#include <QList>
#include <QWidget>

namespace sonorelle {

namespace {

// The controls inside window by name, the first in breadth-first order where names
// repeat. Windows own other windows (the main window owns the Setup dialog, both with a
// Command1 and a Frame2), so the search stays out of every child that is a window of its
// own. One walk for all captions: a walk per caption cost more than setting them.
QHash<QString, QWidget*> ControlsByName(QWidget& window)
{
    QHash<QString, QWidget*> controls;
    QList<QWidget*> pending{&window};
    while (!pending.isEmpty()) {
        const QWidget* parent = pending.takeFirst();
        for (QObject* child : parent->children()) {
            auto* widget = qobject_cast<QWidget*>(child);
            if (!widget || widget->isWindow())
                continue;
            if (!controls.contains(widget->objectName()))
                controls.insert(widget->objectName(), widget);
            pending.append(widget);
        }
    }
    return controls;
}

void SetCaption(QWidget& control, const QString& text)
{
    if (auto* ownerDrawn = qobject_cast<ccXPButton*>(&control)) {
        ownerDrawn->setCaption(text);
    } else if (auto* button = qobject_cast<QAbstractButton*>(&control)) {
        button->setText(text);
    } else if (auto* frame = qobject_cast<QGroupBox*>(&control)) {
        frame->setTitle(text);
    } else if (auto* label = qobject_cast<QLabel*>(&control)) {
        // A language file is text, never markup.
        if (label->textFormat() == Qt::AutoText)
            label->setTextFormat(Qt::PlainText);
        label->setText(text);
    }
}

// A title bar shows no access key: "&" marks go, "&&" stays one ampersand.
QString WithoutAccessKey(const QString& caption)
{
    QString title;
    for (qsizetype i = 0; i < caption.size(); ++i) {
        if (caption[i] == u'&' && i + 1 < caption.size())
            ++i;
        title.append(caption[i]);
    }
    return title;
}

}  // namespace

void ApplyLanguage(const LanguageTexts& texts, LanguageWindowProvider& windows)
{
    for (const LanguageWindow which : LanguageTable::windows()) {
        if (QWidget* window = windows.languageWindow(which))
            ApplyWindowCaptions(texts, which, *window);
    }
}

void ApplyWindowCaptions(const LanguageTexts& texts, LanguageWindow which, QWidget& window)
{
    const QHash<QString, QWidget*> controls = ControlsByName(window);
    for (const CaptionEntry& entry : LanguageTable::captions()) {
        if (entry.window != which)
            continue;
        const QString text = texts.caption(entry);
        if (entry.control.isEmpty()) {
            window.setWindowTitle(WithoutAccessKey(text));
        } else if (QWidget* control = controls.value(entry.control)) {
            SetCaption(*control, text);
        }
    }
    for (const CaptionEntry& entry : LanguageTable::toolTips()) {
        if (entry.window != which)
            continue;
        if (QWidget* control = controls.value(entry.control))
            control->setToolTip(texts.caption(entry));
    }
}

}  // namespace sonorelle
