// Custom drawing of the table view's cells by the application's handlers.
#pragma once

class TcxCanvas;
class TcxCustomGridCellViewInfo;

// Offers a cell (or only its background) to the handlers with the canvas in the cell's colours and
// font; True when a handler drew it. A handler that did not may have recoloured the canvas: the
// cell takes its background and text colours from it.
bool cxGridCustomDrawCell(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas);
bool cxGridCustomDrawCellBackground(TcxCustomGridCellViewInfo* ACell, TcxCanvas* ACanvas);
