#pragma once
// Data exchange of numbers and texts with edit boxes for DoDataExchange, like DDX_Text but
// quiet: a text that is not a number of the type fails the exchange (focus on the control)
// without a message box. The control's text is set only when it differs.
#include "AppFrame.h"
#include "ZVUILibDef.h"

ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned char& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, short& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, int& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned int& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, long& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned long& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, __int64& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, unsigned __int64& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, CString& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, float& value);
ZVUILIB_API void KQ_DDX_Text(CDataExchange* pDX, int nIDC, double& value);
