#pragma once
// Fill a submenu's item array just before it is shown: from numbers, month names, a
// comma list, the files of a folder, pictures, colours. Each item's Tag carries the value
// its click hands on.
#include "menu_items.h"

#include <QtGlobal>

namespace mduAlmanorvqueLib {

// Items 1..12 show base + step * i (16-bit; overflow raises).
void FillNumberMenu(platform::MenuItemArray& menu, qint16 base, qint16 step);
// Items 1..12 show the month names, Tag the month number.
void FillMonthMenu(platform::MenuItemArray& menu);

} // namespace mduAlmanorvqueLib

namespace mduUILib {

// mode 1 compares Caption, any other Tag (both trimmed); true when an item got checked.
bool CheckMenuItem(platform::MenuItemArray& menu, const QString& value, qint16 mode);
// Places item count + 1; the caption is cut at the first separator ("." when empty).
void AddMenuItem(platform::MenuItemArray& menu, const QString& caption, const QString& tag, qint16& count,
                 qint16 captionAsTag, QString& separator);
void AddMenuItem(platform::MenuItemArray& menu, const QString& caption, const QString& tag, qint16& count,
                 qint16 captionAsTag, const QString& separator = QString());
// A picture file, "Default", "None" or a name with "More"; anything else is skipped.
void AddImageMenuItem(platform::MenuItemArray& menu, const QString& name, const QString& path, qint16& count);
// The folder's files, most recently used first, at most maxFiles (none when <= 0).
void FillFileMenu(platform::MenuItemArray& menu, const QString& folder, const QString& leading, const QString& closing,
                  qint16 maxFiles);
// Up to 11 pictures of the folder, then "None" and "More _".
void FillImageMenu(platform::MenuItemArray& menu, const QString& folder);
// One item per comma-separated element.
void FillMenuFromList(platform::MenuItemArray& menu, const QString& list);
// The eight colour names.
void FillColourMenu(platform::MenuItemArray& menu);
// Adds caption at the end unless the last item already shows it.
void AppendMenuItem(platform::MenuItemArray& menu, const QString& caption);
// "Disabled" when this program is the screen saver, else the time-outs 40..150.
void FillScreenSaverTimeMenu(platform::MenuItemArray& menu, const QString& command);

} // namespace mduUILib
