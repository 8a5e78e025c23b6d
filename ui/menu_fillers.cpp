#include "menu_fillers.h"

#include "core/desktop_settings.h"

#include <QAction>
#include <QApplication>

namespace platform {
namespace {
QAction* ItemAt(QMenu& menu, int n)
{
    while (menu.actions().size() < n)
        menu.addAction(QString());
    return menu.actions().at(n - 1);
}

void SetItem(QAction* a, const QString& caption, bool visible)
{
    a->setText(caption);
    a->setData(caption);
    a->setVisible(visible);
}
} // namespace

void FillColourMenu(QMenu& menu)
{
    const char* names[] = {"Black", "Blue", "Cyan", "Green", "Magenta", "Red", "White", "Yellow"};
    for (int i = 1; i <= 8; ++i)
        SetItem(ItemAt(menu, i), QString::fromLatin1(names[i - 1]), true);
}

void AppendMenuItem(QMenu& menu, const QString& caption)
{
    const auto items = menu.actions();
    if (!items.isEmpty() && items.last()->text() == caption)
        return;
    SetItem(menu.addAction(QString()), caption, true);
}

void FillScreenSaverTimeMenu(QMenu& menu, const QString& exePath)
{
    if (mduAPILib::GetScreenSaver() == exePath) {
        SetItem(ItemAt(menu, 1), QStringLiteral("Disabled"), true);
        const auto items = menu.actions();
        for (int i = 1; i < items.size(); ++i)
            items[i]->setVisible(false);
        return;
    }
    for (int i = 1; i <= 12; ++i)
        SetItem(ItemAt(menu, i), QString::number(10 * i + 30), true);
}

void EndMenu()
{
    while (QWidget* popup = QApplication::activePopupWidget())
        if (!popup->close())
            break;
}

} // namespace platform
