#include "core/registry.h"
#include "support/test_folders.h"
#include "system/registry_store.h"

#include <QDir>
#include <QFileInfo>
#include <gtest/gtest.h>

using namespace mduAPILib;
namespace reg = platform::registry;

class Registry : public testsupport::ProgramFolderTest {};

TEST_F(Registry, ValuesReadByType)
{
    const QString key = "Software\\Almanorvique Test";
    ASSERT_TRUE(reg::CreateKey(key));
    const struct {
        const char* name;
        std::optional<reg::Value> stored; // nothing: no such value
        qint32 result;
        QVariant value; // what RegQueryValue leaves in a variant that held "keep"
        QString text;   // RegReadString
    } cases[] = {
        {"Text", reg::Value::Text("C:/pictures/a b.jpg"), ERROR_SUCCESS, "C:/pictures/a b.jpg", "C:/pictures/a b.jpg"},
        {"Empty", reg::Value::Text(""), ERROR_SUCCESS, "", ""},
        {"Number", reg::Value::Number(600), ERROR_SUCCESS, 600u, "600"},
        {"Big", reg::Value::Number(4000000000u), ERROR_SUCCESS, 4000000000u, "4000000000"},
        {"Expand", reg::Value{reg::ValueType::ExpandString, "%HOME%", 0}, -1, "keep", ""},
        {"Binary", reg::Value{reg::ValueType::Binary, "00ff", 0}, -1, "keep", ""},
        {"Missing", std::nullopt, ERROR_FILE_NOT_FOUND, "keep", ""},
    };
    for (const auto& c : cases) {
        if (c.stored) {
            ASSERT_TRUE(reg::WriteValue(key, c.name, *c.stored));
        }
    }

    qint32 h = 0;
    ASSERT_EQ(RegOpenKey(HKEY_CURRENT_USER, key, h), ERROR_SUCCESS);
    for (const auto& c : cases) {
        QVariant value = QStringLiteral("keep");
        EXPECT_EQ(RegQueryValue(h, c.name, value), c.result) << c.name;
        EXPECT_EQ(value, c.value) << c.name;
        EXPECT_EQ(RegReadString(key, c.name), c.text) << c.name;
    }
    EXPECT_EQ(RegCloseKey(h), ERROR_SUCCESS);
    QVariant value = QStringLiteral("keep");
    EXPECT_EQ(RegQueryValue(h, "Text", value), ERROR_INVALID_HANDLE); // closed
    EXPECT_EQ(value, QVariant("keep"));
    EXPECT_EQ(RegReadString("Software\\No Such Key", "Text"), "");
}

TEST_F(Registry, WriteStringNeedsAnExistingKeyCreateAndSetMakesIt)
{
    RegWriteString(HKEY_CURRENT_USER, "Software\\Fresh", "Name", "x");
    EXPECT_FALSE(reg::KeyExists("Software\\Fresh"));

    // The desktop's own keys are there from the start, as on any desktop.
    RegWriteString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", "/p/a.jpg");
    EXPECT_EQ(RegReadString("control panel\\desktop", "wallpaper"), "/p/a.jpg");
    RegWriteString(HKEY_CURRENT_USER, "Control Panel\\Desktop", "Wallpaper", "");
    ASSERT_TRUE(reg::ReadValue("Control Panel\\Desktop", "Wallpaper").has_value()); // empty, not gone
    EXPECT_EQ(reg::ReadValue("Control Panel\\Desktop", "Wallpaper")->text, "");

    RegCreateAndSet("Software\\Fresh\\Deeper", "Count", 42, REG_SZ);
    const auto v = reg::ReadValue("Software\\Fresh\\Deeper", "Count");
    ASSERT_TRUE(v.has_value());
    EXPECT_EQ(v->type, reg::ValueType::String);
    EXPECT_EQ(v->text, "42");

    // Another type is not stored, and saying so is the result.
    RegCreateAndSet("Software\\Fresh\\Deeper", "Flag", 1, REG_DWORD);
    EXPECT_FALSE(reg::ReadValue("Software\\Fresh\\Deeper", "Flag").has_value());
    qint32 h = 0;
    ASSERT_EQ(RegCreateKey(HKEY_CURRENT_USER, "Software\\Fresh", h), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueTyped(h, "Flag", REG_DWORD, 1), ERROR_INVALID_PARAMETER);
    EXPECT_EQ(RegSetValueTyped(h, "Name", REG_SZ, "y"), ERROR_SUCCESS);
    EXPECT_EQ(RegReadString("Software\\Fresh", "Name"), "y");

    // An open key stands as a root for the keys below it.
    qint32 below = 0;
    EXPECT_EQ(RegOpenKey(h, "Deeper", below), ERROR_SUCCESS);
    EXPECT_EQ(RegSetValueTyped(below, "Count", REG_SZ, "43"), ERROR_SUCCESS);
    EXPECT_EQ(RegReadString("Software\\Fresh\\Deeper", "Count"), "43");
    EXPECT_EQ(RegOpenKey(h, "Missing", below), ERROR_FILE_NOT_FOUND);
    RegCloseKey(h);
    EXPECT_EQ(RegOpenKey(h, "Deeper", below), ERROR_INVALID_HANDLE);
}

TEST_F(Registry, ADamagedStoreIsKeptAsideBeforeANewOneIsWritten)
{
    namespace reg = platform::registry;
    const QString store = reg::StorePath();
    ASSERT_TRUE(reg::SaveSetting("Almanorvique", "Settings", "Auto Start", "Yes"));
    // One stray comma, as a hand edit leaves it.
    QByteArray damaged = testsupport::ReadBytes(store);
    damaged.insert(damaged.lastIndexOf('}'), ",");
    testsupport::WriteBytes(store, damaged);
    ASSERT_TRUE(reg::SaveSetting("Almanorvique", "Settings", "Path", "/opt"));
    EXPECT_EQ(testsupport::ReadBytes(store + ".damaged"), damaged);
    EXPECT_EQ(reg::GetSetting("Almanorvique", "Settings", "Path", ""), "/opt");
    // A second damaged store does not replace the first one kept.
    testsupport::WriteBytes(store, "not a store");
    ASSERT_TRUE(reg::SaveSetting("Almanorvique", "Settings", "Path", "/usr"));
    EXPECT_EQ(testsupport::ReadBytes(store + ".damaged"), damaged);
    EXPECT_EQ(testsupport::ReadBytes(store + ".damaged2"), "not a store");
    // One that cannot be opened at all (here a folder; as well a file of another user's).
    ASSERT_TRUE(QFile::remove(store));
    ASSERT_TRUE(QDir().mkpath(store + "/inside"));
    ASSERT_TRUE(reg::SaveSetting("Almanorvique", "Settings", "Path", "/srv"));
    EXPECT_TRUE(QFileInfo(store + ".damaged3/inside").isDir());
    EXPECT_EQ(reg::GetSetting("Almanorvique", "Settings", "Path", ""), "/srv");
}
