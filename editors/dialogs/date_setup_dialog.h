#pragma once
// The date caption dialog: the caption and the message of a day (or of a selected range
// of days), edited near the mouse pointer and handed back with whether "Set" was pressed.
// It knows nothing of dates or tables.
#include "ui/command_button.h"
#include "ui/control_array.h"
#include "ui/controls.h"
#include "ui/form.h"
#include "ui/text_box.h"

#include <QPointF>
#include <QRectF>
#include <QSizeF>

class QEventLoop;

class frmDateSetup : public platform::Form {
    Q_OBJECT
public:
    frmDateSetup();
    ~frmDateSetup() override;

    // The default instance, created on first use.
    static frmDateSetup& Default();

    // Shows the two texts near the pointer and waits until the dialog closes. True when
    // "Set" closed it; the arguments then hold the texts as the user left them. Index is
    // the caller's kind of request and changes nothing.
    bool ShowMe(QString& strCaption, QString& strMsg, int Index);

    // Where the dialog's outer top-left corner goes for a pointer at the given point:
    // 1500 twips above and 2800 to the left of it, kept inside the pointer's screen and at
    // least 10 twips from its top and left edges. All in twips.
    static QPointF PlaceNearPointer(QPointF pointer, QSizeF dialog, QRectF screen);

    void cmdButton_Click(int Index);

    // ---- controls ----
    platform::ControlArray<platform::Label> Label1{this, QStringLiteral("Label1")};
    platform::TextBox txtCaption{this, QStringLiteral("txtCaption"), false};
    platform::TextBox txtMsg{this, QStringLiteral("txtMsg")};
    platform::ControlArray<platform::CommandButton> cmdButton{this, QStringLiteral("cmdButton")};

    // The client area of the design.
    static constexpr float kClientWidth = 3675;
    static constexpr float kClientHeight = 3105;

protected:
    void Form_DblClick() override;
    void Form_Unload(int& cancel) override;

private:
    void BuildControls();
    void PlaceAtPointer();
    void TakeTexts();

    QString captionText_;
    QString msgText_;
    bool setFlag_ = false;
    QEventLoop* loop_ = nullptr;
};
