#pragma once
// The file chooser of the picture and style settings, run on the calling window's own
// common dialog (which keeps its set-up between uses).
#include "common_dialog.h"

#include <QString>

namespace mduAlmanorvqueLib {

// Sets the dialog up for the kind ("Calendar Image Files", "Calendar Background Files",
// "Window Background Files": pictures in the images folder; "Window Styles": style files
// in the styles folder; any other kind: as the dialog stands) and shows it to open a
// file. The chosen full path; "" when cancelled or when the dialog fails, and "" with a
// message box when it was confirmed without a name. current does not change the outcome.
QString BrowseForFile(platform::CommonDialog& dialog, const QString& kind, const QString& current);

} // namespace mduAlmanorvqueLib
