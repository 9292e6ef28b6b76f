#include "PageChrome.h"

#include "Emblem.h"
#include "PageGeometry.h"
#include "Painting.h"
#include "Theme.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

namespace vantrel::art {

namespace {

constexpr int STRIP_BOTTOM = 52;

void drawBackdrop(QPainter& painter) {
    const QRectF page(QPointF(0, 0), geometry::PAGE_SIZE);
    QLinearGradient fill(0, STRIP_BOTTOM, 0, page.height());
    fill.setColorAt(0, theme::pageTop);
    fill.setColorAt(1, theme::pageBottom);
    painter.fillRect(page, fill);

    painter.save();
    painter.setPen(QPen(theme::grid, 1));
    for (int x = 8; x < page.width(); x += 16) {
        painter.drawLine(QPointF(x + 0.5, STRIP_BOTTOM), QPointF(x + 0.5, page.height()));
    }
    for (int y = STRIP_BOTTOM + 12; y < page.height(); y += 16) {
        painter.drawLine(QPointF(0, y + 0.5), QPointF(page.width(), y + 0.5));
    }
    painter.restore();

    // A faint glow behind the devices, darker towards the corners.
    QRadialGradient glow(QPointF(240, 300), 420);
    glow.setColorAt(0, QColor(34, 184, 255, 16));
    glow.setColorAt(1, QColor(0, 0, 0, 90));
    painter.fillRect(page.adjusted(0, STRIP_BOTTOM, 0, 0), glow);
}

void drawBand(QPainter& painter) {
    QLinearGradient fill(0, 0, 0, STRIP_BOTTOM);
    fill.setColorAt(0, QColor(20, 23, 27));
    fill.setColorAt(1, theme::band);
    painter.fillRect(QRectF(0, 0, geometry::PAGE_SIZE.width(), STRIP_BOTTOM), fill);
    painter.save();
    painter.setPen(QPen(QColor(255, 255, 255, 10), 1));
    for (int x = -40; x < geometry::PAGE_SIZE.width(); x += 6) {
        painter.drawLine(QPointF(x, STRIP_BOTTOM), QPointF(x + STRIP_BOTTOM, 0));
    }
    painter.restore();
}

QPainterPath tabShape(QRect area) {
    const QRectF r = QRectF(area).adjusted(0.5, 0.5, -0.5, 0);
    constexpr qreal chamfer = 12;
    QPainterPath shape;
    shape.moveTo(r.left(), r.bottom());
    shape.lineTo(r.left(), r.top() + (r.left() < 1 ? 0 : chamfer));
    shape.lineTo(r.left() + (r.left() < 1 ? 0 : chamfer), r.top());
    shape.lineTo(r.right() - chamfer, r.top());
    shape.lineTo(r.right(), r.top() + chamfer);
    shape.lineTo(r.right(), r.bottom());
    return shape;
}

void drawTab(QPainter& painter, QRect area, const QString& caption, bool selected) {
    const QPainterPath shape = tabShape(area);
    QLinearGradient fill(0, area.top(), 0, area.bottom());
    fill.setColorAt(0, selected ? QColor(22, 78, 112) : QColor(34, 38, 44));
    fill.setColorAt(1, selected ? QColor(12, 32, 46) : QColor(20, 23, 27));
    painter.save();
    painter.setPen(QPen(selected ? theme::accent : theme::panelEdge, 1));
    painter.setBrush(fill);
    painter.drawPath(shape);
    if (selected) {
        painter.setPen(QPen(theme::accent, 3, Qt::SolidLine, Qt::FlatCap));
        painter.drawLine(QPointF(area.left() + (area.left() < 1 ? 0 : 12), area.top() + 1.5),
                         QPointF(area.right() - 11, area.top() + 1.5));
    }
    painter.restore();
    drawText(painter, QRectF(area).translated(0, 1), Qt::AlignCenter, caption,
             theme::font(selected ? 16 : 15, QFont::Bold), selected ? theme::text : theme::textDim);
}

void drawTabStrip(QPainter& painter, Page page) {
    painter.save();
    painter.setPen(QPen(theme::accentDim, 1));
    painter.drawLine(QPointF(0, STRIP_BOTTOM - 0.5),
                     QPointF(geometry::PAGE_SIZE.width(), STRIP_BOTTOM - 0.5));
    painter.restore();
    drawTab(painter, geometry::PC_TAB, QStringLiteral("PC Setup"), page == Page::PcSetup);
    drawTab(painter, geometry::X360_TAB, QStringLiteral("XBox 360 Setup"), page == Page::X360Setup);
}

void drawTitle(QPainter& painter) {
    drawEmblem(painter, QRectF(560, 9, 34, 34));
    QFont name = theme::font(30, QFont::Black);
    name.setItalic(true);
    name.setLetterSpacing(QFont::AbsoluteSpacing, 3);
    drawText(painter, QRectF(598, 4, 200, 34), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("VANTREL"), name, theme::text);
    QFont line = theme::font(10, QFont::Bold);
    line.setLetterSpacing(QFont::AbsoluteSpacing, 3.2);
    drawText(painter, QRectF(600, 34, 200, 14), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("SETUP UTILITY"), line, theme::accent);
}

void drawMakerLine(QPainter& painter) {
    drawEmblem(painter, QRectF(12, 564, 22, 22));
    drawText(painter, QRectF(38, 563, 124, 13), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Vantrel Gaming Devices"), theme::font(11, QFont::Bold),
             theme::caption);
    drawText(painter, QRectF(38, 577, 124, 12), Qt::AlignLeft | Qt::AlignVCenter,
             QStringLiteral("Mouse & Controller Set"), theme::font(10), theme::textDim);
}

} // namespace

void drawPageChrome(QPainter& painter, Page page) {
    drawBackdrop(painter);
    drawBand(painter);
    drawTabStrip(painter, page);
    drawTitle(painter);
    drawMakerLine(painter);
}

} // namespace vantrel::art
