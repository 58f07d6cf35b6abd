#pragma once
// Resource ids of the skinned-frame tests and demonstration.
#define IDD_TEST_DIALOGBAR 100
#define IDC_BAR_EDIT 1001
#define IDC_BAR_BUTTON 1002
#define IDC_BAR_LABEL 1003
