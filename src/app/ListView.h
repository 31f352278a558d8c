#pragma once

#include "app/Control.h"

// A report-style list view with columns and sub-items. Constructing one registers the list
// view class, so a dialog holding it as a member can create its template's list view.
class ListView : public Control {
public:
    ListView();
    ~ListView() override;

    // Index of the new column, -1 on failure.
    int InsertColumn(const char* text, int width, int column, int format);
    // Column 0 inserts a row at row (past the end appends) and returns its index, -1 on
    // failure; any other column sets that column of an existing row and returns TRUE/FALSE.
    int PutItemText(const char* text, int row, int column);
    BOOL SetItemText(const char* text, int row, int column);
    // buffer, or null when the row or column does not exist.
    char* GetItemText(char* buffer, int size, int row, int column);
    // 1 on success; the columns stay.
    int DeleteAllItems();
    // Replaces every extended style; returns the previous ones.
    DWORD SetExtendedStyle(DWORD style);
    // The first selected row at or after first, -1 when there is none.
    int GetNextSelected(int first);
};
