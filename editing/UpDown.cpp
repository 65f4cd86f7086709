#include "UpDown.h"

#include <QLineEdit>
#include <QToolButton>
#include <QVBoxLayout>

TUpDown::TUpDown(int min, int max, QWidget* parent)
    : QWidget(parent)
    , m_up(new QToolButton(this))
    , m_down(new QToolButton(this))
    , m_min(min)
    , m_max(max)
    , m_position(std::clamp(0, min, max)) {
    m_up->setArrowType(Qt::UpArrow);
    m_down->setArrowType(Qt::DownArrow);
    for (QToolButton* b : {m_up, m_down}) {
        b->setAutoRepeat(true);
        b->setFocusPolicy(Qt::NoFocus);
        b->setSizePolicy(QSizePolicy::Fixed, QSizePolicy::Expanding);
    }
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    layout->addWidget(m_up);
    layout->addWidget(m_down);
    connect(m_up, &QToolButton::clicked, this, [this] { Step(true); });
    connect(m_down, &QToolButton::clicked, this, [this] { Step(false); });
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
