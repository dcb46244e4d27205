#include <gtest/gtest.h>

#include "assets/data_file.h"

TEST(DataFile, BackslashesBecomeSlashes)
{
    EXPECT_EQ(dataFilePath("Data\\overlay.p"), "Data/overlay.p");
    EXPECT_EQ(dataFilePath("a\\b\\c"), "a/b/c");
    EXPECT_EQ(dataFilePath("Data/dot.p"), "Data/dot.p");
}

TEST(DataFile, AnotherDataFolderTakesThePlaceOfData)
{
    setDataFolder("/opt/show/pictures");
    EXPECT_EQ(dataFilePath("Data\\music.mp3"), "/opt/show/pictures/music.mp3");
    EXPECT_EQ(dataFilePath("Database\\x"), "Database/x") << "only the Data folder itself moves";
    setDataFolder("");
    EXPECT_EQ(dataFilePath("Data\\music.mp3"), "Data/music.mp3");
}
