#include "menu_fillers.h"

#include "core/conversions.h"
#include "core/desktop_settings.h"
#include "core/settings_store.h"
#include "core/text_utilities.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QLocale>

using platform::MenuItem;
using platform::MenuItemArray;

namespace {
// Shows item i with caption and tag.
void Put(MenuItemArray& menu, int i, const QString& caption, const QString& tag)
{
    MenuItem& item = menu.Ensure(i);
    item.SetCaption(caption);
    item.Tag = tag;
    item.SetVisible(true);
}

void HideFrom(MenuItemArray& menu, int first)
{
    const int count = menu.Count();
    for (int i = std::max(first, 1); i <= count; ++i)
        menu(i).SetVisible(false);
}

QFileInfoList FilesOf(const QString& folder)
{
    return QDir(folder).entryInfoList(QDir::Files | QDir::NoDotAndDotDot, QDir::Name);
}

// Sorts as text in time order, whatever the user's date format.
QString SortableTime(const QFileInfo& info)
{
    QDateTime t = info.lastRead();
    if (!t.isValid())
        t = info.lastModified();
    return t.toUTC().toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}
} // namespace

namespace mduAlmanorvqueLib {

void FillNumberMenu(MenuItemArray& menu, qint16 base, qint16 step)
{
    for (int i = 1; i <= 12; ++i) {
        const qint16 product = conv::ToInt16(static_cast<double>(step) * i);
        const qint16 value = conv::ToInt16(static_cast<double>(base) + product);
        Put(menu, i, QString::number(value), QString::number(value));
    }
}

void FillMonthMenu(MenuItemArray& menu)
{
    const QLocale locale;
    for (int i = 1; i <= 12; ++i)
        Put(menu, i, locale.standaloneMonthName(i, QLocale::LongFormat), QString::number(i));
}

} // namespace mduAlmanorvqueLib

namespace mduUILib {

bool CheckMenuItem(MenuItemArray& menu, const QString& value, qint16 mode)
{
    const QString wanted = value.trimmed();
    const int count = menu.Count();
    bool any = false;
    for (int i = 1; i <= count; ++i) {
        MenuItem& item = menu(i);
        const QString text = (mode == 1 ? item.Caption() : item.Tag).trimmed();
        const bool match = !text.isEmpty() && text == wanted;
        item.SetChecked(match);
        any = any || match;
    }
    return any;
}

void AddMenuItem(MenuItemArray& menu, const QString& caption, const QString& tag, qint16& count, qint16 captionAsTag,
                 QString& separator)
{
    count = conv::ToInt16(static_cast<double>(count) + 1);
    if (separator.isEmpty())
        separator = QStringLiteral(".");
    const int cut = caption.indexOf(separator);
    const QString shown = cut >= 0 ? caption.left(cut) : caption;
    Put(menu, count, shown, captionAsTag == 1 ? shown : tag);
}

void AddMenuItem(MenuItemArray& menu, const QString& caption, const QString& tag, qint16& count, qint16 captionAsTag,
                 const QString& separator)
{
    QString sep = separator;
    AddMenuItem(menu, caption, tag, count, captionAsTag, sep);
}

void AddImageMenuItem(MenuItemArray& menu, const QString& name, const QString& path, qint16& count)
{
    const bool accepted = name.contains(QLatin1String("More")) || name == QLatin1String("Default") ||
                          name == QLatin1String("None") || mduLib::IsImageFile(name);
    if (!accepted)
        return;
    count = conv::ToInt16(static_cast<double>(count) + 1);
    const int dot = name.indexOf(QLatin1Char('.'));
    Put(menu, count, dot >= 0 ? name.left(dot) : name, name == QLatin1String("None") ? name : path);
}

void FillFileMenu(MenuItemArray& menu, const QString& folder, const QString& leading, const QString& closing,
                  qint16 maxFiles)
{
    if (folder.isEmpty())
        return;
    mduLib::PropertyTable files(1); // entry 0 stays empty
    for (const QFileInfo& info : FilesOf(folder))
        mduLib::AppendEntry(SortableTime(info), info.fileName(), info.absoluteFilePath(), files);
    const std::vector<int> order = mduLib::SortEntries(files, 1, 2);

    qint16 count = 0;
    if (!leading.isEmpty())
        AddMenuItem(menu, leading, QString(), count, 0);
    int f = 1;
    for (int index : order) {
        if (f > maxFiles && maxFiles > 0)
            break;
        AddMenuItem(menu, files[index].Key, files[index].Value, count, 0);
        ++f;
    }
    if (!closing.isEmpty() && (closing != QLatin1String("More") || count <= maxFiles))
        AddMenuItem(menu, closing, closing, count, 0);
    HideFrom(menu, count + 1);
}

void FillImageMenu(MenuItemArray& menu, const QString& folder)
{
    if (folder.isEmpty())
        return;
    qint16 count = 0;
    for (const QFileInfo& info : FilesOf(folder)) {
        AddImageMenuItem(menu, info.fileName(), info.absoluteFilePath(), count);
        if (count > 10)
            break;
    }
    AddImageMenuItem(menu, QStringLiteral("None"), QStringLiteral("None"), count);
    AddImageMenuItem(menu, QStringLiteral("More _"), QStringLiteral("More _"), count);
    HideFrom(menu, count + 1);
}

void FillMenuFromList(MenuItemArray& menu, const QString& list)
{
    // A list without a comma is its single element; the empty text offers nothing.
    const QStringList elements = list.isEmpty() ? QStringList() : list.split(QLatin1Char(','));
    for (int i = 0; i < elements.size(); ++i)
        Put(menu, i + 1, elements[i], elements[i]);
    HideFrom(menu, static_cast<int>(elements.size()) + 1);
}

void FillColourMenu(MenuItemArray& menu)
{
    static const char* const kNames[] = {"Black", "Blue", "Cyan", "Green", "Magenta", "Red", "White", "Yellow"};
    for (int i = 1; i <= 8; ++i) {
        MenuItem& item = menu.Ensure(i);
        item.SetCaption(QString::fromLatin1(kNames[i - 1]));
        item.Tag = item.Caption();
    }
}

void AppendMenuItem(MenuItemArray& menu, const QString& caption)
{
    const int count = menu.Count();
    if (count > 0 && menu(count).Caption() == caption)
        return;
    MenuItem& item = menu.Ensure(count + 1);
    item.SetCaption(caption);
    item.Tag = caption;
}

void FillScreenSaverTimeMenu(MenuItemArray& menu, const QString& command)
{
    if (mduAPILib::GetScreenSaver() == command) {
        menu.Ensure(1).SetCaption(QStringLiteral("Disabled"));
        HideFrom(menu, 2);
        return;
    }
    for (int i = 1; i <= 12; ++i) {
        MenuItem& item = menu.Ensure(i);
        item.SetCaption(QString::number(conv::ToInt16(10.0 * i + 30)));
        item.SetVisible(true);
    }
}

} // namespace mduUILib
