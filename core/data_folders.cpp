#include "data_folders.h"
#include "set_up_step.h"

#include "app_identity.h"
#include "file_helpers.h"
#include "system/file_ownership.h"
#include "system/message_box.h"
#include "system/registry_store.h"
#include "system/user_locale.h"
#include "system/whole_file_write.h"
#include "system_info.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QTimer>
#include <cstdio>

using mduLib::Step;

namespace mduAlmanorvqueLib {

RunState gRun;

void ResetRunState() { gRun = RunState(); }

namespace {
// The program's own folders: a user named like one of them gets another folder.
const QStringList& ProgramFolderNames()
{
    static const QStringList names{QStringLiteral("Dates"),  QStringLiteral("ini"),  QStringLiteral("Styles"),
                                   QStringLiteral("Images"), QStringLiteral("Help"), QStringLiteral("Update")};
    return names;
}

// The first of the user's folders in parent that no other account has a part in (neither
// the folder nor anything in it); "" when there is none. What rules one out goes to why.
// With existingOnly, only a folder that is there and may be written counts.
QString UsableUserFolder(const QString& parent, const QStringList& taken, QStringList& why, bool existingOnly = false)
{
    for (const QString& name : platform::UserFolderNames(parent, taken)) {
        const QString folder = parent + u'/' + name;
        if (existingOnly && !platform::IsWritableFolder(folder))
            continue;
        const QString foreign = platform::ForeignEntryIn(folder);
        if (foreign.isEmpty())
            return folder;
        why << foreign;
    }
    return {};
}

// The per-user folder: in the program folder when a folder of the user's name there is the
// user's alone and this account may write it (or make it), else in the user's own data
// folder. Says why when it is not the usual place, and, in a box, where the data lives the
// first time it goes there.
void SetUpUserFolder(const QString& pf, bool programWritable)
{
    QStringList why;
    QString folder = UsableUserFolder(pf, ProgramFolderNames(), why, !programWritable);
    if (folder.isEmpty() && !programWritable)
        why << pf + QStringLiteral(" cannot be written by this account");
    const QString home = platform::UserDataHome();
    if (folder.isEmpty() && !home.isEmpty()) {
        const QString base = home + QStringLiteral("/Almanorvique");
        QDir().mkpath(base);
        folder = UsableUserFolder(base, {}, why);
        if (folder.isEmpty()) // every name is taken by another account: none is written through
            folder = base + u'/' + platform::UserFolderNames(base, {}).value(0, QStringLiteral("User"));
    }
    if (folder.isEmpty())
        folder = pf + u'/' + platform::UserFolderNames(pf, ProgramFolderNames()).value(0, QStringLiteral("User"));
    gDataFolder = folder;
    const bool isNew = !QFileInfo::exists(folder);
    if (!why.isEmpty())
        std::fprintf(stderr, "Almanorvique: %s; the data is kept in %s\n", qPrintable(why.join(QStringLiteral("; "))),
                     qPrintable(folder));
    mduLib::MakeFolderIfMissing(gDataFolder);
    if (!why.isEmpty() && isNew) {
        const QString prompt = QStringLiteral("Your calendar data is kept in\r\n") + folder +
                               QStringLiteral("\r\n\r\nbecause ") + why.join(QStringLiteral(",\r\nand ")) + u'.';
        const auto say = [prompt] {
            platform::MsgBox(prompt, platform::vbOKOnly | platform::vbInformation, appinfo::ProgramTitle());
        };
        // Said from the event loop, over the window that start-up shows, where the end of
        // the session still ends the program.
        if (QCoreApplication* app = QCoreApplication::instance())
            QTimer::singleShot(0, app, say);
        else
            say();
    }
}
} // namespace

void SetupDataFolders()
{
    const QString pf = appinfo::ProgramFolder();
    // A program folder this account may not write (a system-wide install, another
    // account's copy) is only read: its missing folders stay missing.
    const bool programWritable = platform::IsWritableFolder(pf);
    const auto makeProgramFolder = [&](const QString& folder) {
        if (programWritable)
            mduLib::MakeFolderIfMissing(folder);
    };
    Step([&] {
        gImagesFolder = pf + "/Images/";
        makeProgramFolder(gImagesFolder);
    });
    Step([&] { makeProgramFolder(pf + "/Images/AlmanorviqueCentral/"); });
    Step([&] { makeProgramFolder(gImagesFolder + "Wallpaper/"); });
    Step([&] {
        gStylesFolder = pf + "/Styles/";
        makeProgramFolder(gStylesFolder);
    });
    Step([&] {
        gDatesFolder = pf + "/Dates/";
        makeProgramFolder(gDatesFolder);
    });
    Step([&] {
        gIniTemplateFolder = pf + "/ini/";
        makeProgramFolder(gIniTemplateFolder);
    });
    Step([&] { SetUpUserFolder(pf, programWritable); });
    // Without a home the registry store would land in "/.config".
    platform::registry::SetHomelessConfigFolder(gDataFolder + "/.config");
    gPersonalDatesFile = gDataFolder + "/PersonalDates";
    // What killed writes left in the folders the programs write into (never a user's file).
    for (const QString& folder : {pf, gStylesFolder, gDataFolder})
        Step([&] { platform::RemoveLeftoverTemporariesIn(folder); });
    Step([&] { makeProgramFolder(pf + "/Update/"); });
    Step([&] {
        const QString dat = gDataFolder + "/Almanorvique.dat";
        // A start folder without the file is the usual case, not a failed step.
        const QString source = QStringLiteral("Almanorvique.dat");
        if (!mduLib::FileExists(dat) && mduLib::FileExists(source))
            mduLib::CopyFileFso(source, dat, false);
    });
}

} // namespace mduAlmanorvqueLib
