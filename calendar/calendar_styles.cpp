// Saving the settings table to the window's settings file or as a style, and loading a
// style into it.
#include "calendar_window.h"
#include "settings_keys.h"

#include "core/app_identity.h"
#include "core/data_folders.h"
#include "core/first_start_look.h"
#include "core/style_files.h"
#include "core/window_placement.h"
#include "system/message_box.h"
#include "system/whole_file_write.h"
#include "ui/update_lock.h"

#include <QDebug>
#include <exception>

using namespace mduAlmanorvqueLib;

void frmAlmanorvique::SavePropertiesMenu_Click()
{
    // Only what this window changed goes into the file as it is now: another copy's saved
    // settings stay, and a file that cannot be read whole is not cut short.
    if (!mduLib::SaveIniFileMerged(Properties_, IniFilePath_))
        platform::MsgBox("The settings could not be saved.\r\n" +
                             (platform::LastWriteFailure().isEmpty() ? IniFilePath_ : platform::LastWriteFailure()),
                         platform::vbExclamation, QStringLiteral("Save Current Properties"), this);
}

void frmAlmanorvique::TellUnreadableSettings()
{
    if (IniFileProblem_.isEmpty())
        return;
    const QString text = "The settings file " + IniFilePath_ + " could not be read as it stands: " + IniFileProblem_ +
                         ".\r\n\r\nThe window shows what could be read. The file is left as it is: nothing is saved "
                         "to it until it can be read whole.";
    IniFileProblem_.clear();
    // A screen saver ends at the first key: it is only written down.
    if (IsScreenSaverStyle())
        qWarning().noquote() << "Almanorvique:" << text;
    else
        platform::MsgBox(text, platform::vbExclamation, QStringLiteral("Settings File"), this);
}

void frmAlmanorvique::SaveStyleAs_Click() { SaveStyleToFile(); }

void frmAlmanorvique::SaveStyleToFile()
{
    objDialog.DefaultExt = QStringLiteral("*.ini");
    objDialog.FileName = objDialog.DefaultExt;
    objDialog.Filter = QStringLiteral("Ini File (*.ini)");
    objDialog.InitDir = gStylesFolder;
    try {
        if (!objDialog.ShowSave())
            return;
    } catch (const std::exception&) {
        return; // cancelled
    }
    const std::optional<QString> path = mduLib::StyleSavePath(objDialog.FileName);
    if (!path) {
        platform::MsgBox(QStringLiteral("A style name cannot hold * ? or \\."), platform::vbExclamation,
                         QStringLiteral("Save Style As"), this);
        return;
    }
    // The style carries its own name, and the window wears it once it is saved: the menu
    // checks the style by this name.
    mduLib::PropertyTable style = Properties_;
    mduLib::SetProp(calendarkeys::WindowStyles, mduLib::StyleNameOf(*path), style);
    // Pictures of the program folder by their place in it, so that the style shows them
    // in a copied or moved program folder too.
    for (const QString& key : {calendarkeys::CalendarImageFiles, calendarkeys::CalendarBackgroundFiles,
                               calendarkeys::WindowBackgroundFiles}) {
        const QString value = mduLib::GetProp(key, style);
        const QString kept = PictureValueFor(value, appinfo::ProgramFolder());
        if (kept != value)
            mduLib::SetProp(key, kept, style);
    }
    // A style file too long to read whole, or not decoded, is not replaced by a table that
    // holds only part of it.
    if (mduLib::SaveIniFileReplacing(style, *path))
        Properties_ = style;
    else
        platform::MsgBox("The style could not be saved to " + *path + ". The old file is kept.\r\n" +
                             platform::LastWriteFailure(),
                         platform::vbExclamation, QStringLiteral("Save Style As"), this);
}

void frmAlmanorvique::LoadStyle(const QString& path)
{
    if (!mduLib::IsStylePath(path))
        return;
    platform::ScopedUpdateLock lock(hWnd());
    // The full load reads the date files again: what the tables hold goes there first.
    SaveDateTablesOrAsk(QStringLiteral("No loads the style; the dates stay in the window and are saved later."));
    if (!mduLib::LoadStyleFile(path, Properties_))
        return;
    // The full load shows exactly the style's picture and page, or none.
    for (int slot : {0, 1}) {
        imgCalendar(slot).SetPicture(platform::Picture());
        imgCalendar(slot).Tag.clear();
    }
    mduUILib::RestoreWindowPlacement(*this, Properties_);
    FormState_ = kFullLoad;
    Timer1.SetInterval(1);
}
