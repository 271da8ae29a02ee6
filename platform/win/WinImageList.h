// Image lists: images of one size kept side by side, drawn by index, with a
// mask colour that is left out when an image is drawn.
#pragma once

#include "WinGdi.h"

struct _IMAGELIST;
typedef _IMAGELIST* HIMAGELIST;

struct IMAGEINFO {
    HBITMAP hbmImage;
    HBITMAP hbmMask;
    int Unused1;
    int Unused2;
    RECT rcImage;
};

#define ILC_MASK 0x0001u
#define ILC_COLOR 0x0000u
#define ILC_COLOR24 0x0018u
#define ILC_COLOR32 0x0020u
#define ILD_NORMAL 0x0000u
#define ILD_TRANSPARENT 0x0001u

extern "C" {
HIMAGELIST ImageList_Create(int cx, int cy, UINT flags, int initial, int grow);
BOOL ImageList_Destroy(HIMAGELIST list);
// Adds the images of a bitmap as wide as a whole number of images; pixels of
// the mask colour stay transparent. The index of the first, or -1.
int ImageList_AddMasked(HIMAGELIST list, HBITMAP bitmap, COLORREF mask);
int ImageList_GetImageCount(HIMAGELIST list);
BOOL ImageList_GetImageInfo(HIMAGELIST list, int index, IMAGEINFO* info);
BOOL ImageList_GetIconSize(HIMAGELIST list, int* cx, int* cy);
BOOL ImageList_Draw(HIMAGELIST list, int index, HDC hdc, int x, int y, UINT style);
}
