// Templates used only by the window-layer tests.
#pragma once
#define IDD_TEST_PROBE 9001
#define IDC_TEST_BUTTON 9002
#define IDC_TEST_EDIT 9003
#define IDC_TEST_CHECK 9004
#define IDC_TEST_COMBO 9005
#define IDD_TEST_LOCALIZE 9010
