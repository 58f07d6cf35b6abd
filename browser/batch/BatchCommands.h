#pragma once
// The eight batch commands of the browser: each checks that there is something to work on,
// shows its dialog, asks before files are changed and starts a run of the list's engine. The
// list, the message boxes and the dialogs are reached through interfaces, so that the rules
// can be driven without windows.
#include <windows.h>
#include <string>
#include <vector>
#include "BatchEngine.h"

// In the order of the tiles' user data.
enum class BatchOperation { Color, Watermark, Organize, Optimize, Convert, Rename, Gray, Rotate };
const int kBatchOperationCount = 8;

// Menu commands.
const UINT ID_BATCH_RENAME = 32945;
const UINT ID_BATCH_OPTIMIZE = 33053;
const UINT ID_BATCH_CONVERT = 33054;
const UINT ID_BATCH_GRAY = 33055;
const UINT ID_BATCH_ORGANIZE = 33057;
const UINT ID_BATCH_ROTATE = 33058;
const UINT ID_BATCH_WATERMARK = 33059;
const UINT ID_BATCH_COLOR = 33081;

struct BatchOperationInfo {
    BatchOperation operation;
    UINT command;
    const wchar_t* label;       // the menus' English label
    const wchar_t* tileCaption; // translated; convert's tile reads "Resize Convert"
    UINT tilePicture;           // PNG resource of the tile
};
// In the order of the tiles.
extern const BatchOperationInfo kBatchOperations[kBatchOperationCount];
const BatchOperationInfo* FindBatchOperation(UINT command);

// The list and the user as the commands see them; everything on the user-interface thread.
class BatchCommandHost {
public:
    virtual ~BatchCommandHost() = default;
    virtual CBatchEngine& Engine() = 0;
    virtual bool HasSelection() = 0;
    virtual bool IsHoverItemFile() = 0;
    virtual bool IsOnline() = 0;
    virtual std::wstring CurrentFolder() = 0;
    // The first selected file of the list, else the item under the mouse; empty when neither.
    virtual std::wstring SampleCandidate() = 0;

    struct FolderItem {
        int index;
        std::wstring text;
        bool selected;
    };
    // The folder items, which lead the list.
    virtual std::vector<FolderItem> FolderItems() = 0;
    virtual void DeselectItem(int index) = 0;

    // A pop-up note at the mouse.
    virtual void ShowNote(const wchar_t* text) = 0;
    // Yes/No with the exclamation icon; true for Yes.
    virtual bool AskYesNo(const wchar_t* text) = 0;
};

struct BatchColorValues {
    int brightness = 0, contrast = 0, saturation = 0, hue = 0;
    bool IsNeutral() const { return !brightness && !contrast && !saturation && !hue; }
};

// The dialogs; each answers true for OK. Convert, optimize and organize write the engine's
// settings themselves.
class BatchDialogs {
public:
    virtual ~BatchDialogs() = default;
    virtual bool Convert(CBatchEngine& engine, const std::wstring& currentFolder) = 0;
    virtual bool Optimize(CBatchEngine& engine, const std::wstring& currentFolder) = 0;
    virtual bool Rename() = 0;
    virtual bool Organize(CBatchEngine& engine, const std::wstring& currentFolder) = 0;
    // arguments: KQBatch's; a temporary file the run owns goes to tempFile.
    virtual bool Watermark(const std::wstring& sample, std::wstring& arguments, std::wstring& tempFile) = 0;
    virtual bool Color(const std::wstring& sample, BatchColorValues& values) = 0;
    virtual bool Rotate(const std::wstring& sample, std::wstring& command, std::wstring& arguments) = 0;
};

class BatchCommands {
public:
    // dataSample: the picture the previews show when no file is at hand.
    BatchCommands(BatchCommandHost& host, BatchDialogs& dialogs, std::wstring dataSample);

    // The whole command; true when a run started.
    bool Run(BatchOperation operation);
    // A tile's click: refused for online materials and during a run.
    bool RunFromTile(BatchOperation operation);

    bool ConfirmRenameFiles();
    bool ConfirmMoveFiles();
    bool ConfirmModifyFiles();
    // Something to work on: a selection or a file under the mouse; otherwise the note.
    bool CheckHoverPictureFile();
    // Keeps the output folder out of the run when the list shows it as a selected sub-folder.
    void DeselectOutputFolder();
    std::wstring SamplePicture();

    // The operation of the last run started, for the end of the run.
    BatchOperation LastOperation() const { return m_last; }

private:
    bool Confirm(const wchar_t* what);
    // Optimize and convert write over the originals unless the output goes elsewhere.
    bool WritesOverOriginals(CBatchEngine& engine);
    bool Start(BatchOperation operation, CBatchEngine::BatchTask task);

    BatchCommandHost& m_host;
    BatchDialogs& m_dialogs;
    std::wstring m_dataSample;
    BatchOperation m_last = BatchOperation::Color;
};

// The KQBatch command and arguments of the rotate dialog's five choices.
enum class RotateChoice { Left, Right, Half, FlipHorizontal, FlipVertical };
struct RotateCommand {
    const wchar_t* command;
    const wchar_t* arguments;
};
RotateCommand RotateCommandOf(RotateChoice choice);
