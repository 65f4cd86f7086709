// SPDX-License-Identifier: GPL-3.0-or-later
#include "AddWind.h"

#include "DateFormat.h"
#include "Design.h"
#include "Errors.h"
#include "MessageEdit.h"
#include "UpDown.h"

#include <QApplication>
#include <QButtonGroup>
#include <QEvent>
#include <QFrame>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

QLabel* label(const TDesign& design, const QString& text, QWidget* parent, int x, int y,
              bool bold = false) {
    auto* l = new QLabel(text, parent);
    design.Move(l, x, y);
    if (bold) {
        QFont f = l->font();
        f.setBold(true);
        l->setFont(f);
    }
    l->adjustSize();
    return l;
}

QLineEdit* box(const TDesign& design, const QString& text, QWidget* parent, int x, int y, int w) {
    auto* b = new QLineEdit(text, parent);
    design.Place(b, x, y, w, 24);
    return b;
}

TUpDown* spin(const TDesign& design, int min, int max, QWidget* parent, int x, int y) {
    auto* s = new TUpDown(min, max, parent);
    design.Place(s, x, y, 16, 24);
    return s;
}

// The day and month groups are of one width so that they can change places.
constexpr int GroupBox = 86;
constexpr int SpinOffset = GroupBox + 2;

} // namespace

TAddWnd::TAddWnd(AlarmList& list, TAlarmFile& file, TListHooks& hooks, const TClock& clock,
                 const QLocale& locale, QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowCloseButtonHint)
    , m_list(list)
    , m_file(file)
    , m_hooks(hooks)
    , m_clock(clock)
    , m_locale(locale) {
    setWindowTitle(QStringLiteral("Tockwell"));
    setProperty("helpContext", 90);
    const TDesign design(this);
    design.FixSize(this, 640, 326);

    TG = new QGroupBox(QStringLiteral(" Alarm type "), this);
    design.Place(TG, 8, 8, 122, 168);
    TGButtons = new QButtonGroup(this);
    auto* tgLayout = new QVBoxLayout(TG);
    for (int kind = akOneOff; kind <= akAnnual; ++kind) {
        auto* radio = new QRadioButton(KindName(kind), TG);
        tgLayout->addWidget(radio);
        TGButtons->addButton(radio, kind);
    }
    TGButtons->button(akOneOff)->setChecked(true);

    Bevel1 = new QFrame(this);
    Bevel1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    design.Place(Bevel1, 138, 8, 494, 168);

    TimeLabel = label(design, QStringLiteral("Time"), this, 150, 38, true);
    HourLabel = label(design, QStringLiteral("Hour"), this, 214, 16);
    HourBox = box(design, QStringLiteral("0"), this, 214, 34, 44);
    UpDown1 = spin(design, 0, 23, this, 258, 34);
    UpDown1->SetAssociate(HourBox);
    MinuteLabel = label(design, QStringLiteral("Minute"), this, 290, 16);
    MinuteBox = box(design, QStringLiteral("0"), this, 290, 34, 44);
    UpDown2 = spin(design, 0, 59, this, 334, 34);
    UpDown2->SetAssociate(MinuteBox);

    Label5 = label(design, QStringLiteral("Date"), this, 150, 122, true);
    Label1 = label(design, QStringLiteral("Weekday"), this, 214, 98);
    DayLabel = new QLabel(QStringLiteral("Wednesday"), this);
    design.Place(DayLabel, 214, 118, 92, 24);
    DayLabel->setEnabled(false);
    WDUpDown = spin(design, -1, 7, this, 306, 118);
    WDUpDown->setEnabled(false);
    Label2 = label(design, QStringLiteral("Day"), this, 332, 98);
    DayBox = box(design, QStringLiteral("0"), this, 332, 118, GroupBox);
    DayUpDown = spin(design, -1, 31, this, 332 + SpinOffset, 118);
    DayUpDown->SetAssociate(DayBox);
    Label6 = label(design, QStringLiteral("Month"), this, 446, 98);
    MonthLabel = new QLabel(QStringLiteral("---------"), this);
    design.Place(MonthLabel, 446, 118, GroupBox, 24);
    MonthUpDown = spin(design, 0, 13, this, 446 + SpinOffset, 118);
    Label3 = label(design, QStringLiteral("Year"), this, 562, 98);
    YearBox = box(design, QStringLiteral("1901"), this, 562, 118, 48);
    YearBox->setMaxLength(4);
    YearUpDown = spin(design, 1901, 2100, this, 610, 118);
    YearUpDown->SetPosition(1901);

    TextBox = new TMessageEdit(this);
    design.Place(TextBox, 8, 184, 624, 96);
    TextBox->setPlaceholderText(
        QStringLiteral("Type the message for your alarm here - maximum 600 characters"));

    Add = new QPushButton(QStringLiteral("&Add"), this);
    design.Place(Add, 446, 290, 90, 28);
    Add->setDefault(true);
    Button2 = new QPushButton(QStringLiteral("&Cancel"), this);
    design.Place(Button2, 542, 290, 90, 28);

    // What a screen reader says of each control: a box is named by the label above it.
    for (auto [caption, box] : {std::pair{HourLabel, HourBox},
                                {MinuteLabel, MinuteBox},
                                {Label2, DayBox},
                                {Label3, YearBox}})
        caption->setBuddy(box);
    Label1->setBuddy(WDUpDown);
    Label6->setBuddy(MonthUpDown);
    UpDown1->SetName(QStringLiteral("Hour"));
    UpDown2->SetName(QStringLiteral("Minute"));
    WDUpDown->SetName(QStringLiteral("Weekday"));
    DayUpDown->SetName(QStringLiteral("Day"));
    MonthUpDown->SetName(QStringLiteral("Month"));
    YearUpDown->SetName(QStringLiteral("Year"));
    TextBox->setAccessibleName(QStringLiteral("Message"));
    // The weekday and the month have no box: their spins take the focus. Up and Down
    // in the year box step the year spin. Tab goes through the controls in the order
    // they are made.
    WDUpDown->TakeFocus();
    MonthUpDown->TakeFocus();
    YearUpDown->ListenTo(YearBox);

    connect(TGButtons, &QButtonGroup::idToggled, this, Guarded([this](int, bool on) {
                if (on)
                    TGClick();
            }));
    connect(UpDown2, &TUpDown::Clicked, this, Guarded([this] { UpDown2Click(); }));
    connect(DayUpDown, &TUpDown::Clicked, this, Guarded([this] { DayUpDownClick(); }));
    connect(MonthUpDown, &TUpDown::Clicked, this, Guarded([this] { MonthUpDownClick(); }));
    connect(WDUpDown, &TUpDown::Clicked, this, Guarded([this] { WDUpDownClick(); }));
    connect(YearUpDown, &TUpDown::Clicked, this, Guarded([this] { YearUpDownClick(); }));
    connect(Add, &QPushButton::clicked, this, Guarded([this] { AddClick(); }));
    connect(Button2, &QPushButton::clicked, this, Guarded([this] { Button2Click(); }));
    for (QLineEdit* b : {HourBox, MinuteBox, DayBox})
        b->installEventFilter(this);

    FormCreate();
}

void TAddWnd::FormCreate() {
    if (!AddAlarm::SwapDayAndMonth(m_locale))
        return;
    const auto swapX = [](QWidget* a, QWidget* b) {
        const int ax = a->x();
        a->move(b->x(), a->y());
        b->move(ax, b->y());
    };
    swapX(DayBox, MonthLabel);
    swapX(Label2, Label6);
    swapX(DayUpDown, MonthUpDown);
    // The keyboard follows: month before day.
    setTabOrder(WDUpDown, MonthUpDown);
    setTabOrder(MonthUpDown, DayBox);
    setTabOrder(DayBox, YearBox);
}

int TAddWnd::Kind() const {
    return TGButtons->checkedId();
}

void TAddWnd::SetKind(int kind) {
    if (QAbstractButton* b = TGButtons->button(kind)) {
        if (b->isChecked())
            TGClick(); // the states are applied even when the choice stays the same
        else
            b->setChecked(true);
    }
}

bool TAddWnd::EditMode() const {
    return Add->text() == QStringLiteral("&Save");
}

AlarmList::Ptr TAddWnd::Editing() const {
    AlarmList::Ptr rec = m_editing.lock();
    return rec && m_list.IndexOf(rec.get()) >= 0 ? rec : nullptr;
}

// The dialog is reset when the program opens it, not at every show event: a restore after
// minimising (which Qt 6.8 reports as a show from the program) keeps what was entered.
void TAddWnd::OpenAdd() {
    m_editing.reset();
    Add->setText(QStringLiteral("&Add"));
    TextBox->clear();
    TG->setEnabled(true);
    FormShow();
    show();
    raise();
    activateWindow();
}

void TAddWnd::OpenEdit(const AlarmList::Ptr& alarm) {
    TG->setEnabled(false);
    setDateControlsEnabled({false, false, false, false, false});
    m_editing = alarm;
    TGButtons->blockSignals(true);
    if (QAbstractButton* b = TGButtons->button(alarm->Kind))
        b->setChecked(true);
    TGButtons->blockSignals(false);
    const QTime time = DateTime::toQTime(alarm->AlarmTime);
    const QDate date = DateTime::toQDate(alarm->AlarmTime);
    HourBox->setText(time.isValid() ? QString::number(time.hour()) : QString());
    MinuteBox->setText(time.isValid() ? QString::number(time.minute()) : QString());
    DayLabel->setText(DateFormat::Format(QStringLiteral("dddd"), alarm->AlarmTime, m_locale));
    DayBox->setText(date.isValid() ? QString::number(date.day()) : QString());
    MonthLabel->setText(DateFormat::Format(QStringLiteral("mmmm"), alarm->AlarmTime, m_locale));
    YearBox->setText(date.isValid() ? QString::number(date.year()) : QString());
    TextBox->setPlainText(EditableText(alarm->Text));
    Add->setText(QStringLiteral("&Save"));
    show();
    raise();
    activateWindow();
    for (QWidget* w : std::initializer_list<QWidget*>{HourBox, MinuteBox, UpDown1, UpDown2})
        w->setEnabled(false);
    TextBox->setFocus();
}

void TAddWnd::FormShow() {
    if (Add->text() != QStringLiteral("&Add"))
        return;
    SetKind(akOneOff);
    const TDateTime now = m_clock.now();
    const AddAlarm::TDefaults d = AddAlarm::Defaults(now, m_locale);
    DayLabel->setText(d.dayLabel);
    WDUpDown->SetPosition(d.weekdaySpin);
    DayUpDown->SetPosition(d.dayBox.toInt());
    MonthLabel->setText(d.monthLabel);
    MonthUpDown->SetPosition(d.monthSpin);
    YearBox->setText(d.yearBox);
    YearUpDown->SetPosition(d.yearSpin);
    UpDown1->SetPosition(d.hourBox.toInt());
    MinuteBox->setText(d.minuteBox);
    TextBox->setFocus();
}

void TAddWnd::setDateControlsEnabled(const AddAlarm::TControlStates& s) {
    HourBox->setEnabled(s.time);
    MinuteBox->setEnabled(s.time);
    UpDown1->setEnabled(true);
    UpDown2->setEnabled(true);
    DayLabel->setEnabled(s.weekday);
    WDUpDown->setEnabled(s.weekday);
    DayBox->setEnabled(s.day);
    DayUpDown->setEnabled(s.day);
    MonthLabel->setEnabled(s.month);
    MonthUpDown->setEnabled(s.month);
    YearBox->setEnabled(s.year);
    YearUpDown->setEnabled(s.year);
}

void TAddWnd::TGClick() {
    if (EditMode())
        return;
    setDateControlsEnabled(AddAlarm::ControlStates(Kind()));
}

bool TAddWnd::GetDateTime() {
    const auto entered = AddAlarm::GetDateTime(DayBox->text(), MonthUpDown->Position(),
                                               YearBox->text(), HourBox->text(), MinuteBox->text());
    if (!entered) {
        DayBox->setFocus();
        return false;
    }
    Entered = *entered;
    return true;
}

void TAddWnd::SaveList() {
    m_file.SaveList(m_list);
}

void TAddWnd::AddClick() {
    if (EditMode()) {
        const std::optional<QByteArray> text = DisplayToText(TextBox->toPlainText());
        if (AlarmList::Ptr rec = Editing()) {
            rec->Text = text && !text->isEmpty() ? *text : QByteArrayLiteral("ALARM");
        } else {
            m_editing.reset();
            hide();
            throw EError(QStringLiteral(
                "That alarm is no longer in the list (a one-off alarm goes once it has rung "
                "and been answered), so the new message was not saved"));
        }
        m_hooks.RefreshList();
        SaveList();
        hide();
        return;
    }
    if (!GetDateTime())
        throw EInvalidDate(AddAlarm::InvalidDate);
    const int kind = Kind();
    const auto moment = AddAlarm::AlarmMoment(kind, Entered, WDUpDown->Position(), m_clock.now());
    if (const QString* error = std::get_if<QString>(&moment))
        throw EInvalidDate(*error);
    SetKind(akOneOff);
    const std::optional<QByteArray> text = DisplayToText(TextBox->toPlainText());
    m_list.Append(NewAlarm(kind, std::get<TDateTime>(moment), text.value_or(QByteArray())));
    TextBox->clear();
    m_hooks.RefreshList();
    SaveList();
    hide();
}

void TAddWnd::Button2Click() {
    for (QLineEdit* b : {HourBox, MinuteBox, DayBox, YearBox})
        b->clear();
    DayLabel->clear();
    MonthLabel->clear();
    hide();
}

void TAddWnd::reject() {
    Button2Click();
}

void TAddWnd::UpDown2Click() {
    if (MinuteBox->text().size() == 1)
        MinuteBox->setText(u'0' + MinuteBox->text());
}

void TAddWnd::showWeekdayOfEntered() {
    DayLabel->setText(DateFormat::Format(QStringLiteral("dddd"), Entered.date, m_locale));
    WDUpDown->SetPosition(DateTime::dayOfWeek(Entered.date) - 1);
}

void TAddWnd::DayUpDownClick() {
    if (DayUpDown->Position() == 0)
        DayUpDown->SetPosition(AddAlarm::WrapDay(0));
    if (GetDateTime())
        showWeekdayOfEntered();
}

void TAddWnd::MonthUpDownClick() {
    MonthUpDown->SetPosition(AddAlarm::WrapMonth(MonthUpDown->Position()));
    MonthLabel->setText(AddAlarm::EnglishMonth(MonthUpDown->Position()));
    if (GetDateTime())
        showWeekdayOfEntered();
}

void TAddWnd::WDUpDownClick() {
    WDUpDown->SetPosition(AddAlarm::WrapWeekday(WDUpDown->Position()));
    DayLabel->setText(AddAlarm::EnglishWeekday(WDUpDown->Position()));
    DayLabel->repaint();
    if (GetDateTime()) {
        const QString day = DateFormat::Format(QStringLiteral("d"), Entered.date, m_locale);
        DayUpDown->SetPosition(day.toInt());
    }
}

void TAddWnd::YearUpDownClick() {
    YearBox->setText(QString::number(YearUpDown->Position()));
    WDUpDownClick();
    if (GetDateTime())
        showWeekdayOfEntered();
}

bool TAddWnd::checkTimeBox(QLineEdit* box, int bound) {
    if (AddAlarm::BoxAccepts(box->text(), bound))
        return true;
    QApplication::beep();
    // Back into the box once the focus has finished moving away.
    QTimer::singleShot(0, box, [box] { box->setFocus(); });
    return false;
}

bool TAddWnd::HourBoxExit() {
    return checkTimeBox(HourBox, 23);
}

bool TAddWnd::MinuteBoxExit() {
    return checkTimeBox(MinuteBox, 59);
}

void TAddWnd::DayBoxExit() {
    const auto day = AddAlarm::WholeNumber(DayBox->text());
    if (!day)
        DayBox->setText(QStringLiteral("0"));
    else if (*day >= -1 && *day <= 31)
        DayUpDown->SetPosition(*day);
    // A day beyond the spin's range stays as typed and fails when the alarm is added.
}

bool TAddWnd::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() == QEvent::FocusOut && isVisible()) {
        if (watched == HourBox)
            HourBoxExit();
        else if (watched == MinuteBox)
            MinuteBoxExit();
        else if (watched == DayBox)
            DayBoxExit();
    }
    return QDialog::eventFilter(watched, event);
}
