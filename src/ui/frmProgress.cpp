#include "ui/frmProgress.h"

#include <QEvent>
#include <QHideEvent>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include <algorithm>
#include <cmath>

namespace sonorelle {

namespace {

const QString ApplicationName = QStringLiteral("Sonorelle");

double Fraction(double done, double total)
{
    if (!(total > 0.0) || !std::isfinite(done))
        return 0.0;
    return std::clamp(done / total, 0.0, 1.0);
}

}  // namespace

frmProgress::frmProgress(QWidget* owner)
    : QWidget(owner, Qt::Tool | Qt::WindowTitleHint | Qt::CustomizeWindowHint),
      lblSost_(new QLabel(QStringLiteral("OK"), this)),
      picProgress1_(new QFrame(this)),
      picProgress2_(new QFrame(picProgress1_)),
      lblStatus_(new QLabel(this)),
      Command1_(new QPushButton(QStringLiteral("Cancel"), this))
{
    setObjectName(QStringLiteral("frmProgress"));
    setWindowTitle(ApplicationName);
    lblSost_->setObjectName(QStringLiteral("lblSost"));
    picProgress1_->setObjectName(QStringLiteral("picProgress1"));
    picProgress2_->setObjectName(QStringLiteral("picProgress2"));
    lblStatus_->setObjectName(QStringLiteral("lblStatus"));
    Command1_->setObjectName(QStringLiteral("Command1"));

    picProgress1_->setFrameShape(QFrame::Panel);
    picProgress1_->setFrameShadow(QFrame::Sunken);
    picProgress1_->setLineWidth(1);
    picProgress1_->setFixedHeight(22);
    picProgress2_->setAutoFillBackground(true);
    QPalette bar = picProgress2_->palette();
    bar.setColor(QPalette::Window, palette().color(QPalette::Highlight));
    picProgress2_->setPalette(bar);
    picProgress1_->installEventFilter(this);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(lblStatus_, 1);
    buttons->addWidget(Command1_);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(lblSost_);
    layout->addWidget(picProgress1_);
    layout->addLayout(buttons);
    setFixedSize(380, sizeHint().height());

    connect(Command1_, &QPushButton::clicked, this, [this] { ripCancel_ = true; });
}

void frmProgress::setStatus(const QString& text)
{
    lblSost_->setText(text);
    lblSost_->repaint();
}

QString frmProgress::progressCaption(double done, double total, const QLocale& locale)
{
    QLocale plain = locale;
    plain.setNumberOptions(QLocale::OmitGroupSeparator);
    const double percent = total != 0.0 ? done / total * 100.0 : 0.0;
    QString number = plain.toString(percent, 'f', 2);
    const qsizetype integerDigits = number.indexOf(plain.decimalPoint()) - (percent < 0 ? 1 : 0);
    if (integerDigits < 2)
        number.insert(percent < 0 ? 1 : 0, plain.zeroDigit());
    return QStringLiteral("Progress ") + number + QStringLiteral(" %");
}

void frmProgress::ChangeProgress(const QString& detail, double done, double total)
{
    setWindowTitle(progressCaption(done, total, QLocale::system()));
    fraction_ = Fraction(done, total);
    layoutBar();
    lblStatus_->setText(detail);
}

void frmProgress::hideEvent(QHideEvent* event)
{
    // The detail line belongs to the operation that reported it (a CD rip's track); the
    // next one to show the window starts without it.
    if (!event->spontaneous())
        lblStatus_->clear();
    QWidget::hideEvent(event);
}

bool frmProgress::eventFilter(QObject* watched, QEvent* event)
{
    // The bar follows the frame's inner width whenever the layout resizes the frame.
    if (watched == picProgress1_ && event->type() == QEvent::Resize)
        layoutBar();
    return QWidget::eventFilter(watched, event);
}

void frmProgress::layoutBar()
{
    const QRect inner = picProgress1_->contentsRect();
    picProgress2_->setGeometry(inner.x(), inner.y(), static_cast<int>(std::lround(fraction_ * inner.width())),
                               inner.height());
}

}  // namespace sonorelle
