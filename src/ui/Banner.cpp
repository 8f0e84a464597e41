#include "ui/Banner.h"

#include "ui/ClickableImage.h"
#include "ui/WidgetNames.h"
#include "ui/WindowIcons.h"

#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sonorelle {

namespace {

constexpr int IconSize = 32;

struct Command {
    const char* image;
    const char* caption;
    WindowIcons::Picture picture;
    void (Banner::*signal)();
};

}  // namespace

Banner::Banner(QWidget* parent)
    : BannerPicture(parent)
{
    setObjectName(QStringLiteral("Picture1"));
    const Command commands[] = {
        {"Image3", "Label14", WindowIcons::Picture::RunGame, &Banner::runGame},
        {"Image4", "Label5", WindowIcons::Picture::Setup, &Banner::openSetup},
        {"Image1", "Label3", WindowIcons::Picture::About, &Banner::openAbout},
        {"Image2", "Label13", WindowIcons::Picture::Exit, &Banner::exitProgram},
    };
    auto* row = new QHBoxLayout(this);
    row->setContentsMargins(8, 6, 8, 4);
    row->setSpacing(12);
    row->addSpacing(nameWidth());
    row->addStretch(1);
    for (const Command& command : commands) {
        auto* image = Named(new ClickableImage(this), command.image);
        image->setPixmap(WindowIcons::icon(command.picture).pixmap(QSize(IconSize, IconSize), devicePixelRatioF()));
        image->setAlignment(Qt::AlignCenter);
        auto* caption = Named(new ClickableImage(this), command.caption);
        caption->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
        caption->setMinimumHeight(caption->fontMetrics().height() + 2);
        caption->makeKeyboardCommand();
        captions_.append(caption);
        for (ClickableImage* part : {image, caption})
            connect(part, &ClickableImage::Click, this, command.signal);
        auto* column = new QVBoxLayout;
        column->setSpacing(2);
        column->addWidget(image);
        column->addWidget(caption);
        row->addLayout(column);
    }
    setSizePolicy(QSizePolicy::Preferred, QSizePolicy::Fixed);
}

QList<QWidget*> Banner::commandsInTabOrder() const
{
    return captions_;
}

}  // namespace sonorelle
