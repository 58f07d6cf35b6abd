// The application's batch commands: each runs on the picture list of the main frame, with the
// dialogs as the user sees them and the list's batch engine.
#include "LumivoShowsApp.h"
#include "BatchDialogsUI.h"
#include "BatchSettings.h"
#include "ListBatchCommandHost.h"
#include "MainFrame.h"

bool CLumivoShowsApp::RunBatch(BatchOperation operation, bool fromTile)
{
    if (!m_pMainFrame || !m_pMainFrame->m_wndList.GetSafeHwnd())
        return false;
    CPictureListView& list = m_pMainFrame->m_wndList;
    // A second run would stop the one under way.
    if (!fromTile && list.IsOperateDisabled(1))
        return false;
    CListBatchCommandHost host(list, list.BatchEngine(), m_hAppIcon, [&list] { return list.m_bOnlineMode; });
    CBatchDialogsUI dialogs(AppProfile());
    BatchCommands commands(host, dialogs, BatchSamplePicture());
    const bool started = fromTile ? commands.RunFromTile(operation) : commands.Run(operation);
    if (started)
        list.m_batchOperation = commands.LastOperation();
    return started;
}

void CLumivoShowsApp::OnBatchColor() { RunBatch(BatchOperation::Color); }
void CLumivoShowsApp::OnBatchWatermark() { RunBatch(BatchOperation::Watermark); }
void CLumivoShowsApp::OnBatchOrganize() { RunBatch(BatchOperation::Organize); }
void CLumivoShowsApp::OnBatchOptimize() { RunBatch(BatchOperation::Optimize); }
void CLumivoShowsApp::OnBatchConvert() { RunBatch(BatchOperation::Convert); }
void CLumivoShowsApp::OnBatchRename() { RunBatch(BatchOperation::Rename); }
void CLumivoShowsApp::OnBatchGray() { RunBatch(BatchOperation::Gray); }
void CLumivoShowsApp::OnBatchRotate() { RunBatch(BatchOperation::Rotate); }

// The commands say themselves why they do nothing (nothing selected, a batch running), so
// they stay enabled while there is a list to work on.
void CLumivoShowsApp::OnUpdateBatch(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pMainFrame && m_pMainFrame->m_wndList.GetSafeHwnd());
}
