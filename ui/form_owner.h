#pragma once
// Who deletes a form: the program owns its top-level forms (default instances and the
// windows it opens itself) and deletes each once at the end of the run; a child window
// belongs to its frame, which deletes it with itself. Everybody else holds a QPointer.
#include "form.h"

#include <QPointer>

namespace platform {

// The program takes the form; it is deleted by CloseTopLevelForms unless a parent widget
// deleted it first.
void AdoptTopLevelForm(Form* form);

// Unloads every adopted form that is still loaded, then deletes them, newest first.
void CloseTopLevelForms();

// The default instance of a form class, created on first use and owned by the program.
template <class T> T& DefaultInstance(QPointer<T>& slot)
{
    if (!slot) {
        slot = new T();
        AdoptTopLevelForm(slot.data());
    }
    return *slot;
}

} // namespace platform
