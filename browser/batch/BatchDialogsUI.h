#pragma once
// The batch commands' dialogs as the user sees them, and what the end of a run shows.
#include "BatchCommands.h"

class ProfileStore;

class CBatchDialogsUI : public BatchDialogs {
public:
    explicit CBatchDialogsUI(ProfileStore& profile);

    bool Convert(CBatchEngine& engine, const std::wstring& currentFolder) override;
    bool Optimize(CBatchEngine& engine, const std::wstring& currentFolder) override;
    bool Rename() override;
    bool Organize(CBatchEngine& engine, const std::wstring& currentFolder) override;
    bool Watermark(const std::wstring& sample, std::wstring& arguments, std::wstring& tempFile) override;
    bool Color(const std::wstring& sample, BatchColorValues& values) override;
    bool Rotate(const std::wstring& sample, std::wstring& command, std::wstring& arguments) override;

private:
    ProfileStore& m_profile;
};

// The previews' picture when the list offers none: the user's copy of the sample in the
// application-data folder, else the one beside the program.
std::wstring BatchSamplePicture();

// At the end of a run, on the user-interface thread: the optimize report after an optimize
// run that was not stopped, then the failures when there were any.
void ShowBatchEndReports(BatchOperation operation, const BatchSummary& summary, const CBatchEngine& engine,
                         CWnd* parent);
