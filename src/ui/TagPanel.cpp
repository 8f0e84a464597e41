#include "ui/TagPanel.h"

#include "controls/ccXPButton.h"
#include "ui/TypingLimitEdit.h"
#include "ui/WidgetNames.h"

#include <QGridLayout>
#include <QLabel>

namespace sonorelle {

namespace {

constexpr int Year = 3;
constexpr int Comment = 4;

}  // namespace

TagPanel::TagPanel(const Design& design, QWidget* parent)
    : DrawnGroupBox(parent)
{
    setObjectName(QString::fromLatin1(design.frame));
    for (int i = 0; i < FieldCount; ++i) {
        fields_.append(Named(new TypingLimitEdit(design.limits[i]), design.fields[i]));
        captions_.append(Named(new QLabel, design.captions[i]));
        captions_.last()->setBuddy(fields_.last());
    }
    // Made after the fields, so Tab reaches it after them.
    save_ = Named(new ccXPButton, design.save);
    auto* grid = new QGridLayout(this);
    grid->setContentsMargins(6, 4, 6, 6);
    grid->setVerticalSpacing(3);
    int row = 0;
    for (int field : {0, 1, 2, Comment}) {
        grid->addWidget(captions_[field], row, 0);
        grid->addWidget(fields_[field], row, 1, 1, 3);
        ++row;
    }
    grid->addWidget(captions_[Year], row, 0);
    fields_[Year]->setMaximumWidth(fields_[Year]->fontMetrics().horizontalAdvance(QStringLiteral("00000")) + 12);
    grid->addWidget(fields_[Year], row, 1);
    grid->addWidget(save_, row, 3, Qt::AlignRight);
    grid->setColumnStretch(2, 1);
    // Tab follows the fields as they are shown: the comment above the year.
    setTabOrder(fields_[Comment - 2], fields_[Comment]);
    setTabOrder(fields_[Comment], fields_[Year]);
    setTabOrder(fields_[Year], save_);
}

QStringList TagPanel::texts() const
{
    QStringList texts;
    for (const TypingLimitEdit* field : fields_)
        texts.append(field->text());
    return texts;
}

void TagPanel::setTexts(const QStringList& texts)
{
    for (qsizetype i = 0; i < fields_.size(); ++i)
        fields_[i]->setText(texts.value(i));
}

void TagPanel::clear()
{
    setTexts({});
}

}  // namespace sonorelle
