// The Window popup (arranging, maximising, restoring, minimising and closing the child
// windows), its window list, and the list of recently opened calendars in
// "OpenedForms.txt".
#include "frame_window.h"
#include "frame_window_menu_state.h"

#include "calendar/calendar_window.h"

#include "ui/menu_items.h"

#include "core/conversions.h"
#include "core/data_folders.h"
#include "core/set_up_step.h"
#include "core/window_placement.h"
#include "system/whole_file_write.h"

#include <QCursor>
#include <QDebug>

using namespace mduAlmanorvqueLib;

namespace {
// The loaded windows other than the frame, in the order they were loaded.
std::vector<platform::Form*> LoadedWindows(const platform::Form* frame)
{
    std::vector<platform::Form*> out;
    for (platform::Form* f : platform::Form::AllForms())
        if (f != frame && f->IsLoaded())
            out.push_back(f);
    return out;
}

quintptr HandleOf(const QWidget* w) { return reinterpret_cast<quintptr>(w); }
} // namespace

QMenu& frmMain::WindowMenu() { return *windowMenu_->Window; }

mduLib::PropertyTable& frmMain::OpenedList() { return windowMenu_->OpenedList; }

void frmMain::ShowWindowMenu()
{
    platform::Form* active = ActiveChild();
    CheckWindowMenu(active ? static_cast<QWidget*>(active) : this);
    platform::EndMenu();
    platform::PopupMenu(*windowMenu_->Window, QCursor::pos());
}

void frmMain::CheckWindowMenu(QWidget* hWnd)
{
    // The entry's own state: hidden by the popup before, it is still enabled.
    windowMenu_->WindowItem[9]->setVisible(platform::ItemEnabled(windowMenu_->OpenedWindow[1]));
    const int count = static_cast<int>(windowMenu_->OpenedWindow.size()) - 1;
    windowMenu_->OpenedWindow[static_cast<size_t>(count)]->setVisible(false);
    for (int i = 1; i <= count; ++i) {
        QAction* entry = windowMenu_->OpenedWindow[static_cast<size_t>(i)];
        entry->setChecked(false);
        const QString tag = TagOf(entry);
        if (conv::IsNumeric(tag) && static_cast<quintptr>(conv::ToDouble(tag)) == HandleOf(hWnd)) {
            entry->setChecked(true);
            entry->setVisible(true);
        }
    }
}

void frmMain::WindowItem_Click(int Index)
{
    if (Index <= 8)
        DoMenuItem(8, Index);
    else
        ActivateFormByHwnd(
            static_cast<quintptr>(conv::LeadingNumber(TagOf(windowMenu_->WindowItem[static_cast<size_t>(Index)]))));
}

void frmMain::OpenedWindow_Click(int Index)
{
    ActivateFormByHwnd(
        static_cast<quintptr>(conv::LeadingNumber(TagOf(windowMenu_->OpenedWindow.at(static_cast<size_t>(Index))))));
}

void frmMain::MaximiseAll()
{
    SetWindowState(platform::vbMaximized);
    for (platform::Form* f : LoadedWindows(this))
        if (IsArrangeable(*f))
            f->SetWindowState(platform::vbMaximized);
}

void frmMain::RestoreAll()
{
    for (platform::Form* f : LoadedWindows(this)) {
        if (!IsArrangeable(*f))
            continue;
        f->SetWindowState(platform::vbNormal);
        f->SetFocus();
        // Automatic values give a child window a quarter of the screen in the middle of the
        // window area too, not only a window of its own.
        if (f->MDIChild())
            mduUILib::RestoreChildWindowPlacement(*f, gPropertyTable, QSizeF(ClientWidth(), ClientHeight()));
        else
            mduUILib::RestoreWindowPlacement(*f, gPropertyTable);
    }
}

void frmMain::MinimiseAll()
{
    for (platform::Form* f : LoadedWindows(this))
        if (IsArrangeable(*f))
            f->SetWindowState(platform::vbMinimized);
}

void frmMain::CloseAll()
{
    const auto windows = LoadedWindows(this);
    const frmAlmanorvique::OneSaveQuestionPerFile oneQuestion(
        QStringLiteral("The file is shared by every month window: No closes them all without these dates."));
    for (auto it = windows.rbegin(); it != windows.rend(); ++it)
        (*it)->Unload(platform::vbFormCode);
    // The whole banner: the box with its title letters and lines.
    ShowBanner(true);
    LayoutBanner();
}

bool frmMain::IsArrangeable(const platform::Form& form) const
{
    return form.Name() != QLatin1String("frmCalendar") && form.Name() != QLatin1String("frmCalculator");
}

void frmMain::ActivateFormByHwnd(quintptr hWnd)
{
    for (platform::Form* f : LoadedWindows(this)) {
        if (HandleOf(f) != hWnd)
            continue;
        f->Show();
        f->SetFocus();
        ShowBanner(false);
        return;
    }
}

QString frmMain::StripCentralCaption(const QString& caption)
{
    static const QString prefix = QStringLiteral("Almanorvique Central ");
    if (caption.contains(prefix) && caption.size() > prefix.size())
        return caption.right(caption.size() - prefix.size());
    return caption;
}

bool frmMain::IsCaptionOpen(const QString& caption) const
{
    for (platform::Form* f : LoadedWindows(this))
        if (f->Caption() == caption)
            return true;
    return false;
}

bool frmMain::IsNotInOpenedMenu(qint32 value) const
{
    const QString text = QString::number(value);
    for (QAction* item : windowMenu_->OpenedAction->actions())
        if (TagOf(item) == text)
            return false;
    return true;
}

QString frmMain::GetOpenedFormsPath() const { return gDataFolder + QStringLiteral("/OpenedForms.txt"); }

void frmMain::LoadOpenedForms()
{
    mduLib::Step([&] { mduLib::LoadIniFile(GetOpenedFormsPath(), windowMenu_->OpenedList); });
    RefreshLastOpenedMenu();
}

void frmMain::SaveOpenedForms()
{
    if (!mduLib::SaveIniFile(windowMenu_->OpenedList, GetOpenedFormsPath()))
        qWarning().noquote() << "AlmanorviqueCentral: the list of opened windows could not be saved:"
                             << platform::LastWriteFailure();
}

void frmMain::RefreshLastOpenedMenu()
{
    const auto itemAt = [&](int n) {
        while (windowMenu_->LastOpenedMenu->actions().size() < n)
            windowMenu_->LastOpenedMenu->addAction(QString());
        return windowMenu_->LastOpenedMenu->actions().at(n - 1);
    };
    int n = 0;
    const int last = std::min(15, windowMenu_->OpenedList.UBound());
    for (int i = 1; i <= last; ++i) {
        const QString key = windowMenu_->OpenedList[i].Key;
        if (conv::Trim(key).isEmpty())
            continue;
        ++n;
        QAction* item = itemAt(n);
        item->setText(key);
        SetTag(item, key);
        item->setVisible(true);
    }
    if (n > 0) {
        QAction* all = itemAt(n + 1);
        all->setText(QStringLiteral("All"));
        all->setVisible(true);
        return;
    }
    itemAt(1)->setText(QStringLiteral("None"));
    const auto items = windowMenu_->LastOpenedMenu->actions();
    for (int i = 1; i < items.size(); ++i) {
        windowMenu_->LastOpenedMenu->removeAction(items[i]);
        delete items[i];
    }
}

void frmMain::AddLastOpened(QString name)
{
    name = StripCentralCaption(name);
    int found = 0, lastUsed = 0;
    for (int i = 1; i <= 29; ++i) {
        if (windowMenu_->OpenedList[i].Key == name && found == 0)
            found = i;
        if (!conv::Trim(windowMenu_->OpenedList[i].Key).isEmpty())
            lastUsed = i;
    }
    const int end = found ? found : lastUsed + 1;
    for (int i = end; i > 1; --i)
        windowMenu_->OpenedList[i] = windowMenu_->OpenedList[i - 1];
    windowMenu_->OpenedList[1] = mduLib::PropertyItem{QString(), name, QString()};
}

void frmMain::NoteOpenedCalendar(const platform::Form& form, const QString& caption)
{
    if (form.Name() == QLatin1String("frmAlmanorvique"))
        AddLastOpened(caption);
}
