// SPDX-License-Identifier: GPL-3.0-or-later
#include "MsgDg.h"

#include "Errors.h"
#include "Icons.h"
#include "WindowState.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QScrollBar>
#include <QTextEdit>
#include <QTimer>
#include <QWindow>

namespace {
constexpr int Width = 400;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
// The heights by message length are outer ones, for a title bar and frame that took 28
// pixels: the contents keep what that frame left them, and whatever frame the desktop
// draws comes on top.
constexpr int DesignFrame = 28;
} // namespace

TMessageDg::TMessageDg(const TAlarmSettings& settings, const TCheckState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , StopButt(new QPushButton(QStringLiteral("&Done"), this))
    , Txt(new QTextEdit(this))
    , SnoozeButt(new QPushButton(QStringLiteral("&Snooze"), this))
    , Image1(new QLabel(this))
    , m_settings(settings)
    , m_state(state)
    , m_design(this) {
    // Their places follow the message's length (fitToMessage); their sizes do not.
    m_design.Place(StopButt, 211, 136, ButtonWidth, ButtonHeight);
    m_design.Place(SnoozeButt, 120, 136, ButtonWidth, ButtonHeight);
    StopButt->setDefault(true);
    Txt->setReadOnly(true);
    Txt->setAccessibleName(QStringLiteral("Message"));
    Txt->setFrameStyle(QFrame::NoFrame);
    Txt->viewport()->setAutoFillBackground(false);
    Txt->setAttribute(Qt::WA_TranslucentBackground);
    Txt->setStyleSheet(QStringLiteral("QTextEdit { background: transparent; }"));
    Txt->setFocusPolicy(Qt::NoFocus);
    Txt->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    Txt->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    Txt->document()->setDocumentMargin(2);
    Image1->setAlignment(Qt::AlignCenter);
    Image1->setPixmap(LoadIcon(QStringLiteral("MAINICON")).pixmap(m_design.Px(32)));
    connect(StopButt, &QPushButton::clicked, this, Guarded([this] { StopButtClick(); }));
    connect(SnoozeButt, &QPushButton::clicked, this, Guarded([this] { SnoozeButtClick(); }));
}

void TMessageDg::SetText(const QString& text) {
    Txt->setPlainText(text.left(600 + 64)); // the message and its date
    Txt->selectAll();
    Txt->setAlignment(Qt::AlignHCenter);
    // A long message opens at its beginning: the date and time, then the first lines.
    QTextCursor cursor = Txt->textCursor();
    cursor.clearSelection();
    cursor.movePosition(QTextCursor::Start);
    Txt->setTextCursor(cursor);
    Txt->verticalScrollBar()->setValue(0);
}

void TMessageDg::FormActivate() {
    fitToMessage();
    StopButt->setFocus();
}

void TMessageDg::fitToMessage() {
    const auto alarm = m_state.NoticeAlarm.lock();
    const qsizetype length = alarm ? TextToDisplay(alarm->Text).size() : 0;
    int height = 198, textHeight = 121, buttonTop = 136;
    if (length < 15) {
        height = 98;
        textHeight = 21;
        buttonTop = 36;
    } else if (length < 60) {
        height = 158;
        textHeight = 81;
        buttonTop = 96;
    }
    m_design.FixSize(this, Width, height - DesignFrame);
    m_design.Place(Txt, 8, 8, 383, textHeight);
    if (!m_settings.Snooze) {
        SnoozeButt->setEnabled(false);
        SnoozeButt->hide();
        StopButt->move(frameGeometry().width() / 2 - StopButt->width() / 2, m_design.Px(buttonTop));
    } else {
        SnoozeButt->setEnabled(true);
        SnoozeButt->show();
        m_design.Move(SnoozeButt, 120, buttonTop);
        m_design.Move(StopButt, 211, buttonTop);
    }
    m_design.Place(Image1, 362, height - 61, 33, 33);
}

void TMessageDg::StopButtClick() {
    if (m_cycle)
        m_cycle->StopButtClick();
    else
        hide();
}

void TMessageDg::SnoozeButtClick() {
    if (m_cycle)
        m_cycle->SnoozeButtClick();
    else
        hide();
}

void TMessageDg::ShowModal() {
    FormActivate();
    // Again once the window is up: Done is centred by the window's outer width.
    QTimer::singleShot(0, this, &TMessageDg::FormActivate);
    exec();
}

bool TMessageDg::Hidden() const {
    return isVisible() && (isMinimized() || (windowHandle() && !windowHandle()->isExposed()));
}

void TMessageDg::BringBack() {
    // Shown where it is, so that a modal notice's exec() goes on waiting for its answer.
    setWindowState(windowState() & ~Qt::WindowMinimized);
    show();
    UnshadeWindow(windowHandle());
    raise();
    activateWindow();
}

void TMessageDg::ShowModeless() {
    FormActivate();
    show();
    FormActivate(); // the outer width is known now
    raise();
    activateWindow();
}

bool TMessageDg::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    return QDialog::event(e);
}

void TMessageDg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept(); // Escape answers nothing
        return;
    }
    QDialog::keyPressEvent(e);
}
