#pragma once

#include <QColor>
#include <QFont>

// The one dark theme of the whole skin: graphite surfaces, one cyan accent, green for the key
// under a dragged button.
namespace vantrel::art::theme {

inline const QColor pageTop{24, 27, 32};
inline const QColor pageBottom{11, 12, 14};
inline const QColor band{8, 9, 11};
inline const QColor grid{255, 255, 255, 7};

inline const QColor panelTop{30, 34, 40};
inline const QColor panelBottom{20, 23, 27};
inline const QColor panelEdge{52, 60, 70};
inline const QColor well{12, 14, 17};
inline const QColor wellEdge{64, 74, 86};

inline const QColor accent{34, 184, 255};
inline const QColor accentDim{24, 110, 156};
inline const QColor keyGreen{60, 230, 90};

inline const QColor text{236, 240, 244};
inline const QColor caption{178, 190, 202};
inline const QColor textDim{116, 128, 140};

inline const QColor shellLight{76, 84, 94};
inline const QColor shellDark{28, 31, 36};
inline const QColor shellEdge{104, 116, 130};
inline const QColor keyFace{48, 54, 62};
inline const QColor keyFaceDark{26, 29, 34};

inline const QColor buttonBlue{40, 110, 240};
inline const QColor buttonGreen{56, 178, 72};
inline const QColor buttonYellow{236, 190, 20};
inline const QColor buttonRed{222, 52, 44};

// The ink that reads on a coloured key: dark on light faces such as yellow, white on the rest.
inline QColor inkOn(const QColor& face) {
    const double luma = 0.299 * face.red() + 0.587 * face.green() + 0.114 * face.blue();
    return luma > 150 ? QColor(48, 34, 0) : QColor(255, 255, 255);
}

// The family the program draws its own texts in, so that printed captions match them.
inline QFont font(int pixelSize, QFont::Weight weight = QFont::Normal) {
    QFont result(QStringLiteral("Arial"));
    result.setPixelSize(pixelSize);
    result.setWeight(weight);
    return result;
}

} // namespace vantrel::art::theme
