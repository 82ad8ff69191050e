// SPDX-License-Identifier: LicenseRef-Tavelcor
// How events reach the forms' handlers.
//
// Every handler call goes through detail::raise: it does nothing while the
// form is not loaded yet (design state) or already unloaded, it never lets an
// exception escape into Qt's event loop (an escaped exception is logged), and
// it counts the calls in progress. A form unloaded inside a handler (a dialog
// closing itself from its OK button) is destroyed only once no handler and no
// Qt delivery of an event to a control is running any more, so the handler
// that unloaded it can run to its end.
#pragma once

#include <exception>
#include <memory>
#include <utility>

namespace platform {

class Form;

/// Destroys the forms unloaded inside handlers that are still waiting for the
/// handlers to end. Does nothing while a handler runs. The event loop does
/// this by itself; tests that drive handlers without an event loop may call
/// it to see the windows go.
void destroyPendingForms();

namespace detail {

/// Marks a handler call in progress.
class HandlerScope {
public:
    HandlerScope();
    ~HandlerScope();
    HandlerScope(const HandlerScope&) = delete;
    HandlerScope& operator=(const HandlerScope&) = delete;
};

/// Marks Qt's delivery of an event or signal to a control in progress: a
/// form may not be destroyed before Qt is done with its widgets.
class DeliveryScope {
public:
    DeliveryScope();
    ~DeliveryScope();
    DeliveryScope(const DeliveryScope&) = delete;
    DeliveryScope& operator=(const DeliveryScope&) = delete;
};

/// True while handlers run or Qt delivers an event to a control.
bool dispatching();

/// Takes an unloaded form: destroyed at once when nothing is dispatching,
/// else when the outermost handler or delivery has ended.
void disposeForm(std::unique_ptr<Form> form);

/// True when `form` takes no events (not loaded yet, unloaded, destroyed).
bool eventsBlocked(const Form* form);

/// Logs an exception that a handler let through (what: nullptr when unknown).
void reportEscapedException(const char* what) noexcept;

/// Calls `handler` with `args` unless it is empty or the form takes no
/// events. The handler is copied first: it may replace itself or unload its
/// own form while it runs.
template <class Handler, class... Args>
void raise(const Form* form, const Handler& handler, Args&&... args)
{
    if (!handler || eventsBlocked(form))
        return;
    HandlerScope scope;
    const Handler call = handler;
    try {
        call(std::forward<Args>(args)...);
    } catch (const std::exception& error) {
        reportEscapedException(error.what());
    } catch (...) {
        reportEscapedException(nullptr);
    }
}

}  // namespace detail
}  // namespace platform
