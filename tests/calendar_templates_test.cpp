// The calendar's settings templates are made at build time from one source and a table
// (data/calendar_templates.cmake). Users' files are merged against them, so the made
// files must keep the bytes they were shipped with.
#include <QCryptographicHash>
#include <QFile>
#include <gtest/gtest.h>

TEST(CalendarTemplates, TheMadeTemplatesKeepTheShippedBytes)
{
    const struct {
        const char* file;
        const char* sha256;
    } shipped[] = {
        {"Almanorvique.ini", "3040424064738f8a58cb5c90fb84fd6b29c11e6cefa8741b41c7855082ad210b"},
        {"ini/Almanorvique.ini", "3040424064738f8a58cb5c90fb84fd6b29c11e6cefa8741b41c7855082ad210b"},
        {"ini/1.ini", "31edce23c589246dd5f51b86b43dc7dea344064f093d387dde512aeedcbbee54"},
        {"ini/2.ini", "b50fbfcb1150a910e921b4166f5bd918d61f2aa80d40033c387d9e0d85825bbd"},
        {"ini/3.ini", "0021028d16b17bdeadf389912dc7ab73233bf95cc3ce72647863cb2e08889461"},
        {"ini/4.ini", "8c256c888aaa92d673c25d8eb492afa73fa9ab4f88d36af71190ab8ce97435ac"},
        {"ini/5.ini", "081c6fd97a5e397194d5cf1dc2010f733173fa2c45cdbe98f660ccfaa5de87e7"},
        {"ini/6.ini", "95b714b8a5e417c779847a6b28515d0873921d593e6e622a19a890641caecd3e"},
        {"ini/7.ini", "f34d49c2b5751e63fd1d4e846ad28b7717ed694b59c4a96ce6d2cdaeefd6d62a"},
        {"ini/8.ini", "67bee83f7d3cdaa40eab4888b2b1b2a77612bdd87e2dec8441dd78af7cd5cc25"},
        {"ini/9.ini", "aa1ee0a5dd86c9f54bf4ebcffd93a70b4186733dbdd72ed77a9b65e889353b8e"},
        {"ini/10.ini", "e8626790abe0ebb8552e296c7129a2869e2c915cb54aee71e7e7bc2c675cd89b"},
        {"ini/11.ini", "f1e833b4f4ae9d6769dbe1ef057f628d481c9b16077e7170e313e8eade155fb5"},
        {"ini/12.ini", "5ab1701339fecd2675fd7f3f387fbbe29a046a5dd629b6b73f804b46712e7bd4"},
    };
    for (const auto& c : shipped) {
        QFile f(QStringLiteral(ALMANORVIQUE_PROGRAM_DIR "/") + QLatin1String(c.file));
        ASSERT_TRUE(f.open(QIODevice::ReadOnly)) << c.file;
        EXPECT_EQ(QCryptographicHash::hash(f.readAll(), QCryptographicHash::Sha256).toHex(), QByteArray(c.sha256))
            << c.file;
    }
}
