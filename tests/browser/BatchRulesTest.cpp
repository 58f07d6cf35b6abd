// The rules of the batch tasks without pictures: stored settings, slider steps, quality and
// target paths, the rename rules over real files, and the condition select.
#include <gtest/gtest.h>
#include <map>
#include <string>
#include <vector>
#include "BatchEngine.h"
#include "BatchRenameMethod.h"
#include "BatchSettings.h"
#include "BrowserTestSupport.h"
#include "ConditionSelect.h"
#include "ConvertTasks.h"
#include "PhotoDate.h"
#include "TestSupport.h"
#include "ZVImage.h"

namespace {

using browsertest::FakeBatchHost;
using browsertest::MemoryProfile;
using testsupport::TempFolder;

TEST(BatchSettings, StoredValuesOutOfRangeReadAsTheirDefaults)
{
    struct Row {
        const wchar_t* section;
        int typeCount;
        int outputType, fileType, quality;
        int wantOverwrite, wantType, wantQuality;
    } const rows[] = {
        {kConvertSection, kBatchImageTypeCount, 5, 4, 85, 0, 4, 85},
        {kConvertSection, kBatchImageTypeCount, 1, 5, 0, 1, 0, 0},
        {kConvertSection, kBatchImageTypeCount, -1, -2, 250, 0, 0, 100},
        {kOptimizeSection, kOptimizeImageTypeCount, 1, 2, 40, 1, 0, 40},
        {kOptimizeSection, kOptimizeImageTypeCount, 2, 1, -5, 0, 1, 0},
    };
    for (const Row& row : rows) {
        MemoryProfile profile;
        profile.WriteInt(row.section, L"OutputType", row.outputType);
        profile.WriteInt(row.section, L"FileType", row.fileType);
        profile.WriteInt(row.section, L"Quality", row.quality);
        BatchConvertSettings settings;
        settings.Load(profile, row.section, row.typeCount);
        EXPECT_EQ(row.wantOverwrite, settings.overwriteOriginal) << row.section << L" " << row.outputType;
        EXPECT_EQ(row.wantType, settings.fileType) << row.section << L" " << row.fileType;
        EXPECT_EQ(row.wantQuality, settings.quality) << row.section << L" " << row.quality;
    }

    MemoryProfile empty;
    BatchConvertSettings defaults;
    defaults.Load(empty, kOptimizeSection, kOptimizeImageTypeCount);
    EXPECT_EQ(80, defaults.quality);
    EXPECT_EQ(1920, defaults.maxWidth);
    EXPECT_EQ(1920, defaults.maxHeight);
    EXPECT_TRUE(defaults.limitSize);
    EXPECT_FALSE(defaults.removeExif);

    BatchConvertSettings changed = defaults;
    changed.maxWidth = 1200;
    changed.limitSize = false;
    changed.removeExif = true;
    changed.overwriteOriginal = 1;
    changed.Save(empty, kOptimizeSection);
    BatchConvertSettings back;
    back.Load(empty, kOptimizeSection, kOptimizeImageTypeCount);
    EXPECT_EQ(1200, back.maxWidth);
    EXPECT_FALSE(back.limitSize);
    EXPECT_TRUE(back.removeExif);
    EXPECT_EQ(1, back.overwriteOriginal);
}

TEST(BatchSettings, SlidersStartOnTheFirstStepNotSmaller)
{
    struct Row {
        const int* steps;
        int count;
        int value;
        int position;
    } const rows[] = {
        {kResolutionSteps, kResolutionStepCount, 1500, 4}, // 1600
        {kResolutionSteps, kResolutionStepCount, 5000, 6}, // above all: 2400
        {kResolutionSteps, kResolutionStepCount, 1600, 4},
        {kResolutionSteps, kResolutionStepCount, 100, 0},
        {kQualitySteps, kQualityStepCount, 0, 0},
        {kQualitySteps, kQualityStepCount, 85, 6}, // 90
        {kQualitySteps, kQualityStepCount, 100, 7},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.position, StepPosition(row.steps, row.count, row.value)) << row.value;
    EXPECT_EQ(1600, kResolutionSteps[StepPosition(kResolutionSteps, kResolutionStepCount, 1500)]);
    EXPECT_EQ(2400, kResolutionSteps[StepPosition(kResolutionSteps, kResolutionStepCount, 5000)]);
}

TEST(BatchSettings, TypeTableCodesAndExtensions)
{
    struct Row {
        int index;
        const wchar_t* extension;
        int code;
        bool quality;
    } const rows[] = {
        {0, L"jpg", 3, true}, {1, L"webp", 21, true}, {2, L"png", 4, false}, {3, L"bmp", 1, false},
        {4, L"gif", 2, false}, {5, L"jpg", 3, true}, {-1, L"jpg", 3, true},
    };
    for (const Row& row : rows) {
        EXPECT_STREQ(row.extension, BatchImageTypeAt(row.index).extension) << row.index;
        EXPECT_EQ(row.code, BatchImageTypeAt(row.index).code) << row.index;
        EXPECT_EQ(row.quality, BatchImageTypeHasQuality(row.index)) << row.index;
    }
}

TEST(BatchQuality, AutomaticBySizeCappedOnlyByAJpegSource)
{
    struct Row {
        int chosen, width, height, sourceJpegQuality;
        int quality; // 0: left as the library has it
    } const rows[] = {
        {0, 3000, 2000, 85, 85},  // 90 from the size, capped by the source
        {0, 3000, 2000, 0, 90},   // not a JPEG: no cap
        {0, 1000, 700, 0, 70},
        {0, 799, 600, 0, 60},
        {0, 1600, 900, 95, 80},
        {0, 600, 2560, 0, 90},
        {100, 3000, 2000, 85, 0}, // 100 is not set
        {75, 3000, 2000, 50, 75}, // a chosen quality is taken as it is
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.quality, AutoQuality(row.chosen, row.width, row.height, row.sourceJpegQuality))
            << row.chosen << L" " << row.width << L"x" << row.height << L" " << row.sourceJpegQuality;
}

TEST(BatchTargetPath, MirrorsSubFoldersBelowTheCurrentFolder)
{
    struct Row {
        const wchar_t* source;
        const wchar_t* current;
        const wchar_t* output;
        bool overwrite;
        const wchar_t* extension;
        const wchar_t* target;
    } const rows[] = {
        {L"C:\\Pics\\sub\\title.jpg", L"C:\\Pics", L"D:\\Out", false, L"webp", L"D:\\Out\\sub\\title.webp"},
        {L"C:\\Pics\\a\\b\\x.y.png", L"C:\\Pics\\", L"D:\\Out\\", false, L"jpg", L"D:\\Out\\a\\b\\x.y.jpg"},
        {L"C:\\Pics\\title.jpg", L"C:\\Pics", L"D:\\Out", false, L"png", L"D:\\Out\\title.png"},
        {L"C:\\Pics\\sub\\title.jpg", L"C:\\Pics", L"D:\\Out", true, L"webp", L"C:\\Pics\\sub\\title.webp"},
        {L"C:\\Pics\\title.JPG", L"C:\\Pics", L"D:\\Out", true, L"jpg", L"C:\\Pics\\title.jpg"},
        {L"C:\\Pics\\noext", L"C:\\Pics", L"D:\\Out", false, L"gif", L"D:\\Out\\noext.gif"},
        // A folder whose name only starts like the current one is not below it.
        {L"C:\\Pictures\\t.jpg", L"C:\\Pic", L"D:\\Out", false, L"bmp", L"D:\\Out\\t.bmp"},
    };
    for (const Row& row : rows) {
        std::wstring target;
        EXPECT_TRUE(MakeBatchTargetPath(row.source, row.current, row.output, row.overwrite, row.extension, target)) << row.source;
        EXPECT_EQ(row.target, target) << row.source;
    }
    std::wstring target;
    EXPECT_FALSE(MakeBatchTargetPath(L"C:\\Pics\\sub\\t.jpg", L"C:\\Pics", L"D:\\" + std::wstring(250, L'o'), false, L"jpg", target));
}

// The rename rules over files of a temporary folder, "now" fixed at 2020-01-02 03:04:05.
class BatchRename : public ::testing::Test {
protected:
    CBatchRenameMethod m_method;
    const CTime m_now{2020, 1, 2, 3, 4, 5};

    void SetUp() override
    {
        m_method.m_clock = [this] { return m_now; };
        m_method.m_ignoreDateTimeChars = true;
    }
    std::wstring Tag(RENAME_TAG tag) const { return m_method.TagText(tag); }
    // Renames each file of the folder as one run would; the results in order.
    std::vector<BatchItemResult> RenameAll(const TempFolder& folder, const std::vector<std::wstring>& names)
    {
        m_method.StartRenameRun();
        m_method.m_names.RemoveAll();
        std::vector<BatchItemResult> results;
        int item = 0;
        for (const std::wstring& name : names)
            results.push_back(m_method.RenameFiles(item++, folder.At(name).c_str()));
        return results;
    }
};

TEST_F(BatchRename, NamesFromThePatternCases)
{
    struct Row {
        std::vector<std::wstring> files;
        std::wstring pattern;
        const wchar_t* delimiter;
        int numberFormat;
        std::vector<std::wstring> after; // sorted, as the folder lists them
    } const rows[] = {
        {{L"IMG_0001.jpg"}, Tag(RENAME_TAG_FILE_NAME) + Tag(RENAME_TAG_NUMBER), L"_", 2, {L"IMG_001.jpg"}},
        // The same name again: the file takes the next free tilde number.
        {{L"abc.jpg"}, Tag(RENAME_TAG_FILE_NAME), L"-", 0, {L"abc~1.jpg"}},
        {{L"20150301.jpg"}, Tag(RENAME_TAG_FILE_NAME) + L"x", L"", 0, {L"20150301x.jpg"}},
        {{L"a.jpg", L"b.jpg", L"c.jpg"}, L"holiday", L"_", 0, {L"holiday.jpg", L"holiday~1.jpg", L"holiday~2.jpg"}},
        // Tags in any letter case; the number once per picture however many tags there are.
        {{L"x.png", L"y.png"}, L"[number]-[NUMBER]", L"", 1, {L"01-01.png", L"02-02.png"}},
        // Typed names never leave the folder nor end in a dot or blank.
        {{L"p.jpg"}, L"..\\x", L"_", 0, {L".._x.jpg"}},
        {{L"q.jpg"}, L"a:b*c?. ", L"_", 0, {L"a_b_c___.jpg"}},
        {{L"r.jpg"}, L"..", L"_", 0, {L"__.jpg"}},
    };
    for (const Row& row : rows) {
        TempFolder parent;
        ASSERT_TRUE(CreateDirectoryW(parent.At(L"in").c_str(), nullptr));
        for (const std::wstring& file : row.files)
            ASSERT_TRUE(TempFolder::Put(parent.At(L"in\\" + file), "x"));
        m_method.m_pattern = row.pattern;
        m_method.m_delimiter = row.delimiter;
        m_method.m_numberFormat = row.numberFormat;
        m_method.m_startNumber = 1;
        std::vector<std::wstring> names;
        for (const std::wstring& file : row.files)
            names.push_back(L"in\\" + file);
        for (const BatchItemResult& result : RenameAll(parent, names))
            EXPECT_EQ(BATCH_ITEM_DONE, result.result) << row.pattern << L" " << result.reason;
        EXPECT_EQ(row.after, parent.List(L"in")) << row.pattern;
        EXPECT_EQ(std::vector<std::wstring>{L"in"}, parent.List()) << row.pattern;
    }
}

TEST_F(BatchRename, PreviewOfTheSampleWithoutAFile)
{
    struct Row {
        std::wstring pattern;
        int dateType;
        const wchar_t* target;
    } const rows[] = {
        {Tag(RENAME_TAG_MD5), RENAME_DATE_PHOTO, L"XXXX_MD5_STRING_XXXX.jpg"},
        // The sample has no file: its file date is the run's.
        {Tag(RENAME_TAG_DATE) + Tag(RENAME_TAG_TIME), RENAME_DATE_FILE, L"2020-01-02_03-04-05.jpg"},
        {Tag(RENAME_TAG_FILE_NAME) + Tag(RENAME_TAG_NUMBER), RENAME_DATE_NOW, L"MyPicture_1.jpg"},
    };
    for (const Row& row : rows) {
        m_method.m_pattern = row.pattern;
        m_method.m_dateType = row.dateType;
        m_method.StartRenameRun();
        std::wstring target;
        EXPECT_TRUE(m_method.BuildNewName(kRenameSampleName, target)) << row.pattern;
        EXPECT_EQ(row.target, target) << row.pattern;
    }
    // Any other file without a digest has no name.
    m_method.m_pattern = Tag(RENAME_TAG_MD5);
    std::wstring target = L"stale";
    EXPECT_FALSE(m_method.BuildNewName(L"C:\\nowhere\\missing.jpg", target));
    EXPECT_EQ(L"", target);
}

// An 8x8 JPEG; with a date text, an APP1 block whose IFD0 holds only that DateTime entry.
void MakeJpeg(const std::wstring& path, const char* dateTime)
{
    CxImage image;
    ASSERT_TRUE(image.Create(8, 8, 24, CXIMAGE_FORMAT_JPG));
    ASSERT_TRUE(image.Save(path.c_str(), CXIMAGE_FORMAT_JPG));
    if (dateTime)
        ASSERT_TRUE(testsupport::AddExif(path, 0, dateTime));
}

void SetLastWrite(const std::wstring& path, const CTime& when)
{
    SYSTEMTIME local, utc;
    ASSERT_TRUE(when.GetAsSystemTime(local));
    ASSERT_TRUE(TzSpecificLocalTimeToSystemTime(nullptr, &local, &utc));
    FILETIME time;
    SystemTimeToFileTime(&utc, &time);
    HANDLE file = CreateFileW(path.c_str(), FILE_WRITE_ATTRIBUTES, 0, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(file, INVALID_HANDLE_VALUE);
    SetFileTime(file, nullptr, nullptr, &time);
    CloseHandle(file);
}

TEST_F(BatchRename, DatesFromThePhotoTheFileOrTheRun)
{
    TempFolder folder;
    MakeJpeg(folder.At(L"exif.jpg"), "2015:03:14 15:09:26");
    MakeJpeg(folder.At(L"plain.jpg"), nullptr);
    SetLastWrite(folder.At(L"exif.jpg"), CTime(2011, 11, 11, 11, 11, 11));
    SetLastWrite(folder.At(L"plain.jpg"), CTime(2012, 7, 8, 9, 10, 11));
    struct Row {
        const wchar_t* file;
        int dateType;
        const wchar_t* name;
    } const rows[] = {
        {L"exif.jpg", RENAME_DATE_PHOTO, L"2015-03-14 15-09-26.jpg"},
        {L"exif.jpg", RENAME_DATE_FILE, L"2011-11-11 11-11-11.jpg"},
        {L"plain.jpg", RENAME_DATE_PHOTO, L"2012-07-08 09-10-11.jpg"},
        {L"plain.jpg", RENAME_DATE_FILE, L"2012-07-08 09-10-11.jpg"},
        {L"exif.jpg", RENAME_DATE_NOW, L"2020-01-02 03-04-05.jpg"},
    };
    m_method.m_pattern = Tag(RENAME_TAG_DATE) + Tag(RENAME_TAG_TIME);
    m_method.m_delimiter = L" ";
    for (const Row& row : rows) {
        m_method.m_dateType = row.dateType;
        m_method.StartRenameRun();
        std::wstring target;
        ASSERT_TRUE(m_method.BuildNewName(folder.At(row.file).c_str(), target)) << row.file;
        EXPECT_EQ(folder.At(row.name), target) << row.file << L" " << row.dateType;
    }
}

TEST_F(BatchRename, DigestOfTheFileAndTheIgnoreBox)
{
    TempFolder folder;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"IMG_0001.jpg"), "abc"));
    m_method.m_pattern = Tag(RENAME_TAG_MD5);
    m_method.StartRenameRun();
    std::wstring target;
    ASSERT_TRUE(m_method.BuildNewName(folder.At(L"IMG_0001.jpg").c_str(), target));
    EXPECT_EQ(folder.At(L"900150983CD24FB0D6963F7D28E17F72.jpg"), target);

    // Unchecked, the box keeps the old title whole.
    m_method.m_ignoreDateTimeChars = false;
    m_method.m_pattern = Tag(RENAME_TAG_FILE_NAME) + Tag(RENAME_TAG_NUMBER);
    m_method.m_delimiter = L"_";
    m_method.StartRenameRun();
    ASSERT_TRUE(m_method.BuildNewName(folder.At(L"IMG_0001.jpg").c_str(), target));
    EXPECT_EQ(folder.At(L"IMG_0001_1.jpg"), target);
}

TEST_F(BatchRename, DeepFoldersStayWithinThePathLimitOrFail)
{
    TempFolder root;
    std::wstring deep = root.Root();
    while (deep.size() < 200) {
        deep += L"\\" + std::wstring(20, L'd');
        ASSERT_TRUE(CreateDirectoryW(deep.c_str(), nullptr)) << deep.size();
    }
    const std::wstring source = deep + L"\\a.jpg";
    ASSERT_TRUE(TempFolder::Put(source, "x"));
    m_method.m_pattern = std::wstring(300, L'n');
    m_method.StartRenameRun();
    std::wstring target;
    ASSERT_TRUE(m_method.BuildNewName(source.c_str(), target));
    EXPECT_EQ(size_t(MAX_PATH - 1), target.size());
    EXPECT_EQ(0u, target.compare(0, deep.size() + 1, deep + L"\\"));

    // The full-length name is free, so the rename takes it; the next one finds no room for a
    // tilde number and fails, leaving its file as it was.
    const std::wstring second = deep + L"\\b.jpg";
    ASSERT_TRUE(TempFolder::Put(second, "y"));
    m_method.m_names.RemoveAll();
    const BatchItemResult first = m_method.RenameFiles(0, source.c_str());
    EXPECT_EQ(BATCH_ITEM_DONE, first.result) << first.reason;
    EXPECT_EQ(target, first.newPath);
    EXPECT_EQ(BATCH_ITEM_FAILED, m_method.RenameFiles(1, second.c_str()).result);
    EXPECT_EQ("y", TempFolder::Get(second));

    // A folder with no room for even one character of a name.
    std::wstring target2 = L"stale";
    EXPECT_FALSE(m_method.BuildNewName((std::wstring(MAX_PATH - 5, L'f') + L"\\a.jpg").c_str(), target2));
}

TEST_F(BatchRename, RunRenamesSelectedFilesOnceAndHandsOnTheNewName)
{
    TempFolder folder;
    ASSERT_TRUE(TempFolder::Put(folder.At(L"a.jpg"), "a"));
    ASSERT_TRUE(CreateDirectoryW(folder.At(L"sub").c_str(), nullptr));
    ASSERT_TRUE(TempFolder::Put(folder.At(L"sub\\inner.jpg"), "i"));
    m_method.m_pattern = L"new";
    m_method.StartRenameRun();
    m_method.m_names.RemoveAll();

    FakeBatchHost host;
    host.selected = {BatchListItem{0, folder.At(L"a.jpg")}, BatchListItem{1, folder.At(L"sub")}};
    CBatchEngine engine(host);
    ASSERT_TRUE(engine.StartBatchTask([this](int item, const wchar_t* path) { return m_method.RenameFiles(item, path); }));
    for (int waited = 0; waited < 20000 && !engine.m_stopBatch; waited += 5)
        Sleep(5);
    engine.StopBatchTask();
    EXPECT_EQ((std::vector<std::wstring>{L"new.jpg", L"sub"}), folder.List());
    // Pictures found inside a selected folder keep their names.
    EXPECT_EQ(std::vector<std::wstring>{L"inner.jpg"}, folder.List(L"sub"));
    const std::vector<std::wstring> done = host.EventsStartingWith(L"done 0 ");
    ASSERT_EQ(1u, done.size());
    EXPECT_EQ(L"done 0 " + folder.At(L"a.jpg") + L" -> " + folder.At(L"new.jpg"), done[0]);

    // A name this run produced is not renamed again.
    EXPECT_EQ(BATCH_ITEM_SKIPPED, m_method.RenameFiles(0, folder.At(L"new.jpg").c_str()).result);
    EXPECT_EQ((std::vector<std::wstring>{L"new.jpg", L"sub"}), folder.List());
}

TEST(BatchRenameSettings, StoredValuesAndTheirLimits)
{
    MemoryProfile profile;
    CBatchRenameMethod method;
    method.LoadSetting(profile);
    EXPECT_EQ(1, method.m_startNumber);
    EXPECT_EQ(0, method.m_numberFormat);
    EXPECT_FALSE(method.m_ignoreDateTimeChars);

    profile.WriteInt(L"BatchRename", L"NumberFormat", 9);
    profile.WriteInt(L"BatchRename", L"IgnoreDateTimeChar", 1);
    profile.WriteInt(L"BatchRename", L"DateType", 2);
    method.LoadSetting(profile);
    EXPECT_EQ(3, method.m_numberFormat);
    EXPECT_TRUE(method.m_ignoreDateTimeChars);
    EXPECT_EQ(RENAME_DATE_NOW, method.m_dateType);

    method.m_startNumber = -4;
    method.m_patternIndex = 7;
    method.SaveSetting(profile);
    EXPECT_EQ(0, profile.GetInt(L"BatchRename", L"NumberIndex", -1));
    EXPECT_EQ(7, profile.GetInt(L"BatchRename", L"FilnameIndex", -1));
}

TEST(ConditionSelect, NamesSizesAndPictureSizes)
{
    ConditionSelect byName;
    byName.namePattern = L"*.jpg;*.png;";
    ConditionSelect bySize;
    bySize.byName = false;
    bySize.bySize = true;
    bySize.minSizeK = 100;
    ConditionSelect byPicture;
    byPicture.byPictureSize = true;
    byPicture.minWidth = 800;
    byPicture.maxHeight = 600;
    ConditionSelect unchecked;
    unchecked.byName = false;
    unchecked.namePattern = L"nothing";
    ConditionSelect wildcards;
    wildcards.namePattern = L"IMG_??3*.*";
    struct Row {
        const ConditionSelect* condition;
        const wchar_t* name;
        uint64_t bytes;
        int width, height;
        bool matches;
    } const rows[] = {
        {&byName, L"a.jpg", 10, 1, 1, true},
        {&byName, L"b.png", 10, 1, 1, true},
        {&byName, L"c.JPG", 10, 1, 1, false}, // letters compared exactly
        {&byName, L"d.jpg.bak", 10, 1, 1, false},
        {&bySize, L"e.gif", 100 << 10, 1, 1, true},
        {&bySize, L"f.gif", (100 << 10) - 1, 1, 1, false},
        {&bySize, L"g.gif", uint64_t(5) << 32, 1, 1, true}, // no maximum
        {&byPicture, L"h.jpg", 10, 800, 600, true},
        {&byPicture, L"i.jpg", 10, 799, 600, false},
        {&byPicture, L"j.jpg", 10, 5000, 601, false},
        {&unchecked, L"k.jpg", 0, 0, 0, true},
        {&wildcards, L"IMG_0031.jpg", 0, 0, 0, true},
        {&wildcards, L"IMG_031.jpg", 0, 0, 0, false},
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.matches, row.condition->Matches(row.name, row.bytes, row.width, row.height)) << row.name;
    EXPECT_TRUE(MatchesAnyPattern(L"", L"anything"));
    EXPECT_TRUE(WildcardMatch(L"*a*b*c", L"xxaxxbxxbxc"));
    EXPECT_FALSE(WildcardMatch(L"*a*b*c", L"xxaxxbxxbxcd"));

    MemoryProfile profile;
    bySize.Save(profile);
    ConditionSelect back;
    back.Load(profile);
    EXPECT_FALSE(back.byName);
    EXPECT_TRUE(back.bySize);
    EXPECT_EQ(100, back.minSizeK);
    EXPECT_EQ(L"*.*", back.namePattern);
}

} // namespace
