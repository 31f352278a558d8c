#include "app/ListView.h"

#include <commctrl.h>

#include "app/InitCommonControlClasses.h"

namespace {

// Each item record is filled for its one call, with only the fields its mask names.
LVITEMA TextItem(int row, int column, char* text) {
    LVITEMA item = {};
    item.mask = LVIF_TEXT;
    item.iItem = row;
    item.iSubItem = column;
    item.pszText = text;
    return item;
}

} // namespace

ListView::ListView() {
    InitCommonControlClasses(ICC_LISTVIEW_CLASSES);
}

ListView::~ListView() {}

int ListView::InsertColumn(const char* text, int width, int column, int format) {
    LVCOLUMNA record = {};
    record.mask = LVCF_FMT | LVCF_WIDTH | LVCF_TEXT;
    record.fmt = format;
    record.cx = width;
    record.pszText = const_cast<char*>(text);
    return static_cast<int>(
        Send(LVM_INSERTCOLUMNA, static_cast<WPARAM>(column), reinterpret_cast<LPARAM>(&record)));
}

int ListView::InsertItem(const char* text, int row, LPARAM param) {
    LVITEMA item = TextItem(row, 0, const_cast<char*>(text));
    item.mask |= LVIF_PARAM;
    item.lParam = param;
    return static_cast<int>(Send(LVM_INSERTITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

BOOL ListView::SetItemText(const char* text, int row, int column) {
    LVITEMA item = TextItem(row, column, const_cast<char*>(text));
    return static_cast<BOOL>(Send(LVM_SETITEMA, 0, reinterpret_cast<LPARAM>(&item)));
}

LPARAM ListView::GetItemParam(int row) {
    LVITEMA item = {};
    item.mask = LVIF_PARAM;
    item.iItem = row;
    return Send(LVM_GETITEMA, 0, reinterpret_cast<LPARAM>(&item)) != 0 ? item.lParam : 0;
}

BOOL ListView::GetItemLabelRect(int row, RECT* rect) {
    rect->left = LVIR_LABEL;
    return static_cast<BOOL>(
        Send(LVM_GETITEMRECT, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(rect)));
}

int ListView::DeleteAllItems() {
    return Send(LVM_DELETEALLITEMS, 0, 0) != 0 ? 1 : 0;
}

BOOL ListView::SetColumnWidth(int column, int width) {
    return static_cast<BOOL>(
        Send(LVM_SETCOLUMNWIDTH, static_cast<WPARAM>(column), MAKELPARAM(width, 0)));
}

int ListView::GetStringWidth(const char* text) {
    return static_cast<int>(Send(LVM_GETSTRINGWIDTHA, 0, reinterpret_cast<LPARAM>(text)));
}

DWORD ListView::SetExtendedStyle(DWORD style) {
    return static_cast<DWORD>(Send(LVM_SETEXTENDEDLISTVIEWSTYLE, 0, static_cast<LPARAM>(style)));
}

int ListView::GetNextSelected(int first) {
    // The platform's search starts after the item it is given.
    return static_cast<int>(
        Send(LVM_GETNEXTITEM, static_cast<WPARAM>(first - 1), MAKELPARAM(LVNI_SELECTED, 0)));
}

BOOL ListView::SelectRow(int row) {
    LVITEMA item = {};
    item.stateMask = item.state = LVIS_SELECTED | LVIS_FOCUSED;
    return Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)) &&
           Send(LVM_ENSUREVISIBLE, static_cast<WPARAM>(row), FALSE);
}

int ListView::GetColumnWidth(int column) {
    return static_cast<int>(Send(LVM_GETCOLUMNWIDTH, static_cast<WPARAM>(column), 0));
}

BOOL ListView::SetCheck(int row, bool checked) {
    LVITEMA item = {};
    item.stateMask = LVIS_STATEIMAGEMASK;
    // State image 1 is the empty box, 2 the ticked one.
    item.state = INDEXTOSTATEIMAGEMASK(checked ? 2 : 1);
    return static_cast<BOOL>(
        Send(LVM_SETITEMSTATE, static_cast<WPARAM>(row), reinterpret_cast<LPARAM>(&item)));
}

bool ListView::GetCheck(int row) {
    const LRESULT state = Send(LVM_GETITEMSTATE, static_cast<WPARAM>(row), LVIS_STATEIMAGEMASK);
    return state == INDEXTOSTATEIMAGEMASK(2);
}
