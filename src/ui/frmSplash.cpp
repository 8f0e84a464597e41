#include "ui/frmSplash.h"

#include "app/SettingsKeys.h"
#include "lang/LanguageCatalog.h"
#include "platform/IniFile.h"
#include "platform/Registry.h"
#include "ui/LinkLabel.h"

#include <QEventLoop>
#include <QLabel>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>
#include <QTimer>
#include <QVBoxLayout>

namespace sonorelle {

namespace {

constexpr int SplashWaitMs = 1000;
constexpr int PictureWidth = 440;
constexpr int PictureHeight = 250;

}  // namespace

frmSplash::frmSplash(const Registry& registry, QWidget* parent)
    : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint),
      registry_(registry),
      picture_(new QLabel(this)),
      label1_(new QLabel(this))
{
    setObjectName(QStringLiteral("frmSplash"));
    setWindowTitle(QStringLiteral("Sonorelle"));
    picture_->setObjectName(QStringLiteral("Image1"));
    picture_->setPixmap(picture());
    label1_->setObjectName(QStringLiteral("label1"));
    label1_->setAlignment(Qt::AlignCenter);
    LinkLabel::makeLink(label1_);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 8);
    layout->setSpacing(8);
    layout->addWidget(picture_);
    layout->addWidget(label1_);
    QPalette frame = palette();
    frame.setColor(QPalette::Window, QColor(0x10, 0x24, 0x1a));
    setPalette(frame);
    setAutoFillBackground(true);
    setFixedSize(sizeHint());
}

void frmSplash::load()
{
    const QString file =
        registry_.ReadRegValue(Hive::LocalMachine, SettingsKeys::ProgramKey, SettingsKeys::Language);
    const LanguageFileInfo info = LanguageCatalog::readInfo(file);
    const QString translated =
        file.isEmpty() ? QString() : ReadIni(file, QStringLiteral("Translate"), QStringLiteral("LngPerevod"));
    LinkLabel::setLink(label1_, info.Language + QLatin1Char(' ') + translated + QStringLiteral(" - ") + info.Autor,
                       QStringLiteral("mailto:") + info.email, QColor(0xd8, 0xe8, 0xdc));
    // Painted now, whole: start-up goes on in this thread and paints nothing until it ends.
    show();
    repaint();

    // SONORELLE_SPLASH_WAIT_MS lets the start-up benchmark time the work, not the pause.
    bool isNumber = false;
    const int configuredWait = qEnvironmentVariableIntValue("SONORELLE_SPLASH_WAIT_MS", &isNumber);
    QEventLoop wait;
    QTimer::singleShot(isNumber && configuredWait >= 0 ? configuredWait : SplashWaitMs, &wait, &QEventLoop::quit);
    wait.exec();
}

QPixmap frmSplash::picture()
{
    QPixmap pixmap(PictureWidth, PictureHeight);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);

    // A floodlit pitch at night: dark green with mown stripes and a light cone.
    QLinearGradient ground(0, 0, 0, PictureHeight);
    ground.setColorAt(0.0, QColor(0x0b, 0x1d, 0x14));
    ground.setColorAt(1.0, QColor(0x1d, 0x5a, 0x34));
    painter.fillRect(pixmap.rect(), ground);
    for (int x = 0; x < PictureWidth; x += 80)
        painter.fillRect(x, 0, 40, PictureHeight, QColor(255, 255, 255, 10));
    QRadialGradient light(PictureWidth * 0.75, -40, PictureHeight * 1.1);
    light.setColorAt(0.0, QColor(255, 250, 220, 110));
    light.setColorAt(1.0, QColor(255, 250, 220, 0));
    painter.fillRect(pixmap.rect(), light);

    // Centre circle and halfway line of the pitch, above the title.
    const QPointF centre(PictureWidth / 2.0, 78);
    painter.setPen(QPen(QColor(255, 255, 255, 60), 2));
    painter.drawLine(QPointF(centre.x(), 0), QPointF(centre.x(), centre.y() - 56));
    painter.drawEllipse(centre, 56, 56);

    // Sound waves rising from the centre spot.
    painter.setBrush(QColor(0xf2, 0xc1, 0x4e, 220));
    painter.setPen(Qt::NoPen);
    painter.drawEllipse(centre, 5, 5);
    painter.setBrush(Qt::NoBrush);
    painter.setPen(QPen(QColor(0xf2, 0xc1, 0x4e, 200), 3, Qt::SolidLine, Qt::RoundCap));
    for (int ring = 1; ring <= 3; ++ring) {
        const double radius = 14.0 * ring;
        painter.drawArc(QRectF(centre.x() - radius, centre.y() - radius, 2 * radius, 2 * radius), 40 * 16,
                        100 * 16);
    }

    QFont title(QStringLiteral("DejaVu Sans"), 34, QFont::Bold);
    painter.setFont(title);
    painter.setPen(QColor(0, 0, 0, 120));
    const QRect titleBox(0, PictureHeight - 92, PictureWidth, 50);
    painter.drawText(titleBox.translated(2, 2), Qt::AlignCenter, QStringLiteral("Sonorelle"));
    painter.setPen(QColor(0xf7, 0xf3, 0xe3));
    painter.drawText(titleBox, Qt::AlignCenter, QStringLiteral("Sonorelle"));

    QFont subtitle(QStringLiteral("DejaVu Sans"), 11);
    painter.setFont(subtitle);
    painter.setPen(QColor(0xc9, 0xdc, 0xcf));
    painter.drawText(QRect(0, PictureHeight - 44, PictureWidth, 24), Qt::AlignCenter,
                     QStringLiteral("Your own music in Kickvale 09"));
    return pixmap;
}

}  // namespace sonorelle
