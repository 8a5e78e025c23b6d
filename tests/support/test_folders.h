#pragma once
// A program folder and a registry of the test's own in a temporary folder, with the
// shared path values reset; the clock, message boxes and timers are scripted.
#include "core/settings_store.h"

#include <QDir>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <optional>

namespace testsupport {

class ProgramFolderTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override;

    QString ProgramFolder() const { return dir_.path() + "/program"; }
    QString Path(const QString& relative) const { return ProgramFolder() + "/" + relative; }
    // Copies the shipped data folders of the build into the test's program folder.
    void CopyShippedData(const QStringList& folders = {"ini", "Dates"});

    QTemporaryDir dir_;
};

// A program folder with the shipped settings templates and the data folders set up, and
// English month and day names: the calendar window's tests start here.
class CalendarFolderTest : public ProgramFolderTest {
protected:
    void SetUp() override;
    void TearDown() override;
};

// Writes a file byte for byte (tests give CR LF themselves).
void WriteBytes(const QString& path, const QByteArray& bytes);
QByteArray ReadBytes(const QString& path);
// Sets the file's modification time that many seconds from now.
void SetFileAge(const QString& path, qint64 secondsFromNow);
// Builds a table from "Section:Key=Value" lines.
mduLib::PropertyTable TableOf(const QStringList& lines);

} // namespace testsupport
