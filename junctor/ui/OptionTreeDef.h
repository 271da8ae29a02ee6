// Options, hit-test codes, notifications and messages of the option tree and
// its spinner rows.
#pragma once

#include <afxwin.h>

class COptionTreeItem;

// Tree options (COptionTree::Create, COptionTree::SetNotify).
#define OTS_INFOPANE 0x0001
#define OTS_NOTIFY 0x0002
#define OTS_DEFAULTINFOTEXT 0x0004
#define OTS_SHADEEXPANDCOLUMN 0x0008
#define OTS_SHADEROOTROWS 0x0010

// COptionTree::HitTest.
#define OTHT_LABEL 2024
#define OTHT_COLUMN 2025
#define OTHT_EXPAND 2026
#define OTHT_VALUE 2027
#define OTHT_NOWHERE 2028

// WM_NOTIFY codes; the header is followed by the row (NMOPTIONTREE).
#define OTN_ITEMINSERTED (-1101)
#define OTN_ITEMDELETED (-1102)
#define OTN_ITEMCOMMITTED (-1105)
#define OTN_SELCHANGED (-1107)
#define OTN_ITEMEXPANDING (-1108)
#define OTN_COLUMNDRAG (-1109)
#define OTN_ITEMACTIVATING (-1110)

struct NMOPTIONTREE {
    NMHDR hdr;
    COptionTreeItem* otiItem;
};
typedef NMOPTIONTREE* LPNMOPTIONTREE;

// Geometry in pixels.
#define OT_EXPANDCOLUMN 16
#define OT_SPACE 5
#define OT_DEFHEIGHT 21
#define OT_INFOHEIGHT 50
#define OT_COLUMNMIN 16
#define OT_DRAGMIN 40
#define OT_DRAGMARGIN 25

// Child windows of the tree.
#define OT_INFOPANE_ID 0xFFFF
#define OT_ROWSVIEW_ID 30000

// Spinner options.
#define OTSB_EDITABLE 0x00000400
#define OTSB_WRAPAROUND 0x00040000

// Between the spinner's edit field, the spinner and its row.
#define WM_OT_COMMIT 0x0502
#define WM_OT_EDITCHANGED 0x0503
#define WM_OT_STEPUP 0x0504
#define WM_OT_STEPDOWN 0x0505

#define OT_SPINNER_EDIT_ID 1000
#define OT_SPINNER_BUTTONS 17
#define OT_REPEAT_TIMER 1000

// Kind code of the decimal spinner row.
#define OT_KIND_ITEM 1
#define OT_KIND_SPINNERDEC 9
