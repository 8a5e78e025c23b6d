#pragma once
// A window's common dialog ("objDialog"): open, save, font and colour dialogs that keep
// their settings and results between uses. Showing one runs through a pluggable runner:
// Qt's dialogs in the programs, a scripted runner in tests.
#include <QString>
#include <functional>
#include <stdexcept>

class QWidget;

namespace platform {

// Raised by a Show... call when the user cancels and CancelError is set.
struct DialogCancelled : std::runtime_error {
    DialogCancelled() : std::runtime_error("Cancel was selected.") {}
};

class CommonDialog {
public:
    explicit CommonDialog(QWidget* owner = nullptr) : owner_(owner) {}

    // Open and save.
    QString DialogTitle;
    QString DefaultExt;
    QString FileName; // preset, and the chosen full path afterwards
    QString Filter;   // "Description (*.a;*.b)|*.a;*.b" pairs, or "Description (*.a)"
    int FilterIndex = 1;
    QString InitDir;
    // Font: what the dialog shows and what the user chose.
    QString FontName = QStringLiteral("Arial");
    float FontSize = 8.25f;
    bool FontBold = false;
    bool FontItalic = false;
    bool FontUnderline = false;
    bool FontStrikethru = false;
    // Colour (font colour with the effects box, or the colour dialog's choice).
    qint32 Color = 0;
    int Flags = 0;
    bool CancelError = false;

    // Each returns true when the user confirmed; on cancel it raises DialogCancelled when
    // CancelError is set, else returns false and leaves the results as they were.
    bool ShowOpen();
    bool ShowSave();
    bool ShowFont();
    bool ShowColor();

    QWidget* Owner() const { return owner_; }

    enum class Kind { Open, Save, Font, Color };
    // Runs the dialog of that kind on the given state; true when confirmed.
    using Runner = std::function<bool(Kind, CommonDialog&)>;
    static void SetRunner(Runner runner); // null restores Qt's dialogs

private:
    bool Run(Kind kind);
    QWidget* owner_;
};

} // namespace platform
