#include "BatchSettings.h"
#include "AppFrame.h"

namespace {

class AppProfileStore : public ProfileStore {
public:
    int GetInt(const wchar_t* section, const wchar_t* name, int fallback) override
    {
        CWinApp* app = AfxGetApp();
        return app ? int(app->GetProfileInt(section, name, fallback)) : fallback;
    }
    void WriteInt(const wchar_t* section, const wchar_t* name, int value) override
    {
        if (CWinApp* app = AfxGetApp())
            app->WriteProfileInt(section, name, value);
    }
    std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* fallback) override
    {
        CWinApp* app = AfxGetApp();
        if (!app)
            return fallback;
        const CString value = app->GetProfileString(section, name, fallback);
        return std::wstring(static_cast<const wchar_t*>(value));
    }
    void WriteString(const wchar_t* section, const wchar_t* name, const wchar_t* value) override
    {
        if (CWinApp* app = AfxGetApp())
            app->WriteProfileString(section, name, value);
    }
};

int Clamp(int value, int low, int high)
{
    return value < low ? low : value > high ? high : value;
}

} // namespace

ProfileStore& AppProfile()
{
    static AppProfileStore store;
    return store;
}

const BatchImageType kBatchImageTypes[kBatchImageTypeCount] = {
    {L"JPG", L"jpg", 3},
    {L"WebP", L"webp", 21},
    {L"PNG", L"png", 4},
    {L"BMP", L"bmp", 1},
    {L"GIF", L"gif", 2},
};

const BatchImageType& BatchImageTypeAt(int index)
{
    return kBatchImageTypes[index >= 0 && index < kBatchImageTypeCount ? index : 0];
}

bool BatchImageTypeHasQuality(int index)
{
    return !(index >= 2 && index < kBatchImageTypeCount);
}

const int kResolutionSteps[kResolutionStepCount] = {640, 800, 1024, 1200, 1600, 1920, 2400};
const int kQualitySteps[kQualityStepCount] = {0, 40, 50, 60, 70, 80, 90, 100};

int StepPosition(const int* steps, int count, int value)
{
    for (int i = 0; i < count; ++i)
        if (steps[i] >= value)
            return i;
    return count - 1;
}

const wchar_t kConvertSection[] = L"BatchConvert";
const wchar_t kOptimizeSection[] = L"BatchOptimize";

void BatchConvertSettings::Load(ProfileStore& profile, const wchar_t* section, int typeCount)
{
    *this = BatchConvertSettings();
    quality = Clamp(profile.GetInt(section, L"Quality", quality), 0, 100);
    // A limit of 0 would make every picture empty; keep the defaults then.
    const int width = profile.GetInt(section, L"MaxWidth", maxWidth);
    const int height = profile.GetInt(section, L"MaxHeight", maxHeight);
    if (width > 0)
        maxWidth = width;
    if (height > 0)
        maxHeight = height;
    limitSize = profile.GetInt(section, L"MaxLimit", 1) != 0;
    overwriteOriginal = profile.GetInt(section, L"OutputType", 0) == 1 ? 1 : 0;
    const int type = profile.GetInt(section, L"FileType", 0);
    fileType = type >= 0 && type < typeCount ? type : 0;
    removeExif = profile.GetInt(section, L"RemoveEXIF", 0) != 0;
}

void BatchConvertSettings::Save(ProfileStore& profile, const wchar_t* section) const
{
    profile.WriteInt(section, L"Quality", quality);
    profile.WriteInt(section, L"MaxWidth", maxWidth);
    profile.WriteInt(section, L"MaxHeight", maxHeight);
    profile.WriteInt(section, L"MaxLimit", limitSize ? 1 : 0);
    profile.WriteInt(section, L"OutputType", overwriteOriginal);
    profile.WriteInt(section, L"FileType", fileType);
    if (section == std::wstring(kOptimizeSection))
        profile.WriteInt(section, L"RemoveEXIF", removeExif ? 1 : 0);
}
