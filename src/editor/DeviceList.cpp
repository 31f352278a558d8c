#include "editor/DeviceList.h"

#include "editor/EditorTexts.h"

#include <algorithm>
#include <climits>

namespace {

constexpr int ShortNameColumnIndex = 1;
constexpr int StateColumnIndex = 2;

// What the grey of a row says, in words.
const char* StateText(RowState state) {
    return state == RowAbsent ? AbsentStateText : state == RowProposed ? ProposalStateText : "";
}

} // namespace

void DeviceList::SetupColumns() {
    SetExtendedStyle(LVS_EX_FULLROWSELECT);
    InsertColumn(OriginalNameColumn, 0, 0, LVCFMT_LEFT);
    InsertColumn(ShortNameColumn, 0, ShortNameColumnIndex, LVCFMT_LEFT);
    InsertColumn(StateColumn, 0, StateColumnIndex, LVCFMT_LEFT);
    FitColumns();
}

void DeviceList::FitColumns() {
    // The state column as wide as its longest word, with room for the margins of the header and
    // the rows, about two characters; the names share the rest two to one.
    int state = 0;
    for (const char* text : {StateColumn, AbsentStateText, ProposalStateText}) {
        state = std::max(state, GetStringWidth(text));
    }
    state += GetStringWidth("00");
    int width = 0;
    GetClientSize(&width, nullptr);
    const int names = width - state;
    SetColumnWidth(0, names - names / 3);
    SetColumnWidth(ShortNameColumnIndex, names / 3);
    SetColumnWidth(StateColumnIndex, state);
}

void DeviceList::Fill(std::vector<DeviceRow> shown, const std::string& select) {
    filling = true;
    DeleteAllItems();
    rows = std::move(shown);
    for (std::size_t row = 0; row < rows.size(); ++row) {
        InsertItem(rows[row].label.c_str(), INT_MAX, static_cast<LPARAM>(row));
        if (!select.empty() && lstrcmpiA(rows[row].device.c_str(), select.c_str()) == 0) {
            SelectRow(static_cast<int>(row));
        }
    }
    filling = false;
    // Rows past the list's height bring a scroll bar, which takes from the columns' width.
    FitColumns();
    ShowTexts();
}

void DeviceList::Update(std::vector<DeviceRow> shown) {
    rows = std::move(shown);
    ShowTexts();
}

void DeviceList::ShowTexts() {
    for (std::size_t row = 0; row < rows.size(); ++row) {
        SetItemText(rows[row].text.c_str(), static_cast<int>(row), ShortNameColumnIndex);
        SetItemText(StateText(rows[row].state), static_cast<int>(row), StateColumnIndex);
    }
}

const DeviceRow* DeviceList::Selected() {
    const int row = GetNextSelected(0);
    return row >= 0 && static_cast<std::size_t>(row) < rows.size() ? &rows[row] : nullptr;
}

POINT DeviceList::BelowSelected() {
    RECT label = {};
    GetItemLabelRect(GetNextSelected(0), &label);
    POINT point = {label.left, label.bottom};
    ClientToScreen(GetHandle(), &point);
    return point;
}

LRESULT DeviceList::OnCustomDraw(NMLVCUSTOMDRAW& draw) {
    const std::size_t row = draw.nmcd.dwItemSpec;
    const RowState state = row < rows.size() ? rows[row].state : RowPresent;
    switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
        return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
        if (state == RowAbsent || state == RowUnnamable) {
            draw.clrText = GetSysColor(COLOR_GRAYTEXT);
            return CDRF_NEWFONT;
        }
        // A proposal is greyed in its own column only.
        return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM: {
        const bool proposed = draw.iSubItem == ShortNameColumnIndex && state == RowProposed;
        draw.clrText = proposed ? GetSysColor(COLOR_GRAYTEXT) : CLR_DEFAULT;
        return CDRF_NEWFONT;
    }
    }
    return CDRF_DODEFAULT;
}
