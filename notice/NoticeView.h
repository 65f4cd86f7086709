// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>

// What the check cycle needs of the notice window.
class TNoticeView {
public:
    virtual ~TNoticeView() = default;
    virtual bool Visible() const = 0;
    virtual void SetText(const QString& text) = 0;
    virtual void SetCaption(const QString& caption) = 0;
    // Returns once the user has closed the notice.
    virtual void ShowModal() = 0;
    // Returns at once.
    virtual void ShowModeless() = 0;
    virtual void Hide() = 0;
    // Shown, but out of sight: minimised or rolled up by the window manager.
    virtual bool Hidden() const = 0;
    // Shows a hidden notice again, on top and focused; a modal one still waits.
    virtual void BringBack() = 0;
};
