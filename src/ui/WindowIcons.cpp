#include "ui/WindowIcons.h"

#include <QIconEngine>
#include <QPainter>
#include <QPainterPath>
#include <QtMath>

#include <iterator>

namespace sonorelle {

namespace {

const QColor Ink(0x2e, 0x5c, 0x99);
const QColor Light(0xf4, 0xf7, 0xfb);

// Everything is drawn on a 48 x 48 canvas and scaled.
void DrawRunGame(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3f, 0xa3, 0x4d));
    p.drawEllipse(QRectF(3, 3, 42, 42));
    p.setBrush(Light);
    p.drawPolygon(QPolygonF{QPointF(19, 13), QPointF(36, 24), QPointF(19, 35)});
}

void DrawSetup(QPainter& p)
{
    QPainterPath gear;
    constexpr int Teeth = 8;
    for (int i = 0; i < Teeth * 2; ++i) {
        const double radius = i % 2 == 0 ? 21.0 : 16.0;
        for (double offset : {-0.17, 0.17}) {
            const double angle = (i + 0.5 + offset) * M_PI / Teeth;
            const QPointF point(24 + radius * qCos(angle), 24 + radius * qSin(angle));
            if (gear.elementCount() == 0)
                gear.moveTo(point);
            else
                gear.lineTo(point);
        }
    }
    gear.closeSubpath();
    gear.addEllipse(QPointF(24, 24), 7, 7);
    p.setPen(QPen(Ink.darker(130), 1.5));
    p.setBrush(QColor(0x8a, 0x9b, 0xb0));
    p.drawPath(gear);
}

void DrawAbout(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    p.drawEllipse(QRectF(3, 3, 42, 42));
    p.setBrush(Light);
    p.drawEllipse(QRectF(21, 10, 6, 6));
    p.drawRoundedRect(QRectF(21, 19, 6, 19), 2, 2);
}

void DrawExit(QPainter& p)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0xc0, 0x39, 0x2b));
    p.drawEllipse(QRectF(3, 3, 42, 42));
    QPen pen(Light, 4.5, Qt::SolidLine, Qt::RoundCap);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(13, 14, 22, 22), 120 * 16, 300 * 16);
    p.drawLine(QPointF(24, 10), QPointF(24, 24));
}

void DrawArrow(QPainter& p, bool up)
{
    QPolygonF arrow{QPointF(24, 6), QPointF(42, 26), QPointF(31, 26), QPointF(31, 42),
                    QPointF(17, 42), QPointF(17, 26), QPointF(6, 26)};
    if (!up) {
        for (QPointF& point : arrow)
            point.setY(48 - point.y());
    }
    p.setPen(QPen(Ink.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Ink);
    p.drawPolygon(arrow);
}

void DrawShuffle(QPainter& p)
{
    QPen pen(Ink, 4, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    QPainterPath crossing;
    crossing.moveTo(6, 14);
    crossing.cubicTo(22, 14, 22, 34, 36, 34);
    crossing.moveTo(6, 34);
    crossing.cubicTo(22, 34, 22, 14, 36, 14);
    p.drawPath(crossing);
    p.setPen(Qt::NoPen);
    p.setBrush(Ink);
    for (double y : {14.0, 34.0})
        p.drawPolygon(QPolygonF{QPointF(34, y - 7), QPointF(44, y), QPointF(34, y + 7)});
}

void DrawFolder(QPainter& p, bool open)
{
    const QColor paper(0xe8, 0xb9, 0x4a);
    p.setPen(QPen(paper.darker(150), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(paper.darker(115));
    p.drawPolygon(QPolygonF{QPointF(4, 10), QPointF(18, 10), QPointF(22, 15), QPointF(44, 15), QPointF(44, 40),
                            QPointF(4, 40)});
    p.setBrush(paper);
    if (open)
        p.drawPolygon(QPolygonF{QPointF(10, 21), QPointF(47, 21), QPointF(41, 40), QPointF(4, 40)});
    else
        p.drawRect(QRectF(4, 19, 40, 21));
}

void DrawVolume(QPainter& p)
{
    p.setPen(QPen(Ink.darker(130), 1.5));
    p.setBrush(QColor(0xb8, 0xc2, 0xcc));
    p.drawRoundedRect(QRectF(4, 14, 40, 22), 4, 4);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0x3f, 0xa3, 0x4d));
    p.drawEllipse(QRectF(35, 27, 5, 5));
}

void DrawCdUnit(QPainter& p)
{
    p.setPen(QPen(Ink.darker(130), 1.5));
    p.setBrush(QColor(0xd5, 0xdb, 0xe3));
    p.drawEllipse(QRectF(4, 4, 40, 40));
    p.setBrush(Light);
    p.drawEllipse(QRectF(18, 18, 12, 12));
}

void DrawHome(QPainter& p)
{
    p.setPen(QPen(Ink.darker(130), 1.5, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.setBrush(Light);
    p.drawPolygon(QPolygonF{QPointF(9, 22), QPointF(24, 8), QPointF(39, 22), QPointF(39, 42), QPointF(9, 42)});
    p.setBrush(Ink);
    p.drawRect(QRectF(20, 29, 8, 13));
}

struct Look {
    const char* themeName;
    void (*draw)(QPainter&);
};

// In the order of WindowIcons::Picture.
const Look Looks[] = {
    {"media-playback-start", DrawRunGame},
    {"preferences-system", DrawSetup},
    {"help-about", DrawAbout},
    {"application-exit", DrawExit},
    {"go-up", [](QPainter& p) { DrawArrow(p, true); }},
    {"go-down", [](QPainter& p) { DrawArrow(p, false); }},
    {"media-playlist-shuffle", DrawShuffle},
    {"user-home", DrawHome},
    {"drive-harddisk", DrawVolume},
    {"media-optical", DrawCdUnit},
    {"folder", [](QPainter& p) { DrawFolder(p, false); }},
    {"folder-open", [](QPainter& p) { DrawFolder(p, true); }},
};
static_assert(std::size(Looks) == static_cast<std::size_t>(WindowIcons::Picture::OpenFolder) + 1);

const Look& LookOf(WindowIcons::Picture picture)
{
    return Looks[static_cast<int>(picture)];
}

// Draws the picture at whatever size and scale is asked, so it stays sharp.
class DrawnIconEngine : public QIconEngine {
public:
    explicit DrawnIconEngine(WindowIcons::Picture picture)
        : picture_(picture)
    {
    }

    void paint(QPainter* painter, const QRect& rect, QIcon::Mode mode, QIcon::State) override
    {
        painter->save();
        painter->setRenderHint(QPainter::Antialiasing);
        painter->translate(rect.topLeft());
        painter->scale(rect.width() / 48.0, rect.height() / 48.0);
        if (mode == QIcon::Disabled)
            painter->setOpacity(0.4);
        LookOf(picture_).draw(*painter);
        painter->restore();
    }

    QPixmap pixmap(const QSize& size, QIcon::Mode mode, QIcon::State state) override
    {
        QPixmap picture(size);
        picture.fill(Qt::transparent);
        QPainter painter(&picture);
        paint(&painter, QRect(QPoint(0, 0), size), mode, state);
        return picture;
    }

    QIconEngine* clone() const override { return new DrawnIconEngine(picture_); }

private:
    WindowIcons::Picture picture_;
};

}  // namespace

QIcon WindowIcons::icon(Picture picture)
{
    return QIcon::fromTheme(QLatin1String(LookOf(picture).themeName), drawn(picture));
}

QIcon WindowIcons::drawn(Picture picture)
{
    return QIcon(new DrawnIconEngine(picture));
}

}  // namespace sonorelle
