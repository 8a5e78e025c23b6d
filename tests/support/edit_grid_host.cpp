#include "edit_grid_host.h"

#include "ui/twips.h"

#include <QApplication>
#include <QTest>

namespace testsupport {

GridHost::GridHost(bool showTextBox)
    : platform::Form(QString::fromLatin1(kHostName)),
      showTextBoxOnRowChange(showTextBox)
{
    // The layout is read before the host's own loading code sets the grid up.
    if (const platform::PropertyBag* bag =
            platform::StoredLayout(QString::fromLatin1(kHostName)).Find(QString::fromLatin1(kGridName)))
        grdTest.UserControl_ReadProperties(*bag);
    else
        grdTest.UserControl_InitProperties();
    auto cell = [this] { return QStringLiteral("%1,%2").arg(grdTest.Row()).arg(grdTest.Col()); };
    grdTest.Events.LeaveCell = [this, cell] {
        log << "LeaveCell " + cell() + " " + grdTest.TextMatrix(grdTest.Row(), grdTest.Col());
    };
    grdTest.Events.EnterCell = [this, cell] { log << "EnterCell " + cell(); };
    grdTest.Events.SelChange = [this, cell] { log << "SelChange " + cell(); };
    grdTest.Events.RowColChange = [this, cell] {
        log << "RowColChange " + cell();
        grdTest.SetCellCtlID(1, kCellText);
        if (showTextBoxOnRowChange)
            grdTest.GetCellTextBox(0).SetVisible(true);
    };
    grdTest.Events.KeyPress = [this](int& k) { log << QStringLiteral("KeyPress %1").arg(k); };
    grdTest.Events.MouseDown = [this, cell](int& b, int&, float&, float&) {
        log << QStringLiteral("MouseDown %1 ").arg(b) + cell();
    };
}

void GridHost::Form_Load()
{
    setFixedSize(platform::TwipsToPixelsX(6000), platform::TwipsToPixelsY(8000));
    grdTest.Move(120, 120, 5000, 7500);
    grdTest.LetRows(25);
    grdTest.SetColFormat(QStringLiteral(",,"));
    grdTest.LetCols(2);
    grdTest.LetFixedCols(0);
    grdTest.LetColWidth(0, 1500);
    grdTest.LetColWidth(1, 3000);
    grdTest.LetColAlignment(1, platform::flexAlignLeftCenter);
    grdTest.Setup();
    grdTest.LetFixedRows(1);
    grdTest.SetCellCtl(1, kCellText);
    grdTest.LetTextMatrix(0, 0, QStringLiteral("Key"));
    grdTest.LetTextMatrix(0, 1, QStringLiteral("Value"));
    for (int r = 1; r < 25; ++r) {
        grdTest.LetTextMatrix(r, 0, QStringLiteral("K%1").arg(r));
        grdTest.LetTextMatrix(r, 1, QStringLiteral("v%1").arg(r));
    }
    log.clear();
}

void GridHost::ShowActive()
{
    Show();
    QApplication::setActiveWindow(this);
    activateWindow();
    (void)QTest::qWaitForWindowActive(this);
    grdTest.SetFocus();
    QApplication::processEvents();
    log.clear();
}

void GridHost::SaveLayout()
{
    grdTest.UserControl_WriteProperties(
        platform::StoredLayout(QString::fromLatin1(kHostName)).Bag(QString::fromLatin1(kGridName)));
}

QPoint CellPoint(ctlEditGrid& grid, qint32 row, qint32 col)
{
    platform::FlexGrid& g = grid.ctlGrid;
    const QPoint corner = g.viewport()->geometry().topLeft();
    const int x = platform::TwipsToPixelsX(g.ColPos(col)) - corner.x() + platform::TwipsToPixelsX(g.ColWidth(col)) / 2;
    const int y = platform::TwipsToPixelsY(g.RowPos(row)) - corner.y() + platform::TwipsToPixelsY(g.RowHeight(row)) / 2;
    return {x, y};
}

void GridHostTest::SetUp()
{
    ProgramFolderTest::SetUp();
    platform::ForgetStoredLayouts();
    host = std::make_unique<GridHost>();
    host->ShowActive();
}

void GridHostTest::TearDown()
{
    host.reset();
    ProgramFolderTest::TearDown();
}

void GridHostTest::Click(qint32 row, qint32 col)
{
    QTest::mouseClick(viewport(), Qt::LeftButton, {}, CellPoint(grid(), row, col));
}

QWidget* GridHostTest::Focused() { return QApplication::focusWidget(); }

void GridHostTest::Key(Qt::Key k) { QTest::keyClick(Focused(), k); }

} // namespace testsupport
