// The editor frame's translated captions: keyboard letters kept across languages, the skin's
// list colour, and every caption key present in both shipped language files.
#include <gtest/gtest.h>
#include <sstream>
#include "EditorRules.h"
#include "LangTable.h"
#include "MenuCaptions.h"
#include "TestSupport.h"

namespace {

using editorcaptions::WithMnemonic;

TEST(MenuCaptions, TranslationsKeepTheKeyboardLetterAndShortcut)
{
    const struct {
        const wchar_t* translated;
        const wchar_t* before;
        const wchar_t* expected;
    } cases[] = {
        {L"File", L"&File", L"&File"},
        {L"文件", L"&File", L"文件(&F)"},
        {L"Filters", L"滤镜(&I)", L"F&ilters"},          // back to English: the letter where it is
        {L"Exit", L"E&xit", L"E&xit"},
        {L"退出", L"E&xit", L"退出(&X)"},
        {L"Copy...", L"Copy\tCtrl+C", L"Copy...\tCtrl+C"},  // no letter: the text and the shortcut
        {L"复制(&C)...", L"&Copy\tCtrl+C", L"复制(&C)...\tCtrl+C"},  // a translation's own letter stands
        {L"Save As...", L"Save As...", L"Save As..."},   // "..." is never doubled by a second run
        {L"R&&D", L"R&&D", L"R&&D"},                     // "&&" is a plain ampersand, not a letter
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::wstring(c.expected), WithMnemonic(c.translated, c.before)) << c.before;
}

TEST(MenuCaptions, ItemsByCommandAndSubMenusByPlace)
{
    bool ellipsis = false;
    EXPECT_STREQ(L"Save as", editorcaptions::ItemCaptionKey(32923, &ellipsis));
    EXPECT_TRUE(ellipsis);
    EXPECT_STREQ(L"Edge", editorcaptions::ItemCaptionKey(33083, &ellipsis));
    EXPECT_FALSE(ellipsis);
    EXPECT_EQ(nullptr, editorcaptions::ItemCaptionKey(0));   // a separator
    EXPECT_STREQ(L"Transparent gradient", editorcaptions::SubMenuCaptionKey(3, 6));
    EXPECT_EQ(nullptr, editorcaptions::SubMenuCaptionKey(3, 4));
}

TEST(MenuCaptions, ListColourIsTheSkinFaceHalfWayToGrey)
{
    EXPECT_EQ(RGB(64, 64, 64), SkinListColor(RGB(0, 0, 0)));
    EXPECT_EQ(RGB(191, 191, 191), SkinListColor(RGB(255, 255, 255)));
    EXPECT_EQ(RGB(64, 128, 191), SkinListColor(RGB(0, 128, 255)));
}

TEST(MenuCaptions, EveryKeyIsInBothLanguageFiles)
{
    CLangTable english, chinese;
    const std::wstring folder = testsupport::BinDir() + L"\\Language\\";
    ASSERT_TRUE(english.LoadLanguageFile((folder + L"English.txt").c_str()));
    ASSERT_TRUE(chinese.LoadLanguageFile((folder + L"Simplified Chinese.txt").c_str()));
    std::wistringstream keys(editorcaptions::FrameCaptionKeys());
    int count = 0;
    for (std::wstring key; std::getline(keys, key);) {
        ++count;
        EXPECT_FALSE(english.m_translations.Find(CLangTable::Key(key.c_str())).IsEnd()) << key;
        EXPECT_STRNE(key.c_str(), chinese.Lookup(key.c_str())) << key;
        // The captions get their ellipsis from the menu; a translation that brings its own
        // belongs to another use of the same word (a colour button's "Other" is no sub-menu).
        for (CLangTable* table : {&english, &chinese}) {
            const std::wstring text = table->Lookup(key.c_str());
            EXPECT_FALSE(text.size() >= 3 && text.compare(text.size() - 3, 3, L"...") == 0) << key;
        }
    }
    EXPECT_GT(count, 90);
}

} // namespace
