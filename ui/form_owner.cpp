#include "form_owner.h"

#include <vector>

namespace platform {

namespace {
std::vector<QPointer<Form>>& Adopted()
{
    static std::vector<QPointer<Form>> forms;
    return forms;
}
} // namespace

void AdoptTopLevelForm(Form* form)
{
    if (form)
        Adopted().emplace_back(form);
}

void CloseTopLevelForms()
{
    // Taken out first, so that a form that opens another while it unloads cannot change
    // the list under the loop.
    std::vector<QPointer<Form>> forms;
    forms.swap(Adopted());
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (*it && (*it)->IsLoaded())
            (*it)->Unload(vbAppWindows);
    for (auto it = forms.rbegin(); it != forms.rend(); ++it)
        if (*it && !(*it)->parentWidget())
            delete it->data();
    if (!Adopted().empty())
        CloseTopLevelForms();
}

} // namespace platform
