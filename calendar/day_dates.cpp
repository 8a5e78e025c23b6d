// The date tables of the window: captions, messages and fonts of single days.
#include "calendar_window.h"

QString frmAlmanorvique::GetSpecialDateMsg(QString&) { return {}; }
QString frmAlmanorvique::DefaultDateFormat() { return {}; }
void frmAlmanorvique::SetDialogFontLabel(platform::Label&) {}
void frmAlmanorvique::SetDialogFont(QString&) {}
void frmAlmanorvique::SetDateFont(const QString&, QString&) {}
void frmAlmanorvique::SetDateItem(const QString&, const QString&, const QString&) {}
void frmAlmanorvique::EditDateCaptionMessage(const QString&, const QString&, const QString&, int) {}
void frmAlmanorvique::ResetAllDateFonts() {}
QString frmAlmanorvique::GetFontSpec(const platform::Label&) { return {}; }
bool frmAlmanorvique::IsHighlightShown() { return shpHighlight.Visible(); }
mduLib::PropertyTable* frmAlmanorvique::YearTableOf(const QDate&) { return nullptr; }
