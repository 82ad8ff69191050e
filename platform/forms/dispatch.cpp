// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/dispatch.h"

#include "platform/forms/form.h"

#include <QCoreApplication>
#include <QDebug>
#include <QMetaObject>

#include <vector>

namespace platform {

namespace {

struct DispatchState {
    DispatchState() = default;
    DispatchState(const DispatchState&) = delete;
    DispatchState& operator=(const DispatchState&) = delete;
    ~DispatchState()
    {
        // Widgets cannot outlive the application: forms still waiting when
        // the program's static objects go are left to the operating system.
        if (QCoreApplication::instance() == nullptr) {
            for (std::unique_ptr<Form>& form : pending)
                static_cast<void>(form.release());
        }
    }

    int handlerDepth = 0;
    int deliveryDepth = 0;
    bool flushing = false;
    bool flushPosted = false;
    std::vector<std::unique_ptr<Form>> pending;
};

DispatchState& state()
{
    static DispatchState instance;
    return instance;
}

void postFlush()
{
    DispatchState& s = state();
    QCoreApplication* app = QCoreApplication::instance();
    if (s.flushPosted || s.pending.empty() || app == nullptr)
        return;
    s.flushPosted = true;
    QMetaObject::invokeMethod(
        app,
        [] {
            state().flushPosted = false;
            destroyPendingForms();
        },
        Qt::QueuedConnection);
}

}  // namespace

void destroyPendingForms()
{
    DispatchState& s = state();
    if (detail::dispatching() || s.flushing)
        return;
    s.flushing = true;
    while (!s.pending.empty()) {
        std::unique_ptr<Form> form = std::move(s.pending.back());
        s.pending.pop_back();
        form.reset();
    }
    s.flushing = false;
}

namespace detail {

HandlerScope::HandlerScope()
{
    ++state().handlerDepth;
}

HandlerScope::~HandlerScope()
{
    DispatchState& s = state();
    --s.handlerDepth;
    if (s.handlerDepth == 0 && s.deliveryDepth == 0)
        destroyPendingForms();
}

DeliveryScope::DeliveryScope()
{
    ++state().deliveryDepth;
}

DeliveryScope::~DeliveryScope()
{
    DispatchState& s = state();
    --s.deliveryDepth;
    // Qt goes on working with the widget after this returns: leave the
    // destruction to the event loop.
    if (s.deliveryDepth == 0)
        postFlush();
}

bool dispatching()
{
    const DispatchState& s = state();
    return s.handlerDepth > 0 || s.deliveryDepth > 0;
}

void disposeForm(std::unique_ptr<Form> form)
{
    if (!form)
        return;
    form->beginDestruction();
    DispatchState& s = state();
    if (!dispatching() && !s.flushing) {
        form.reset();
        return;
    }
    s.pending.push_back(std::move(form));
    if (s.deliveryDepth > 0 || s.handlerDepth == 0)
        postFlush();
}

bool eventsBlocked(const Form* form)
{
    return form != nullptr && !form->takesEvents();
}

void reportEscapedException(const char* what) noexcept
{
    try {
        qCritical().noquote() << "an event handler let an exception through:"
                              << (what != nullptr ? what : "unknown exception");
    } catch (...) {
    }
}

}  // namespace detail
}  // namespace platform
