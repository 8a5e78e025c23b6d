#pragma once
// A shown property editor or date manager with its caller, driven through its grid.
#include "dialog_caller.h"
#include "edit_grid_host.h"
#include "editors/dialogs/entry_table_dialog.h"
#include "system/message_box.h"
#include "test_folders.h"

#include <QApplication>
#include <QTest>
#include <memory>

namespace testsupport {

template <class Dialog> class EntryTableTest : public ProgramFolderTest {
protected:
    void SetUp() override
    {
        ProgramFolderTest::SetUp();
        platform::ForgetStoredLayouts();
        caller = std::make_unique<DialogCaller>();
        dialog = std::make_unique<Dialog>();
    }
    void TearDown() override
    {
        dialog.reset();
        caller.reset();
        ProgramFolderTest::TearDown();
    }
    // After a show operation: the window active and the grid focused.
    void Activate()
    {
        QWidget* w = dialog->Window();
        QApplication::setActiveWindow(w);
        w->activateWindow();
        (void)QTest::qWaitForWindowActive(w);
        grid().SetFocus();
        QApplication::processEvents();
    }
    ctlEditGrid& grid() { return dialog->grid(); }
    void Click(qint32 row, qint32 col)
    {
        QTest::mouseClick(grid().ctlGrid.viewport(), Qt::LeftButton, {}, CellPoint(grid(), row, col));
    }
    void DoubleClick(qint32 row, qint32 col)
    {
        const QPoint at = CellPoint(grid(), row, col);
        QTest::mouseClick(grid().ctlGrid.viewport(), Qt::LeftButton, {}, at);
        QTest::mouseDClick(grid().ctlGrid.viewport(), Qt::LeftButton, {}, at);
    }
    // Clicks the value cell, types the text over it and leaves the row.
    void Type(qint32 row, const QString& text)
    {
        Click(row, 1);
        QTest::keyClicks(QApplication::focusWidget(), text);
    }
    void Press(int index) { QTest::mouseClick(dialog->Window()->cmdButton(index).Widget(), Qt::LeftButton); }
    QString Cell(qint32 r, qint32 c) { return grid().TextMatrix(r, c); }
    // Closes by the title bar, as the user does.
    void CloseWindow()
    {
        dialog->Window()->close();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }

    std::unique_ptr<DialogCaller> caller;
    std::unique_ptr<Dialog> dialog;
    platform::ScriptedMessageBox boxes{platform::vbNo};
};

} // namespace testsupport
