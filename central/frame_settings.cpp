// The frame's own settings file: found, created from its template or merged with a newer
// one, applied at start-up, stored by "Save Current Settings" and at the exit.
#include "frame_banner_state.h"
#include "frame_settings_state.h"
#include "frame_window.h"

#include "core/app_identity.h"
#include "core/colour_names.h"
#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/display_routines.h"
#include "core/file_helpers.h"
#include "core/set_up_step.h"
#include "core/settings_templates.h"
#include "core/text_utilities.h"
#include "core/window_placement.h"
#include "system/whole_file_write.h"
#include "ui/window_shape.h"

using namespace mduAlmanorvqueLib;
using mduLib::GetProp;
using mduLib::SetProp;
using mduLib::Step;

mduLib::PropertyTable& frmMain::CentralSettings() { return settings_->CentralSettings; }

const mduLib::PropertyTable& frmMain::CentralSettings() const { return settings_->CentralSettings; }

void frmMain::LoadCentralSettingsFile()
{
    const QString name = mduLib::WithIniExtension(appinfo::ExeName());
    const QString templ = gIniTemplateFolder + name;
    gCentralIniFile = gDataFolder + "/" + name;
    Step([&] {
        if (!mduLib::FileExists(gCentralIniFile)) {
            mduLib::CopyFileFso(templ, gCentralIniFile, false);
            return;
        }
        // Only a template newer than the user's file is merged into it.
        const auto user = mduLib::FileTimeSeconds(gCentralIniFile);
        const auto tmpl = mduLib::FileTimeSeconds(templ);
        if (user && tmpl && *user - *tmpl < 0)
            mduLib::MergeIniFile(gCentralIniFile, templ, gCentralIniFile);
    });
    Step([&] { mduLib::LoadIniFile(gCentralIniFile, settings_->CentralSettings); });
    gPropertyTable = settings_->CentralSettings;
}

void frmMain::LoadBackgroundPicture()
{
    QString file = GetProp(QStringLiteral("Window Background File"), settings_->CentralSettings);
    if (!mduLib::IsPathPresent(file))
        return;
    const QImage picture(file);
    if (!picture.isNull()) // a file that is no picture leaves the backdrop as it is
        banner_->BackgroundPicture = picture;
}

void frmMain::ApplyCentralSettings()
{
    const auto prop = [&](const char* key) { return GetProp(QString::fromLatin1(key), settings_->CentralSettings); };
    Step([&] { SetWindowState(mduUILib::WindowStateFromName(prop("Window State"))); });
    if (WindowState() == platform::vbNormal) {
        Step([&] { mduUILib::RestoreWindowPosition(*this, settings_->CentralSettings); });
        const QSizeF screen = mduUILib::ScreenSizeTwips();
        // A value that is no number is skipped: the placement above stands.
        const QString top = prop("Window Top");
        if (conv::IsNumeric(top)) {
            const qint32 v = conv::ToInt32(conv::ToDouble(top));
            SetTop(v == -1 ? static_cast<float>((screen.height() - Height()) / 2) : static_cast<float>(v));
        }
        const QString left = prop("Window Left");
        if (conv::IsNumeric(left)) {
            const qint32 v = conv::ToInt32(conv::ToDouble(left));
            SetLeft(v == -1 ? static_cast<float>((screen.width() - Width()) / 2) : static_cast<float>(v));
        }
    }
    Step([&] { SetToolbarSize(prop("Toolbar Size")); });
    Step([&] { SetToolbarPosition(prop("Tool Bar")); });
    Step([&] { SetStatusBarPosition(prop("Status Bar")); });
    Step([&] {
        QString colour = prop("Window Background Colour");
        SetWindowBackground(colour);
    });
    Step([&] { mduAPILib::ApplyBorderStyle(*this, prop("Window Border")); });
    Step([&] {
        mduAPILib::SetCaptionStyle(
            *this, !mduLib::GetYesNoProp(QStringLiteral("Window Title Bar"), CentralSettings(), true), false);
    });
}

void frmMain::SaveCentralSettings()
{
    SetProp(QStringLiteral("Window Background Colour"), mduUILib::ColourName(BackColor()), settings_->CentralSettings);
    SetProp(QStringLiteral("Tool Bar"), mduLib::AlignName(tbToolBar->Align(), tbToolBar->Visible()),
            settings_->CentralSettings);
    SetProp(QStringLiteral("Toolbar Size"), tbToolBar->Tag, settings_->CentralSettings);
    SetProp(QStringLiteral("Status Bar"), mduLib::YesNoText(StatusBar().isVisible()), settings_->CentralSettings);
    SetProp(QStringLiteral("Window State"), mduUILib::WindowStateName(QString::number(WindowState())),
            settings_->CentralSettings);
    SaveWindowSettings();
}

void frmMain::SaveWindowSettings()
{
    if (WindowState() == platform::vbNormal) {
        SetProp(QStringLiteral("Window Top"), conv::NumberText(Top()), settings_->CentralSettings);
        SetProp(QStringLiteral("Window Left"), conv::NumberText(Left()), settings_->CentralSettings);
        SetProp(QStringLiteral("Window Width"), conv::NumberText(Width()), settings_->CentralSettings);
        SetProp(QStringLiteral("Window Height"), conv::NumberText(Height()), settings_->CentralSettings);
    }
    Step([&] {
        // Only what the frame changed goes into the file as it is now: another copy's
        // saved settings stay, and a file that cannot be read whole is left alone.
        if (!mduLib::SaveIniFileMerged(settings_->CentralSettings, gCentralIniFile))
            qWarning().noquote() << "AlmanorviqueCentral: the frame's settings could not be saved:"
                                 << platform::LastWriteFailure();
    });
    Step([&] { SaveToolbarLayout(); });
}

void frmMain::WindowTitleBar_Click(const QString& itemTag)
{
    // The item's tag says whether the title bar is shown now.
    if (mduLib::IsYes(itemTag)) {
        mduAPILib::SetCaptionStyle(*this, true, true);
        SetProp(QStringLiteral("Window Title Bar"), QStringLiteral("No"), settings_->CentralSettings);
    } else {
        mduAPILib::SetCaptionStyle(*this, false, true);
        SetProp(QStringLiteral("Window Title Bar"), QStringLiteral("Yes"), settings_->CentralSettings);
    }
}
