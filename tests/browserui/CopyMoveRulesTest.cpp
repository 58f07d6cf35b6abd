// The window-free rules of the copy and move commands.
#include <gtest/gtest.h>
#include <set>
#include "CopyMoveRules.h"

namespace {

TEST(CopyMoveRules, FavoriteCommandIsCheckedAgainstTheListAtTheClick)
{
    const struct {
        unsigned id;
        int count;
        int index;
    } cases[] = {
        {32992, 3, 0}, {32994, 3, 2},
        {32995, 3, -1}, // the menu was built when there were four favourites
        {32992, 0, -1}, {32991, 3, -1}, {33010, 19, 18},
    };
    for (const auto& c : cases)
        EXPECT_EQ(FavoriteIndexForCommand(c.id, 32992, c.count), c.index) << c.id << " of " << c.count;
}

TEST(CopyMoveRules, TargetIsNamedByItsLastPartOrItsWholeRoot)
{
    const struct {
        const wchar_t* folder;
        const wchar_t* name;
    } cases[] = {
        {L"C:\\Pictures\\Trips", L"Trips"},
        {L"D:\\", L"D:\\"},
        {L"\\\\server\\share\\", L"\\\\server\\share\\"},
        {L"Trips", L"Trips"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(TargetFolderName(c.folder), c.name) << c.folder;
}

TEST(CopyMoveRules, OnlyItemsWhoseFilesAreGoneLeaveAfterAMove)
{
    const std::vector<std::wstring> taken = {L"C:\\a.jpg", L"C:\\b.jpg", L"C:\\sub"};
    const std::set<std::wstring> left = {L"C:\\b.jpg"};
    const auto exists = [&](const std::wstring& p) { return left.count(p) > 0; };
    EXPECT_EQ(PathsMovedAway(taken, exists), (std::vector<std::wstring>{L"C:\\a.jpg", L"C:\\sub"}));
    // The shell moved nothing: every item stays.
    EXPECT_TRUE(PathsMovedAway(taken, [](const std::wstring&) { return true; }).empty());
}

} // namespace
