// Resource numbers, shared by the resource script and the code.
#pragma once

#define IDS_APP_TITLE 103
#define IDI_TANZEL 107
#define IDS_WINDOW_CLASS 109
#define IDC_DROPPER 130
