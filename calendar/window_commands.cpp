// The fixed commands of the window menu that are no settings: About, Help, auto start,
// the screen saver and the property editor.
#include "calendar_window.h"
#include "commands_state.h"

#include "core/app_identity.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/desktop_settings.h"
#include "core/help_about.h"
#include "editors/dialogs/property_editor.h"

using namespace mduAlmanorvqueLib;

void frmAlmanorvique::About_Click() { mduUILib::ShowAbout(); }

void frmAlmanorvique::Help_Click()
{
    QString file; // the program's own help
    mduUILib::OpenHelpTopic(file);
}

void frmAlmanorvique::AutoStart_Click()
{
    if (conv::LeadingNumber(commands_->AutoStartTag) == 1) {
        mduAPILib::ClearAutoStart();
    } else {
        QString arguments;
        mduAPILib::SetAutoStart(arguments);
    }
}

QString frmAlmanorvique::GetScreenSaverCommand()
{
    // The program itself, with the blank before the arguments the screen saver adds.
    return appinfo::ProgramFolder() + "/" + appinfo::ExeName() + " ";
}

void frmAlmanorvique::ScreenSaverTime_Click(int Index)
{
    const QString caption = ScreenSaverTime(Index).Caption();
    if (caption == QLatin1String("Disabled"))
        mduAPILib::SetScreenSaver(QString(), QString(), 0, 0);
    else
        mduAPILib::SetScreenSaver(GetScreenSaverCommand(), QString(), conv::ToInt16(conv::LeadingNumber(caption)), 0);
}

void frmAlmanorvique::PropertiesMenu_Click()
{
    // The editor works on a copy; it hands the edited table back through RefreshForm.
    gPropertyTable = Properties_;
    if (MDIChild())
        frmProperties::Default().ShowPropertyMDIChild(this, conv::ToInt32(Left()), conv::ToInt32(Top()),
                                                      lblMonth.Caption(), 0);
    else
        frmProperties::Default().ShowProperty(this, Caption());
}
