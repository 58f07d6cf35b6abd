#pragma once
// Resources of the editor shell's test program.
#define IDR_EDITORAPP_TEST_PNG 501
#define IDR_EDITORAPP_NOT_A_PNG 502
#define IDR_EDITORAPP_MISSING_PNG 503 // no such resource
