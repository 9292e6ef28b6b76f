#include "ButtonFaces.h"

#include "PageGeometry.h"
#include "Painting.h"

#include <QPainter>

namespace vantrel::art {

namespace {

// The stored sizes of the PC Setup faces; the page stretches them into its button rectangles.
QSize pcFaceSize(int button) {
    return button < 3 ? QSize(82, 28) : QSize(123, 35);
}

} // namespace

QImage pcButtonFace(int button) {
    const auto& face = geometry::PC_BUTTONS.at(button);
    const QSize size = pcFaceSize(button);
    QImage picture = blankPicture(size, Transparency::Alpha);
    QPainter painter;
    beginPainting(painter, picture);
    drawButtonFace(painter, QRectF(QPointF(0, 0), size), QString::fromLatin1(face.caption),
                   FaceLook::Raised, faceRole(QString::fromLatin1(face.caption)),
                   size.height() > 30 ? 14 : 13);
    painter.end();
    return picture;
}

QImage commandFace(int command) {
    const auto& face = geometry::COMMANDS.at(command);
    QImage picture = blankPicture(geometry::PAGE_SIZE, Transparency::Alpha);
    QPainter painter;
    beginPainting(painter, picture);
    painter.setClipRect(face.face);
    drawButtonFace(painter, face.face, QString::fromLatin1(face.caption), FaceLook::Raised,
                   faceRole(QString::fromLatin1(face.caption)), 13);
    painter.end();
    return picture;
}

} // namespace vantrel::art
