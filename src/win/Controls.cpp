// The typed control wrappers whose calls need a record filled in.
#include "win/Controls.h"

#include <iterator>

namespace win {

std::wstring ComboBox::ItemText(int index) const {
  LRESULT length = Send(CB_GETLBTEXTLEN, index);
  if (length == CB_ERR) return {};
  std::wstring text(static_cast<size_t>(length) + 1, L'\0');
  LRESULT copied = Send(CB_GETLBTEXT, index, reinterpret_cast<LPARAM>(text.data()));
  text.resize(copied == CB_ERR ? 0 : static_cast<size_t>(copied));
  return text;
}

int ComboBoxEx::Insert(int index, const std::wstring& text, int image, LPARAM data) const {
  COMBOBOXEXITEMW item = {};
  item.mask = CBEIF_TEXT | CBEIF_IMAGE | CBEIF_SELECTEDIMAGE | CBEIF_LPARAM;
  item.iItem = index;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  item.iSelectedImage = image;
  item.lParam = data;
  return static_cast<int>(Send(CBEM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

std::wstring ComboBoxEx::ItemText(int index) const {
  wchar_t buffer[1024] = {};
  COMBOBOXEXITEMW item = {};
  item.mask = CBEIF_TEXT;
  item.iItem = index;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(std::size(buffer));
  if (!Send(CBEM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item))) return {};
  return buffer;
}

void ListView::Select(int row) const {
  ListView_SetItemState(hwnd_, -1, 0, LVIS_SELECTED | LVIS_FOCUSED);
  if (row < 0) return;
  ListView_SetItemState(hwnd_, row, LVIS_SELECTED | LVIS_FOCUSED, LVIS_SELECTED | LVIS_FOCUSED);
  ListView_EnsureVisible(hwnd_, row, FALSE);
}

int ListView::InsertColumn(int column, const std::wstring& title, int width, int format) const {
  LVCOLUMNW header = {};
  header.mask = LVCF_TEXT | LVCF_WIDTH | LVCF_FMT | LVCF_SUBITEM;
  header.fmt = format;
  header.cx = width;
  header.pszText = const_cast<wchar_t*>(title.c_str());
  header.iSubItem = column;
  return static_cast<int>(Send(LVM_INSERTCOLUMNW, column, reinterpret_cast<LPARAM>(&header)));
}

void ListView::ScaleColumns(UINT from, UINT to) const {
  HWND header = ListView_GetHeader(hwnd_);
  int count = header ? Header_GetItemCount(header) : 0;
  for (int column = 0; column < count; ++column) {
    int width = ListView_GetColumnWidth(hwnd_, column);
    ListView_SetColumnWidth(hwnd_, column, MulDiv(width, static_cast<int>(to), static_cast<int>(from)));
  }
}

int ListView::InsertRow(int row, const std::wstring& text, int image, LPARAM data) const {
  LVITEMW item = {};
  item.mask = LVIF_TEXT | LVIF_IMAGE | LVIF_PARAM;
  item.iItem = row;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  item.lParam = data;
  return static_cast<int>(Send(LVM_INSERTITEMW, 0, reinterpret_cast<LPARAM>(&item)));
}

void ListView::SetCell(int row, int column, const std::wstring& text) const {
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  Send(LVM_SETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
}

std::wstring ListView::Cell(int row, int column) const {
  wchar_t buffer[1024] = {};
  LVITEMW item = {};
  item.iSubItem = column;
  item.pszText = buffer;
  item.cchTextMax = static_cast<int>(std::size(buffer));
  Send(LVM_GETITEMTEXTW, row, reinterpret_cast<LPARAM>(&item));
  return buffer;
}

void ListView::SetImage(int row, int image) const {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  item.iImage = image;
  Send(LVM_SETITEMW, 0, reinterpret_cast<LPARAM>(&item));
}

int ListView::Image(int row) const {
  LVITEMW item = {};
  item.mask = LVIF_IMAGE;
  item.iItem = row;
  return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.iImage : -1;
}

LPARAM ListView::Data(int row) const {
  LVITEMW item = {};
  item.mask = LVIF_PARAM;
  item.iItem = row;
  return Send(LVM_GETITEMW, 0, reinterpret_cast<LPARAM>(&item)) ? item.lParam : 0;
}

int Tab::Insert(int index, const std::wstring& text, int image) const {
  TCITEMW item = {};
  item.mask = TCIF_TEXT | TCIF_IMAGE;
  item.pszText = const_cast<wchar_t*>(text.c_str());
  item.iImage = image;
  return static_cast<int>(Send(TCM_INSERTITEMW, index, reinterpret_cast<LPARAM>(&item)));
}

}  // namespace win
