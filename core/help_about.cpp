#include "help_about.h"

#include "app_identity.h"
#include "system/message_box.h"

namespace mduUILib {
namespace {
constexpr int kDefaultHelpContext = 100;

HelpViewer& Viewer()
{
    static HelpViewer v;
    return v;
}
ActiveHelpWindow& Active()
{
    static ActiveHelpWindow a;
    return a;
}
} // namespace

void SetHelpViewer(HelpViewer viewer) { Viewer() = std::move(viewer); }
void SetActiveHelpWindow(ActiveHelpWindow provider) { Active() = std::move(provider); }

void OpenHelpTopic(QString& file)
{
    if (file.isEmpty())
        file = appinfo::ExeName() + QStringLiteral(".chm");
    const HelpWindowRef active = Active() ? Active()() : HelpWindowRef();
    int context = kDefaultHelpContext;
    if (active.helpContextID) {
        if (*active.helpContextID == 0)
            *active.helpContextID = kDefaultHelpContext;
        context = *active.helpContextID;
    }
    if (Viewer())
        Viewer()(appinfo::ProgramFolder() + QStringLiteral("/Help/") + file, context, active.window);
}

QString AboutText()
{
    return appinfo::ProgramTitle() + QStringLiteral(" version ") + appinfo::Version() +
           QStringLiteral(" - a decorated calendar for your desktop.\r\n\r\n") +
           QStringLiteral("Made by the Almanorvique developers.\r\n"
                          "You may use and pass on this program freely; it comes without any warranty.");
}

void ShowAbout() { platform::MsgBox(AboutText(), platform::vbOKOnly, QStringLiteral("About")); }

} // namespace mduUILib
