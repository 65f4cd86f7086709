// SPDX-License-Identifier: GPL-3.0-or-later
#include "StatFrm.h"

#include "AddWind.h"
#include "Design.h"
#include "Errors.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QMenu>
#include <QMouseEvent>
#include <QScreen>
#include <QTableWidget>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

QIcon buttonPicture(const QString& name) {
    QIcon icon;
    icon.addFile(QStringLiteral(":/icons/BTN_%1.xpm").arg(name), QSize(), QIcon::Normal);
    icon.addFile(QStringLiteral(":/icons/BTN_%1_GREY.xpm").arg(name), QSize(), QIcon::Disabled);
    return icon;
}

QToolButton* pictureButton(const QString& caption, const QString& picture, QWidget* parent) {
    auto* b = new QToolButton(parent);
    b->setText(caption);
    b->setIcon(buttonPicture(picture));
    b->setIconSize(QSize(24, 24));
    b->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    b->setMinimumWidth(96);
    return b;
}

} // namespace

TStatWnd::TStatWnd(AlarmList& list, const TAlarmSettings& settings, TAddWnd& addWnd,
                   QMenu* trayMenu, const QLocale& locale, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint)
    , m_list(list)
    , m_settings(settings)
    , m_addWnd(addWnd)
    , m_trayMenu(trayMenu)
    , m_locale(locale) {
    setWindowTitle(QStringLiteral("Tockwell"));
    setProperty("helpContext", 80);

    AddBtn = pictureButton(QStringLiteral("&Add"), QStringLiteral("ADD"), this);
    DeleteBtn = pictureButton(QStringLiteral("&Delete"), QStringLiteral("DELETE"), this);
    EditTextBtn = pictureButton(QStringLiteral("&Edit text"), QStringLiteral("EDIT"), this);
    BitBtn3 = pictureButton(QStringLiteral("&Close window"), QStringLiteral("CLOSE"), this);
    DeleteBtn->setEnabled(false);
    EditTextBtn->setEnabled(false);

    AGrid = new QTableWidget(0, 4, this);
    AGrid->setAccessibleName(QStringLiteral("Alarms"));
    AGrid->setHorizontalHeaderLabels({TGridContent::Header.begin(), TGridContent::Header.end()});
    AGrid->verticalHeader()->hide();
    AGrid->setEditTriggers(QAbstractItemView::NoEditTriggers);
    AGrid->setSelectionBehavior(QAbstractItemView::SelectRows);
    AGrid->setSelectionMode(QAbstractItemView::SingleSelection);
    AGrid->setWordWrap(false);
    AGrid->setShowGrid(true);
    // Rows of 16 pixels, or of the font's height where the font needs more.
    const int row = std::max(16, AGrid->fontMetrics().height() + 2);
    AGrid->verticalHeader()->setMinimumSectionSize(row);
    AGrid->verticalHeader()->setDefaultSectionSize(row);

    auto* buttons = new QHBoxLayout;
    for (QToolButton* b : {AddBtn, DeleteBtn, EditTextBtn, BitBtn3})
        buttons->addWidget(b);
    buttons->addStretch();
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(10, 10, 10, 10);
    layout->addLayout(buttons);
    layout->addWidget(AGrid);
    const TDesign design(this);
    resize(design.Px(860), design.Px(420));

    connect(AddBtn, &QToolButton::clicked, this, Guarded([this] { AddBtnClick(); }));
    connect(DeleteBtn, &QToolButton::clicked, this, Guarded([this] { DeleteBtnClick(); }));
    connect(EditTextBtn, &QToolButton::clicked, this, Guarded([this] { EditTextBtnClick(); }));
    connect(BitBtn3, &QToolButton::clicked, this, Guarded([this] { BitBtn3Click(); }));
}

void TStatWnd::FormCreate() {
    const int widths[] = {160, 50, 75, 550};
    for (int c = 0; c < 4; ++c)
        AGrid->setColumnWidth(c, widths[c]);
    RefreshList();
}

void TStatWnd::Display() {
    if (!isVisible() && QGuiApplication::primaryScreen()) {
        // Centred on the screen.
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        move(screen.center() - rect().center());
    }
    show();
    raise();
    activateWindow();
}

void TStatWnd::Clearlist() {
    showGrid(::Clearlist());
}

void TStatWnd::RefreshList() {
    showGrid(::RefreshList(m_list, m_settings.Snooze, m_locale));
    // The buttons follow the list at once, not only at the window's next activation:
    // a window manager need not activate it again when the add-alarm dialog closes.
    CheckButtons();
}

void TStatWnd::showGrid(const TGridContent& grid) {
    const int current = AGrid->currentRow();
    AGrid->clearContents();
    AGrid->setRowCount(static_cast<int>(grid.rows.size()));
    for (int r = 0; r < grid.rows.size(); ++r)
        for (int c = 0; c < 4; ++c)
            AGrid->setItem(r, c, new QTableWidgetItem(grid.rows[r][c]));
    if (current >= 0 && current < AGrid->rowCount())
        AGrid->setCurrentCell(current, 0);
    // The date, time and type never show cut off: where the locale writes them longer
    // than the columns' first widths, those columns grow.
    for (int c = 0; c < 3; ++c) {
        const int first = AGrid->columnWidth(c);
        AGrid->resizeColumnToContents(c);
        AGrid->setColumnWidth(c, std::max(first, AGrid->columnWidth(c)));
    }
}

void TStatWnd::CheckButtons() {
    const TButtonStates s = ::CheckButtons(m_list);
    AddBtn->setEnabled(s.Add);
    DeleteBtn->setEnabled(s.Delete);
    EditTextBtn->setEnabled(s.EditText);
}

int TStatWnd::SelectedPosition() const {
    const int row = AGrid->currentRow();
    if (row < 0 || row >= m_list.Count() || !AGrid->item(row, 0) ||
        AGrid->item(row, 0)->text().isEmpty())
        return -1;
    return row;
}

void TStatWnd::AddBtnClick() {
    m_addWnd.OpenAdd();
}

void TStatWnd::DeleteBtnClick() {
    const int position = SelectedPosition();
    if (position < 0)
        return;
    m_list.Remove(position);
    RefreshList();
    m_addWnd.SaveList();
    CheckButtons();
}

void TStatWnd::EditTextBtnClick() {
    const int position = SelectedPosition();
    if (position >= 0)
        m_addWnd.OpenEdit(m_list.At(position));
}

void TStatWnd::BitBtn3Click() {
    hide();
}

bool TStatWnd::event(QEvent* e) {
    if (e->type() == QEvent::Show || e->type() == QEvent::WindowActivate)
        CheckButtons();
    return QWidget::event(e);
}

void TStatWnd::mouseReleaseEvent(QMouseEvent* e) {
    // Only the window's own margins: a click on a control is the control's.
    if (e->button() == Qt::RightButton && m_trayMenu && !childAt(e->position().toPoint()))
        m_trayMenu->popup(frameGeometry().topLeft());
    QWidget::mouseReleaseEvent(e);
}
