#pragma once
// The arithmetic and text rules of the entry-table dialogs (property editor and date
// manager), kept apart from their windows.
#include "core/settings_store.h"

#include <QString>
#include <QStringList>

namespace entrytable {

// Where the grid and the two buttons go for a window of the given outer size (twips).
struct FrameLayout {
    float gridWidth = 0;
    qint32 valueColWidth = 0;
    float gridHeight = 0;
    float buttonTop = 0;
    float closeLeft = 0;
    float actionLeft = 0;
};
FrameLayout LayOutFrame(float windowWidth, float windowHeight, float gridLeft, float gridTop, qint32 keyColWidth,
                        float closeWidth, float actionWidth);

// A value that is a font format (seven fields: name, size, bold, italic, colour,
// underline, strikethrough) is one text, not a choice followed by offered choices.
bool IsFontFormatValue(const QString& key, const QString& value);

// What the property editor shows of a setting: the current choice (the text before the
// first comma), or the whole value when it is a font format or has no comma.
QString SettingValueText(const mduLib::PropertyItem& e);
// The offered choices of a setting: its parts after the first comma, empty ones included;
// none for a font format.
QStringList OfferedChoices(const mduLib::PropertyItem& e);
// Stores an edited choice into the setting: the offered choices stay behind it when the
// old value had a comma at its second position or later. A font format is replaced whole.
void StoreSettingText(mduLib::PropertyItem& e, const QString& text);

// The date manager's row label: "dd/mm:Section".
QString DateEntryLabel(const mduLib::PropertyItem& e);

// An emptied value is put back unless its label names a file ("File", exact case).
bool RestoresEmptyValue(const QString& label);
// The double-click file choice works on rows labelled "... file" or "... files".
bool IsFileLabel(const QString& label);

// The sort kept in the grid's Tag ("2,1"): column and order; an empty tag is column 1 in
// table order.
void SortFromTag(const QString& tag, int& column, int& order);

} // namespace entrytable
