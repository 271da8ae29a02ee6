// Command ids of the framework's standard commands.
#pragma once

// The application's title, a string resource of the host.
#define AFX_IDS_APP_TITLE 0xE000
#define ID_EDIT_COPY 0xE122
#define ID_EDIT_CUT 0xE123
#define ID_EDIT_PASTE 0xE125
#define ID_EDIT_SELECT_ALL 0xE12A
