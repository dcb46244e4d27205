#include <gtest/gtest.h>

#include "assets/data_file.h"

TEST(DataFile, BackslashesBecomeSlashes)
{
    EXPECT_EQ(dataFilePath("Data\\overlay.p"), "Data/overlay.p");
    EXPECT_EQ(dataFilePath("a\\b\\c"), "a/b/c");
    EXPECT_EQ(dataFilePath("Data/dot.p"), "Data/dot.p");
}
