// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QRect>

class QWidget;

// The windows are laid out in design units: pixels at the font they were made for, 9
// points (12 pixels). At that font or a smaller one a unit is a pixel and every window is
// exactly as drawn; at a larger font every position and size grows by the ratio of the
// fonts, so that the text keeps its room. Windows place their controls through this and
// never scale anything themselves.
class TDesign {
public:
    static constexpr int ReferencePixels = 12;

    // At the font of the given widget (its window's, the application's by default).
    explicit TDesign(const QWidget* widget);

    int Px(int units) const;
    void Place(QWidget* w, int left, int top, int width, int height) const;
    void Move(QWidget* w, int left, int top) const;
    // A window of fixed size.
    void FixSize(QWidget* window, int width, int height) const;

private:
    QRect rect(int left, int top, int width, int height) const;

    qreal m_scale = 1;
};
