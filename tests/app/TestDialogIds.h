#pragma once

#define IDD_TEST 201
#define IDD_MISSING 299
#define IDC_TEST_LIST 1001
#define IDC_TEST_COMBO 1002
#define IDC_TEST_EDIT 1003
#define IDC_TEST_NONE 1099
