// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/form_holder.h"

#include <QMetaObject>

namespace platform {

namespace {

// The holders form a list of their own: a plain pointer needs no
// destruction, so holders may go in any order at the program's end.
FormHolderBase* gFirstHolder = nullptr;

// Set by the programs' mains: end when the last form is unloaded.
bool gEndWhenAllUnload = false;

}  // namespace

FormHolderBase::FormHolderBase() : mNext(gFirstHolder)
{
    if (gFirstHolder != nullptr)
        gFirstHolder->mPrevious = this;
    gFirstHolder = this;
}

FormHolderBase::~FormHolderBase()
{
    if (mPrevious != nullptr)
        mPrevious->mNext = mNext;
    else
        gFirstHolder = mNext;
    if (mNext != nullptr)
        mNext->mPrevious = mPrevious;
}

FormHolderBase* FormHolderBase::first()
{
    return gFirstHolder;
}

void FormHolderBase::formUnloaded()
{
    QCoreApplication* app = QCoreApplication::instance();
    if (!gEndWhenAllUnload || app == nullptr)
        return;
    // Decide once the handlers are done: they may load the next window.
    QMetaObject::invokeMethod(
        app,
        [] {
            if (gEndWhenAllUnload && !anyFormLoaded())
                QCoreApplication::quit();
        },
        Qt::QueuedConnection);
}

bool anyFormLoaded()
{
    for (FormHolderBase* holder = FormHolderBase::first(); holder != nullptr; holder = holder->next()) {
        if (holder->loadedForm() != nullptr)
            return true;
    }
    return false;
}

FormHolderBase* holderOfLoadedForm(const QString& name)
{
    for (FormHolderBase* holder = FormHolderBase::first(); holder != nullptr; holder = holder->next()) {
        const Form* form = holder->loadedForm();
        if (form != nullptr && form->Name().compare(name, Qt::CaseInsensitive) == 0)
            return holder;
    }
    return nullptr;
}

void End()
{
    destroyAllForms();
    QCoreApplication::exit(0);
}

void endWhenAllFormsUnload(bool on)
{
    gEndWhenAllUnload = on;
}

bool unloadAllForms()
{
    bool allGone = true;
    for (FormHolderBase* holder = FormHolderBase::first(); holder != nullptr; holder = holder->next()) {
        if (Form* form = holder->loadedForm())
            allGone = Unload(*form) && allGone;
    }
    return allGone;
}

void destroyAllForms()
{
    for (FormHolderBase* holder = FormHolderBase::first(); holder != nullptr; holder = holder->next())
        holder->destroy();
    destroyPendingForms();
}

}  // namespace platform
