#include "file_lists.h"

#include "event_guard.h"
#include "form.h"
#include "twips.h"

#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QListWidget>
#include <QMouseEvent>
#include <QRegularExpression>
#include <QStorageInfo>
#include <cerrno>
#include <cstring>
#include <dirent.h>

namespace platform {

FolderNotReadable::FolderNotReadable(QString folder, QString why)
    : std::runtime_error(QStringLiteral("%1: the folder cannot be read (%2)").arg(folder, why).toStdString()),
      path(std::move(folder)),
      reason(std::move(why))
{
}

QString FolderNotReadable::Message() const
{
    return QStringLiteral("The folder cannot be read (%1):\r\n%2").arg(reason, path);
}

void CheckListable(const QString& path)
{
    // Lists nothing but asks the system: the answer of the real listing, whoever the user
    // is, with the system's reason.
    DIR* dir = ::opendir(QFile::encodeName(path).constData());
    if (dir) {
        ::closedir(dir);
        return;
    }
    const int error = errno;
    if (error == ENOENT || error == ENOTDIR)
        throw DeviceNotReady();
    QString why = QString::fromLocal8Bit(std::strerror(error));
    if (!why.isEmpty())
        why[0] = why[0].toLower();
    throw FolderNotReadable(QDir::cleanPath(path), why);
}

namespace {
QColor ColourOf(qint32 c) { return QColor(c & 0xFF, (c >> 8) & 0xFF, (c >> 16) & 0xFF); }

// Hands the file list's mouse presses to its handler, in twips from the list's corner.
class PressFilter : public QObject {
public:
    PressFilter(QObject* parent, FileList& list) : QObject(parent), list_(list) {}
    bool eventFilter(QObject*, QEvent* e) override
    {
        if (e->type() == QEvent::MouseButtonPress && list_.MouseDown) {
            auto* m = static_cast<QMouseEvent*>(e);
            const int button = ButtonOf(m->button()), shift = ShiftBits(m->modifiers());
            const float x = static_cast<float>(PixelsToTwipsX(m->position().x()));
            const float y = static_cast<float>(PixelsToTwipsY(m->position().y()));
            Guarded("mouse down", [&] { list_.MouseDown(button, shift, x, y); });
            return button == 2; // the right button only opens the menu
        }
        return false;
    }

private:
    FileList& list_;
};
} // namespace

// ---- ListControl ----

ListControl::~ListControl() { delete widget_.data(); }

void ListControl::Attach(QWidget* widget)
{
    widget_ = widget;
    Move(left_, top_, width_, height_);
}

void ListControl::Apply()
{
    if (widget_)
        widget_->setGeometry(WidgetRect());
}

void ListControl::SetEnabled(bool v)
{
    enabled_ = v;
    if (widget_)
        widget_->setEnabled(v);
}

void ListControl::SetBackColor(qint32 c)
{
    if (!widget_)
        return;
    QPalette p = widget_->palette();
    p.setColor(QPalette::Base, ColourOf(c));
    p.setColor(QPalette::Button, ColourOf(c));
    widget_->setPalette(p);
}

// ---- DriveList ----

DriveList::DriveList(QWidget* parent, QString name)
{
    auto* combo = new QComboBox(parent);
    combo->setObjectName(name);
    for (const QStorageInfo& v : QStorageInfo::mountedVolumes())
        if (v.isValid())
            drives_ << v.rootPath();
    drives_.removeDuplicates();
    drives_.sort();
    combo->addItems(drives_);
    QObject::connect(combo, QOverload<int>::of(&QComboBox::activated), combo, [this](int index) {
        if (filling_)
            return;
        drive_ = drives_.value(index);
        if (Change)
            Guarded("drive change", Change);
    });
    Attach(combo);
}

QComboBox* DriveList::Widget() const { return static_cast<QComboBox*>(widget_.data()); }

void DriveList::SetDrive(const QString& path)
{
    // The mount point that holds the path: the longest root that starts it.
    const QString abs = QDir::cleanPath(QFileInfo(path).absoluteFilePath());
    QString best;
    for (const QString& d : drives_) {
        const QString root = QDir::cleanPath(d);
        const bool holds = abs == root || abs.startsWith(root.endsWith(u'/') ? root : root + u'/');
        if (holds && root.size() > best.size())
            best = root;
    }
    if (best.isEmpty())
        throw DeviceNotReady();
    CheckListable(best);
    drive_ = best;
    filling_ = true;
    if (QComboBox* c = Widget())
        c->setCurrentIndex(static_cast<int>(drives_.indexOf(best)));
    filling_ = false;
}

// ---- FolderList ----

FolderList::FolderList(QWidget* parent, QString name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    QObject::connect(list, &QListWidget::itemClicked, list, [this] {
        if (Click)
            Guarded("folder click", Click);
    });
    // A double click opens the folder.
    QObject::connect(list, &QListWidget::itemDoubleClicked, list, [this] {
        Guarded("folder open", [this] {
            if (DblClick)
                DblClick();
            else
                SetPath(List(ListIndex()));
        });
    });
    Attach(list);
    SetPath(QDir::currentPath());
}

QListWidget* FolderList::Widget() const { return static_cast<QListWidget*>(widget_.data()); }

void FolderList::SetPath(const QString& path)
{
    const QDir dir(path);
    if (path.isEmpty() || !dir.exists())
        throw DeviceNotReady();
    CheckListable(dir.absolutePath());
    path_ = QDir::cleanPath(dir.absolutePath());
    entries_.clear();
    QStringList chain;
    for (QDir d(path_);;) {
        chain.prepend(d.absolutePath());
        if (!d.cdUp())
            break;
    }
    entries_ = chain;
    const int depth = static_cast<int>(chain.size());
    for (const QString& sub : dir.entryList(QDir::Dirs | QDir::NoDotAndDotDot, QDir::Name | QDir::IgnoreCase))
        entries_ << QDir(path_).filePath(sub);
    QListWidget* list = Widget();
    list->clear();
    for (int i = 0; i < entries_.size(); ++i) {
        const int level = i < depth ? i : depth;
        const QString name = QFileInfo(entries_[i]).fileName();
        list->addItem(QString(level * 2, u' ') + (name.isEmpty() ? entries_[i] : name));
    }
    list->setCurrentRow(depth - 1);
}

QString FolderList::List(int index) const { return entries_.value(index); }
int FolderList::ListIndex() const { return Widget()->currentRow(); }
void FolderList::SetListIndex(int index) { Widget()->setCurrentRow(index); }

// ---- FileList ----

FileList::FileList(QWidget* parent, QString name)
{
    auto* list = new QListWidget(parent);
    list->setObjectName(name);
    list->setSelectionMode(QAbstractItemView::ExtendedSelection);
    list->viewport()->installEventFilter(new PressFilter(list, *this));
    Attach(list);
}

QListWidget* FileList::Widget() const { return static_cast<QListWidget*>(widget_.data()); }

bool FileList::Matches(const QString& name, const QString& pattern)
{
    for (const QString& p : pattern.split(u';', Qt::SkipEmptyParts)) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(p.trimmed()),
                                    QRegularExpression::CaseInsensitiveOption);
        if (re.match(name).hasMatch())
            return true;
    }
    return false;
}

void FileList::SetPath(const QString& path)
{
    path_ = QDir::cleanPath(path);
    Refresh();
}

void FileList::SetPattern(const QString& pattern)
{
    pattern_ = pattern;
    Refresh();
}

void FileList::Refresh()
{
    files_.clear();
    if (!path_.isEmpty())
        for (const QString& f : QDir(path_).entryList(QDir::Files, QDir::Name | QDir::IgnoreCase))
            if (Matches(f, pattern_))
                files_ << f;
    QListWidget* list = Widget();
    list->clear();
    list->addItems(files_);
    list->setCurrentRow(-1);
}

QString FileList::List(int index) const { return files_.value(index); }
int FileList::ListIndex() const { return Widget()->currentRow(); }
void FileList::SetListIndex(int index) { Widget()->setCurrentRow(index); }

bool FileList::Selected(int index) const
{
    const QListWidgetItem* item = Widget()->item(index);
    return item && item->isSelected();
}

void FileList::SetSelected(int index, bool on)
{
    if (QListWidgetItem* item = Widget()->item(index))
        item->setSelected(on);
}

} // namespace platform
