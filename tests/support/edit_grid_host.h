#pragma once
// A small host of the editable grid, set up the way the entry-table dialogs set theirs
// up: 25 rows, a key column 0 and a text column 1, the text box shown at every row change
// (as those hosts do, without placing it). Its grid's stored layout is read when the host
// is built and written by SaveLayout.
#include "editors/grid/edit_grid.h"
#include "test_folders.h"
#include "ui/form.h"

#include <memory>

#include <QStringList>

namespace testsupport {

class GridHost : public platform::Form {
public:
    static constexpr const char* kHostName = "frmGridHost";
    static constexpr const char* kGridName = "grdTest";

    explicit GridHost(bool showTextBoxOnRowChange = true);

    // Shows the window, active, with the grid set up.
    void ShowActive();
    void SaveLayout();
    // The events the host saw, in order, with the current cell ("RowColChange 4,1").
    QStringList log;
    bool showTextBoxOnRowChange;

    ctlEditGrid grdTest{this, QString::fromLatin1(kGridName)};

protected:
    void Form_Load() override;
};

// Where a cell of the grid is on the screen, relative to the grid widget's viewport.
QPoint CellPoint(ctlEditGrid& grid, qint32 row, qint32 col);

// A test with a shown, active host and no stored layouts.
class GridHostTest : public ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;
    ctlEditGrid& grid() { return host->grdTest; }
    QWidget* viewport() { return grid().ctlGrid.viewport(); }
    void Click(qint32 row, qint32 col);
    static QWidget* Focused();
    static void Key(Qt::Key k);
    QString Cell(qint32 r, qint32 c) { return grid().TextMatrix(r, c); }

    std::unique_ptr<GridHost> host;
};

} // namespace testsupport
