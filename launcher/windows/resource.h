// SPDX-License-Identifier: GPL-3.0-or-later
// Resource numbers of the Windows launcher.
#pragma once

#define IDS_APP_TITLE 103
#define IDD_ABOUTBOX 103
#define IDM_ABOUT 104
#define IDM_EXIT 105
#define IDI_TARVENIX 107
#define IDI_SMALL 108
#define IDC_TARVENIX 109
#define IDC_STATIC -1
