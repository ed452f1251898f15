// The data-grid view of a live GPS scan: the cells of the grid's index window in layer 0,
// drawn as coloured unit squares at the height of their value, seen from above.
#pragma once

class TColorManager;
class TDataGrid;
class TRenderSink;

// Draws nothing without a grid, while one of the first three statistics or the colour range
// is NaN, or when the index window is empty. Colours come from Colors over the grid's colour
// range, or white without a colour manager. Each drawn cell's DrawValue becomes its Value.
void PaintDataGridCells(TDataGrid* Grid, const TColorManager* Colors, TRenderSink& Sink);
