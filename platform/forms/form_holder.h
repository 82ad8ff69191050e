// SPDX-License-Identifier: LicenseRef-Tavelcor
// One instance per form, made on first use and destroyed by unloading.
//
//     // cselect.h
//     platform::FormHolder<Cselect>& cselectForm();
//     inline Cselect& cselect() { return cselectForm().instance(); }
//     // cselect.cpp
//     platform::FormHolder<Cselect>& cselectForm()
//     {
//         static platform::FormHolder<Cselect> holder;
//         return holder;
//     }
//
// instance() builds the form in its design state and fires its Load the first
// time it is used (using a control of a form loads it without showing it).
// A successful unload destroys the form with its controls; the next
// instance() builds it again, so every control is back in its design state.
//
// State that must outlive an unload (a window's own variables, which the
// program keeps for the whole run) does not belong in the form class: keep
// it in a plain struct owned by the code that uses the form, and let the form
// read and write that struct:
//
//     struct LinewidthState { bool everShown = false; };   // survives unloads
//     LinewidthState& linewidthState();                     // static inside
//
// Do not keep references to a form across an unload: ask the holder again.
#pragma once

#include "platform/forms/dispatch.h"
#include "platform/forms/form.h"

#include <QCoreApplication>

#include <memory>

namespace platform {

/// What every holder offers, for unloading all forms at once.
class FormHolderBase {
public:
    FormHolderBase();
    FormHolderBase(const FormHolderBase&) = delete;
    FormHolderBase& operator=(const FormHolderBase&) = delete;
    virtual ~FormHolderBase();

    /// The form while it is loaded; nullptr otherwise.
    virtual Form* loadedForm() const = 0;
    /// Destroys the form without asking it and without events.
    virtual void destroy() = 0;

    /// Used by unloadAllForms and destroyAllForms.
    static FormHolderBase* first();
    FormHolderBase* next() const { return mNext; }

protected:
    /// Called after a form was unloaded (see endWhenAllFormsUnload).
    static void formUnloaded();

private:
    FormHolderBase* mPrevious = nullptr;
    FormHolderBase* mNext = nullptr;
};

template <class T>
class FormHolder final : public FormHolderBase {
public:
    FormHolder() = default;

    ~FormHolder() override
    {
        // Widgets cannot outlive the application: a form still loaded when
        // the program's static objects go is left to the operating system.
        if (mForm && QCoreApplication::instance() == nullptr)
            static_cast<void>(mForm.release());
    }

    /// The form, built and loaded on first use. A Load handler must not
    /// unload its own form.
    T& instance()
    {
        if (!mForm) {
            auto form = std::make_unique<T>();
            T& made = *form;
            made.setUnloader([this](Form&) {
                detail::disposeForm(std::move(mForm));
                formUnloaded();
            });
            mForm = std::move(form);
            made.load();
            return made;
        }
        return *mForm;
    }

    /// The form when loaded, else nullptr; never loads it.
    T* ifLoaded() const { return mForm.get(); }
    bool isLoaded() const { return mForm != nullptr; }

    /// The statement Unload on the form (nothing when it is not loaded);
    /// false when it refused.
    bool unload() { return !mForm || Unload(*mForm); }

    Form* loadedForm() const override { return mForm.get(); }

    void destroy() override
    {
        if (mForm) {
            mForm->setUnloader(nullptr);
            detail::disposeForm(std::move(mForm));
        }
    }

private:
    std::unique_ptr<T> mForm;
};

/// Unloads every loaded form (QueryUnload and Unload may refuse); true when
/// all of them went.
bool unloadAllForms();

/// True while any form held by a FormHolder is loaded.
bool anyFormLoaded();

/// The holder whose loaded form has the name `name` (compared without regard
/// to case), for code that must reach a window of another part of the
/// program without depending on it; nullptr when no such form is loaded.
FormHolderBase* holderOfLoadedForm(const QString& name);

/// The statement End: every form goes without QueryUnload or Unload, and the
/// event loop ends (QCoreApplication::exit(0)). Inside a handler the forms
/// being used go once it returns. Note that QCoreApplication::quit() is no
/// substitute: Qt first sends each window a close request, which a form takes
/// as its close box.
void End();

/// On: the program ends (QCoreApplication::quit) as soon as it is idle with
/// no form loaded after an unload, as a program ends when its last window is
/// unloaded. Each program's main switches it on before its event loop.
/// Unloading one window and loading the next within one handler does not end
/// the program. Off by default.
void endWhenAllFormsUnload(bool on = true);

/// Destroys every loaded form without events, and the ones waiting to be
/// destroyed: for the end of the program (each main calls it after its event
/// loop ends, while the application object still lives) and between tests.
void destroyAllForms();

}  // namespace platform
