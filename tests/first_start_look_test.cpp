// Picture values named relative to the program folder, and back.
#include "core/first_start_look.h"

#include <gtest/gtest.h>

using mduAlmanorvqueLib::PictureFilePath;
using mduAlmanorvqueLib::PictureValueFor;

TEST(FirstStartLook, APictureValueIsReadInTheProgramFolderWhenItIsRelative)
{
    const QString program = "/opt/calendar";
    const struct {
        const char* value;
        const char* file;
    } cases[] = {
        {"Images/Paper.jpg", "/opt/calendar/Images/Paper.jpg"},
        {"Images//./Paper.jpg", "/opt/calendar/Images/Paper.jpg"},
        {"/home/me/Paper.jpg", "/home/me/Paper.jpg"},
        {"None", "None"},
        {"0", "0"},
        {"", ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(PictureFilePath(c.value, program), c.file) << c.value;
    EXPECT_EQ(PictureFilePath("Images/Paper.jpg", ""), "Images/Paper.jpg");
}

TEST(FirstStartLook, AStyleNamesThePicturesOfTheProgramFolderByTheirPlaceInIt)
{
    const struct {
        const char* program;
        const char* file;
        const char* value;
    } cases[] = {
        {"/opt/calendar", "/opt/calendar/Images/Paper.jpg", "Images/Paper.jpg"},
        {"/opt/calendar/", "/opt/calendar/tester/mine.bmp", "tester/mine.bmp"},
        {"/opt/calendar", "/opt/calendar2/Images/Paper.jpg", "/opt/calendar2/Images/Paper.jpg"},
        {"/opt/calendar", "/home/me/Paper.jpg", "/home/me/Paper.jpg"},
        {"/opt/calendar", "/opt/calendar", "/opt/calendar"},
        {"/opt/calendar", "None", "None"},
        {"/opt/calendar", "Images/Paper.jpg", "Images/Paper.jpg"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(PictureValueFor(c.file, c.program), c.value) << c.file;
        if (QString(c.file).startsWith('/')) { // and is read back as that file
            EXPECT_EQ(PictureFilePath(PictureValueFor(c.file, c.program), c.program), c.file) << c.file;
        }
    }
}
