// The window's three pictures (the picture, the page, the backdrop), which of them a
// full load shows, the background colour and importing a picture into the images folder.
#include "calendar_window.h"
#include "commands_state.h"
#include "settings_keys.h"

#include "core/app_identity.h"
#include "core/colour_names.h"
#include "core/data_folders.h"
#include "core/display_routines.h"
#include "core/file_helpers.h"
#include "core/first_start_look.h"
#include "core/text_utilities.h"
#include "core/year_dates.h"
#include "system/clock.h"
#include "system/message_box.h"
#include "ui/menu_fillers.h"
#include "ui/window_shape.h"

#include <QDateTime>
#include <QFileInfo>
#include <exception>

using namespace mduAlmanorvqueLib;
namespace keys = calendarkeys;

namespace calendarpictures {

bool IsNoPicture(const QString& file) { return file == calendarcommands::None || file == QLatin1String("0"); }

int OtherSlot(int slot) { return slot == 0 ? 1 : 0; }

} // namespace calendarpictures

QString frmAlmanorvique::PictureFileOf(const QString& value) const
{
    // The value stays as stored; one relative to the program folder, or a shipped picture
    // of a moved program folder, is shown from the folder the program runs in.
    return PictureFileToShow(PictureFilePath(value, appinfo::ProgramFolder()), gImagesFolder);
}

bool frmAlmanorvique::LoadCalendarPicture(QString& value, int slot, bool clearWhenNone)
{
    platform::Image& img = imgCalendar(slot);
    if (!calendarpictures::IsNoPicture(value)) {
        const QString file = PictureFileOf(value);
        const bool isImage = mduLib::IsImageFile(file);
        const bool exists = mduLib::FileExists(file);
        if (isImage && exists) {
            if (img.Tag != file) {
                // A file that cannot be decoded empties the slot: the Tag never names a
                // picture that is not shown, and the user learns why.
                QString whyNot;
                const platform::Picture pic = platform::Picture::FromFile(file, &whyNot);
                img.SetPicture(pic);
                img.Tag = pic.IsEmpty() ? QString() : file;
                if (pic.IsEmpty())
                    TellPictureFailure(file, whyNot);
                if (!commands_->Replaying)
                    mduAPILib::RefreshTransparentMask(*this);
            }
        } else {
            img.SetPicture(platform::Picture());
            img.Tag.clear();
        }
    } else {
        if (clearWhenNone)
            img.SetPicture(platform::Picture());
        img.Tag.clear();
    }
    return !img.Tag.isEmpty();
}

void frmAlmanorvique::TellPictureFailure(const QString& file, const QString& whyNot)
{
    // Once a run for the file as it is; a screen saver shows no box that would hold it.
    const QFileInfo info(file);
    const QString told =
        file + u'\n' + QString::number(info.size()) + u' ' + QString::number(info.lastModified().toMSecsSinceEpoch());
    if (IsScreenSaverStyle() || !gRun.ToldPictureFailures.insert(told).second)
        return;
    platform::MsgBox("The picture " + file + " cannot be shown: " + whyNot + ".", platform::vbExclamation,
                     QStringLiteral("Picture"), this);
}

void frmAlmanorvique::ShowCurrentPictures()
{
    auto loadSetting = [this](int slot) {
        QString file =
            mduLib::GetProp(slot == 1 ? keys::CalendarBackgroundFiles : keys::CalendarImageFiles, Properties_);
        LoadCalendarPicture(file, slot, false);
    };
    if (!MDIChild()) {
        const QString today = DayMonthKey(platform::Today());
        const QString found[4] = {
            mduLib::GetProp(today, YearDates(), keys::ImageSection),
            mduLib::GetProp(today, gPersonalDates, keys::ImageSection),
            mduLib::GetProp(GetMonthImageKey(), gPersonalDates, keys::ImageSection),
            mduLib::GetProp(GetYearImageKey(), gPersonalDates, keys::ImageSection),
        };
        for (QString file : found) {
            if (ShowPictureByOrientation(file)) {
                // The date picture takes its own slot only; the other one still shows
                // what the settings name.
                const int own = mduLib::GetProp(keys::Orientation, Properties_) == QLatin1String("Center") ? 1 : 0;
                loadSetting(calendarpictures::OtherSlot(own));
                return;
            }
        }
    }
    loadSetting(1);
    loadSetting(0);
}

void frmAlmanorvique::SetWindowBackColour(QString& strColour, int intSetOption)
{
    // A failure ends the operation without a message; the setting is then not stored.
    try {
        // DrawStyle marks a see-through background, by which the frame passes its colour on.
        if (mduUILib::IsCustom(strColour)) {
            if (intSetOption == 1) {
                objDialog.Color = BackColor();
                // A cancelled colour dialog changes nothing.
                if (!objDialog.ShowColor())
                    return;
                SetBackColor(objDialog.Color);
            }
            DrawStyle = 0;
            strColour = QString::number(BackColor());
        } else if (strColour != calendarcommands::Transparent) {
            DrawStyle = 0;
            SetBackColor(mduUILib::ColourFromName(QString(strColour)));
        } else {
            DrawStyle = kTransparentDrawStyle;
        }
        // Today's cell is filled white. Pure white stays see-through once the window was
        // transparent, so only the transparent look fills it with the colour key.
        const qint32 cellFill = strColour == calendarcommands::Transparent ? 0xFFFFFF : 0xFFFFFD;
        for (int i = 1; i <= lblDate.UBound(); ++i)
            if (lblDate.Exists(i))
                lblDate(i).SetBackColor(cellFill);
        if (strColour == calendarcommands::Transparent) {
            SetBackColor(MDIChild() && ParentForm_ ? ParentForm_->BackColor() : 0xFFFFFF);
            for (int i = 0; i <= 2; ++i)
                imgCalendar(i).SetVisible(false);
            mduAPILib::MakeWhiteTransparent(*this);
        }
        mduLib::SetProp(keys::WindowBackgroundColours, strColour, Properties_);
    } catch (const std::exception&) {
    }
}

void frmAlmanorvique::AddFile(const QString& sPath, const QString& sFile)
{
    if (!mduLib::IsImageFile(sFile))
        return;
    const QString source = sPath + "/" + sFile;
    const QString target = gImagesFolder + sFile;
    if (mduLib::FileExists(target)) {
        platform::MsgBox(sFile + " exists in " + gImagesFolder, platform::vbInformation, QStringLiteral("Add File"),
                         this);
        return;
    }
    if (!mduLib::FileExists(source))
        return;
    mduLib::CopyFileFso(source, target, false);
    qint16 count = static_cast<qint16>(MainImage.Count());
    mduUILib::AddImageMenuItem(MainImage, sFile, target, count);
}
