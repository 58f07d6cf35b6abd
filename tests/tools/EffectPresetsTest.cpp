// The shipped effect presets (Data\Editor\Filter\Basic.xml and Filter.xml): they load, every
// preset names every field, together they hold each command, their values fit the dialogs the
// commands open, and their names are translated.
#include <cwchar>
#include <map>
#include <set>
#include <string>
#include <vector>
#include <gtest/gtest.h>
#include "EffectTables.h"
#include "LangTable.h"
#include "TestSupport.h"
#include "XmlDocument.h"

namespace {

// The list's reader keeps one record for a whole file: a field that a preset leaves out takes
// the previous preset's value, so each preset names them all.
const wchar_t* const kPresetFields[] = {L"Command", L"Name", L"Red", L"Brightness", L"Colorspace", L"Green",
                                        L"Blue", L"Alpha", L"Reserved", L"Saturation", L"Blend"};

struct Preset {
    std::wstring file;
    std::wstring name;
    int command = 0;
    int value[6] = {}; // Value1..Value5 at 1..5
};

std::wstring PresetPath(const wchar_t* file)
{
    return testsupport::BinDir() + L"\\Data\\Editor\\Filter\\" + file;
}

int Number(XmlNode* effect, const wchar_t* field)
{
    XmlNode* node = effect->FindChild(field);
    return node ? _wtoi(node->value) : 0;
}

// Loads the presets of a file, failing the test for a field that is missing or aliases that
// disagree (the last alias present would win).
std::vector<Preset> LoadPresetFile(const wchar_t* file)
{
    std::vector<Preset> presets;
    XmlDocument document;
    EXPECT_TRUE(XmlLoadFile(&document, PresetPath(file).c_str())) << file;
    XmlNode* root = document.FindChild(L"Effects");
    EXPECT_NE(root, nullptr) << file;
    if (!root)
        return presets;
    XmlNode::ChildPos position;
    for (XmlNode* effect = root->FindFirstChild(L"Effect", position); effect;
         effect = root->FindNextChild(L"Effect", position)) {
        Preset preset;
        preset.file = file;
        preset.name = effect->FindChild(L"Name") ? effect->FindChild(L"Name")->value : L"";
        preset.command = Number(effect, L"Command");
        for (const wchar_t* field : kPresetFields)
            EXPECT_NE(effect->FindChild(field), nullptr) << file << " " << preset.command << ": no " << field;
        EXPECT_EQ(Number(effect, L"Red"), Number(effect, L"Colorspace")) << preset.command;
        EXPECT_EQ(Number(effect, L"Brightness"), Number(effect, L"Colorspace")) << preset.command;
        EXPECT_EQ(Number(effect, L"Reserved"), Number(effect, L"Saturation")) << preset.command;
        preset.value[1] = Number(effect, L"Colorspace");
        preset.value[2] = Number(effect, L"Green");
        preset.value[3] = Number(effect, L"Blue");
        preset.value[4] = Number(effect, L"Alpha");
        preset.value[5] = Number(effect, L"Saturation");
        EXPECT_FALSE(preset.name.empty()) << preset.command;
        presets.push_back(preset);
    }
    return presets;
}

std::vector<Preset> AllPresets()
{
    std::vector<Preset> all = LoadPresetFile(L"Basic.xml");
    const std::vector<Preset> filters = LoadPresetFile(L"Filter.xml");
    all.insert(all.end(), filters.begin(), filters.end());
    return all;
}

TEST(EffectPresets, TogetherTheyHoldEveryCommand)
{
    const std::vector<Preset> basic = LoadPresetFile(L"Basic.xml");
    const std::vector<Preset> filters = LoadPresetFile(L"Filter.xml");
    EXPECT_FALSE(basic.empty());
    EXPECT_FALSE(filters.empty());
    std::set<int> commands;
    for (const std::vector<Preset>* file : {&basic, &filters})
        for (const Preset& preset : *file) {
            EXPECT_GE(preset.command, 1) << preset.name;
            EXPECT_LE(preset.command, 42) << preset.name;
            commands.insert(preset.command);
        }
    for (int command = 1; command <= 42; ++command)
        EXPECT_EQ(commands.count(command), 1u) << "no preset of command " << command;
}

// A value the dialog would clamp or reject is a preset that does not do what it says.
TEST(EffectPresets, ValuesFitTheDialogsTheyOpen)
{
    const EffectRange byte = {0, 255};
    const EffectRange shift = {-255, 255};
    struct Rule {
        int command;
        int value; // 1..5
        EffectRange range;
    };
    const std::vector<Rule> rules = {
        {1, 1, shift}, {1, 2, shift}, {1, 3, shift},
        {4, 5, byte}, // threshold level
        {5, 5, FindOneOptionEffect(5)->range},
        {7, 5, byte},
        {8, 1, byte}, {8, 2, byte}, {8, 3, byte}, {8, 4, byte}, {8, 5, {0, 100}},
        {11, 5, byte},
        {12, 1, FindTwoOptionEffect(7)->firstRange}, {12, 5, FindTwoOptionEffect(7)->secondRange},
        {13, 1, FindTwoOptionEffect(8)->firstRange}, {13, 5, FindTwoOptionEffect(8)->secondRange},
        {27, 5, FindOneOptionEffect(7)->range},
        {40, 5, FindOneOptionEffect(12)->range}, {40, 5, FindSelectiveFocusMode(0)->firstRange},
    };
    const std::vector<Preset> presets = AllPresets();
    for (const Rule& rule : rules)
        for (const Preset& preset : presets)
            if (preset.command == rule.command) {
                const int v = preset.value[rule.value];
                EXPECT_EQ(ClampToRange(v, rule.range), v) << preset.file << " \"" << preset.name << "\" value " << rule.value;
            }
}

TEST(EffectPresets, NamesAreInBothLanguageFiles)
{
    CLangTable english, chinese;
    const std::wstring folder = testsupport::BinDir() + L"\\Language\\";
    ASSERT_TRUE(english.LoadLanguageFile((folder + L"English.txt").c_str()));
    ASSERT_TRUE(chinese.LoadLanguageFile((folder + L"Simplified Chinese.txt").c_str()));
    const std::vector<Preset> presets = AllPresets();
    ASSERT_FALSE(presets.empty());
    for (const Preset& preset : presets) {
        const wchar_t* name = preset.name.c_str();
        EXPECT_FALSE(english.m_translations.Find(CLangTable::Key(name)).IsEnd()) << preset.command;
        EXPECT_STRNE(chinese.Lookup(name), name) << preset.command;
    }
}

} // namespace
