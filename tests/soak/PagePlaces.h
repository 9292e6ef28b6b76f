#pragma once

#include "pcsetup/LabelledSlots.h"
#include "resources/templates/DialogTemplate.h"
#include "x360setup/ButtonDragDrop.h"
#include "x360setup/X360Settings.h"

#include <QPoint>

#include <array>

// Where the user points on the two pages, in page pixels, as the layout draws them.
namespace vantrel::soak {

// The PC Setup page.
inline const QPoint pcSaveButton{551, 561};
inline const QPoint pcResetButton{643, 561};
inline const QPoint pcSaveProfileButton{206, 516};
inline const QPoint pcNowhere{600, 300};
inline const QPoint x360Tab{320, 36};

// The label of each labelled slot, in the order of LABELLED_SLOTS.
inline constexpr std::array<PixelRect, LABELLED_SLOT_COUNT> pcLabels = {{
    {18, 224, 102, 28},
    {18, 178, 102, 28},
    {348, 488, 100, 26},
    {348, 442, 100, 26},
    {18, 424, 100, 26},
    {348, 396, 102, 28},
    {18, 86, 102, 28},
    {348, 340, 102, 28},
    {348, 368, 102, 28},
    {348, 284, 102, 28},
    {348, 312, 102, 28},
    {18, 274, 102, 28},
    {18, 132, 102, 28},
    {674, 202, 102, 28},
    {674, 256, 102, 28},
    {674, 92, 102, 28},
    {674, 146, 102, 28},
    {446, 90, 102, 28},
}};

// The XBox 360 Setup page.
constexpr PixelRect square(int left, int top) {
    return {left, top, 30, 30};
}

inline constexpr KeyRects keySquares = {
    square(340, 496), square(64, 432),  square(64, 484),  square(340, 454), square(412, 456),
    square(138, 340), square(138, 296), square(62, 254),  square(62, 146),  square(316, 270),
    square(378, 270), square(252, 270), square(378, 104), square(62, 102)};
inline constexpr IconRects homeSquares = {
    square(584, 320), square(506, 320), square(546, 320), square(506, 388), square(546, 418),
    square(546, 360), square(586, 388), square(648, 320), square(686, 320), square(686, 418),
    square(726, 388), square(648, 388), square(686, 360), square(724, 320)};

// Low, Mid, High.
inline constexpr std::array<PixelRect, SENSITIVITY_LEVELS> sensitivityLamps = {
    {{508, 226, 22, 24}, {508, 172, 22, 24}, {508, 116, 22, 24}}};
// 2 to 10 shots a second.
inline constexpr std::array<PixelRect, FIRING_STEPS> stepLamps = {{{602, 236, 20, 16},
                                                                   {602, 222, 20, 16},
                                                                   {602, 206, 20, 16},
                                                                   {602, 192, 20, 16},
                                                                   {602, 176, 20, 16},
                                                                   {602, 162, 20, 16},
                                                                   {602, 146, 20, 16},
                                                                   {602, 132, 20, 16},
                                                                   {602, 116, 20, 16}}};

inline const QPoint x360ResetButton{538, 500};
inline const QPoint x360DefaultButton{720, 498};
inline const QPoint x360SaveButton{642, 560};
inline const QPoint pcTab{100, 36};

} // namespace vantrel::soak
