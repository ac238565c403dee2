// A report list's cells after its first column, drawn with the list's margins scaled to the DPI.
//
// The list view keeps its margins in fixed pixels at every DPI: a cell's text starts 5 pixels
// from the column's edge, or 2 after the cell's picture. At 150% the text of every cell sat
// 2.5 pixels left of where the 96-DPI layout scaled puts it, beside columns, header and pictures
// that do scale. At 96 DPI the list draws its cells itself.
#pragma once
#include <windows.h>
#include <commctrl.h>

// The answer to the list's NM_CUSTOMDRAW (for its parent's WM_NOTIFY result) at dpi, the list's:
// the first column stays the list's own (its picture, the selection's focus mark); the others are
// drawn here with the list's colours, pictures and text.
LRESULT DrawCellsAtScale(const NMLVCUSTOMDRAW& draw, UINT dpi);
