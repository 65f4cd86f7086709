// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QHash>
#include <QObject>
#include <QPointer>

class QWidget;
class THelpWindow;

// Help for the user: our own pages, shown in a help window. The topic finder is the
// contents page with a keyword search; topics also open by the context numbers the
// windows carry (1 main form, 40 options, 80 alarms window, 90 add-alarm dialog).
//
// A window carries its number in the dynamic property "helpContext". F1 anywhere asks
// for the number of the focused widget or its nearest ancestor that has one; where
// none has one, F1 does nothing.
class THelp : public QObject {
    Q_OBJECT
public:
    static constexpr const char* ContextProperty = "helpContext";

    explicit THelp(QObject* parent = nullptr);
    ~THelp() override;

    // The page of a context number; empty for a number without a page.
    static QString PageFor(int context);
    // The context number of a widget: its own or its nearest ancestor's; 0 for none.
    static int ContextOf(const QWidget* widget);

    void ShowFinder();
    // False when there is no page for that number.
    bool ShowContext(int context);
    // Lets F1 work in every window of the program.
    void InstallF1();

    THelpWindow* Window() const;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    THelpWindow* window();
    QPointer<THelpWindow> m_window;
};
