#include "browse_for_file.h"

#include "core/data_folders.h"
#include "system/message_box.h"

#include <QWidget>

#include <exception>

namespace mduAlmanorvqueLib {

QString BrowseForFile(platform::CommonDialog& dialog, const QString& kind, const QString& /*current*/)
{
    if (kind == QLatin1String("Calendar Image Files") || kind == QLatin1String("Calendar Background Files") ||
        kind == QLatin1String("Window Background Files")) {
        dialog.DefaultExt = QStringLiteral("*.bmp;*.gif;*.jpg");
        dialog.FileName = dialog.DefaultExt;
        dialog.Filter = QStringLiteral("Image (*.bmp;*.gif;*.jpg)");
        dialog.InitDir = gImagesFolder;
    } else if (kind == QLatin1String("Window Styles")) {
        dialog.DefaultExt = QStringLiteral("*.ini");
        dialog.FileName = dialog.DefaultExt;
        dialog.Filter = QStringLiteral("Ini (*.ini)");
        dialog.InitDir = gStylesFolder;
    }
    try {
        // Cancel comes back as false or, with the dialog's CancelError on, as an exception.
        if (!dialog.ShowOpen())
            return {};
    } catch (const std::exception&) {
        return {};
    }
    if (dialog.FileName.isEmpty()) {
        platform::MsgBox(QStringLiteral("File is not set "), platform::vbCritical | platform::vbOKOnly,
                         QStringLiteral("Set File Error"), dialog.Owner());
        return {};
    }
    return dialog.FileName;
}

} // namespace mduAlmanorvqueLib
