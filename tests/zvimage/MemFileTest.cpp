// The memory file that encoders write to: growth, reads and seeks within bounds, a borrowed
// block that cannot grow, and seeks that no block could hold.
#include <gtest/gtest.h>
#include <cstdint>
#include <cstdlib>
#include <cstring>
#include <vector>
#include "CxMemFile.h"

TEST(MemFile, WritesGrowReadsAndSeeksStayInside)
{
    CxMemFile file;
    std::vector<BYTE> data(10000);
    for (size_t i = 0; i < data.size(); ++i)
        data[i] = static_cast<BYTE>(i * 7);
    EXPECT_EQ(file.Write(data.data(), 1, data.size()), data.size());
    EXPECT_EQ(file.Size(), 10000);
    ASSERT_TRUE(file.Seek(-4, SEEK_END));
    BYTE tail[8] = {};
    EXPECT_EQ(file.Read(tail, 1, 8), 4u);  // only what is there
    EXPECT_EQ(tail[3], data[9999]);
    EXPECT_TRUE(file.Eof());
    // Seeking past the end grows the block with zeros.
    ASSERT_TRUE(file.Seek(10010, SEEK_SET));
    EXPECT_EQ(file.Size(), 10010);
    ASSERT_TRUE(file.Seek(10000, SEEK_SET));
    EXPECT_EQ(file.Read(tail, 1, 8), 8u);
    EXPECT_EQ(tail[7], 0);
    EXPECT_FALSE(file.Seek(-1, SEEK_SET));
    // Targets no block could hold fail without touching the file, on 32-bit builds too.
    EXPECT_FALSE(file.Seek(int64_t(1) << 62, SEEK_SET));
    EXPECT_FALSE(file.Seek(INT64_MAX - 5, SEEK_CUR));
    EXPECT_EQ(file.Size(), 10010);
    EXPECT_TRUE(file.Good());
    BYTE* block = file.Detach();
    ASSERT_NE(block, nullptr);
    EXPECT_EQ(block[1], data[1]);
    std::free(block);
    EXPECT_EQ(file.Size(), 0);
}

TEST(MemFile, BorrowedBlockDoesNotGrow)
{
    BYTE block[16] = {};
    CxMemFile file(block, sizeof block);
    const char text[] = "0123456789";
    EXPECT_EQ(file.Write(text, 1, 10), 10u);
    EXPECT_EQ(std::memcmp(block, text, 10), 0);
    EXPECT_EQ(file.Write(text, 1, 10), 0u);  // would pass the end of the caller's block
    EXPECT_FALSE(file.Good());
    EXPECT_FALSE(file.Seek(17, SEEK_SET));
}
