// SPDX-License-Identifier: LicenseRef-Tavelcor
// Control arrays: controls of one kind sharing a name and their event
// handlers, told apart by an index (`Option8(i)`). Indexes need not be
// contiguous (a colour picker may have 0, 2, 3, 4, 6, ...).
//
//     platform::ControlArray<platform::OptionButton> Option14{"Option14"};
//     ...in the form's constructor:
//     for (int i : {0, 2, 3, 4}) Option14.add(i, *this);
//     Option14.Click = [this](int index) { Option14_Click(index); };
//
// The array owns its elements; declare it after the containers its elements
// go in. Each element's events call the array's handler with its index.
#pragma once

#include "platform/forms/dispatch.h"

#include <QString>

#include <functional>
#include <map>
#include <memory>
#include <stdexcept>
#include <string>
#include <utility>
#include <vector>

namespace platform {

template <class T>
class ControlArray {
public:
    explicit ControlArray(QString name) : mName(std::move(name)) {}
    ControlArray(const ControlArray&) = delete;
    ControlArray& operator=(const ControlArray&) = delete;

    /// Makes element `index` with the control's constructor arguments before
    /// the name (usually its container). When the element exists already it
    /// is returned unchanged.
    template <class... Args>
    T& add(int index, Args&&... args)
    {
        if (T* existing = find(index))
            return *existing;
        auto element = std::make_unique<T>(std::forward<Args>(args)..., mName);
        element->setArrayMembership(mName, index);
        wire(*element, index);
        T& added = *element;
        mElements[index] = std::move(element);
        return added;
    }

    /// Removes element `index` (its widget goes with it); false when none.
    /// Inside an event handler the element is only hidden and taken out of
    /// the array; it is destroyed later, so the handler may remove the very
    /// element whose event it handles.
    bool remove(int index)
    {
        const auto found = mElements.find(index);
        if (found == mElements.end())
            return false;
        std::unique_ptr<T> element = std::move(found->second);
        mElements.erase(found);
        if (detail::dispatching()) {
            if constexpr (requires { element->setVisible(false); })
                element->setVisible(false);
            mRetired.push_back(std::move(element));
        } else {
            mRetired.clear();
        }
        return true;
    }

    /// Element `index`; throws std::out_of_range when there is none (the event
    /// dispatch logs such an escape; use find or exists to test first).
    T& operator()(int index) const
    {
        const auto found = mElements.find(index);
        if (found == mElements.end())
            throw std::out_of_range("control array " + mName.toStdString() + " has no element "
                                    + std::to_string(index));
        return *found->second;
    }
    T& operator[](int index) const { return (*this)(index); }
    /// Element `index`, or nullptr.
    T* find(int index) const
    {
        const auto found = mElements.find(index);
        return found == mElements.end() ? nullptr : found->second.get();
    }
    bool exists(int index) const { return mElements.count(index) > 0; }

    const QString& Name() const { return mName; }
    int Count() const { return static_cast<int>(mElements.size()); }
    /// Lowest and highest index; 0 and -1 for an empty array.
    int LBound() const { return mElements.empty() ? 0 : mElements.begin()->first; }
    int UBound() const { return mElements.empty() ? -1 : mElements.rbegin()->first; }
    /// The indexes in ascending order.
    std::vector<int> indexes() const
    {
        std::vector<int> result;
        result.reserve(mElements.size());
        for (const auto& element : mElements)
            result.push_back(element.first);
        return result;
    }

    /// Iterates over the elements in index order; `element.second` is the control.
    auto begin() const { return mElements.begin(); }
    auto end() const { return mElements.end(); }

    // Events of the elements, with the element's index first.
    std::function<void(int index)> Click;
    std::function<void(int index)> DblClick;
    std::function<void(int index)> GotFocus;
    std::function<void(int index)> LostFocus;
    std::function<void(int index)> Change;
    std::function<void(int index)> Scroll;
    std::function<void(int index)> Timer;
    std::function<void(int index, int button, int shift, double x, double y)> MouseDown;
    std::function<void(int index, int button, int shift, double x, double y)> MouseMove;
    std::function<void(int index, int button, int shift, double x, double y)> MouseUp;
    std::function<void(int index, int& keyCode, int shift)> KeyDown;
    std::function<void(int index, int& keyCode, int shift)> KeyUp;
    std::function<void(int index, int& keyAscii)> KeyPress;

private:
    void wire(T& element, int index)
    {
        if constexpr (requires { element.Click; })
            element.Click = [this, index] { forward(Click, index); };
        if constexpr (requires { element.DblClick; })
            element.DblClick = [this, index] { forward(DblClick, index); };
        if constexpr (requires { element.GotFocus; })
            element.GotFocus = [this, index] { forward(GotFocus, index); };
        if constexpr (requires { element.LostFocus; })
            element.LostFocus = [this, index] { forward(LostFocus, index); };
        if constexpr (requires { element.Change; })
            element.Change = [this, index] { forward(Change, index); };
        if constexpr (requires { element.Scroll; })
            element.Scroll = [this, index] { forward(Scroll, index); };
        if constexpr (requires { element.Timer; })
            element.Timer = [this, index] { forward(Timer, index); };
        wireInput(element, index);
    }

    void wireInput(T& element, int index)
    {
        if constexpr (requires { element.MouseDown; }) {
            element.MouseDown = [this, index](int b, int s, double x, double y) { forward(MouseDown, index, b, s, x, y); };
            element.MouseMove = [this, index](int b, int s, double x, double y) { forward(MouseMove, index, b, s, x, y); };
            element.MouseUp = [this, index](int b, int s, double x, double y) { forward(MouseUp, index, b, s, x, y); };
            element.KeyDown = [this, index](int& code, int s) { forward(KeyDown, index, code, s); };
            element.KeyUp = [this, index](int& code, int s) { forward(KeyUp, index, code, s); };
            element.KeyPress = [this, index](int& ascii) { forward(KeyPress, index, ascii); };
        }
    }

    // The element's own dispatch has checked the form and caught exceptions.
    template <class Handler, class... Args>
    static void forward(const Handler& handler, Args&&... args)
    {
        if (handler) {
            const Handler call = handler;
            call(std::forward<Args>(args)...);
        }
    }

    QString mName;
    std::map<int, std::unique_ptr<T>> mElements;
    std::vector<std::unique_ptr<T>> mRetired;  // removed inside a handler
};

}  // namespace platform
