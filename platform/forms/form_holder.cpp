// SPDX-License-Identifier: LicenseRef-Tavelcor
#include "platform/forms/form_holder.h"

namespace platform {

namespace {

// The holders form a list of their own: a plain pointer needs no
// destruction, so holders may go in any order at the program's end.
FormHolderBase* gFirstHolder = nullptr;

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
