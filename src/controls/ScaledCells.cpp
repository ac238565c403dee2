// Cell drawing that follows the list view's own: the same colours for selected and plain rows,
// the picture at the cell's left edge, the text after it on one line with an ellipsis.
#include "controls/ScaledCells.h"

#include <iterator>

#include "win/Dpi.h"

namespace {

// The list view's margins at 96 DPI: before a cell's text, and between its picture and its text.
constexpr int kTextMargin = 5;
constexpr int kPictureMargin = 2;
constexpr UINT kCellText = DT_VCENTER | DT_NOPREFIX | DT_EDITCONTROL | DT_SINGLELINE | DT_WORD_ELLIPSIS |
                           DT_END_ELLIPSIS | DT_LEFT;

struct CellColours {
  COLORREF text, back;  // back CLR_NONE: the list's background shows
};

CellColours ColoursOf(HWND list, bool selected, bool focused) {
  if (selected) {
    if (focused) return {GetSysColor(COLOR_HIGHLIGHTTEXT), GetSysColor(COLOR_HIGHLIGHT)};
    if (GetWindowLongPtrW(list, GWL_STYLE) & LVS_SHOWSELALWAYS) return {GetSysColor(COLOR_BTNTEXT), GetSysColor(COLOR_3DFACE)};
  }
  COLORREF text = ListView_GetTextColor(list), back = ListView_GetTextBkColor(list);
  return {text == CLR_DEFAULT ? GetSysColor(COLOR_WINDOWTEXT) : text, back == CLR_DEFAULT ? GetSysColor(COLOR_WINDOW) : back};
}

void DrawCell(HWND list, HDC dc, int row, int column, UINT dpi) {
  RECT cell = {};
  cell.top = column;
  cell.left = LVIR_BOUNDS;
  if (!SendMessageW(list, LVM_GETSUBITEMRECT, row, reinterpret_cast<LPARAM>(&cell))) return;
  wchar_t text[260] = {};
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE;
  item.iItem = row;
  item.iSubItem = column;
  item.pszText = text;
  item.cchTextMax = static_cast<int>(std::size(text));
  if (!ListView_GetItem(list, &item)) return;

  const bool selected = ListView_GetItemState(list, row, LVIS_SELECTED) != 0;
  const bool focused = GetFocus() == list;
  CellColours colours = ColoursOf(list, selected, focused);
  RECT label = cell;
  // Without LVS_EX_SUBITEMIMAGES the list shows no picture after its first column, whatever the
  // cell's image index says.
  HIMAGELIST images = (ListView_GetExtendedListViewStyle(list) & LVS_EX_SUBITEMIMAGES)
                          ? ListView_GetImageList(list, LVSIL_SMALL)
                          : nullptr;
  int width = 0, height = 0;
  bool picture = images && item.iImage >= 0 && ImageList_GetIconSize(images, &width, &height);
  label.left += picture ? width + win::ScaleToDpi(kPictureMargin, dpi) : win::ScaleToDpi(kTextMargin, dpi);
  if (colours.back != CLR_NONE) {
    RECT back = cell;
    back.left += picture ? width : 0;
    SetBkColor(dc, colours.back);
    ExtTextOutW(dc, back.left, back.top, ETO_OPAQUE, &back, nullptr, 0, nullptr);
  }
  if (picture) {
    ImageList_DrawEx(images, item.iImage, dc, cell.left, cell.top, width, height, ListView_GetBkColor(list),
                     CLR_DEFAULT, selected && focused ? ILD_SELECTED : ILD_NORMAL);
  }
  SetBkMode(dc, TRANSPARENT);
  SetTextColor(dc, colours.text);
  DrawTextW(dc, item.pszText, -1, &label, kCellText);
}

}  // namespace

LRESULT DrawCellsAtScale(const NMLVCUSTOMDRAW& draw, UINT dpi) {
  HWND list = draw.nmcd.hdr.hwndFrom;
  if (dpi == win::kBaseDpi) return CDRF_DODEFAULT;
  switch (draw.nmcd.dwDrawStage) {
    case CDDS_PREPAINT:
      return CDRF_NOTIFYITEMDRAW;
    case CDDS_ITEMPREPAINT:
      return CDRF_NOTIFYSUBITEMDRAW;
    case CDDS_ITEMPREPAINT | CDDS_SUBITEM:
      if (draw.iSubItem == 0) return CDRF_DODEFAULT;
      DrawCell(list, draw.nmcd.hdc, static_cast<int>(draw.nmcd.dwItemSpec), draw.iSubItem, dpi);
      return CDRF_SKIPDEFAULT;
    default:
      return CDRF_DODEFAULT;
  }
}
