#include "help_viewer.h"

#include "core/help_about.h"
#include "form.h"

#include <QAction>
#include <QApplication>
#include <QFileInfo>
#include <QMdiArea>
#include <QMdiSubWindow>
#include <QPointer>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>
#include <QVBoxLayout>

namespace platform {
namespace {

class HelpWindowWidget : public QWidget {
public:
    HelpWindowWidget()
    {
        setWindowTitle(QStringLiteral("Help"));
        // An open help window does not keep the program alive once its windows closed.
        setAttribute(Qt::WA_QuitOnClose, false);
        auto* layout = new QVBoxLayout(this);
        layout->setContentsMargins(0, 0, 0, 0);
        layout->setSpacing(0);
        auto* bar = new QToolBar(this);
        back_ = bar->addAction(QStringLiteral("Back"));
        forward_ = bar->addAction(QStringLiteral("Forward"));
        contents_ = bar->addAction(QStringLiteral("Contents"));
        back_->setEnabled(false);
        forward_->setEnabled(false);
        layout->addWidget(bar);
        browser_ = new QTextBrowser(this);
        browser_->setOpenExternalLinks(true);
        layout->addWidget(browser_);
        connect(back_, &QAction::triggered, browser_, &QTextBrowser::backward);
        connect(forward_, &QAction::triggered, browser_, &QTextBrowser::forward);
        connect(contents_, &QAction::triggered, this, [this] {
            if (contentsUrl_.isValid())
                browser_->setSource(contentsUrl_);
        });
        connect(browser_, &QTextBrowser::backwardAvailable, back_, &QAction::setEnabled);
        connect(browser_, &QTextBrowser::forwardAvailable, forward_, &QAction::setEnabled);
        connect(browser_, &QTextBrowser::sourceChanged, this, [this] {
            const QString title = browser_->documentTitle();
            setWindowTitle(title.isEmpty() ? QStringLiteral("Help") : title);
        });
        resize(720, 560);
    }

    void Open(const QString& page, const QString& contents)
    {
        contentsUrl_ = QFileInfo::exists(contents) ? QUrl::fromLocalFile(contents) : QUrl::fromLocalFile(page);
        browser_->setSource(QUrl::fromLocalFile(page));
    }

    QTextBrowser* Browser() const { return browser_; }

private:
    QTextBrowser* browser_;
    QAction* back_;
    QAction* forward_;
    QAction* contents_;
    QUrl contentsUrl_;
};

QPointer<HelpWindowWidget>& TheWindow()
{
    static QPointer<HelpWindowWidget> w;
    return w;
}

QString HelpFolderOf(const QString& helpFilePath)
{
    const QFileInfo file(helpFilePath);
    QString name = file.fileName().toLower();
    if (name.endsWith(QLatin1String(".chm")))
        name.chop(4);
    return file.path() + u'/' + name;
}
} // namespace

QString HelpPagePath(const QString& helpFilePath, int helpContextID)
{
    const QString folder = HelpFolderOf(helpFilePath);
    const QString page = folder + u'/' + QString::number(helpContextID) + QStringLiteral(".html");
    if (QFileInfo(page).isFile())
        return page;
    const QString index = folder + QStringLiteral("/index.html");
    if (QFileInfo(index).isFile())
        return index;
    return {};
}

bool ShowHelp(const QString& helpFilePath, int helpContextID, QWidget* owner)
{
    const QString page = HelpPagePath(helpFilePath, helpContextID);
    if (page.isEmpty())
        return false;
    QWidget* parent = owner ? owner->window() : nullptr;
    auto& w = TheWindow();
    if (!w) {
        w = new HelpWindowWidget;
        w->setParent(parent, Qt::Window);
    } else if (w->parentWidget() != parent) {
        const QRect where = w->geometry();
        w->setParent(parent, Qt::Window); // hides it; shown again below
        w->setGeometry(where);
    }
    w->Open(page, HelpFolderOf(helpFilePath) + QStringLiteral("/index.html"));
    w->show();
    w->raise();
    w->activateWindow();
    return true;
}

QWidget* HelpWindow() { return TheWindow().data(); }
QTextBrowser* HelpBrowser() { return TheWindow() ? TheWindow()->Browser() : nullptr; }

Form* HelpFormOf(QWidget* activeWindow)
{
    if (!activeWindow)
        return nullptr;
    // A frame with child windows asks for the help of its active child.
    if (const auto* area = activeWindow->findChild<QMdiArea*>()) {
        if (const QMdiSubWindow* sub = area->activeSubWindow())
            if (auto* child = qobject_cast<Form*>(sub->widget()))
                return child;
    }
    return qobject_cast<Form*>(activeWindow);
}

void InstallHelpViewer()
{
    mduUILib::SetActiveHelpWindow([] {
        mduUILib::HelpWindowRef ref;
        if (Form* f = HelpFormOf(QApplication::activeWindow())) {
            ref.window = f;
            ref.helpContextID = &f->HelpContextID;
        }
        return ref;
    });
    mduUILib::SetHelpViewer([](const QString& path, int context, QObject* owner) {
        ShowHelp(path, context, qobject_cast<QWidget*>(owner));
    });
}

} // namespace platform
