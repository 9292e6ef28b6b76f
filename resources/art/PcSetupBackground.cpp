#include "PcSetupBackground.h"

#include "ControllerDrawing.h"
#include "Emblem.h"
#include "MouseDrawing.h"
#include "PageChrome.h"
#include "PageGeometry.h"
#include "Painting.h"
#include "QualitySocket.h"
#include "Theme.h"

#include <QPainter>

#include <vector>

namespace vantrel::art {

namespace {

using geometry::PC_LABELS;
using geometry::PcLabel;
using ControllerKey = ControllerDrawing::Key;
using MouseKey = MouseDrawing::Key;

// The controller turned with its front to the right, towards the stick and trigger labels.
const ControllerDrawing controller(QTransform(-0.82, 0, 0, 0.82, 310, 399));
const MouseDrawing mouse(QTransform(0.86, 0, 0, 0.86, 400, 195));

// Where the bracket of the five stick directions runs, just left of their boxes.
constexpr qreal STICK_BRACKET = 338;

QPointF boxLeft(PcLabel label) {
    const QRect box = PC_LABELS[label].box;
    return {static_cast<qreal>(box.left()), box.top() + box.height() / 2.0};
}

QPointF boxRight(PcLabel label) {
    const QRect box = PC_LABELS[label].box;
    return {static_cast<qreal>(box.left() + box.width()), box.top() + box.height() / 2.0};
}

QPointF controllerKey(ControllerKey key, qreal dx, qreal dy) {
    return controller.keyCentre(key) + QPointF(dx, dy);
}

QPointF mouseKey(MouseKey key, qreal dx, qreal dy) {
    return mouse.keyCentre(key) + QPointF(dx, dy);
}

// Each callout runs from its key to its box, square-cornered so that no two cross.
std::vector<QPolygonF> callouts() {
    const auto upTo = [](QPointF from, PcLabel label) {
        return QPolygonF{from, {from.x(), boxRight(label).y()}, boxRight(label)};
    };
    const auto sideStep = [](QPointF from, qreal column, PcLabel label) {
        return QPolygonF{from, {column, from.y()}, {column, boxRight(label).y()}, boxRight(label)};
    };
    const auto rightTo = [](QPointF from, PcLabel label) {
        return QPolygonF{from, {from.x(), boxLeft(label).y()}, boxLeft(label)};
    };
    const QPointF stick = controllerKey(ControllerKey::Stick, 24, 0);
    const QPointF upperTrigger = controllerKey(ControllerKey::UpperTrigger, 11, 0);
    const QPointF lowerTrigger = controllerKey(ControllerKey::LowerTrigger, 11, 0);
    const QPointF guide = controllerKey(ControllerKey::Guide, -6, 0);
    return {
        sideStep(controllerKey(ControllerKey::GroupLowerLeft, 9, 0), 206, PcLabel::DpadUp),
        upTo(controllerKey(ControllerKey::GroupUpperLeft, 0, -9), PcLabel::DpadLeft),
        upTo(controllerKey(ControllerKey::GroupUpperRight, 0, -9), PcLabel::DpadDown),
        sideStep(controllerKey(ControllerKey::GroupLowerRight, -9, 0), 152, PcLabel::DpadRight),
        sideStep(controllerKey(ControllerKey::Back, 10, 0), 226, PcLabel::Back),
        QPolygonF{guide, {guide.x() - 8, boxRight(PcLabel::Guide).y()}, boxRight(PcLabel::Guide)},
        QPolygonF{stick, {STICK_BRACKET, stick.y()}},
        QPolygonF{upperTrigger, boxLeft(PcLabel::TriggerLB) - QPointF(6, 0),
                  boxLeft(PcLabel::TriggerLB)},
        QPolygonF{lowerTrigger, boxLeft(PcLabel::TriggerLT) - QPointF(6, 0),
                  boxLeft(PcLabel::TriggerLT)},
        QPolygonF{mouseKey(MouseKey::Start, 0, -4), {mouseKey(MouseKey::Start, 0, 0).x(), 118}},
        rightTo(mouseKey(MouseKey::ThumbB, 0, -9), PcLabel::ThumbB),
        rightTo(mouseKey(MouseKey::ThumbA, 0, -9), PcLabel::ThumbA),
        QPolygonF{mouseKey(MouseKey::ThumbX, 9, 0),
                  {static_cast<qreal>(PC_LABELS[PcLabel::ThumbX].box.left()),
                   mouseKey(MouseKey::ThumbX, 0, 0).y()}},
        rightTo(mouseKey(MouseKey::ThumbY, 0, 9), PcLabel::ThumbY),
    };
}

// The five stick directions share one bracket joined by the stick's own callout.
void drawStickBracket(QPainter& painter) {
    const qreal column = STICK_BRACKET;
    painter.save();
    painter.setPen(QPen(theme::accent, 1.2, Qt::SolidLine, Qt::FlatCap));
    const PcLabel directions[] = {PcLabel::StickUp, PcLabel::StickDown, PcLabel::StickLeft,
                                  PcLabel::StickRight, PcLabel::StickPress};
    painter.drawLine(QPointF(column, boxLeft(PcLabel::StickUp).y()),
                     QPointF(column, boxLeft(PcLabel::StickPress).y()));
    for (const PcLabel direction : directions) {
        painter.drawLine(QPointF(column, boxLeft(direction).y()), boxLeft(direction));
    }
    painter.restore();
}

void drawCaptions(QPainter& painter) {
    const QFont font = theme::font(12, QFont::Bold);
    for (const auto& label : PC_LABELS) {
        const QRect box = label.box;
        const QString caption = QString::fromLatin1(label.caption);
        if (label.place == geometry::CaptionPlace::Beside) {
            drawText(painter, QRectF(box.right() + 9, box.top(), 200, box.height()),
                     Qt::AlignLeft | Qt::AlignVCenter, caption, font, theme::caption);
        } else {
            drawText(painter, QRectF(box.left() + 1, box.top() - 16, 200, 14),
                     Qt::AlignLeft | Qt::AlignVCenter, caption, font, theme::caption);
        }
    }
}

void drawHelpArea(QPainter& painter) {
    const QRect help = geometry::PC_HELP;
    drawPanel(painter, QRectF(help).adjusted(-6, -4, 4, 4), 5);
    painter.fillRect(help, theme::well);
}

} // namespace

QImage pcSetupBackground() {
    QImage picture = blankPicture(geometry::PAGE_SIZE, Transparency::Opaque);
    QPainter painter;
    beginPainting(painter, picture);
    drawPageChrome(painter, Page::PcSetup);
    // A faint mark fills the open corner below the thumb buttons' labels.
    painter.setOpacity(0.06);
    drawEmblem(painter, QRectF(596, 318, 176, 176));
    painter.setOpacity(1);

    controller.draw(painter);
    mouse.draw(painter);
    for (const QPolygonF& line : callouts()) {
        drawCallout(painter, line, theme::accent, 1.2);
    }
    drawStickBracket(painter);

    for (const auto& label : PC_LABELS) {
        drawTextBox(painter, label.box);
    }
    drawCaptions(painter);

    drawQualitySocket(painter, {geometry::PC_QUALITY_AREA.adjusted(-10, -36, 8, 6),
                                geometry::PC_QUALITY_BAR, geometry::PC_QUALITY_NUMBER});
    drawHelpArea(painter);
    for (const auto& button : geometry::PC_BUTTONS) {
        const QString caption = QString::fromLatin1(button.caption);
        drawButtonFace(painter, button.rect, caption, FaceLook::Pressed, faceRole(caption),
                       button.rect.height() > 32 ? 14 : 13);
    }
    painter.end();
    return picture;
}

} // namespace vantrel::art
