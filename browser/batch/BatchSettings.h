#pragma once
// The stored settings of the batch dialogs, the steps of their sliders and the picture types a
// batch run writes. Values come through ProfileStore, so tests keep them in memory.
#include <string>

// The browser's profile: integer and text values by section and name.
class ProfileStore {
public:
    virtual ~ProfileStore() = default;
    virtual int GetInt(const wchar_t* section, const wchar_t* name, int fallback) = 0;
    virtual void WriteInt(const wchar_t* section, const wchar_t* name, int value) = 0;
    virtual std::wstring GetString(const wchar_t* section, const wchar_t* name, const wchar_t* fallback) = 0;
    virtual void WriteString(const wchar_t* section, const wchar_t* name, const wchar_t* value) = 0;
};
// The running application's profile (AfxGetApp); reads give the fallback without one.
ProfileStore& AppProfile();

struct BatchImageType {
    const wchar_t* name;      // as the type combo shows it
    const wchar_t* extension; // of the files written
    int code;                 // the image library's save type
};
// JPG, WebP, PNG, BMP, GIF: the convert combo's order; optimize offers the first two.
const int kBatchImageTypeCount = 5;
const int kOptimizeImageTypeCount = 2;
extern const BatchImageType kBatchImageTypes[kBatchImageTypeCount];
// Any value out of the table is JPG.
const BatchImageType& BatchImageTypeAt(int index);
// JPG and WebP take a quality; the lossless types do not.
bool BatchImageTypeHasQuality(int index);

const int kResolutionStepCount = 7;
extern const int kResolutionSteps[kResolutionStepCount];
const int kQualityStepCount = 8;
extern const int kQualitySteps[kQualityStepCount]; // 0 is "Automatic"
// The position of the first step not smaller than value; the last one for a value above all.
int StepPosition(const int* steps, int count, int value);

// "BatchConvert" and "BatchOptimize": the same record, optimize adds RemoveEXIF.
struct BatchConvertSettings {
    int quality = 80;   // 0 automatic
    int maxWidth = 1920;
    int maxHeight = 1920;
    bool limitSize = true;
    int overwriteOriginal = 0; // "OutputType": 1 beside the source, 0 into the output folder
    int fileType = 0;          // index into kBatchImageTypes
    bool removeExif = false;

    // typeCount limits FileType: kBatchImageTypeCount to convert, kOptimizeImageTypeCount to optimize.
    void Load(ProfileStore& profile, const wchar_t* section, int typeCount);
    void Save(ProfileStore& profile, const wchar_t* section) const;
};
extern const wchar_t kConvertSection[];
extern const wchar_t kOptimizeSection[];
