// The framework's windows, dialogs, controls and device contexts.
#pragma once

#include "afx.h"
#include "AfxMsgMap.h"
#include "AfxRes.h"
#include "CControls.h"
#include "CDC.h"
#include "CDialog.h"
#include "CMenu.h"
#include "CImageList.h"
#include "CCmdUI.h"
#include "CFile.h"
#include "CPrintDialog.h"
#include "CPrintInfo.h"
#include "CRect.h"
#include "CWnd.h"
#include "CWaitCursor.h"
