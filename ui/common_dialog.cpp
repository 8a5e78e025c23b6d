#include "common_dialog.h"

#include "twips.h"

#include <QColorDialog>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QFileInfo>
#include <QFontDialog>
#include <QFormLayout>
#include <QLabel>
#include <QVBoxLayout>

namespace platform {
namespace {
CommonDialog::Runner& CurrentRunner()
{
    static CommonDialog::Runner r;
    return r;
}

// "Image (*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg|All (*.*)|*.*" or "Image (*.bmp;*.gif;*.jpg)"
// becomes Qt's "Image (*.bmp *.gif *.jpg);;All (*)".
QString QtFilter(const QString& filter)
{
    if (filter.isEmpty())
        return {};
    const QStringList parts = filter.split(u'|');
    QStringList out;
    for (int i = 0; i < parts.size(); i += 2) {
        QString description = parts[i];
        QString patterns = i + 1 < parts.size() ? parts[i + 1] : QString();
        if (patterns.isEmpty()) {
            const qsizetype open = description.indexOf(u'(');
            const qsizetype close = description.lastIndexOf(u')');
            if (open >= 0 && close > open) {
                patterns = description.mid(open + 1, close - open - 1);
                description = description.left(open).trimmed();
            }
        } else {
            const qsizetype open = description.indexOf(u'(');
            if (open >= 0)
                description = description.left(open).trimmed();
        }
        patterns.replace(u';', u' ');
        patterns.replace(QLatin1String("*.*"), QLatin1String("*"));
        out << QStringLiteral("%1 (%2)").arg(description, patterns);
    }
    return out.join(QLatin1String(";;"));
}

// A pattern confirmed in the name box ("*.ini", "a?.txt") filters the list instead of naming
// a file; the dialog stays open.
class PatternFileDialog : public QFileDialog {
public:
    using QFileDialog::QFileDialog;

    void accept() override
    {
        const QStringList files = selectedFiles();
        const QString name = files.isEmpty() ? QString() : QFileInfo(files.first()).fileName();
        if (!name.contains(u'*') && !name.contains(u'?')) {
            QFileDialog::accept();
            return;
        }
        QStringList filters = nameFilters();
        if (!filters.contains(name))
            filters.prepend(name);
        setNameFilters(filters);
        selectNameFilter(name);
        selectFile(name);
    }
};

bool RunFile(CommonDialog& d, bool save)
{
    PatternFileDialog dlg(d.Owner(), d.DialogTitle);
    dlg.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dlg.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    dlg.setOption(QFileDialog::DontUseNativeDialog, true);
    if (!d.InitDir.isEmpty())
        dlg.setDirectory(d.InitDir);
    const QString filter = QtFilter(d.Filter);
    if (!filter.isEmpty()) {
        dlg.setNameFilters(filter.split(QLatin1String(";;")));
        const QStringList filters = dlg.nameFilters();
        if (d.FilterIndex >= 1 && d.FilterIndex <= filters.size())
            dlg.selectNameFilter(filters[d.FilterIndex - 1]);
    }
    QString def = d.DefaultExt;
    def.remove(QLatin1String("*."));
    if (!def.contains(u';') && !def.isEmpty())
        dlg.setDefaultSuffix(def);
    // A preset pattern ("*.ini") stands in the name box too: typing over it names the file.
    if (!d.FileName.isEmpty())
        dlg.selectFile(d.FileName);
    if (dlg.exec() != QDialog::Accepted || dlg.selectedFiles().isEmpty())
        return false;
    d.FileName = dlg.selectedFiles().first();
    return true;
}

struct NamedColour {
    const char* name;
    qint32 value;
};
constexpr NamedColour kFontColours[] = {
    {"Black", 0x000000},  {"Maroon", 0x000080},  {"Green", 0x008000}, {"Olive", 0x008080},
    {"Navy", 0x800000},   {"Purple", 0x800080},  {"Teal", 0x808000},  {"Grey", 0x808080},
    {"Silver", 0xC0C0C0}, {"Red", 0x0000FF},     {"Lime", 0x00FF00},  {"Yellow", 0x00FFFF},
    {"Blue", 0xFF0000},   {"Fuchsia", 0xFF00FF}, {"Aqua", 0xFFFF00},  {"White", 0xFFFFFF},
};

// The font dialog with the colour of the effects box beside Qt's own font choice
// (which already offers underline and strikethrough).
bool RunFont(CommonDialog& d)
{
    QDialog dlg(d.Owner());
    dlg.setWindowTitle(d.DialogTitle.isEmpty() ? QStringLiteral("Font") : d.DialogTitle);
    auto* layout = new QVBoxLayout(&dlg);
    auto* fonts = new QFontDialog(&dlg);
    fonts->setOptions(QFontDialog::NoButtons | QFontDialog::DontUseNativeDialog);
    fonts->setWindowFlags(Qt::Widget);
    QFont f(d.FontName);
    f.setPointSizeF(d.FontSize > 0 ? d.FontSize : 8.25);
    f.setBold(d.FontBold);
    f.setItalic(d.FontItalic);
    f.setUnderline(d.FontUnderline);
    f.setStrikeOut(d.FontStrikethru);
    fonts->setCurrentFont(f);
    layout->addWidget(fonts);
    auto* form = new QFormLayout;
    auto* colours = new QComboBox(&dlg);
    int current = -1;
    for (const NamedColour& c : kFontColours) {
        QPixmap swatch(16, 16);
        swatch.fill(ColorFromValue(c.value));
        colours->addItem(QIcon(swatch), QString::fromLatin1(c.name), c.value);
        if (c.value == d.Color)
            current = colours->count() - 1;
    }
    if (current < 0) {
        QPixmap swatch(16, 16);
        swatch.fill(ColorFromValue(d.Color));
        colours->addItem(QIcon(swatch), QStringLiteral("Custom"), d.Color);
        current = colours->count() - 1;
    }
    colours->setCurrentIndex(current);
    form->addRow(QStringLiteral("Colour:"), colours);
    layout->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &dlg);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &dlg, &QDialog::accept);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dlg, &QDialog::reject);
    layout->addWidget(buttons);
    if (dlg.exec() != QDialog::Accepted)
        return false;
    const QFont chosen = fonts->currentFont();
    d.FontName = chosen.family();
    d.FontSize = static_cast<float>(chosen.pointSizeF());
    d.FontBold = chosen.bold();
    d.FontItalic = chosen.italic();
    d.FontUnderline = chosen.underline();
    d.FontStrikethru = chosen.strikeOut();
    d.Color = colours->currentData().toInt();
    return true;
}

bool RunColor(CommonDialog& d)
{
    const QColor c = QColorDialog::getColor(ColorFromValue(d.Color), d.Owner(), d.DialogTitle);
    if (!c.isValid())
        return false;
    d.Color = ValueFromColor(c);
    return true;
}
} // namespace

void CommonDialog::SetRunner(Runner runner) { CurrentRunner() = std::move(runner); }

bool CommonDialog::Run(Kind kind)
{
    bool ok = false;
    if (CurrentRunner()) {
        ok = CurrentRunner()(kind, *this);
    } else {
        switch (kind) {
        case Kind::Open:
            ok = RunFile(*this, false);
            break;
        case Kind::Save:
            ok = RunFile(*this, true);
            break;
        case Kind::Font:
            ok = RunFont(*this);
            break;
        case Kind::Color:
            ok = RunColor(*this);
            break;
        }
    }
    if (!ok && CancelError)
        throw DialogCancelled();
    return ok;
}

bool CommonDialog::ShowOpen() { return Run(Kind::Open); }
bool CommonDialog::ShowSave() { return Run(Kind::Save); }
bool CommonDialog::ShowFont() { return Run(Kind::Font); }
bool CommonDialog::ShowColor() { return Run(Kind::Color); }

} // namespace platform
