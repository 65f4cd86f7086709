// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QWidget>

class QLineEdit;
class QToolButton;

// A pair of small arrows that steps a whole-number position within its range, without
// wrapping, and reports each click. Bound to a box, it starts from the number in the
// box and writes its new position back there.
class TUpDown : public QWidget {
    Q_OBJECT
public:
    TUpDown(int min, int max, QWidget* parent = nullptr);

    int Position() const { return m_position; }
    // Within the range; a bound box shows the new position.
    void SetPosition(int position);
    void SetAssociate(QLineEdit* box);
    // Up and Down pressed in that widget step the spin, as the arrows do: the keyboard's
    // way to it.
    void ListenTo(QWidget* widget);
    // For a spin that no box stands for: it takes the focus itself, and Up and Down
    // step it.
    void TakeFocus();
    // What the spin sets ("Hour"), as a screen reader says it: the arrows are "Hour
    // up" and "Hour down".
    void SetName(const QString& what);

    // As a click on the upper or lower arrow does.
    void Step(bool up);

signals:
    void Clicked(bool up);

protected:
    bool eventFilter(QObject* watched, QEvent* e) override;
    void keyPressEvent(QKeyEvent* e) override;
    void paintEvent(QPaintEvent* e) override;

private:
    QToolButton* m_up;
    QToolButton* m_down;
    QLineEdit* m_box = nullptr;
    int m_min, m_max, m_position;
};
