// SPDX-License-Identifier: GPL-3.0-or-later
#include "MsgDg.h"

#include "Errors.h"
#include "Icons.h"

#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTextEdit>
#include <QTimer>

namespace {
constexpr int Width = 400;
constexpr int ButtonWidth = 75;
constexpr int ButtonHeight = 25;
} // namespace

TMessageDg::TMessageDg(const TAlarmSettings& settings, const TCheckState& state, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint |
                          Qt::WindowCloseButtonHint | Qt::WindowStaysOnTopHint)
    , StopButt(new QPushButton(QStringLiteral("&Done"), this))
    , Txt(new QTextEdit(this))
    , SnoozeButt(new QPushButton(QStringLiteral("&Snooze"), this))
    , Image1(new QLabel(this))
    , m_settings(settings)
    , m_state(state) {
    setFixedSize(Width, 170);
    StopButt->setGeometry(211, 136, ButtonWidth, ButtonHeight);
    StopButt->setDefault(true);
    Txt->setGeometry(8, 8, 383, 121);
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
    SnoozeButt->setGeometry(120, 136, ButtonWidth, ButtonHeight);
    setTabOrder(StopButt, SnoozeButt);
    Image1->setGeometry(362, 136, 33, 33);
    Image1->setPixmap(LoadIcon(QStringLiteral("MAINICON")).pixmap(32, 32));
    connect(StopButt, &QPushButton::clicked, this, Guarded([this] { StopButtClick(); }));
    connect(SnoozeButt, &QPushButton::clicked, this, Guarded([this] { SnoozeButtClick(); }));
}

void TMessageDg::SetText(const QString& text) {
    Txt->setPlainText(text.left(600 + 64)); // the message and its date
    Txt->selectAll();
    Txt->setAlignment(Qt::AlignHCenter);
    QTextCursor cursor = Txt->textCursor();
    cursor.clearSelection();
    Txt->setTextCursor(cursor);
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
    // The heights are the window's outer ones; the title bar and frame come off them.
    const int frame = frameGeometry().height() - geometry().height();
    setFixedSize(Width, height - std::max(frame, 0));
    Txt->setFixedHeight(textHeight);
    StopButt->move(StopButt->x(), buttonTop);
    SnoozeButt->move(SnoozeButt->x(), buttonTop);
    if (!m_settings.Snooze) {
        SnoozeButt->setEnabled(false);
        SnoozeButt->hide();
        StopButt->move(frameGeometry().width() / 2 - ButtonWidth / 2, buttonTop);
    } else {
        SnoozeButt->setEnabled(true);
        SnoozeButt->show();
        SnoozeButt->move(120, buttonTop);
        StopButt->move(211, buttonTop);
    }
    Image1->move(Image1->x(), height - 61);
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
    // Again once the window is up and its frame is known.
    QTimer::singleShot(0, this, &TMessageDg::FormActivate);
    refitLater();
    exec();
}

void TMessageDg::ShowModeless() {
    FormActivate();
    show();
    FormActivate(); // the frame is known now
    raise();
    activateWindow();
    refitLater();
}

void TMessageDg::refitLater() {
    // WORKAROUND: Qt 6.4's xcb window reads the frame's size once and reads it again only
    // after the next ConfigureNotify. Read before the window manager has put the notice
    // into its frame, it stays 0 when no ConfigureNotify follows (xfwm4 sends none when
    // the frame leaves the window where it was), and the notice kept a title bar too
    // much height. One pixel more brings a ConfigureNotify, and its resize a fit.
    for (const int ms : {300, 1500})
        QTimer::singleShot(ms, this, [this] {
            if (isVisible())
                setFixedHeight(height() + 1);
        });
}

bool TMessageDg::event(QEvent* e) {
    if (e->type() == QEvent::WindowActivate)
        FormActivate();
    // The window manager's frame may become known only after the window is up and has
    // the focus (it is put into its frame, which moves it), or after a resize (see
    // refitLater): fit again to its real size.
    else if ((e->type() == QEvent::Move || e->type() == QEvent::Resize) && isVisible())
        fitToMessage();
    return QDialog::event(e);
}

void TMessageDg::keyPressEvent(QKeyEvent* e) {
    if (e->key() == Qt::Key_Escape && e->modifiers() == Qt::NoModifier) {
        e->accept(); // Escape answers nothing
        return;
    }
    QDialog::keyPressEvent(e);
}
