#pragma once

#include <QColor>
#include <QFont>
#include <QImage>
#include <QPolygonF>
#include <QRect>
#include <QString>

class QPainter;

// Drawing steps that both pages share: boxes the program writes into, button faces, captions and
// callout lines.
namespace vantrel::art {

enum class Transparency { Opaque, Alpha };

// The pictures are drawn once for each screen density: at scale 2 a picture has twice as many
// pixels each way, and its drawing still speaks in page pixels.
void setDrawingScale(int scale);

// A blank page-sized or smaller picture, sized in page pixels, at the drawing scale: opaque ones
// start black, alpha ones fully transparent.
QImage blankPicture(QSize size, Transparency transparency);

// Starts a painter with antialiasing on everything.
void beginPainting(QPainter& painter, QImage& picture);

// A plain dark box with a thin frame on its outermost pixels, for a text the program writes in.
void drawTextBox(QPainter& painter, QRect box);

// A recessed plate that groups sockets or squares.
void drawPanel(QPainter& painter, QRectF rect, qreal radius);

enum class FaceLook { Raised, Pressed };
enum class FaceRole { Normal, Primary };

// SAVE, the button that writes to the device, stands out in the accent colour.
FaceRole faceRole(const QString& caption);

// A button face: raised is lighter with a bevel, pressed is darker and inset.
void drawButtonFace(QPainter& painter, QRectF rect, const QString& caption, FaceLook look,
                    FaceRole role, int captionPixels);

void drawText(QPainter& painter, QRectF rect, int flags, const QString& text, const QFont& font,
              const QColor& colour);

// A callout from a point on a device to a box: the line and a dot where it starts.
void drawCallout(QPainter& painter, const QPolygonF& line, const QColor& colour, qreal width);

// The dashed drop square of a device key, drawn just outside its 30 by 30 area.
void drawKeySquare(QPainter& painter, QRect square);

// The dark well a button icon rests in.
void drawIconWell(QPainter& painter, QRect square);

} // namespace vantrel::art
