// SPDX-License-Identifier: GPL-3.0-or-later
#include "UpDown.h"

#include <QAccessibleWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPainter>
#include <QStyle>
#include <QStyleOptionFocusRect>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A screen reader is told a spin is a spin button, not a nameless area.
QAccessibleInterface* accessibleSpin(const QString& className, QObject* object) {
    if (className == QLatin1String(TUpDown::staticMetaObject.className()) && object->isWidgetType())
        return new QAccessibleWidget(static_cast<QWidget*>(object), QAccessible::SpinBox);
    return nullptr;
}
} // namespace

TUpDown::TUpDown(int min, int max, QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_min(min)
    , m_max(max)
    , m_position(std::clamp(0, min, max)) {
    static const bool describedToScreenReaders =
        (QAccessible::installFactory(accessibleSpin), true);
    Q_UNUSED(describedToScreenReaders);
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    // Room for the focus frame of a spin that takes the focus.
    layout->setContentsMargins(1, 1, 1, 1);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
}

void TUpDown::SetAssociate(QLineEdit* box) {
    m_box = box;
    ListenTo(box);
}

void TUpDown::ListenTo(QWidget* widget) {
    widget->installEventFilter(this);
}

void TUpDown::TakeFocus() {
    setFocusPolicy(Qt::StrongFocus);
}

void TUpDown::SetName(const QString& what) {
    setAccessibleName(what);
    m_up->setAccessibleName(what + QStringLiteral(" up"));
    m_down->setAccessibleName(what + QStringLiteral(" down"));
}

namespace {
// +1 for Up, -1 for Down, 0 for any other key.
int stepOf(const QEvent* e) {
    if (e->type() != QEvent::KeyPress)
        return 0;
    const int key = static_cast<const QKeyEvent*>(e)->key();
    return key == Qt::Key_Up ? 1 : key == Qt::Key_Down ? -1 : 0;
}
} // namespace

bool TUpDown::eventFilter(QObject* watched, QEvent* e) {
    if (const int step = stepOf(e); step != 0 && isEnabled()) {
        Step(step > 0);
        return true;
    }
    return QWidget::eventFilter(watched, e);
}

void TUpDown::keyPressEvent(QKeyEvent* e) {
    if (const int step = stepOf(e))
        Step(step > 0);
    else
        QWidget::keyPressEvent(e);
}

void TUpDown::paintEvent(QPaintEvent* e) {
    QWidget::paintEvent(e);
    if (!hasFocus())
        return;
    QPainter painter(this);
    QStyleOptionFocusRect frame;
    frame.initFrom(this);
    style()->drawPrimitive(QStyle::PE_FrameFocusRect, &frame, &painter, this);
}

void TUpDown::SetPosition(int position) {
    m_position = std::clamp(position, m_min, m_max);
    if (m_box)
        m_box->setText(QString::number(m_position));
}

void TUpDown::Step(bool up) {
    if (m_box) {
        bool ok = false;
        const int typed = m_box->text().toInt(&ok);
        if (ok)
            m_position = std::clamp(typed, m_min, m_max);
    }
    SetPosition(m_position + (up ? 1 : -1));
    emit Clicked(up);
}
