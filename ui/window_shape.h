#pragma once
// Window shape, title bar and stacking of a form.
#include <QString>

namespace platform {
class Form;
}

namespace mduAPILib {

void SetTopMostNow(platform::Form& frm);
void SetCaptionStyle(platform::Form& frm, bool noCaption, bool noMinMax);
void ApplyBorderStyle(platform::Form& frm, const QString& styleName);

} // namespace mduAPILib
