#include "ui/frmAbout.h"

#include "app/Feedback.h"
#include "controls/ccXPButton.h"
#include "platform/SystemInformation.h"
#include "ui/ClickableImage.h"

#include <QDesktopServices>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace sonorelle {

namespace {

const QString ProgramName = QStringLiteral("Sonorelle");
constexpr int PictureSize = 96;
constexpr int MinimumWidth = 360;

QLabel* NamedLabel(const QString& name, const QString& text, QWidget* parent)
{
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setTextFormat(Qt::PlainText);
    return label;
}

}  // namespace

frmAbout::frmAbout(Feedback& feedback, QWidget* parent)
    : QDialog(parent),
      feedback_(feedback),
      Image6_(new ClickableImage(this)),
      lblTitle_(NamedLabel(QStringLiteral("lblTitle"), ProgramName, this)),
      Label2_(NamedLabel(QStringLiteral("Label2"), {}, this)),
      lblMaker_(NamedLabel(QStringLiteral("lblMaker"), QStringLiteral("Corvitane"), this)),
      cmdSysInfo_(new QPushButton(QStringLiteral("&System Info..."), this)),
      cmdOK_(new ccXPButton(QStringLiteral("OK"), this))
{
    setObjectName(QStringLiteral("frmAbout"));
    Image6_->setObjectName(QStringLiteral("Image6"));
    Image6_->setPixmap(picture());
    Image6_->setToolTip(makerAddress().toString());
    cmdSysInfo_->setObjectName(QStringLiteral("cmdSysInfo"));
    cmdOK_->setObjectName(QStringLiteral("cmdOK"));
    cmdOK_->setDisplayAsDefault(true);

    QFont titleFont = lblTitle_->font();
    titleFont.setPointSizeF(titleFont.pointSizeF() * 1.8);
    titleFont.setBold(true);
    lblTitle_->setFont(titleFont);
    Label2_->setText(versionText(SONORELLE_VERSION_MAJOR, SONORELLE_VERSION_MINOR, SONORELLE_VERSION_PATCH));

    auto* facts = new QVBoxLayout;
    facts->addWidget(lblTitle_);
    facts->addWidget(Label2_);
    facts->addStretch(1);
    facts->addWidget(lblMaker_);
    auto* top = new QHBoxLayout;
    top->setSpacing(16);
    top->addWidget(Image6_, 0, Qt::AlignTop);
    top->addLayout(facts, 1);

    auto* line = new QFrame(this);
    line->setFrameShape(QFrame::HLine);
    line->setFrameShadow(QFrame::Sunken);

    cmdOK_->setMinimumSize(cmdSysInfo_->sizeHint().height() * 3, cmdSysInfo_->sizeHint().height());
    auto* buttons = new QHBoxLayout;
    buttons->addWidget(cmdSysInfo_);
    buttons->addStretch(1);
    buttons->addWidget(cmdOK_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addWidget(line);
    layout->addLayout(buttons);
    // The captions a language sets are the title only: the size never needs to change.
    setFixedSize(std::max(MinimumWidth, sizeHint().width()), sizeHint().height());

    connect(cmdOK_, &ccXPButton::Click, this, &QDialog::close);
    connect(cmdSysInfo_, &QPushButton::clicked, this, &frmAbout::StartSysInfo);
    connect(Image6_, &ClickableImage::Click, this, &frmAbout::openMakerPage);
    cmdOK_->setFocus();
}

QString frmAbout::versionText(int major, int minor, int revision)
{
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor).arg(revision);
}

QUrl frmAbout::makerAddress()
{
    return QUrl(QStringLiteral("https://www.corvitane.example.com/sonorelle/"));
}

void frmAbout::StartSysInfo()
{
    if (!SystemInformation::start())
        feedback_.message(QStringLiteral("System Information Is Unavailable At This Time"), ProgramName,
                          MessageIcon::None);
}

void frmAbout::openMakerPage()
{
    if (!QDesktopServices::openUrl(makerAddress()))
        feedback_.message(QStringLiteral("No web browser could open %1").arg(makerAddress().toString()), ProgramName,
                          MessageIcon::Information);
}

QPixmap frmAbout::picture()
{
    QPixmap pixmap(PictureSize, PictureSize);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // The maker's badge: a rounded tile, a ball and the sound it makes.
    QLinearGradient tile(0, 0, PictureSize, PictureSize);
    tile.setColorAt(0.0, QColor(0x1f, 0x6f, 0x5c));
    tile.setColorAt(1.0, QColor(0x0c, 0x2f, 0x3d));
    painter.setPen(Qt::NoPen);
    painter.setBrush(tile);
    painter.drawRoundedRect(QRectF(2, 2, PictureSize - 4, PictureSize - 4), 18, 18);

    const QPointF ball(34, 60);
    constexpr double radius = 18;
    painter.setBrush(QColor(0xf7, 0xf3, 0xe3));
    painter.drawEllipse(ball, radius, radius);
    QPainterPath patch;
    for (int corner = 0; corner < 5; ++corner) {
        const double angle = (corner * 72.0 - 90.0) * std::numbers::pi / 180.0;
        const QPointF point = ball + QPointF(std::cos(angle), std::sin(angle)) * radius * 0.42;
        if (corner == 0)
            patch.moveTo(point);
        else
            patch.lineTo(point);
    }
    patch.closeSubpath();
    painter.setBrush(QColor(0x0c, 0x2f, 0x3d));
    painter.drawPath(patch);

    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xf2, 0xc1, 0x4e), 4, Qt::SolidLine, Qt::RoundCap));
    for (int ring = 1; ring <= 3; ++ring) {
        const double wave = radius + 10.0 * ring;
        painter.drawArc(QRectF(ball.x() - wave, ball.y() - wave, 2 * wave, 2 * wave), 15 * 16, 60 * 16);
    }
    return pixmap;
}

}  // namespace sonorelle
