#include "qt_message_box.h"

#include "system/message_box.h"

#include <QApplication>
#include <QMessageBox>
#include <QPushButton>
#include <QWidget>

namespace platform {
namespace {

int Show(const MessageBoxRequest& r)
{
    QWidget* owner = qobject_cast<QWidget*>(r.owner);
    if (!owner)
        owner = QApplication::activeWindow();
    QMessageBox box(owner);
    // A box owned by a topmost window stays above it, whatever the window manager does
    // with transients of the topmost layer.
    if (owner && owner->window()->windowFlags().testFlag(Qt::WindowStaysOnTopHint))
        box.setWindowFlag(Qt::WindowStaysOnTopHint, true);
    box.setWindowTitle(r.title);
    box.setText(QString(r.prompt).replace(QLatin1String("\r\n"), QLatin1String("\n")));
    switch (r.buttons & 0x70) {
    case vbCritical:
        box.setIcon(QMessageBox::Critical);
        break;
    case vbQuestion:
        box.setIcon(QMessageBox::Question);
        break;
    case vbExclamation:
        box.setIcon(QMessageBox::Warning);
        break;
    case vbInformation:
        box.setIcon(QMessageBox::Information);
        break;
    default:
        box.setIcon(QMessageBox::NoIcon);
    }
    struct B {
        QMessageBox::StandardButton qt;
        int answer;
    };
    std::vector<B> buttons;
    switch (r.buttons & 0x7) {
    case vbOKCancel:
        buttons = {{QMessageBox::Ok, vbOK}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbAbortRetryIgnore:
        buttons = {{QMessageBox::Abort, vbAbort}, {QMessageBox::Retry, vbRetry}, {QMessageBox::Ignore, vbIgnore}};
        break;
    case vbYesNoCancel:
        buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}, {QMessageBox::Cancel, vbCancel}};
        break;
    case vbYesNo:
        buttons = {{QMessageBox::Yes, vbYes}, {QMessageBox::No, vbNo}};
        break;
    case vbRetryCancel:
        buttons = {{QMessageBox::Retry, vbRetry}, {QMessageBox::Cancel, vbCancel}};
        break;
    default:
        buttons = {{QMessageBox::Ok, vbOK}};
    }
    QMessageBox::StandardButtons set;
    for (const B& b : buttons)
        set |= b.qt;
    box.setStandardButtons(set);
    const size_t def = (r.buttons & vbDefaultButton3) ? 2 : (r.buttons & vbDefaultButton2) ? 1 : 0;
    if (def < buttons.size())
        box.setDefaultButton(buttons[def].qt);
    const auto pressed = static_cast<QMessageBox::StandardButton>(box.exec());
    for (const B& b : buttons)
        if (b.qt == pressed)
            return b.answer;
    // Closed by the window's close box: the cancel answer when there is one.
    for (const B& b : buttons)
        if (b.answer == vbCancel)
            return vbCancel;
    return buttons.size() == 1 ? buttons[0].answer : 0;
}

} // namespace

void InstallQtMessageBoxes() { SetMessageBoxHandler(Show); }

} // namespace platform
