// Ids of Sheetor's resources.
#pragma once

#define IDD_EDITA_ATTRIBUTI 101
#define IDC_GRIGLIA_ATTRIBUTI 1003
