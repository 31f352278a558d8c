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
    // LVM_INSERTITEMA: a row at row (past the end appends) with text in column 0 and param for
    // its owner to know it by; the new row's index, -1 on failure.
    int InsertItem(const char* text, int row, LPARAM param);
    BOOL SetItemText(const char* text, int row, int column);
    // The param the row was inserted with; 0 when the row does not exist.
    LPARAM GetItemParam(int row);
    // LVM_GETITEMRECT of the row's label, in the list's client coordinates; FALSE for no row.
    BOOL GetItemLabelRect(int row, RECT* rect);
    // 1 on success; the columns stay.
    int DeleteAllItems();
    // LVM_SETCOLUMNWIDTH in pixels, or LVSCW_AUTOSIZE_USEHEADER to fit the column's texts.
    BOOL SetColumnWidth(int column, int width);
    // LVM_GETSTRINGWIDTHA: text's width in the list's font, without the room around it.
    int GetStringWidth(const char* text);
    // Replaces every extended style; returns the previous ones.
    DWORD SetExtendedStyle(DWORD style);
    // The first selected row at or after first, -1 when there is none.
    int GetNextSelected(int first);
    // Selects row and gives it the focus rectangle, scrolled into view; FALSE for no row.
    BOOL SelectRow(int row);
    int GetColumnWidth(int column);
    // The check box of a row in a list with LVS_EX_CHECKBOXES.
    BOOL SetCheck(int row, bool checked);
    bool GetCheck(int row);
};
