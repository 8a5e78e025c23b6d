#pragma once
// The drive, folder and file lists: windowed controls keeping their geometry in twips.
// Drives are the mount points; the folder list shows the path from its root down to the
// current folder, then the current folder's subfolders; the file list shows the files of
// its folder that match its patterns ("*.bmp;*.gif;*.jpg", without regard to case).
#include "windowed_control.h"

#include <QPointer>
#include <QString>
#include <QStringList>
#include <functional>
#include <stdexcept>

class QComboBox;
class QListWidget;
class QWidget;

namespace platform {

// Raised when a drive or folder is not there.
struct DeviceNotReady : std::runtime_error {
    DeviceNotReady() : std::runtime_error("Device unavailable") {}
};

// Raised when a folder that is there cannot be listed; reason is the system's, in lower
// case ("permission denied").
struct FolderNotReadable : std::runtime_error {
    FolderNotReadable(QString folder, QString why);
    QString path, reason;
    // "The folder cannot be read (permission denied):" and the path on the next line.
    QString Message() const;
};

// Whether the folder can be listed: DeviceNotReady when it is not there, else
// FolderNotReadable with the system's reason when it cannot be listed.
void CheckListable(const QString& path);

// What the three lists share: the widget, enabled or not, and its colour.
class ListControl : public WindowedControl {
public:
    bool Enabled() const { return enabled_; }
    void SetEnabled(bool v);
    void SetBackColor(qint32 c);
    void SetTabIndex(int) {}

protected:
    ListControl() : WindowedControl(1200, 1200) {}
    ~ListControl() override;
    void Attach(QWidget* widget);
    QPointer<QWidget> widget_;

private:
    QWidget* PlacedWidget() const override { return widget_; }
    // The place only: a list is shown or hidden by SetVisible alone.
    void Apply() override;
    bool enabled_ = true;
};

class DriveList : public ListControl {
public:
    DriveList(QWidget* parent, QString name);
    // The mount point shown; setting a path shows the mount point that holds it and
    // raises DeviceNotReady when there is none, FolderNotReadable when it cannot be listed.
    QString Drive() const { return drive_; }
    void SetDrive(const QString& path);
    QStringList Drives() const { return drives_; }
    QComboBox* Widget() const;
    // The user chose another drive.
    std::function<void()> Change;

private:
    QString drive_;
    QStringList drives_;
    bool filling_ = false;
};

class FolderList : public ListControl {
public:
    FolderList(QWidget* parent, QString name);
    QString Path() const { return path_; }
    // Raises DeviceNotReady for a folder that is not there, FolderNotReadable for one that
    // cannot be listed.
    void SetPath(const QString& path);
    int ListCount() const { return static_cast<int>(entries_.size()); }
    QString List(int index) const;
    int ListIndex() const;
    void SetListIndex(int index);
    QListWidget* Widget() const;
    std::function<void()> Click;
    // A double click on an entry; without a handler the list opens that folder itself.
    std::function<void()> DblClick;

private:
    QString path_;
    QStringList entries_;
};

class FileList : public ListControl {
public:
    FileList(QWidget* parent, QString name);
    QString Path() const { return path_; }
    void SetPath(const QString& path);
    QString Pattern() const { return pattern_; }
    void SetPattern(const QString& pattern);
    void Refresh();
    int ListCount() const { return static_cast<int>(files_.size()); }
    QString List(int index) const; // "" outside the list
    int ListIndex() const;
    void SetListIndex(int index);
    bool Selected(int index) const;
    void SetSelected(int index, bool on);
    QListWidget* Widget() const;
    std::function<void(int button, int shift, float x, float y)> MouseDown;

    // Whether a file name matches one of the ";"-separated patterns, ignoring case.
    static bool Matches(const QString& name, const QString& pattern);

private:
    QString path_;
    QString pattern_ = QStringLiteral("*.*");
    QStringList files_;
};

} // namespace platform
