// The framework's common controls.
#pragma once

#include "afxwin.h"
#include "CListCtrl.h"
