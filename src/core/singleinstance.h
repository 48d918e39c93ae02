#pragma once

#include "core/formlist.h"

#include <QPointer>

namespace vantor {

// The one window of class T that the program keeps at a time: loaded on first use, released when
// it unloads, so the next use loads a fresh one. T's constructor adds the window to the form
// list; a T with a private constructor befriends SingleInstance<T>.
template <class T> class SingleInstance {
public:
    // The window, loaded now if it is not.
    static T& instance() {
        if (loadedInstance() == nullptr)
            pointer() = new T; // deletes itself when it unloads
        return *pointer();
    }
    // The window if it is loaded, without loading it. One that has unloaded but not yet been
    // deleted is no longer the window.
    static T* loadedInstance() {
        T* window = pointer().data();
        return FormList::contains(window) ? window : nullptr;
    }
    static void unloadInstance() {
        if (T* window = loadedInstance())
            FormList::unload(window);
    }

private:
    static QPointer<T>& pointer() {
        static QPointer<T> window;
        return window;
    }
};

} // namespace vantor
