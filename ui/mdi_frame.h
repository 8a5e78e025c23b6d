#pragma once
// A frame window for child windows: a form whose client area is an MDI area with a
// toolbar and a status bar docked around it. Child forms live in sub-windows of the area,
// their geometry in twips from the area's corner.
#include "form.h"

#include <QMainWindow>
#include <QMdiArea>
#include <QPointer>
#include <QStatusBar>
#include <functional>
#include <vector>

namespace platform {

// The codes of Arrange.
enum ArrangeCode { vbCascade = 0, vbTileHorizontal = 1, vbTileVertical = 2, vbArrangeIcons = 3 };

class MDIForm : public Form {
    Q_OBJECT
public:
    explicit MDIForm(const QString& name);

    QMainWindow& MainWindow() { return *main_; }
    QMdiArea& ClientArea() { return *area_; }
    QStatusBar& StatusBar() { return *main_->statusBar(); }

    // Takes the form as a child window in a new sub-window (hidden until it is shown).
    void AddChild(Form& child);
    // The loaded child windows, oldest first.
    std::vector<Form*> Children() const;
    // The active child window, or none.
    Form* ActiveChild() const;
    // The client area's size in twips.
    float ClientWidth() const;
    float ClientHeight() const;

    // Arranges the child windows: 0 cascade, 1 tile one under another, 2 tile side by
    // side, 3 line up the minimised ones along the bottom.
    void Arrange(int code);

protected:
    // The mouse on the client area outside every child window (x, y in twips).
    virtual void MDIForm_MouseDown(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MDIForm_MouseMove(int /*button*/, int /*shift*/, float /*x*/, float /*y*/) {}
    virtual void MDIForm_DblClick() {}
    bool eventFilter(QObject* watched, QEvent* e) override;

private:
    std::vector<QMdiSubWindow*> ArrangedWindows() const;
    void Cascade();
    void Tile(bool stacked);
    QMainWindow* main_ = nullptr;
    QMdiArea* area_ = nullptr;
};

} // namespace platform
