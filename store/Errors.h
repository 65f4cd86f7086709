// SPDX-License-Identifier: GPL-3.0-or-later
#pragma once

#include <QString>
#include <concepts>
#include <exception>
#include <functional>
#include <utility>

// Every failure a handler cannot deal with leaves it as one of these. Only the
// standard error box catches them; it shows message() followed by a full stop.
class EError : public std::exception {
public:
    explicit EError(QString message)
        : m_message(std::move(message))
        , m_utf8(m_message.toUtf8()) {}
    const QString& message() const noexcept { return m_message; }
    const char* what() const noexcept override { return m_utf8.constData(); }

private:
    QString m_message;
    QByteArray m_utf8;
};

// Input the user typed that cannot make an alarm.
class EInvalidDate : public EError {
public:
    using EError::EError;
};

// The data file, or another file the program copies, could not be read or written.
class EInOutError : public EError {
public:
    using EError::EError;
};

// A position outside the alarm list: a mistake of the caller, never of the user.
class EListError : public EError {
public:
    using EError::EError;
};

// The settings store refused a write.
class ESettingsError : public EError {
public:
    using EError::EError;
};

// Where an error that ends a handler is shown: the program sets the standard error box
// here; without one the text goes to the standard error stream.
void SetErrorReporter(std::function<void(const QString&)> reporter);
void ReportError(const QString& text);

// A handler for a signal connection that shows its errors instead of letting them
// unwind through the toolkit's own code, which is not built to be unwound through.
// The rule: every connection from a control, menu entry or timer to a handler of the
// program's windows (their ...Click and ...Timer functions, or a lambda calling one)
// goes through Guarded. Connections inside the reusable components, which call only
// the toolkit, do not.
template <class F> auto Guarded(F handler) {
    // Takes as many of the signal's arguments as the handler does.
    return [handler]<class... A>(A && ... args) requires std::invocable<const F&, A...> {
        try {
            handler(std::forward<A>(args)...);
        } catch (const EError& e) {
            ReportError(e.message());
        }
    };
}
