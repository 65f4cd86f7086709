// SPDX-License-Identifier: GPL-3.0-or-later
#include "Design.h"

#include <QFontInfo>
#include <QWidget>
#include <algorithm>

TDesign::TDesign(const QWidget* widget) {
    // The size the font is drawn at, in the window's pixels, whether it was chosen in
    // points or in pixels.
    const int pixels = QFontInfo(widget->font()).pixelSize();
    m_scale = std::max<qreal>(1, qreal(pixels) / ReferencePixels);
}

int TDesign::Px(int units) const {
    return qRound(units * m_scale);
}

QRect TDesign::rect(int left, int top, int width, int height) const {
    // Edges are scaled, not sizes, so that controls that met still meet.
    const int l = Px(left), t = Px(top);
    return {l, t, Px(left + width) - l, Px(top + height) - t};
}

void TDesign::Place(QWidget* w, int left, int top, int width, int height) const {
    w->setGeometry(rect(left, top, width, height));
}

void TDesign::Move(QWidget* w, int left, int top) const {
    w->move(Px(left), Px(top));
}

void TDesign::FixSize(QWidget* window, int width, int height) const {
    window->setFixedSize(Px(width), Px(height));
}
