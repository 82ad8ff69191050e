// SPDX-License-Identifier: LicenseRef-Tavelcor
// For tests: a scripted prompter's answer to a modal form, typed to the form
// class, so the answer works the form's controls directly:
//
//     script->expectModal(platform::onForm<Cselect>([](Cselect& f) {
//         f.Command4.setValue(true);   // "全解除"
//         f.Command2.setValue(true);   // "閉じる" unloads the form
//     }), "表示色選択");
//
// When the form shown is of another class, the action does nothing and the
// scripted prompter reports the form left open.
#pragma once

#include "platform/forms/form.h"
#include "platform/prompt/scripted_prompter.h"

#include <QDebug>

#include <functional>
#include <utility>

namespace platform {

template <class T>
ModalAction onForm(std::function<void(T&)> act)
{
    return [act = std::move(act)](ModalWindow& window) {
        if (auto* form = dynamic_cast<T*>(&window))
            act(*form);
        else
            qWarning().noquote() << "modal answer for another form:" << window.modalCaption();
    };
}

}  // namespace platform
