#pragma once

class GridView;

// Sizes the columns lFirstCol..lLastCol of myGrid (0-based grid columns,
// column 0 the label column; -1 for the first means column 0, -1 for the
// last means the grid's last column) to the widest text each holds, the
// header row included, plus the width of one "W". Widths are rounded to
// whole pixels, halves to even. With bCheckFont every cell is measured in
// its own font (and the "W" in the font of the column's last cell);
// otherwise every cell in the grid's font. Columns outside the range keep
// their widths; a first column after the last changes nothing; a grid
// without rows gets one "W" for every column in range.
void FG_AutosizeCols(GridView& myGrid, int lFirstCol, int lLastCol, bool bCheckFont);

// Fits every column of the grid as FG_AutosizeCols does in its font, a
// column at a time, the window repainting whenever 10 ms have gone by (user
// input waits): a grid of thousands of rows takes longer to measure than a
// window may go without answering. The grid is drawn once, fitted.
void fitColumnsAnswering(GridView& grid);
